#include "fileio/parallel_parts.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace orvandel {

PartRange PartOf(std::size_t count, unsigned parts, unsigned part) {
  const std::size_t size = count / parts;
  const std::size_t longer = count % parts;  // the first parts take one item more
  const std::size_t begin = part * size + std::min<std::size_t>(part, longer);
  return {begin, begin + size + (part < longer ? 1 : 0)};
}

unsigned PartsFor(std::size_t items, ThreadCount threads) {
  return static_cast<unsigned>(
      std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(items, 1)));
}

void RunParts(unsigned parts, const std::function<void(unsigned part)>& work) {
  if (parts <= 1) {
    work(0);
    return;
  }
  std::vector<std::exception_ptr> errors(parts);
  const auto run = [&](unsigned part) {
    try {
      work(part);
    } catch (...) {
      errors[part] = std::current_exception();
    }
  };
  std::vector<std::jthread> threads;
  threads.reserve(parts - 1);
  std::vector<unsigned> left_over;
  left_over.reserve(parts - 1);
  for (unsigned part = 1; part < parts; ++part) {
    try {
      threads.emplace_back(run, part);
    } catch (const std::system_error&) {
      left_over.push_back(part);  // no thread to spare: done here instead
    }
  }
  run(0);
  for (const unsigned part : left_over)
    run(part);
  threads.clear();  // joins them
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace orvandel
