#pragma once

#include <QAbstractButton>
#include <QString>

namespace orvandel::gui {

// Narrows the control's font step by step until text takes at most room pixels, so that a
// caption keeps its place and size and still shows whole. Stops at a font still easy to
// read; a text that does not fit even then is left as it is.
void CondenseToFit(QWidget* control, const QString& text, int room);

// The same for a check box or radio button: its indicator and caption within its width.
void CondenseToFit(QAbstractButton* button);

}  // namespace orvandel::gui
