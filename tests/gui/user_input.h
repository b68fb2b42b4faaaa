#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>

namespace orvandel::gui {

// A click at point of widget as a person makes it: the press and release go to the
// innermost control under the point, as the window system would deliver them.
inline void ClickAt(QWidget* widget, QPoint point) {
  QWidget* target = widget->childAt(point);
  if (target == nullptr) target = widget;
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(widget, point));
}

// A click at the middle of a control, then the keys typed.
inline void ClickAndType(QWidget* field, const QString& keys) {
  QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
  QTest::keyClicks(field, keys);
}

// Runs answer on the next modal window of type Modal as soon as it shows, from inside its
// modal wait. Answers for different types of window may wait at the same time.
template <typename Modal = QWidget>
void AnswerNextModal(const std::function<void(Modal*)>& answer) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
    auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    answer(modal);
  });
  poll->start(5);
}

}  // namespace orvandel::gui
