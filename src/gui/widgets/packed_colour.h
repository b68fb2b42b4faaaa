#pragma once

#include <QColor>

#include "orvandel/geometry/colour.h"

namespace orvandel::gui {

// A packed colour as Qt shows it.
inline QColor QColorOf(PackedColour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

}  // namespace orvandel::gui
