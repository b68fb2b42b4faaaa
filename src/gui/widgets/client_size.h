#pragma once

#include <QMdiSubWindow>

namespace orvandel::gui {

// Gives a child window's client area exactly this size and keeps the window from being
// resized: the window's outer size is the client plus its frame and title bar, which are
// known once the window stands in its work area.
void FixClientSize(QMdiSubWindow* window, QSize client);

}  // namespace orvandel::gui
