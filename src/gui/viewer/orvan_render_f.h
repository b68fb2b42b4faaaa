#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include "orvandel/viewer/viewer_state.h"
#include "picture_image.h"
#include "shell/user_dialogs.h"
#include "widgets/up_down_control.h"

namespace orvandel::gui {

// The render window's picture on the screen.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  PictureView(const PictureImage& picture, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PictureImage& picture_;
};

// The render window: the picture of the loaded scene, and along its bottom the controls
// that turn the observer or the sun in steps of 5 degrees, switch to a wire frame, zoom
// and render. Every control change renders at once while "Autorender" is checked. The
// controls change the program-wide viewer state, which outlives the window.
class TfrmRender : public QMdiSubWindow {
  Q_OBJECT

 public:
  TfrmRender(ViewerState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

  static constexpr QSize kPictureSize{550, 418};

  // Shows an angle pair in the up-downs without running their handlers.
  void ShowAngles(AnglePair angles);
  PictureImage& Picture() { return picture_; }

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

 private:
  void CreatePanel(QWidget* client);
  void CreateAngleControls();
  void ConnectHandlers();
  void SetTabOrder();
  void AutoRender();

  ViewerState& state_;
  UserDialogs& dialogs_;
  PictureImage picture_;
};

}  // namespace orvandel::gui
