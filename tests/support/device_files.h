#pragma once

#include <string>

#include "temp_dir.h"

namespace orvandel::test {

// A character device that behaves as the system's device of that path ("/dev/null",
// "/dev/full"): for root, a private node of the same device in dir, so that a program that
// wrongly replaces its output replaces only that node; for anyone else, the system's own
// device, which they cannot replace.
std::string DeviceLike(const TempDir& dir, const std::string& system_device);

// Whether path is a character device.
bool IsCharacterDevice(const std::string& path);

// Whether files without a name (O_TMPFILE) can be made in folder.
bool UnnamedFilesWorkIn(const std::string& folder);

}  // namespace orvandel::test
