#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "orvandel/fileio/interrupt_cleanup.h"

namespace orvandel {

// A file that is written first and named when whole. Where the file system allows, it has
// no name at all until then (O_TMPFILE), so that nothing is left behind however the program
// ends; elsewhere it is a hidden ".orvandel-XXXXXX" file in the folder, removed when the
// object goes away unnamed or the program is interrupted (see InstallInterruptCleanup()).
class TemporaryFile {
 public:
  // Opens the file in folder ("" for the working folder, else ending in "/") with the
  // permissions mode. Never throws: Error() tells the OS error when it could not be made.
  TemporaryFile(const std::string& folder, mode_t mode);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Error() const { return error_; }
  int Descriptor() const { return fd_; }

  // Closes the file, keeping its content; throws IoError.
  void Close();
  // A name for the whole file in its folder: the hidden one, or for an unnamed file a fresh
  // hidden link to it. The file must still be open when it has no name. Throws IoError.
  const std::string& Name();
  // Gives the file the name target (in the same folder), in place of any file there.
  // Throws IoError.
  void RenameOnto(const std::string& target);
  // Writes the file's content into the existing file target, in place of what it holds,
  // so that every link to target sees it. The file must still be open. Throws IoError.
  void CopyInto(const std::string& target) const;

  // How unnamed files are opened: open(2) with O_TMPFILE in the flags. Tests put another
  // function in its place to take the named route.
  using UnnamedOpener = int (*)(const char* folder, int flags, mode_t mode);
  static UnnamedOpener open_unnamed;

 private:
  void OpenNamed(const std::string& folder);
  void LinkUnnamed();

  std::string folder_;
  std::string name_;  // empty while the file has none
  int fd_ = -1;
  int error_ = 0;
  bool renamed_ = false;
  std::optional<RemovedOnInterrupt> removed_on_interrupt_;
};

}  // namespace orvandel
