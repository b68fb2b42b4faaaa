#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <optional>

#include "orvandel/viewer/viewer_state.h"
#include "picture_image.h"
#include "settings/desktop_settings.h"
#include "shell/qt_busy_cursor.h"
#include "shell/user_dialogs.h"
#include "viewer/render_scheduler.h"
#include "widgets/up_down_control.h"

namespace orvandel::gui {

// The render window's picture on the screen, stretched over the view's area while a
// picture of the new size is drawn. It turns what the user does on it into the steps of
// the window's controls: dragging with the left button turns (horizontal drag the
// horizontal angle, vertical drag the vertical one, one step per kDragStep pixels), the
// wheel zooms, and with the keyboard focus, which a click gives it, the arrow keys turn and
// "+" and "-" zoom.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent);

  static constexpr int kDragStep = 8;

  // Shows picture, which must stay alive until the next call.
  void SetPicture(const PictureImage* picture);

 signals:
  // steps up (or right) when positive, down (or left) when negative.
  void TurnAsked(Qt::Orientation axis, int steps);
  // steps in when positive, out when negative.
  void ZoomAsked(int steps);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const PictureImage* picture_ = nullptr;
  QPoint drag_from_;    // where the last whole step of the drag was taken
  int wheel_rest_ = 0;  // the part of a wheel notch not yet zoomed
};

// The render window: the picture of the loaded scene, and along its bottom the controls
// that turn the observer or the sun in steps of 5 degrees, switch to a wire frame, zoom
// and render. Its handlers, named after the controls, forward to the commands named for
// what they do (Render(), ZoomIn(), ...), which the rest of the program calls. Renders run
// through a RenderScheduler while the window goes on taking input: changes made meanwhile
// give one more render after it, and Escape stops it, leaving the picture as it was. The
// window can be resized and maximised; the picture follows its size. The controls change
// the program-wide viewer state, which outlives the window. "Wire" and "Autorender" stay
// as the user left them, also between runs.
class TfrmRender : public QMdiSubWindow {
  Q_OBJECT

 public:
  TfrmRender(ViewerState& state, UserDialogs& dialogs, DesktopSettings& settings,
             QWidget* parent = nullptr);

  static constexpr QSize kPictureSize{550, 418};
  // The height of the bottom panel, which overlaps the picture's last row.
  static constexpr int kPanelHeight = 33;

  // Shows an angle pair in the up-downs without running their handlers.
  void ShowAngles(AnglePair angles);
  // The picture of the last whole render, at the size the view had then.
  PictureImage& Picture() { return *picture_; }
  // A render runs or waits.
  bool Rendering() const { return scheduler_->Busy(); }

  // The commands of the controls.
  // "Render now!": renders the scene as the view stands, at the picture's size.
  void Render();
  // Turns the vertical or horizontal angle of the target pair by delta degrees (+5, -5).
  void TurnVertically(int delta);
  void TurnHorizontally(int delta);
  // Makes the observer's or the sun's angles those that the arrows turn.
  void ChooseObserver();
  void ChooseSun();
  // Draws faces as a white wire frame, or shaded, as "Wire" says.
  void ShowWireFrame();
  void ZoomIn();
  void ZoomOut();
  // Ends a render that runs, if any, and forgets any render waiting; the picture stays as
  // it was.
  void StopRender();

  PictureView* Image1 = nullptr;         // the picture; drag, wheel and keys turn and zoom
  QFrame* Panel2 = nullptr;              // the bottom panel holding every control below
  QLineEdit* Edit1 = nullptr;            // the vertical angle of the target pair
  UpDownControl* UpDown1 = nullptr;      // turns the vertical angle in steps of 5
  QLineEdit* Edit2 = nullptr;            // the horizontal angle of the target pair
  UpDownControl* UpDown2 = nullptr;      // turns the horizontal angle in steps of 5
  QRadioButton* RadioButton1 = nullptr;  // "Observer": the arrows turn the observer
  QRadioButton* RadioButton2 = nullptr;  // "Sun": the arrows turn the sun
  QCheckBox* CheckBox1 = nullptr;        // "Wire": a white wire frame instead of faces
  QCheckBox* CheckBox2 = nullptr;        // "Autorender": every change renders
  QPushButton* Button2 = nullptr;        // "+": zooms in
  QPushButton* Button3 = nullptr;        // "-": zooms out
  QPushButton* Button1 = nullptr;        // "Render now!"

 signals:
  void Closed();
  // A render has ended, drawn whole or not.
  void Rendered();

 public slots:
  void Button1Click() { Render(); }
  // delta: the degrees of the arrow step, +5 or -5.
  void UpDown1Click(int delta) { TurnVertically(delta); }
  void UpDown2Click(int delta) { TurnHorizontally(delta); }
  void RadioButton1Click() { ChooseObserver(); }
  void RadioButton2Click() { ChooseSun(); }
  void CheckBox1Click() { ShowWireFrame(); }
  void Button2Click() { ZoomIn(); }
  void Button3Click() { ZoomOut(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreatePanel(QWidget* client);
  void CreateAngleControls();
  void ConnectHandlers();
  void SetTabOrder();
  void ShowTargetInTooltips();
  void PlaceViewAndPanel(QSize client);
  void TurnBy(Qt::Orientation axis, int steps);
  void ZoomBy(int steps);
  void AutoRender();
  void RenderEnded(const std::shared_ptr<PictureImage>& picture, std::exception_ptr failure);
  void ShowBusy(bool busy);

  ViewerState& state_;
  UserDialogs& dialogs_;
  DesktopSettings& settings_;
  std::shared_ptr<PictureImage> picture_;
  RenderScheduler* scheduler_ = nullptr;
  QtBusyCursor busy_cursor_;
  std::optional<BusyScope> busy_;  // while renders run
};

}  // namespace orvandel::gui
