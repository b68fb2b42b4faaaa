#include "shell/user_dialogs.h"

#include <new>

namespace orvandel::gui {

bool UserDialogs::RunCommand(const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const Refusal& refusal) {
    ShowError(QString::fromStdString(MessageText(refusal)));
  } catch (const Failure& failure) {
    ShowGeneralError(QString::fromStdString(MessageText(failure)));
  } catch (const std::bad_alloc&) {
    ShowGeneralError("Out of memory.");
  }
  return false;
}

}  // namespace orvandel::gui
