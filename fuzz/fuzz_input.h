#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace orvandel {

// Takes a fuzz input apart from its front: single bytes for choices, lines of text, parts
// of given lengths and the rest. What the input lacks reads as zero bytes and empty texts,
// so that every input means something.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
  }

  // Two bytes, low byte first.
  unsigned Word() {
    const unsigned low = Byte();
    return low | unsigned{Byte()} << 8;
  }

  float Float() {
    float value = 0;
    const std::string_view raw = Part(sizeof value);
    std::memcpy(&value, raw.data(), raw.size());
    return value;
  }

  // The text up to the next line feed, which is passed over.
  std::string Line() {
    const std::size_t end = bytes_.find('\n');
    const std::string line(bytes_.substr(0, end));
    bytes_.remove_prefix(end == std::string_view::npos ? bytes_.size() : end + 1);
    return line;
  }

  // The next count bytes, or as many as are left.
  std::string_view Part(std::size_t count) {
    const std::string_view part = bytes_.substr(0, count);
    bytes_.remove_prefix(part.size());
    return part;
  }

  std::string_view Rest() { return Part(bytes_.size()); }

  // The rest as texts ended by zero bytes, as a program's arguments arrive.
  std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    while (!bytes_.empty()) {
      const std::size_t end = bytes_.find('\0');
      arguments.emplace_back(bytes_.substr(0, end));
      bytes_.remove_prefix(end == std::string_view::npos ? bytes_.size() : end + 1);
    }
    return arguments;
  }

 private:
  std::string_view bytes_;
};

}  // namespace orvandel
