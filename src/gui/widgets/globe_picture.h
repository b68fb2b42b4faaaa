#pragma once

#include <QIcon>

namespace orvandel::gui {

// A small globe: the program's icon and the picture of the generate button.
QIcon GlobePicture();

}  // namespace orvandel::gui
