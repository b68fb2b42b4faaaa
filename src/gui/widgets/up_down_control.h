#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace orvandel::gui {

// A pair of arrow buttons bound to an entry field: a click moves the position by the
// increment within the range (no wrap-around), shows it in the field as a plain integer
// and then emits Clicked with the step. A number typed into the field is taken as the position
// before a step. Setting the position from the program shows it and emits nothing.
class UpDownControl : public QWidget {
  Q_OBJECT

 public:
  UpDownControl(Qt::Orientation orientation, QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  void SetIncrement(int increment) { increment_ = increment; }
  void SetAssociate(QLineEdit* associate);
  void SetPosition(int position);
  int Position() const { return position_; }

  // What a click on the upper (or right) arrow, or the lower (or left) one, does.
  void StepUp() { Step(increment_); }
  void StepDown() { Step(-increment_); }

 signals:
  void Clicked(int delta);

 protected:
  // With the focus, the arrow keys step as the arrow buttons do.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Step(int delta);
  void TakeTypedPosition();

  QToolButton* up_;
  QToolButton* down_;
  QPointer<QLineEdit> associate_;
  int minimum_ = 0;
  int maximum_ = 100;
  int increment_ = 1;
  int position_ = 0;
};

}  // namespace orvandel::gui
