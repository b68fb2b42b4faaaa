#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "fileio/parallel_parts.h"

namespace orvandel {
namespace {

TEST(PartOfTest, PartsCoverEveryItemOnceInOrderAndDifferByAtMostOne) {
  for (const std::size_t count : {0u, 1u, 5u, 7u, 64u, 1000003u}) {
    for (const unsigned parts : {1u, 2u, 3u, 8u, 64u}) {
      std::size_t next = 0, shortest = count, longest = 0;
      for (unsigned part = 0; part < parts; ++part) {
        const PartRange range = PartOf(count, parts, part);
        EXPECT_EQ(range.begin, next) << count << " in " << parts;
        shortest = std::min(shortest, range.end - range.begin);
        longest = std::max(longest, range.end - range.begin);
        next = range.end;
      }
      EXPECT_EQ(next, count) << count << " in " << parts;
      EXPECT_LE(longest - shortest, 1u) << count << " in " << parts;
    }
  }
}

TEST(RunPartsTest, EveryPartRunsOnceAtTheSameTimeAndPartZeroOnTheCaller) {
  for (const unsigned parts : {1u, 2u, 5u}) {
    std::mutex mutex;
    std::vector<int> runs(parts);
    std::set<std::thread::id> threads;
    std::atomic<unsigned> started{0};
    RunParts(parts, [&](unsigned part) {
      // Every part waits for all the others to start: they cannot run one after another.
      ++started;
      while (started.load() < parts)
        std::this_thread::yield();
      const std::lock_guard<std::mutex> lock(mutex);
      ++runs[part];
      threads.insert(std::this_thread::get_id());
    });
    EXPECT_EQ(runs, std::vector<int>(parts, 1));
    EXPECT_EQ(threads.size(), parts);
  }
  std::thread::id part_zero;
  RunParts(3, [&](unsigned part) {
    if (part == 0) part_zero = std::this_thread::get_id();
  });
  EXPECT_EQ(part_zero, std::this_thread::get_id());
}

TEST(RunPartsTest, LowestFailingPartsExceptionComesBackAfterAllPartsEnded) {
  std::atomic<int> finished{0};
  try {
    RunParts(4, [&](unsigned part) {
      if (part == 1 || part == 3) throw std::runtime_error("part " + std::to_string(part));
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ++finished;
    });
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "part 1");
  }
  EXPECT_EQ(finished.load(), 2);
  EXPECT_THROW(RunParts(1, [](unsigned) { throw std::logic_error("alone"); }), std::logic_error);
}

TEST(ThreadCountTest, DefaultIsTheMachinesCoresWithinTheLimits) {
  const unsigned cores = std::thread::hardware_concurrency();
  EXPECT_EQ(DefaultThreadCount(), std::clamp(cores, 1u, kMaxThreadCount));
}

}  // namespace
}  // namespace orvandel
