#pragma once

#include <QMdiSubWindow>
#include <functional>
#include <memory>

#include "qimage_map.h"

namespace orvandel::gui {

// The map image shown at its own size, one screen pixel per map pixel, under a cross-hair.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);
  void SetPicture(const QImage* picture);

 signals:
  // Any button: the pixel under the pointer and the pointer's place on the screen.
  void Pressed(const QPoint& pixel, const QPoint& screen_point);
  // The pointer stands over this pixel of the picture.
  void Hovered(const QPoint& pixel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const QImage* picture_ = nullptr;
};

// The map window. A click on the map picks the clicked colour and opens the height popup;
// the pointer's tooltip tells what the pixel under it stands for.
class TfrmMap : public QMdiSubWindow {
  Q_OBJECT

 public:
  // on_click receives the packed colour of the clicked pixel and the pointer's place on
  // the screen; describe gives the tooltip of a pixel colour. A closed window is destroyed.
  TfrmMap(std::function<void(PackedColour, const QPoint&)> on_click,
          std::function<QString(PackedColour)> describe, QWidget* parent = nullptr);

  // Shows a map, captioned with its file name, with the window's client area sized to it.
  // The window must stand in its work area already.
  void ShowMap(std::unique_ptr<QImageMap> map, const QString& file_name);
  const QImageMap* Map() const { return map_.get(); }

  MapView* Image1 = nullptr;  // the map at its own size

 signals:
  void Closed();

 public slots:
  void Image1MouseDown(const QPoint& pixel, const QPoint& screen_point) {
    PickColour(pixel, screen_point);
  }
  void Image1MouseMove(const QPoint& pixel) { DescribePixel(pixel); }
  // Hands the clicked pixel's colour on, to open the height popup at the pointer.
  void PickColour(const QPoint& pixel, const QPoint& screen_point);
  // Tells in the tooltip what the pixel under the pointer stands for.
  void DescribePixel(const QPoint& pixel);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<QImageMap> map_;
  std::function<void(PackedColour, const QPoint&)> on_click_;
  std::function<QString(PackedColour)> describe_;
};

}  // namespace orvandel::gui
