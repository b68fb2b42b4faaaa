#include "fileio/ordered_bands.h"

#include <algorithm>
#include <cassert>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace orvandel {
namespace {

// A band's bytes in memory: in the buffer, which holds a whole band as a rule, and in
// spill_ for what did not fit.
class BandSink : public ByteSink {
 public:
  BandSink() : ByteSink(2 * kBandBytes) {}

  // Appends everything held to out and forgets it.
  void PassTo(ByteSink& out) {
    out.Append(spill_);
    out.Append(Buffered());
    spill_.clear();
    Discard();
  }

 protected:
  void Drain(const char* data, std::size_t count) override { spill_.append(data, count); }

 private:
  std::string spill_;
};

// The bands of one write, shared by the threads. Each thread takes the next band, formats
// it into a slot of its own, and whichever thread finds the next band in order done
// passes it, and any done after it, to out. Only one thread passes bands at a time, so
// out is never used by two at once.
class BandWriter {
 public:
  BandWriter(std::size_t count, std::size_t band_items, ThreadCount threads,
             const FormatItems& format, ByteSink& out)
      : count_(count),
        band_items_(band_items),
        bands_((count + band_items - 1) / band_items),
        format_(format),
        out_(out),
        slots_(2 * std::size_t{threads}),
        done_(slots_.size()) {}

  // Formats bands until none is left; rethrows what format() or out throws.
  void Run() {
    for (;;) {
      const std::size_t band = TakeBand();
      if (band == bands_) return;
      Guarded([&] {
        const std::size_t begin = band * band_items_;
        format_({begin, std::min(begin + band_items_, count_)}, Slot(band));
      });
      PassDoneBands(band);
    }
  }

 private:
  BandSink& Slot(std::size_t band) {
    std::unique_ptr<BandSink>& slot = slots_[band % slots_.size()];
    if (!slot) slot = std::make_unique<BandSink>();  // each slot's memory only when used
    return *slot;
  }

  // The next band, once fewer than slots_.size() bands are held; bands_ when none is left
  // or a thread failed. It waits only for bands that other threads have taken.
  std::size_t TakeBand() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock,
                  [&] { return failed_ || next_ == bands_ || next_ < passed_ + slots_.size(); });
    if (failed_ || next_ == bands_) return bands_;
    return next_++;
  }

  // Marks band done; when no thread is passing bands, this one passes every band that is
  // done, in order. The check for more and the end of passing happen under one lock, so
  // that a band marked done in between is always passed.
  void PassDoneBands(std::size_t band) {
    std::unique_lock lock(mutex_);
    done_[band % done_.size()] = true;
    if (passing_) return;
    passing_ = true;
    while (!failed_ && passed_ < bands_ && done_[passed_ % done_.size()]) {
      const std::size_t next = passed_;
      lock.unlock();
      Guarded([&] { Slot(next).PassTo(out_); });
      lock.lock();
      done_[next % done_.size()] = false;
      ++passed_;
      changed_.notify_all();
    }
    passing_ = false;
  }

  // Runs work; when it throws, stops every thread before the exception goes on.
  template <typename Work>
  void Guarded(Work&& work) {
    try {
      work();
    } catch (...) {
      const std::lock_guard lock(mutex_);
      failed_ = true;
      passing_ = false;
      changed_.notify_all();
      throw;
    }
  }

  const std::size_t count_;
  const std::size_t band_items_;
  const std::size_t bands_;
  const FormatItems& format_;
  ByteSink& out_;
  std::vector<std::unique_ptr<BandSink>> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<bool> done_;  // per slot: its band is formatted and not yet passed
  std::size_t next_ = 0;    // the next band to take
  std::size_t passed_ = 0;  // the bands passed to out
  bool passing_ = false;
  bool failed_ = false;
};

}  // namespace

// Bands of kBandBytes, but smaller where that gives each thread fewer than
// kBandsPerThread of them, so that smaller files are shared among the threads too.
void WriteBandsInOrder(std::size_t count, std::size_t item_bytes, ThreadCount threads,
                       const FormatItems& format, ByteSink& out) {
  constexpr std::size_t kBandsPerThread = 4;
  const std::size_t most = std::max<std::size_t>(
      1, (count + kBandsPerThread * threads - 1) / (kBandsPerThread * threads));
  const std::size_t band_items =
      std::clamp<std::size_t>(kBandBytes / std::max<std::size_t>(item_bytes, 1), 1, most);
  const std::size_t bands = (count + band_items - 1) / band_items;
  if (threads <= 1 || bands <= 1) {
    format({0, count}, out);
    return;
  }
  const unsigned parts = PartsFor(bands, threads);
  BandWriter writer(count, band_items, parts, format, out);
  RunParts(parts, [&](unsigned) { writer.Run(); });
}

}  // namespace orvandel
