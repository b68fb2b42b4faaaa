#pragma once

#include <QAction>
#include <QMdiSubWindow>
#include <functional>
#include <memory>
#include <optional>

#include "qimage_map.h"

namespace orvandel::gui {

// The map image under a cross-hair, at its own size (one screen pixel per map pixel) until
// it is zoomed: Ctrl and the wheel halve or double its scale.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent = nullptr);
  void SetPicture(const QImage* picture);

  // The scales the map is shown at: its own size, halved up to kSmallest times.
  static constexpr int kSmallest = 6;
  // Screen pixels per map pixel: 1, 1/2, 1/4, ...
  double Scale() const { return 1.0 / (1 << halvings_); }
  // Halves the scale halvings times from the map's own size (0 to kSmallest, clamped).
  void SetHalvings(int halvings);
  int Halvings() const { return halvings_; }
  // The map's size on the screen at the scale it is shown at.
  QSize ShownSize() const;

 signals:
  // Any button: the pixel under the pointer and the pointer's place on the screen.
  void Pressed(const QPoint& pixel, const QPoint& screen_point);
  // The pointer stands over this pixel of the picture.
  void Hovered(const QPoint& pixel);
  // Ctrl and the wheel: steps larger when positive, smaller when negative.
  void ZoomAsked(int steps);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // The map pixel under a point of the view, if the map holds one there.
  std::optional<QPoint> PixelAt(QPointF point) const;

  const QImage* picture_ = nullptr;
  int halvings_ = 0;
  int wheel_rest_ = 0;  // the part of a wheel notch not yet zoomed
};

// The map window. A click on the map picks the clicked colour and opens the height popup;
// the pointer's tooltip tells what the pixel under it stands for. A map larger than the
// work area can be zoomed out (Ctrl and the wheel) or fitted to it ("&Fit" in the window's
// system menu), so that its frame and buttons come into reach.
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
  // Shows the map halved as often as it takes to fit into the work area, or at its own
  // size when it fits there.
  void Fit();
  // Shows the map steps scales larger (or smaller when negative).
  void ZoomBy(int steps);

  MapView* Image1 = nullptr;  // the map, at its own size unless zoomed
  QAction* Fit1 = nullptr;    // "&Fit" in the system menu: the whole map in the work area

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
  void ShowAtHalvings(int halvings);

  std::unique_ptr<QImageMap> map_;
  std::function<void(PackedColour, const QPoint&)> on_click_;
  std::function<QString(PackedColour)> describe_;
};

}  // namespace orvandel::gui
