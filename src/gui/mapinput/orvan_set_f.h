#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "widgets/masked_edit.h"
#include "widgets/up_down_control.h"

namespace orvandel::gui {

// The height popup: a small borderless window over all others with one value field, its
// arrows, "O" to copy the value into the clicked colour's height field and "X" to empty
// that field; Enter does what "O" does, Escape what "X" does. It is hidden, never
// destroyed, and keeps its value between uses.
class TfrmSet : public QDialog {
  Q_OBJECT

 public:
  // height_field gives the control panel's height field of the colour last clicked.
  explicit TfrmSet(std::function<QLineEdit*()> height_field, QWidget* parent = nullptr);

  // Shows the popup modally below and left of a point on the screen, so that its arrows
  // stand under the pointer, as far as the screen that holds the pointer lets it; the
  // popup's background shows colour, the colour it edits.
  void PopupAt(const QPoint& screen_point, const QColor& colour);

  MaskedEdit* MaskEdit1 = nullptr;
  UpDownControl* UpDown1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 public slots:
  void Button1Click();
  void Button2Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<QLineEdit*()> height_field_;
};

}  // namespace orvandel::gui
