#pragma once

#include <array>
#include <string>

namespace orvandel {

// The order of the six settings fields on the control panel.
enum SettingsField { kWater, kLawn, kSnow, kMapwidth, kMapheight, kInterval };

// The texts of the control panel's fields, as the generate command reads them.
struct PanelTexts {
  std::array<std::string, 16> heights;  // the height field of each palette index
  std::array<std::string, 6> settings;  // indexed by SettingsField
  std::string output_item = "3DF";      // the chosen item of the output group
};

}  // namespace orvandel
