#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace orvandel::gui {

// The checks a value read from the settings file passes before the program uses it. The
// file is the user's to edit and may hold anything: each check gives nothing (and the
// program its default) for a value of another type, out of its range or too long.

// The longest file or folder name kept.
inline constexpr qsizetype kMaxStoredName = 4096;
// The control panel's fields, heights first, then the six settings fields.
inline constexpr qsizetype kPanelFieldCount = 22;

// true or false, as a bool or as the words "true" and "false".
std::optional<bool> StoredBool(const QVariant& value);
// A file or folder name: text of 1 to kMaxStoredName characters without a zero character.
std::optional<QString> StoredName(const QVariant& value);
// The texts of the panel's fields as typed: kPanelFieldCount texts, each of at most six
// digits, blanks and signs.
std::optional<QStringList> StoredPanelTexts(const QVariant& value);
// A size whose sides lie between 1 and largest's.
std::optional<QSize> StoredSize(const QVariant& value, QSize largest);
// Bytes, at most max_size of them.
std::optional<QByteArray> StoredBytes(const QVariant& value, qsizetype max_size);
// A short text: at most max_size characters.
std::optional<QString> StoredText(const QVariant& value, qsizetype max_size);

}  // namespace orvandel::gui
