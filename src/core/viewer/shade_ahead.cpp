#include "viewer/shade_ahead.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace orvandel {
namespace {

constexpr std::size_t kBlockFaces = 4096;
constexpr std::size_t kSlotsPerThread = 4;

// The blocks of faces, the slots that hold the colours of the blocks shaded but not yet
// drawn, and how far shading and drawing have come. Block b lives in slot b % slots_; it
// may be shaded once every block before b - slots_ + 1 is drawn.
class BlockRing {
 public:
  BlockRing(std::size_t count, ThreadCount threads)
      : count_(count),
        blocks_((count + kBlockFaces - 1) / kBlockFaces),
        slots_(kSlotsPerThread * threads),
        colours_(slots_ * kBlockFaces),
        ready_(std::make_unique<std::atomic<std::size_t>[]>(slots_)) {}

  // A helping thread: shades blocks in turn until none is left.
  void ShadeAll(const ShadeBlock& shade) {
    for (;;) {
      const std::size_t block = next_.fetch_add(1);
      if (block >= blocks_ || !WaitForSlot(block)) return;
      Shade(block, shade);
    }
  }

  // The calling thread: draws every block in order, shading the next blocks itself while
  // the one it needs is still being shaded elsewhere or not taken yet.
  void DrawAll(const ShadeBlock& shade, const DrawBlock& draw) {
    const StopAtEnd stop(*this);
    for (std::size_t block = 0; block < blocks_; ++block) {
      while (!IsReady(block)) {
        if (!ShadeAnother(block, shade)) WaitUntilReady(block);
      }
      draw(Range(block), Colours(block));
      drawn_.store(block + 1);
      drawn_.notify_all();
    }
  }

 private:
  // Ends the helpers' waiting and taking, however drawing ends.
  struct StopAtEnd {
    explicit StopAtEnd(BlockRing& ring) : ring_(ring) {}
    ~StopAtEnd() {
      ring_.next_.store(ring_.blocks_);
      ring_.stopped_.store(true);
      ring_.drawn_.store(ring_.blocks_);
      ring_.drawn_.notify_all();
    }
    BlockRing& ring_;
  };

  PartRange Range(std::size_t block) const {
    return {block * kBlockFaces, std::min(count_, (block + 1) * kBlockFaces)};
  }
  PackedColour* Colours(std::size_t block) { return &colours_[block % slots_ * kBlockFaces]; }
  std::atomic<std::size_t>& Ready(std::size_t block) { return ready_[block % slots_]; }
  // Slot markers hold the number of the block they were last filled with, plus one.
  bool IsReady(std::size_t block) { return Ready(block).load() == block + 1; }

  void Shade(std::size_t block, const ShadeBlock& shade) {
    shade(Range(block), Colours(block));
    Ready(block).store(block + 1);
    Ready(block).notify_all();
  }

  // Waits until block's slot is free; false when drawing has stopped.
  bool WaitForSlot(std::size_t block) {
    for (std::size_t drawn = drawn_.load(); block >= drawn + slots_; drawn = drawn_.load())
      drawn_.wait(drawn);
    return !stopped_.load();
  }

  // Takes and shades the next block not yet taken, if its slot is free while block is
  // the next to draw; false when there is none such.
  bool ShadeAnother(std::size_t block, const ShadeBlock& shade) {
    std::size_t next = next_.load();
    while (next < blocks_ && next < block + slots_) {
      if (next_.compare_exchange_weak(next, next + 1)) {
        Shade(next, shade);
        return true;
      }
    }
    return false;
  }

  void WaitUntilReady(std::size_t block) {
    for (std::size_t marker = Ready(block).load(); marker != block + 1;
         marker = Ready(block).load())
      Ready(block).wait(marker);
  }

  const std::size_t count_;
  const std::size_t blocks_;
  const std::size_t slots_;
  std::vector<PackedColour> colours_;
  std::unique_ptr<std::atomic<std::size_t>[]> ready_;
  std::atomic<std::size_t> next_{0};   // the next block to take for shading
  std::atomic<std::size_t> drawn_{0};  // how many blocks are drawn
  std::atomic<bool> stopped_{false};
};

}  // namespace

void ShadeAhead(std::size_t count, ThreadCount threads, const ShadeBlock& shade,
                const DrawBlock& draw) {
  // A helper thread beyond the blocks of a small scene would have nothing to shade.
  const unsigned parts = PartsFor((count + kBlockFaces - 1) / kBlockFaces, threads);
  BlockRing ring(count, parts);
  RunParts(parts, [&](unsigned part) {
    if (part == 0) {
      ring.DrawAll(shade, draw);
    } else {
      ring.ShadeAll(shade);
    }
  });
}

}  // namespace orvandel
