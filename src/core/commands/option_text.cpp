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

float PrintWidthFromText(const std::string& text) {
  return PositiveFromText(kPrintWidthOption, text, "number of millimetres");
}

UpAxis UpAxisFromText(const std::string& text) {
  if (text == "y") return UpAxis::kY;
  if (text == "z") return UpAxis::kZ;
  throw Refusal(std::string(kUpOption) + " takes y or z, not '" + text + "'");
}

}  // namespace orvandel
