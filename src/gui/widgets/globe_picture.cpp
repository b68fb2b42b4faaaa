#include "widgets/globe_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvandel::gui {

QImage GlobeImage(int side) {
  QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF ball(1, 1, side - 2, side - 2);
  QRadialGradient sea(ball.center() - QPointF(side / 6.0, side / 6.0), side / 1.6);
  sea.setColorAt(0, QColor(120, 190, 255));
  sea.setColorAt(1, QColor(20, 70, 170));
  painter.setPen(QPen(QColor(10, 40, 110), side / 24.0));
  painter.setBrush(sea);
  painter.drawEllipse(ball);
  // Two continents, clipped to the ball.
  QPainterPath clip;
  clip.addEllipse(ball);
  painter.setClipPath(clip);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(60, 160, 60));
  painter.drawEllipse(QRectF(side * 0.18, side * 0.2, side * 0.38, side * 0.3));
  painter.drawEllipse(QRectF(side * 0.5, side * 0.52, side * 0.34, side * 0.36));
  // Meridian and equator.
  painter.setClipping(false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 255, 255, 120), side / 32.0));
  painter.drawEllipse(QRectF(side * 0.3, 1, side * 0.4, side - 2));
  painter.drawLine(QPointF(1, side / 2.0), QPointF(side - 1, side / 2.0));
  painter.end();
  return picture;
}

QIcon GlobePicture() {
  QIcon icon;
  // Qt derives the greyed picture of a disabled button from these.
  for (const int side : {16, 32, 64})
    icon.addPixmap(QPixmap::fromImage(GlobeImage(side)));
  return icon;
}

}  // namespace orvandel::gui
