#include "orvandel/viewer/ply_face_colours.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "orvandel/fileio/binary_reader.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/io_error.h"

namespace orvandel {
namespace {

// Ends the reading of a file that does not hold what PLY's rules say.
struct NotReadable {};

enum class Encoding { kAscii, kLittleEndian, kBigEndian };

enum class Scalar { kInt8, kUInt8, kInt16, kUInt16, kInt32, kUInt32, kFloat32, kFloat64 };

struct ScalarName {
  std::string_view name;
  Scalar type;
  std::size_t bytes;
};

constexpr std::array<ScalarName, 16> kScalarNames = {{
    {"char", Scalar::kInt8, 1},
    {"int8", Scalar::kInt8, 1},
    {"uchar", Scalar::kUInt8, 1},
    {"uint8", Scalar::kUInt8, 1},
    {"short", Scalar::kInt16, 2},
    {"int16", Scalar::kInt16, 2},
    {"ushort", Scalar::kUInt16, 2},
    {"uint16", Scalar::kUInt16, 2},
    {"int", Scalar::kInt32, 4},
    {"int32", Scalar::kInt32, 4},
    {"uint", Scalar::kUInt32, 4},
    {"uint32", Scalar::kUInt32, 4},
    {"float", Scalar::kFloat32, 4},
    {"float32", Scalar::kFloat32, 4},
    {"double", Scalar::kFloat64, 8},
    {"float64", Scalar::kFloat64, 8},
}};

const ScalarName& ScalarNamed(std::string_view name) {
  const auto found = std::ranges::find(kScalarNames, name, &ScalarName::name);
  if (found == kScalarNames.end()) throw NotReadable();
  return *found;
}

bool IsFloating(Scalar type) {
  return type == Scalar::kFloat32 || type == Scalar::kFloat64;
}

struct Property {
  std::string name;
  ScalarName type;
  std::optional<ScalarName> count_type;  // a list's, whose count comes first
};

struct Element {
  std::string name;
  std::uint64_t count = 0;
  std::vector<Property> properties;
};

struct Header {
  Encoding encoding = Encoding::kAscii;
  std::vector<Element> elements;
};

// A header longer than this is no PLY header.
constexpr std::size_t kMaxHeaderBytes = std::size_t{1} << 16;

// A stopped load ends after at most this many records more.
constexpr std::uint64_t kRecordsBetweenChecks = std::uint64_t{1} << 14;

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (!line.empty()) {
    const std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) break;
    line.remove_prefix(start);
    const std::size_t end = std::min(line.find_first_of(" \t\r"), line.size());
    words.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  return words;
}

std::uint64_t CountFrom(std::string_view text) {
  std::uint64_t count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size()) throw NotReadable();
  return count;
}

class HeaderReader {
 public:
  explicit HeaderReader(BinaryReader& reader) : reader_(reader) {}

  Header Read() {
    if (Words(Line()) != std::vector<std::string_view>{"ply"}) throw NotReadable();
    Header header;
    bool has_format = false;
    for (std::string line = Line();; line = Line()) {
      const std::vector<std::string_view> words = Words(line);
      if (words.empty()) continue;
      if (words[0] == "end_header") break;
      if (words[0] == "format" && words.size() == 3) {
        header.encoding = EncodingNamed(words[1]);
        has_format = true;
      } else if (words[0] == "element" && words.size() == 3) {
        header.elements.push_back({std::string(words[1]), CountFrom(words[2]), {}});
      } else if (words[0] == "property") {
        if (header.elements.empty()) throw NotReadable();
        header.elements.back().properties.push_back(PropertyOf(words));
      }  // comments and object information are passed over
    }
    if (!has_format) throw NotReadable();
    return header;
  }

 private:
  std::string Line() {
    std::string line;
    for (char c = 0; c != '\n';) {
      if (used_++ == kMaxHeaderBytes) throw NotReadable();
      reader_.Read(&c, 1);
      line += c;
    }
    return line.substr(0, line.size() - 1);
  }

  static Encoding EncodingNamed(std::string_view name) {
    if (name == "ascii") return Encoding::kAscii;
    if (name == "binary_little_endian") return Encoding::kLittleEndian;
    if (name == "binary_big_endian") return Encoding::kBigEndian;
    throw NotReadable();
  }

  static Property PropertyOf(const std::vector<std::string_view>& words) {
    if (words.size() == 3) return {std::string(words[2]), ScalarNamed(words[1]), std::nullopt};
    if (words.size() == 5 && words[1] == "list") {
      return {std::string(words[4]), ScalarNamed(words[3]), ScalarNamed(words[2])};
    }
    throw NotReadable();
  }

  BinaryReader& reader_;
  std::size_t used_ = 0;
};

// The values of the file's body, one at a time, in the header's encoding.
class ValueReader {
 public:
  ValueReader(BinaryReader& reader, Encoding encoding) : reader_(reader), encoding_(encoding) {}

  double Next(const ScalarName& type) {
    return encoding_ == Encoding::kAscii ? NextWord() : NextBinary(type);
  }

  // A list's count: a whole number of at least 0.
  std::uint64_t NextCount(const ScalarName& type) {
    const double count = Next(type);
    if (!(count >= 0 && count < 0x1p63) || count != std::floor(count)) throw NotReadable();
    return static_cast<std::uint64_t>(count);
  }

  // Passes over the element's records, each as its properties say. Records without
  // properties take no bytes, however many the header declares.
  void Skip(const Element& element, const RenderStop& stop) {
    const bool fixed = std::ranges::none_of(
        element.properties, [](const Property& p) { return p.count_type.has_value(); });
    if (element.properties.empty()) return;
    if (encoding_ != Encoding::kAscii && fixed) {
      SkipBytes(element);
      return;
    }
    for (std::uint64_t k = 0; k < element.count; ++k) {
      if (k % kRecordsBetweenChecks == 0) stop.ThrowIfStopped();
      for (const Property& property : element.properties)
        SkipProperty(property);
    }
  }

