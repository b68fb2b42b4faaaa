#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orvandel {

// What the commands ask of a front end: a busy cursor while they work, and the answer of
// a file dialog. The desktop program shows both; the command line answers from its
// arguments and shows no cursor.

// The application-wide busy cursor.
class BusyIndicator {
 public:
  virtual ~BusyIndicator() = default;
  virtual void ShowBusy() = 0;
  virtual void ShowNormal() = 0;
};

// For front ends without a cursor.
class NoBusyIndicator : public BusyIndicator {
 public:
  void ShowBusy() override {}
  void ShowNormal() override {}
};

// Shows the busy cursor for its lifetime, so that every way out restores the normal one.
class BusyScope {
 public:
  explicit BusyScope(BusyIndicator& indicator) : indicator_(indicator) { indicator_.ShowBusy(); }
  ~BusyScope() { indicator_.ShowNormal(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyIndicator& indicator_;
};

// How a file dialog is set up before it is shown.
struct FileDialogSettings {
  std::string title;
  std::string filter;
  std::string default_extension;
};

// Shows a file dialog; returns the chosen name, or nothing when the user cancels.
using ChooseFile = std::function<std::optional<std::string>(const FileDialogSettings&)>;

}  // namespace orvandel
