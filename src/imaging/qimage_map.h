#pragma once

#include <QImage>
#include <memory>
#include <vector>

#include "orvandel/mapinput/map_header.h"
#include "orvandel/mapinput/map_image.h"

namespace orvandel {

// A decoded map held in a QImage, as the map window shows it. Palette images are kept as
// 8-bit indexes with their colour table; all others as 32-bit colours.
class QImageMap : public MapImage {
 public:
  explicit QImageMap(const QImage& image);

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void ReadRow(int y, std::span<PackedColour> out) const override;
  std::span<const PackedColour> ColourTable() const override { return colour_table_; }
  const std::uint8_t* IndexRow(int y) const override;

  // The packed colour of one pixel, as shown.
  PackedColour PixelColour(int x, int y) const;
  const QImage& Image() const { return image_; }

 private:
  // An index beyond the colour table shows as black.
  PackedColour TableColour(std::uint8_t index) const;

  QImage image_;
  std::vector<PackedColour> colour_table_;
};

// Decodes a checked BMP map for display from its open file, which ReadMapHeader has read:
// a map of 1-, 4- or 8-bit indexes from its pixels as ReadPackedMap reads them, any other
// with Qt's decoder. Throws the failures of ReadPackedMap and RewindForPixels (a file that
// ends before its last pixel row: the decoder would leave the missing rows undefined);
// RuntimeFailure "Bitmap image is not valid" when Qt's decoder cannot read the map;
// std::bad_alloc when memory cannot hold the picture.
std::unique_ptr<QImageMap> DecodeMapImage(BinaryReader& map_file, const MapHeader& header);

// The pixels of a checked map for generation alone, with nothing to show: as stored for a
// map of 1-, 4- or 8-bit indexes (ReadPackedMap), else as DecodeMapImage decodes them.
// Throws as those do.
std::unique_ptr<MapImage> ReadMapImage(BinaryReader& map_file, const MapHeader& header);

// QRgb (0xAARRGGBB) and packed colours (0x00BBGGRR).
PackedColour PackedFromQRgb(QRgb rgb);
QRgb QRgbFromPacked(PackedColour colour);

}  // namespace orvandel
