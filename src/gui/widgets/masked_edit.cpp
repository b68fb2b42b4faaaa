#include "widgets/masked_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "widgets/fit_font.h"

namespace orvandel::gui {
namespace {

// What QLineEdit keeps free beside its text: a margin of 2 at either side and the cursor.
constexpr int kLineEditSpare = 2 + 2 + 2;

bool IsUndoOrRedo(const QKeyEvent* key) {
  const QKeyCombination pressed = key->keyCombination();
  return pressed == (Qt::CTRL | Qt::Key_Z) || pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z) ||
         pressed == (Qt::CTRL | Qt::Key_Y);
}

bool ComesFromTheUser(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::ActiveWindowFocusReason ||
         reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}

}  // namespace

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent) : QLineEdit(parent) {
  setInputMask(mask);
  setText("");
}

QString MaskedEdit::FieldText() const {
  QString text = displayText();
  while (text.endsWith(' '))
    text.chop(1);
  return text;
}

// Left unclaimed, the keys reach the window's shortcuts first.
bool MaskedEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && IsUndoOrRedo(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}

// A click or the return to the window keeps the cursor where the user left it; Tab and
// the program's focus select the text, or put the cursor at the start of an empty field.
void MaskedEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (ComesFromTheUser(event->reason())) return;
  if (FieldText().isEmpty()) {
    setCursorPosition(0);
  } else {
    selectAll();
  }
}

// Typing overwrites from the cursor on, so a cursor among the placeholders behind the text
// would lose the digits that no longer fit.
void MaskedEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  const int typed_end = static_cast<int>(FieldText().size());
  if (!hasSelectedText() && cursorPosition() > typed_end) setCursorPosition(typed_end);
}

void MaskedEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  CondenseToFit(this, WidestText(), TextRoom());
}

// At each place of the mask the widest character it lets in: a sign or a digit at '#'.
QString MaskedEdit::WidestText() const {
  const QFontMetrics metrics(font());
  const auto wider = [&](QChar a, QChar b) {
    return metrics.horizontalAdvance(a) >= metrics.horizontalAdvance(b) ? a : b;
  };
  QChar digit = '0';
  for (const QChar c : QStringLiteral("123456789"))
    digit = wider(digit, c);
  const QChar digit_or_sign = wider(digit, wider('+', '-'));
  QString text;
  for (const QChar place : inputMask().section(';', 0, 0))
    text += place == '#' ? digit_or_sign : digit;
  return text;
}

int MaskedEdit::TextRoom() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).width() - kLineEditSpare;
}

}  // namespace orvandel::gui
