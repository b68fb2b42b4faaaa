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

  // Lets each arrow take clicks beyond its drawn edges, by margins: the control grows by
  // them while the arrows stay where they are drawn, over whatever lies beside them. For
  // arrows too small to hit at once.
  void WidenClickArea(const QMargins& margins);

  // What a click on the upper (or right) arrow, or the lower (or left) one, does.
  void StepUp() { Step(increment_); }
  void StepDown() { Step(-increment_); }

 signals:
  void Clicked(int delta);

 protected:
  // With the focus, the arrow keys step as the arrow buttons do.
  void keyPressEvent(QKeyEvent* event) override;
  // A press beside the arrows is a click on the nearer one.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Step(int delta);
  void TakeTypedPosition();

  QToolButton* up_;    // the upper or right arrow
  QToolButton* down_;  // the lower or left arrow
  QPointer<QLineEdit> associate_;
  int minimum_ = 0;
  int maximum_ = 100;
  int increment_ = 1;
  int position_ = 0;
};

}  // namespace orvandel::gui
