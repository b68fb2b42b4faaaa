#pragma once

#include <QImage>
#include <string>

#include "orvandel/viewer/raster_canvas.h"

namespace orvandel {

// The render window's picture: a QImage in Format_RGB32 that the core's RasterCanvas
// paints into directly, black until something is drawn.
class PictureImage {
 public:
  // Width and height at least 1. Throws std::bad_alloc when the image cannot be allocated.
  PictureImage(int width, int height);
  PictureImage(const PictureImage&) = delete;
  PictureImage& operator=(const PictureImage&) = delete;

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  Canvas& GetCanvas() { return canvas_; }
  const QImage& Image() const { return image_; }
  // Takes the pixels of a picture of the same size.
  void CopyFrom(const PictureImage& other);

  // The picture as the bytes of an uncompressed 24-bit BMP file. Throws IoError.
  std::string BmpBytes() const;
  // Writes the picture as an uncompressed 24-bit BMP file. The file appears only when it
  // is whole: on failure an existing file is left as it was. Throws IoError.
  void SaveBmp(const std::string& file_name) const;

 private:
  QImage image_;
  RasterCanvas canvas_;
};

}  // namespace orvandel
