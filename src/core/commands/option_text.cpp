#include "orvandel/commands/option_text.h"

#include <cmath>

#include "orvandel/fileio/failure.h"

namespace orvandel {
namespace {

// A finite number made of the whole of text for which within holds. Throws Refusal
// "<option> takes <what>, not '<text>'" for anything else.
template <typename Number>
Number FiniteFromText(std::string_view option, const std::string& text, std::string_view what,
                      bool (*within)(Number)) {
  const std::optional<Number> number = NumberFrom<Number>(text);
  if (!number || !std::isfinite(*number) || !within(*number)) {
    throw Refusal(std::string(option) + " takes " + std::string(what) + ", not '" + text + "'");
  }
  return *number;
}

}  // namespace

float PositiveFromText(std::string_view option, const std::string& text, std::string_view what) {
  return FiniteFromText<float>(option, text, "a positive " + std::string(what),
                               [](float number) { return number > 0; });
}

float VerticalScaleFromText(const std::string& text) {
  return PositiveFromText(kVerticalScaleOption, text, "number");
}

float BaseFromText(const std::string& text) {
  return PositiveFromText(kBaseOption, text, "number of map units");
}

double MaxErrorFromText(const std::string& text) {
  return FiniteFromText<double>(kMaxErrorOption, text, "a number of map units, 0 or more",
                                [](double number) { return number >= 0; });
}

float PrintWidthFromText(const std::string& text) {
  return PositiveFromText(kPrintWidthOption, text, "number of millimetres");
}

UpAxis UpAxisFromText(const std::string& text) {
  if (text == "y") return UpAxis::kY;
  if (text == "z") return UpAxis::kZ;
  throw Refusal(std::string(kUpOption) + " takes y or z, not '" + text + "'");
}

}  // namespace orvandel
