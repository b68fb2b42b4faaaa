#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "fileio/ordered_bands.h"

namespace orvandel {
namespace {

// "n," for every item n of range.
void WriteNumbers(PartRange range, ByteSink& out) {
  for (std::size_t n = range.begin; n < range.end; ++n)
    out.Append(std::to_string(n) + ",");
}

std::string Numbers(std::size_t count) {
  MemorySink sink;
  WriteNumbers({0, count}, sink);
  return sink.Bytes();
}

class FailingSink : public ByteSink {
 public:
  explicit FailingSink(std::size_t room) : ByteSink(ByteSink::kMaxClaim), room_(room) {}

 protected:
  void Drain(const char*, std::size_t count) override {
    if (count > room_) throw std::runtime_error("disk full");
    room_ -= count;
  }

 private:
  std::size_t room_;
};

TEST(WriteBandsInOrderTest, BandsGoOutInOrderOnAnyThreadsWhateverTheirSize) {
  for (const std::size_t count : {0u, 1u, 7u, 1000u, 100003u}) {
    for (const std::size_t item_bytes : {std::size_t{1}, std::size_t{100}, kBandBytes}) {
      for (const ThreadCount threads : {1u, 2u, 3u, 8u}) {
        MemorySink sink;
        WriteBandsInOrder(count, item_bytes, threads, WriteNumbers, sink);
        EXPECT_EQ(sink.Bytes(), Numbers(count)) << count << " " << item_bytes << " " << threads;
      }
    }
  }
}

TEST(WriteBandsInOrderTest, OneThreadFormatsEverythingStraightIntoTheSink) {
  MemorySink sink;
  std::vector<PartRange> calls;
  WriteBandsInOrder(
      5000, kBandBytes, 1,
      [&](PartRange range, ByteSink& out) {
        calls.push_back(range);
        EXPECT_EQ(&out, &sink);
      },
      sink);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].begin, 0u);
  EXPECT_EQ(calls[0].end, 5000u);
}

TEST(WriteBandsInOrderTest, BandsLargerThanTheirBufferStayWhole) {
  // Each band is one item of more bytes than a band's buffer holds.
  const auto write = [](PartRange range, ByteSink& out) {
    for (std::size_t n = range.begin; n < range.end; ++n)
      out.Append(std::string(5 * kBandBytes / 2, static_cast<char>('a' + n)));
  };
  MemorySink one, two;
  WriteBandsInOrder(4, kBandBytes, 1, write, one);
  WriteBandsInOrder(4, kBandBytes, 2, write, two);
  EXPECT_EQ(two.Bytes().size(), 10 * kBandBytes);
  EXPECT_TRUE(one.Bytes() == two.Bytes());
}

TEST(WriteBandsInOrderTest, FailuresComeBackAndStopTheBands) {
  for (const ThreadCount threads : {1u, 2u, 3u, 8u}) {
    std::atomic<int> calls{0};
    MemorySink sink;
    EXPECT_THROW(WriteBandsInOrder(
                     1000, kBandBytes, threads,
                     [&](PartRange range, ByteSink& out) {
                       ++calls;
                       if (range.begin <= 100 && 100 < range.end) throw std::logic_error("bad");
                       WriteNumbers(range, out);
                     },
                     sink),
                 std::logic_error)
        << threads;
    // Bands of one item: band 100 fails, and the bands after it that were begun by then are
    // at most the two per thread held at a time; one thread formats all in one call.
    EXPECT_LE(calls.load(), threads == 1 ? 1 : static_cast<int>(101 + 2 * threads)) << threads;

    FailingSink full(3000);
    EXPECT_THROW(WriteBandsInOrder(100000, 1, threads, WriteNumbers, full), std::runtime_error)
        << threads;
  }
}

}  // namespace
}  // namespace orvandel
