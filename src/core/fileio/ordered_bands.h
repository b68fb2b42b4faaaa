#pragma once

#include <cstddef>
#include <functional>

#include "fileio/parallel_parts.h"
#include "orvandel/fileio/byte_sink.h"
#include "orvandel/fileio/thread_count.h"

namespace orvandel {

// Writes items [range.begin, range.end) into out, in order.
using FormatItems = std::function<void(PartRange range, ByteSink& out)>;

// Writes the items [0, count) to out in order, format() writing each run of them. With one
// thread it runs once, for all the items, straight into out. With more, the items are cut
// into bands of about kBandBytes of output (item_bytes being about the output of one
// item), which threads threads format at the same time, each into memory of its own; the
// bands go to out in order as they are done, so that out's draining overlaps the
// formatting, and at most two bands per thread are held at a time. The bytes are the
// same with any count of threads as long as format() writes the same bytes for each item
// however the items are cut. Rethrows what format() or out throws (when several throw,
// one of them); the bands before are then in out, and no more are formatted.
void WriteBandsInOrder(std::size_t count, std::size_t item_bytes, ThreadCount threads,
                       const FormatItems& format, ByteSink& out);

// The output of one band, in bytes: large enough that a band goes to out without being
// copied (see ByteSink::Append), small enough that the bands held stay in the processor's
// last cache.
inline constexpr std::size_t kBandBytes = std::size_t{1} << 21;

}  // namespace orvandel
