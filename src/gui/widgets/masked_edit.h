#pragma once

#include <QLineEdit>

namespace orvandel::gui {

// An entry field with an input mask whose placeholders are blanks ("#00000; "). Typing
// overwrites the placeholders from the cursor on, so the field takes care that the cursor
// stands where a whole number fits: a click behind the typed characters puts the cursor
// right after them, and entering the field by Tab or from the program selects its text, so
// that typing replaces it (an empty field takes the cursor at its start). Its font narrows until a
// full field of the widest characters the mask lets in shows whole. Undo and redo keys
// (Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y) go to the window's shortcuts when it has them, which undo
// step by step across fields, and only otherwise to the field itself.
class MaskedEdit : public QLineEdit {
  Q_OBJECT

 public:
  // mask: digits ('0', '9') and digit-or-sign ('#') positions, then "; " for blanks.
  explicit MaskedEdit(const QString& mask, QWidget* parent = nullptr);

  // The text as the user sees it: blanks between characters kept (so "2 5" is not read
  // as 25), the unfilled placeholders after the last character dropped.
  QString FieldText() const;

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString WidestText() const;
  int TextRoom() const;
};

}  // namespace orvandel::gui
