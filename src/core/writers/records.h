#pragma once

#include <algorithm>
#include <cstddef>

#include "orvandel/fileio/byte_sink.h"

namespace orvandel {

// Writes count records of kBytes bytes each to out, in order: put(i, at) fills record i,
// from at on. Room for many records is claimed at once.
template <std::size_t kBytes, typename Put>
void WriteRecords(std::size_t count, ByteSink& out, Put&& put) {
  constexpr std::size_t kPerClaim = ByteSink::kMaxClaim / kBytes;
  static_assert(kPerClaim >= 1);
  for (std::size_t i = 0; i < count;) {
    const std::size_t end = std::min(count, i + kPerClaim);
    char* at = out.Claim((end - i) * kBytes);
    for (; i < end; ++i, at += kBytes)
      put(i, at);
    out.Advance(at);
  }
}

}  // namespace orvandel