  void SkipProperty(const Property& property) {
    if (!property.count_type) {
      Next(property.type);
      return;
    }
    for (std::uint64_t items = NextCount(*property.count_type); items > 0; --items)
      Next(property.type);
  }

 private:
  double NextBinary(const ScalarName& type) {
    unsigned char bytes[8];
    reader_.Read(bytes, type.bytes);
    if (encoding_ == Encoding::kBigEndian) std::reverse(bytes, bytes + type.bytes);
    switch (type.type) {
      case Scalar::kInt8:
        return As<std::int8_t>(bytes);
      case Scalar::kUInt8:
        return As<std::uint8_t>(bytes);
      case Scalar::kInt16:
        return As<std::int16_t>(bytes);
      case Scalar::kUInt16:
        return As<std::uint16_t>(bytes);
      case Scalar::kInt32:
        return As<std::int32_t>(bytes);
      case Scalar::kUInt32:
        return As<std::uint32_t>(bytes);
      case Scalar::kFloat32:
        return As<float>(bytes);
      default:
        return As<double>(bytes);
    }
  }

  template <typename Value>
  static double As(const unsigned char* bytes) {
    Value value;
    std::memcpy(&value, bytes, sizeof value);
    return static_cast<double>(value);
  }

  double NextWord() {
    constexpr std::size_t kMaxWord = 64;
    char word[kMaxWord];
    std::size_t length = 0;
    for (char c = 0; reader_.ReadUpTo(&c, 1) == 1;) {
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        if (length > 0) break;
        continue;
      }
      if (length == kMaxWord) throw NotReadable();
      word[length++] = c;
    }
    if (length == 0) throw IoError::EndOfFile();
    double value = 0;
    const auto [end, error] = std::from_chars(word, word + length, value);
    if (error != std::errc() || end != word + length) throw NotReadable();
    return value;
  }

  void SkipBytes(const Element& element) {
    const std::uint64_t count = element.count;
    std::uint64_t record = 0;
    for (const Property& property : element.properties)
      record += property.type.bytes;
    if (count > std::numeric_limits<std::uint64_t>::max() / record) {
      throw NotReadable();
    }
    std::array<unsigned char, 1 << 16> scratch;
    for (std::uint64_t left = count * record; left > 0;) {
      const std::size_t got = reader_.ReadUpTo(
          scratch.data(), static_cast<std::size_t>(std::min<std::uint64_t>(left, scratch.size())));
      if (got == 0) throw IoError::EndOfFile();
      left -= got;
    }
  }

  BinaryReader& reader_;
  Encoding encoding_;
};

// A channel's byte: whole numbers as they stand, fractions of 1 in floating point.
int ChannelByte(double value, const ScalarName& type) {
  const double scaled = IsFloating(type.type) ? value * 255 : value;
  return scaled > 0 ? static_cast<int>(std::lround(std::min(scaled, 255.0))) : 0;
}

// Which channel of the colour each property of the face element holds: 0 red, 1 green,
// 2 blue, or -1 none. Empty unless all three are there.
std::vector<int> ChannelsOf(const Element& faces) {
  constexpr std::array<std::string_view, 3> kChannels = {"red", "green", "blue"};
  std::vector<int> channels;
  int found = 0;
  for (const Property& property : faces.properties) {
    const auto channel = std::ranges::find(kChannels, property.name);
    const bool is_channel = !property.count_type && channel != kChannels.end();
    channels.push_back(is_channel ? static_cast<int>(channel - kChannels.begin()) : -1);
    found += is_channel;
  }
  return found == 3 ? channels : std::vector<int>{};
}

// The face element's colours, record after record.
std::vector<PackedColour> ColoursOf(const Element& faces, const std::vector<int>& channels,
                                    ValueReader& values, const RenderStop& stop) {
  std::vector<PackedColour> colours;
  for (std::uint64_t k = 0; k < faces.count; ++k) {
    if (k % kRecordsBetweenChecks == 0) stop.ThrowIfStopped();
    int rgb[3] = {0, 0, 0};
    for (std::size_t p = 0; p < channels.size(); ++p) {
      const Property& property = faces.properties[p];
      if (channels[p] < 0) {
        values.SkipProperty(property);
      } else {
        rgb[channels[p]] = ChannelByte(values.Next(property.type), property.type);
      }
    }
    colours.push_back(PackRGB(rgb[0], rgb[1], rgb[2]));
  }
  return colours;
}

// The colours of the faces, every element read or passed over, so that the whole file is
// checked.
std::vector<PackedColour> FaceColoursOf(BinaryReader& reader, const RenderStop& stop) {
  const Header header = HeaderReader(reader).Read();
  ValueReader values(reader, header.encoding);
  std::vector<PackedColour> colours;
  for (const Element& element : header.elements) {
    const std::vector<int> channels =
        element.name == "face" ? ChannelsOf(element) : std::vector<int>{};
    if (channels.empty()) {
      values.Skip(element, stop);
    } else {
      colours = ColoursOf(element, channels, values, stop);
    }
  }
  return colours;
}

}  // namespace

std::vector<PackedColour> ReadPlyFaceColours(const std::string& file_name, const RenderStop& stop) {
  BinaryReader reader(file_name);
  try {
    return FaceColoursOf(reader, stop);
  } catch (const NotReadable&) {
    throw Refusal("Invalid file!");
  }
}

}  // namespace orvandel
