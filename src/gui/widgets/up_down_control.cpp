#include "widgets/up_down_control.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace orvandel::gui {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  return button;
}

}  // namespace

UpDownControl::UpDownControl(Qt::Orientation orientation, QWidget* parent) : QWidget(parent) {
  const bool vertical = orientation == Qt::Vertical;
  up_ = ArrowButton(vertical ? Qt::UpArrow : Qt::RightArrow, this);
  down_ = ArrowButton(vertical ? Qt::DownArrow : Qt::LeftArrow, this);
  auto* layout = new QBoxLayout(vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(vertical ? up_ : down_);
  layout->addWidget(vertical ? down_ : up_);
  setFocusPolicy(Qt::TabFocus);
  connect(up_, &QToolButton::clicked, this, &UpDownControl::StepUp);
  connect(down_, &QToolButton::clicked, this, &UpDownControl::StepDown);
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      return StepUp();
    case Qt::Key_Down:
    case Qt::Key_Left:
      return StepDown();
    default:
      QWidget::keyPressEvent(event);
  }
}

void UpDownControl::WidenClickArea(const QMargins& margins) {
  layout()->setContentsMargins(margins);
  setGeometry(geometry().marginsAdded(margins));
}

// The arrows meet where the lower (or left) one ends, or the upper one begins.
void UpDownControl::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool up = down_->x() < up_->x() ? at.x() >= up_->x() : at.y() < down_->y();
  (up ? up_ : down_)->click();
}

void UpDownControl::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

void UpDownControl::SetAssociate(QLineEdit* associate) {
  associate_ = associate;
  SetPosition(position_);
}

void UpDownControl::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  if (associate_) associate_->setText(QString::number(position_));
}

void UpDownControl::TakeTypedPosition() {
  if (!associate_) return;
  bool ok = false;
  // As shown: a masked field's text() would read "2 5" as 25.
  const int typed = associate_->displayText().trimmed().toInt(&ok);
  if (ok) position_ = std::clamp(typed, minimum_, maximum_);
}

void UpDownControl::Step(int delta) {
  TakeTypedPosition();
  SetPosition(position_ + delta);
  emit Clicked(delta);
}

}  // namespace orvandel::gui
