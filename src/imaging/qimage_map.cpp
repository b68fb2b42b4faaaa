#include "qimage_map.h"

#include <QFile>
#include <QImageReader>
#include <cassert>

#include "orvandel/fileio/failure.h"
#include "orvandel/mapinput/packed_map.h"

namespace orvandel {
namespace {

bool IsPaletteFormat(QImage::Format format) {
  return format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
         format == QImage::Format_MonoLSB;
}

QImage DisplayForm(const QImage& image) {
  if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_RGB32) {
    return image;
  }
  return image.convertToFormat(IsPaletteFormat(image.format()) ? QImage::Format_Indexed8
                                                               : QImage::Format_RGB32);
}

// The picture of a packed map in the form the map window keeps: 8-bit indexes and the
// map's colour table.
QImage PictureOf(const PackedMap& map) {
  QImage picture(map.Width(), map.Height(), QImage::Format_Indexed8);
  if (picture.isNull()) throw std::bad_alloc();
  QList<QRgb> table;
  for (const PackedColour colour : map.ColourTable())
    table.push_back(QRgbFromPacked(colour));
  picture.setColorTable(table);
  for (int y = 0; y < map.Height(); ++y) {
    UnpackIndexes(map.IndexRow(y), map.IndexBits(), static_cast<std::size_t>(map.Width()),
                  picture.scanLine(y));
  }
  return picture;
}

}  // namespace

PackedColour PackedFromQRgb(QRgb rgb) {
  return PackRGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QRgb QRgbFromPacked(PackedColour colour) {
  return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

QImageMap::QImageMap(const QImage& image) : image_(DisplayForm(image)) {
  if (image_.format() != QImage::Format_Indexed8) return;
  for (const QRgb rgb : image_.colorTable())
    colour_table_.push_back(PackedFromQRgb(rgb));
  if (colour_table_.empty()) image_ = image_.convertToFormat(QImage::Format_RGB32);
}

PackedColour QImageMap::TableColour(std::uint8_t index) const {
  return index < colour_table_.size() ? colour_table_[index] : 0;
}

void QImageMap::ReadRow(int y, std::span<PackedColour> out) const {
  assert(y >= 0 && y < Height() && out.size() <= static_cast<std::size_t>(Width()));
  if (!colour_table_.empty()) {
    const std::uint8_t* row = IndexRow(y);
    for (std::size_t x = 0; x < out.size(); ++x)
      out[x] = TableColour(row[x]);
    return;
  }
  const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
  for (std::size_t x = 0; x < out.size(); ++x)
    out[x] = PackedFromQRgb(row[x]);
}

const std::uint8_t* QImageMap::IndexRow(int y) const {
  assert(y >= 0 && y < Height());
  return colour_table_.empty() ? nullptr : image_.constScanLine(y);
}

PackedColour QImageMap::PixelColour(int x, int y) const {
  assert(x >= 0 && x < Width() && y >= 0 && y < Height());
  if (!colour_table_.empty()) return TableColour(IndexRow(y)[x]);
  return PackedFromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

std::unique_ptr<QImageMap> DecodeMapImage(BinaryReader& map_file, const MapHeader& header) {
  if (IsPackedMap(header)) {
    return std::make_unique<QImageMap>(PictureOf(*ReadPackedMap(map_file, header)));
  }
  RewindForPixels(map_file, header);
  QFile file;
  if (!file.open(map_file.Descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
    throw RuntimeFailure("Bitmap image is not valid");
  }
  QImageReader reader(&file, "bmp");
  // Any picture that memory holds; Qt's decoder itself takes no BMP of more than
  // 16384 x 16384 pixels.
  reader.setAllocationLimit(0);
  const QImage image = reader.read();
  if (image.isNull()) throw RuntimeFailure("Bitmap image is not valid");
  return std::make_unique<QImageMap>(image);
}

std::unique_ptr<MapImage> ReadMapImage(BinaryReader& map_file, const MapHeader& header) {
  if (IsPackedMap(header)) return ReadPackedMap(map_file, header);
  return DecodeMapImage(map_file, header);
}

}  // namespace orvandel
