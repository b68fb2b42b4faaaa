#pragma once

namespace orvandel {

// The application-wide busy cursor, shown while a writer runs.
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

}  // namespace orvandel
