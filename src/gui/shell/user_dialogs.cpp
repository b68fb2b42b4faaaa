#include "shell/user_dialogs.h"

namespace orvandel::gui {

void UserDialogs::Report(const Failure& failure) {
  const QString text = QString::fromStdString(MessageText(failure));
  if (dynamic_cast<const Refusal*>(&failure) != nullptr) {
    ShowError(text);
  } else {
    ShowGeneralError(text);
  }
}

}  // namespace orvandel::gui
