#include "orvandel/commands/option_text.h"

#include <cmath>

#include "orvandel/fileio/failure.h"

namespace orvandel {

float PositiveFromText(std::string_view option, const std::string& text, std::string_view what) {
  const std::optional<float> number = NumberFrom<float>(text);
  if (!number || !std::isfinite(*number) || *number <= 0) {
    throw Refusal(std::string(option) + " takes a positive " + std::string(what) + ", not '" +
                  text + "'");
  }
  return *number;
}

float VerticalScaleFromText(const std::string& text) {
  return PositiveFromText(kVerticalScaleOption, text, "number");
}

float BaseFromText(const std::string& text) {
  return PositiveFromText(kBaseOption, text, "number of map units");
}

}  // namespace orvandel
