#include "settings/stored_values.h"

#include <algorithm>

namespace orvandel::gui {
namespace {

bool Holds(const QVariant& value, QMetaType::Type type) {
  return value.typeId() == type;
}

// What a masked field can hold: digits and blanks, and a sign.
bool IsFieldText(const QString& text) {
  return text.size() <= 6 && std::all_of(text.begin(), text.end(), [](QChar c) {
           return c.isDigit() || c == ' ' || c == '+' || c == '-';
         });
}

}  // namespace

std::optional<bool> StoredBool(const QVariant& value) {
  if (Holds(value, QMetaType::Bool)) return value.toBool();
  if (!Holds(value, QMetaType::QString)) return std::nullopt;
  const QString word = value.toString();
  if (word == "true" || word == "false") return word == "true";
  return std::nullopt;
}

std::optional<QString> StoredName(const QVariant& value) {
  const std::optional<QString> name = StoredText(value, kMaxStoredName);
  if (!name || name->isEmpty() || name->contains(QChar(0))) return std::nullopt;
  return name;
}

std::optional<QStringList> StoredPanelTexts(const QVariant& value) {
  if (!Holds(value, QMetaType::QStringList)) return std::nullopt;
  const QStringList texts = value.toStringList();
  if (texts.size() != kPanelFieldCount || !std::all_of(texts.begin(), texts.end(), IsFieldText)) {
    return std::nullopt;
  }
  return texts;
}

std::optional<QSize> StoredSize(const QVariant& value, QSize largest) {
  if (!Holds(value, QMetaType::QSize)) return std::nullopt;
  const QSize size = value.toSize();
  if (size.width() < 1 || size.height() < 1 || size.width() > largest.width() ||
      size.height() > largest.height()) {
    return std::nullopt;
  }
  return size;
}

std::optional<QByteArray> StoredBytes(const QVariant& value, qsizetype max_size) {
  if (!Holds(value, QMetaType::QByteArray)) return std::nullopt;
  const QByteArray bytes = value.toByteArray();
  if (bytes.size() > max_size) return std::nullopt;
  return bytes;
}

std::optional<QString> StoredText(const QVariant& value, qsizetype max_size) {
  if (!Holds(value, QMetaType::QString)) return std::nullopt;
  const QString text = value.toString();
  if (text.size() > max_size) return std::nullopt;
  return text;
}

}  // namespace orvandel::gui
