#include "widgets/client_size.h"

namespace orvandel::gui {

void FixClientSize(QMdiSubWindow* window, QSize client) {
  window->widget()->setFixedSize(client);
  const QMargins frame = window->contentsMargins();
  window->setFixedSize(client.grownBy(frame));
}

}  // namespace orvandel::gui
