#include "mapinput/orvan_map_f.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

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

void MapView::SetHalvings(int halvings) {
  halvings_ = std::clamp(halvings, 0, kSmallest);
  update();
}

QSize MapView::ShownSize() const {
  if (picture_ == nullptr) return {};
  const int k = 1 << halvings_;
  return (picture_->size() + QSize(k - 1, k - 1)) / k;
}

// Only the exposed part is converted for the screen, and scaled before it is, so huge maps
// stay quick.
void MapView::paintEvent(QPaintEvent* event) {
  if (picture_ == nullptr) return;
  QPainter painter(this);
  const int k = 1 << halvings_;
  const QRect exposed = event->rect();
  const QRect source = QRect(exposed.topLeft() * k, exposed.size() * k) & picture_->rect();
  if (source.isEmpty()) return;
  const QSize shown = (source.size() + QSize(k - 1, k - 1)) / k;
  painter.drawImage(
      source.topLeft() / k,
      picture_->copy(source).scaled(shown, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

std::optional<QPoint> MapView::PixelAt(QPointF point) const {
  const int k = 1 << halvings_;
  const QPoint pixel(static_cast<int>(std::floor(point.x() * k)),
                     static_cast<int>(std::floor(point.y() * k)));
  if (picture_ == nullptr || !picture_->rect().contains(pixel)) return std::nullopt;
  return pixel;
}

void MapView::mousePressEvent(QMouseEvent* event) {
  const std::optional<QPoint> pixel = PixelAt(event->position());
  if (pixel) emit Pressed(*pixel, event->globalPosition().toPoint());
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  const std::optional<QPoint> pixel = PixelAt(event->position());
  if (pixel) emit Hovered(*pixel);
}

// Without Ctrl the wheel scrolls the work area, as it always has.
void MapView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();
    return;
  }
  wheel_rest_ += event->angleDelta().y();
  const int notches = wheel_rest_ / QWheelEvent::DefaultDeltasPerStep;
  wheel_rest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) emit ZoomAsked(notches);
  event->accept();
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
  connect(Image1, &MapView::ZoomAsked, this, &TfrmMap::ZoomBy);
  Fit1 = systemMenu()->addAction("&Fit", this, &TfrmMap::Fit);
  Fit1->setObjectName("Fit1");
  Fit1->setShortcut(Qt::CTRL | Qt::Key_0);
  Fit1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(Fit1);  // so that its keys work while the menu is closed
}

// The picture is asked for at the new size: a window that grows behind another one would
// otherwise show the old map's pixels, and nothing around them, until it is uncovered.
void TfrmMap::ShowMap(std::unique_ptr<QImageMap> map, const QString& file_name) {
  map_ = std::move(map);
  setWindowTitle(file_name);
  Image1->SetPicture(&map_->Image());
  ShowAtHalvings(0);
}

void TfrmMap::ShowAtHalvings(int halvings) {
  Image1->SetHalvings(halvings);
  FixClientSize(this, Image1->ShownSize());
}

// A fitted window that stood partly outside the work area moves into its top left corner.
void TfrmMap::Fit() {
  const QRect work(QPoint(0, 0), mdiArea()->viewport()->size());
  const QMargins frame = contentsMargins();
  int halvings = 0;
  while (halvings < MapView::kSmallest) {
    Image1->SetHalvings(halvings);
    const QSize outer = Image1->ShownSize().grownBy(frame);
    if (outer.width() <= work.width() && outer.height() <= work.height()) break;
    ++halvings;
  }
  ShowAtHalvings(halvings);
  if (!work.contains(geometry())) move(0, 0);
}

void TfrmMap::ZoomBy(int steps) {
  ShowAtHalvings(Image1->Halvings() - steps);
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
