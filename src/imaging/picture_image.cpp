#include "picture_image.h"

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <cassert>
#include <new>

#include "orvandel/fileio/io_error.h"
#include "orvandel/fileio/output_file.h"

namespace orvandel {
namespace {

QImage BlackPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) throw std::bad_alloc();
  image.fill(Qt::black);
  return image;
}

}  // namespace

PictureImage::PictureImage(int width, int height)
    : image_(BlackPicture(width, height)),
      canvas_(reinterpret_cast<std::uint32_t*>(image_.bits()), width, height,
              image_.bytesPerLine() / 4) {}

void PictureImage::CopyFrom(const PictureImage& other) {
  assert(other.image_.size() == image_.size());
  // Into the pixels the canvas paints on, which must stay where they are.
  std::copy_n(other.image_.constBits(), image_.sizeInBytes(), image_.bits());
}

std::string PictureImage::BmpBytes() const {
  // Qt writes 32-bit pictures as 24-bit BMP files.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  if (!writer.write(image_)) throw IoError("I/O error " + writer.errorString().toStdString());
  return bytes.toStdString();
}

void PictureImage::SaveBmp(const std::string& file_name) const {
  const std::string bytes = BmpBytes();
  OutputFile file(file_name);
  file.Append(bytes.data(), bytes.size());
  file.Commit();
}

}  // namespace orvandel
