#pragma once

#include <QObject>
#include <QVariant>

namespace orvandel::gui {

// Controls carry a Tag that other windows find them by: the control panel's swatches and
// height fields the palette index 0 to 15, its settings fields 100 to 600, its captions
// 1000 to 1005.
inline void SetTag(QObject* control, int tag) {
  control->setProperty("Tag", tag);
}

inline int TagOf(const QObject* control) {
  const QVariant tag = control->property("Tag");
  return tag.isValid() ? tag.toInt() : -1;
}

// The first control of type T among owner's descendants, in creation order, whose Tag is tag.
template <typename T>
T* FindByTag(const QObject* owner, int tag) {
  for (T* control : owner->findChildren<T*>()) {
    if (TagOf(control) == tag) return control;
  }
  return nullptr;
}

}  // namespace orvandel::gui
