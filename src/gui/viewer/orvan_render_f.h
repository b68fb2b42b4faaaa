#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include "orvandel/commands/background_render.h"
#include "orvandel/viewer/viewer_state.h"
#include "picture_image.h"
#include "settings/desktop_settings.h"
#include "shell/user_dialogs.h"
#include "widgets/up_down_control.h"

namespace orvandel::gui {

// The render window's picture on the screen. It turns what the user does on it into the
// steps of the window's controls: dragging with the left button turns (horizontal drag the
// horizontal angle, vertical drag the vertical one, one step per kDragStep pixels), the
// wheel zooms, and with the keyboard focus, which a click gives it, the arrow keys turn and
// "+" and "-" zoom.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  PictureView(const PictureImage& picture, QWidget* parent);

  static constexpr int kDragStep = 8;

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
  const PictureImage& picture_;
  QPoint drag_from_;    // where the last whole step of the drag was taken
  int wheel_rest_ = 0;  // the part of a wheel notch not yet zoomed
};

// The render window: the picture of the loaded scene, and along its bottom the controls
// that turn the observer or the sun in steps of 5 degrees, switch to a wire frame, zoom
// and render. While "Autorender" is checked every control change renders, once the input
// waiting is done: a burst of steps gives one picture, of the last angle. A render runs on
// a thread of its own while the window goes on taking input: controls changed meanwhile
// give one more render after it, and Escape stops it, leaving the picture as it was. The
// controls change the program-wide viewer state, which outlives the window. "Wire" and
// "Autorender" stay as the user left them, also between runs.
class TfrmRender : public QMdiSubWindow {
  Q_OBJECT

 public:
  TfrmRender(ViewerState& state, UserDialogs& dialogs, DesktopSettings& settings,
             QWidget* parent = nullptr);

  static constexpr QSize kPictureSize{550, 418};

  // Shows an angle pair in the up-downs without running their handlers.
  void ShowAngles(AnglePair angles);
  PictureImage& Picture() { return picture_; }
  // Ends a render that runs, if any, and forgets any render waiting; the picture stays as
  // it was.
  void StopRender();

  PictureView* Image1 = nullptr;
  QFrame* Panel2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  UpDownControl* UpDown1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  UpDownControl* UpDown2 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button1 = nullptr;

 signals:
  void Closed();
  // A render has run.
  void Rendered();

 public slots:
  void Button1Click();
  // delta: the degrees of the arrow step, +5 or -5.
  void UpDown1Click(int delta);
  void UpDown2Click(int delta);
  void RadioButton1Click();
  void RadioButton2Click();
  void CheckBox1Click();
  void Button2Click();
  void Button3Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreatePanel(QWidget* client);
  void CreateAngleControls();
  void ConnectHandlers();
  void SetTabOrder();
  void ShowTargetInTooltips();
  void Turn(Qt::Orientation axis, int steps);
  void Zoom(int steps);
  void AutoRender();
  void RenderWanted();
  bool RenderInBackground();

  ViewerState& state_;
  UserDialogs& dialogs_;
  DesktopSettings& settings_;
  PictureImage picture_;
  bool render_wanted_ = false;
  BackgroundRender* running_ = nullptr;  // the render under way, if any
};

}  // namespace orvandel::gui
