#include "qimage_map.h"

#include <QFileInfo>
#include <QImageReader>
#include <cassert>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

// Maps of up to a gigabyte of decoded pixels; Qt's default limit stops far below that.
constexpr int kDecodeLimitMegabytes = 1024;

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

std::unique_ptr<QImageMap> DecodeMapImage(const std::string& file_name, const MapHeader& header) {
  const QString name = QString::fromStdString(file_name);
  if (static_cast<std::uint64_t>(QFileInfo(name).size()) < MapPixelDataEnd(header)) {
    throw RuntimeFailure("Bitmap image is not valid");
  }
  QImageReader reader(name, "bmp");
  reader.setAllocationLimit(kDecodeLimitMegabytes);
  const QImage image = reader.read();
  if (image.isNull()) throw RuntimeFailure("Bitmap image is not valid");
  return std::make_unique<QImageMap>(image);
}

}  // namespace orvandel
