#pragma once

#include <QByteArray>
#include <QColor>

#include "bmp_builder.h"

namespace orvandel::gui {

// Palette entry k is PackRGB(10 k, 255 - 10 k, 5 k).
inline QColor PaletteColour(int k) {
  return QColor(10 * k, 255 - 10 * k, 5 * k);
}

// A map of 4 x 4 blocks: the block in block row j and block column i has colour
// 4 (j % 4) + i % 4. With fewer colours, the indexes wrap around.
inline QByteArray BlockMap(int colours = 16, int width = 16, int height = 16) {
  tools::BmpDescription bmp;
  bmp.width = width;
  bmp.height = height;
  for (int k = 0; k < colours; ++k) {
    const QColor c = PaletteColour(k);
    bmp.palette.push_back(PackRGB(c.red(), c.green(), c.blue()));
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bmp.pixels.push_back(static_cast<std::uint32_t>((4 * (y / 4 % 4) + x / 4 % 4) % colours));
    }
  }
  const std::string bytes = tools::EncodeBmp(bmp);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The palette index of map pixel (x, y) of a BlockMap of 16 colours.
inline int BlockColour(int x, int y) {
  return 4 * (y / 4 % 4) + x / 4 % 4;
}

}  // namespace orvandel::gui
