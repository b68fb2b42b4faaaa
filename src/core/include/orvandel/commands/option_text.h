#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "orvandel/writers/mesh_write.h"

namespace orvandel {

// The mesh options of the formats in map units at true scale, as a user types them. Both
// front ends read them here, so that the desktop program refuses the texts the command
// line refuses, with the same messages; the messages name the command line's options.
inline constexpr std::string_view kVerticalScaleOption = "--vertical-scale";
inline constexpr std::string_view kBaseOption = "--base";
inline constexpr std::string_view kMaxErrorOption = "--max-error";
inline constexpr std::string_view kPrintWidthOption = "--print-width";
inline constexpr std::string_view kUpOption = "--up";

// The factor of every height: a positive number. Throws Refusal
// "--vertical-scale takes a positive number, not '<text>'".
float VerticalScaleFromText(const std::string& text);

// How far below the lowest point the flat bottom of a solid lies: a positive number of
// map units. Throws Refusal "--base takes a positive number of map units, not '<text>'".
float BaseFromText(const std::string& text);

// How far, at most, the written surface may lie above or below any grid vertex: 0 or a
// positive number of map units (after the vertical scale), 0 meaning without loss. Throws
// Refusal "--max-error takes a number of map units, 0 or more, not '<text>'".
double MaxErrorFromText(const std::string& text);
// The east-west extent of a print: a positive number of millimetres. Throws Refusal
// "--print-width takes a positive number of millimetres, not '<text>'".
float PrintWidthFromText(const std::string& text);

// The up axis of a file: "y" or "z". Throws Refusal "--up takes y or z, not '<text>'".
UpAxis UpAxisFromText(const std::string& text);

// A positive finite float made of the whole of text. Throws Refusal
// "<option> takes a positive <what>, not '<text>'" for anything else.
float PositiveFromText(std::string_view option, const std::string& text, std::string_view what);

// A number made of the whole of text, as std::from_chars reads it (no blanks, no "+"), or
// nothing.
template <typename Number>
std::optional<Number> NumberFrom(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || stop != end || error != std::errc{}) return std::nullopt;
  return value;
}

}  // namespace orvandel
