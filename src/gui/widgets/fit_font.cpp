#include "widgets/fit_font.h"

#include <QFontMetrics>
#include <functional>

namespace orvandel::gui {
namespace {

// Percent of the font's normal width.
constexpr int kNarrowestStretch = 65;
constexpr int kStretchStep = 5;

void CondenseUntil(QWidget* control, const std::function<bool()>& fits) {
  QFont font = control->font();
  int stretch = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
  while (!fits() && stretch > kNarrowestStretch) {
    stretch -= kStretchStep;
    font.setStretch(stretch);
    control->setFont(font);
  }
}

}  // namespace

void CondenseToFit(QWidget* control, const QString& text, int room) {
  CondenseUntil(control,
                [&] { return QFontMetrics(control->font()).horizontalAdvance(text) <= room; });
}

void CondenseToFit(QAbstractButton* button) {
  CondenseUntil(button, [button] { return button->sizeHint().width() <= button->width(); });
}

}  // namespace orvandel::gui
