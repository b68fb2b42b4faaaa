#pragma once

#include <cstddef>
#include <string>

#include "orvandel/fileio/failure.h"
#include "orvandel/generator/panel_texts.h"

namespace orvandel {

// One field of the control panel: the height field of a palette index, or a settings field.
struct PanelField {
  enum Kind { kHeight, kSetting };
  Kind kind = kHeight;
  std::size_t index = 0;  // the palette index 0 to 15, or the SettingsField
};

inline PanelField HeightField(std::size_t palette_index) {
  return {PanelField::kHeight, palette_index};
}
inline PanelField SettingField(SettingsField field) {
  return {PanelField::kSetting, static_cast<std::size_t>(field)};
}

// Marks a failure that concerns one field of the panel, so that the desktop program can
// show the user that field.
class FieldFault {
 public:
  explicit FieldFault(PanelField field) : field_(field) {}
  virtual ~FieldFault() = default;
  PanelField Field() const { return field_; }

 private:
  PanelField field_;
};

// A Refusal or RuntimeFailure with the field it concerns; its text and kind are Base's.
template <typename Base>
class FieldFailure : public Base, public FieldFault {
 public:
  FieldFailure(const std::string& text, PanelField field) : Base(text), FieldFault(field) {}
};

}  // namespace orvandel
