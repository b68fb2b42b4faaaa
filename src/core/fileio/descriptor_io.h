#pragma once

#include <cstddef>

namespace orvandel {

// Writes all count bytes to the open file fd, again and again as far as each write goes.
// A write that takes nothing counts as a full disk. Throws IoError.
void WriteAll(int fd, const char* data, std::size_t count);

// Closes fd; throws IoError when the close reports that written bytes were lost.
void CloseChecked(int fd);

}  // namespace orvandel
