#pragma once

#include <cstddef>
#include <vector>

namespace orvandel {

// Tells the system that the whole pages of the bytes from start may be backed by huge
// pages before they are first written. A scene of millions of faces then costs a few
// hundred page faults instead of tens of thousands, which is most of its load time, and
// fewer misses of the address cache while it is drawn; so does a file made in memory. A hint only:
// where huge pages are not available nothing changes. Never fails.
void AdviseHugePages(const void* start, std::size_t bytes);

// count default items in memory advised as above before it is first written.
template <typename Item>
std::vector<Item> HugePagedVector(std::size_t count) {
  std::vector<Item> items;
  items.reserve(count);
  AdviseHugePages(items.data(), count * sizeof(Item));
  items.resize(count);
  return items;
}

}  // namespace orvandel
