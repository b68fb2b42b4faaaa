#pragma once

#include <cstddef>
#include <functional>

#include "fileio/parallel_parts.h"
#include "orvandel/fileio/thread_count.h"
#include "orvandel/geometry/colour.h"

namespace orvandel {

// Colours the faces of one block: colours[k] for face range.begin + k.
using ShadeBlock = std::function<void(PartRange range, PackedColour* colours)>;
// Draws the faces of one block with the colours that ShadeBlock gave them.
using DrawBlock = std::function<void(PartRange range, const PackedColour* colours)>;

// Shades count faces in blocks on threads threads and draws them on the calling thread,
// block after block in face order, as soon as each block's colours are ready. The calling
// thread shades too whenever the block it is to draw next is not ready. Only a few blocks
// of colours exist at a time, whatever the count. shade must not throw; when draw throws,
// the other threads stop shading and the exception is passed on.
void ShadeAhead(std::size_t count, ThreadCount threads, const ShadeBlock& shade,
                const DrawBlock& draw);

}  // namespace orvandel
