#pragma once

#include <QIcon>
#include <QImage>

namespace orvandel::gui {

// A small globe: the program's icon and the picture of the generate button.
QIcon GlobePicture();

// The globe drawn on a transparent square of side pixels; needs no application object.
QImage GlobeImage(int side);

}  // namespace orvandel::gui
