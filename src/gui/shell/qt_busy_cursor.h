#pragma once

#include <QApplication>

#include "orvandel/commands/user_interface.h"

namespace orvandel::gui {

// The application-wide hourglass.
class QtBusyCursor : public BusyIndicator {
 public:
  void ShowBusy() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
  void ShowNormal() override { QApplication::restoreOverrideCursor(); }
};

}  // namespace orvandel::gui
