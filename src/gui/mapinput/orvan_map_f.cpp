#include "mapinput/orvan_map_f.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "widgets/client_size.h"

namespace orvandel::gui {

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void MapView::SetPicture(const QImage* picture) {
  picture_ = picture;
  update();
}

// Only the exposed part is converted for the screen, so huge maps stay quick.
void MapView::paintEvent(QPaintEvent* event) {
  if (picture_ == nullptr) return;
  QPainter painter(this);
  const QRect exposed = event->rect() & picture_->rect();
  painter.drawImage(exposed.topLeft(), picture_->copy(exposed));
}

void MapView::mousePressEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  if (picture_ == nullptr || !picture_->rect().contains(pixel)) return;
  emit Pressed(pixel, event->globalPosition().toPoint());
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  if (picture_ != nullptr && picture_->rect().contains(pixel)) emit Hovered(pixel);
}

TfrmMap::TfrmMap(std::function<void(PackedColour, const QPoint&)> on_click,
                 std::function<QString(PackedColour)> describe, QWidget* parent)
    : QMdiSubWindow(parent), on_click_(std::move(on_click)), describe_(std::move(describe)) {
  setObjectName("frmMap");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  Image1 = new MapView;
  setWidget(Image1);
  connect(Image1, &MapView::Pressed, this, &TfrmMap::Image1MouseDown);
  connect(Image1, &MapView::Hovered, this, &TfrmMap::Image1MouseMove);
}

// The picture is asked for at the new size: a window that grows behind another one would
// otherwise show the old map's pixels, and nothing around them, until it is uncovered.
void TfrmMap::ShowMap(std::unique_ptr<QImageMap> map, const QString& file_name) {
  map_ = std::move(map);
  setWindowTitle(file_name);
  FixClientSize(this, map_->Image().size());
  Image1->SetPicture(&map_->Image());
}

void TfrmMap::PickColour(const QPoint& pixel, const QPoint& screen_point) {
  on_click_(map_->PixelColour(pixel.x(), pixel.y()), screen_point);
}

// Asked afresh at every move, so that it tells the height as it is typed now.
void TfrmMap::DescribePixel(const QPoint& pixel) {
  Image1->setToolTip(describe_(map_->PixelColour(pixel.x(), pixel.y())));
}

void TfrmMap::closeEvent(QCloseEvent* event) {
  emit Closed();
  QMdiSubWindow::closeEvent(event);
}

}  // namespace orvandel::gui
