#pragma once

#include <cstdint>

namespace orvandel {

// Which of a mesh file's axes points up: the writers write it, the viewer reads it.
enum class UpAxis : std::uint8_t { kY, kZ };

}  // namespace orvandel
