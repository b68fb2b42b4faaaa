#include "viewer/orvan_render_f.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <cstdlib>

#include "orvandel/commands/scene_commands.h"
#include "shell/qt_busy_cursor.h"
#include "widgets/fit_font.h"

namespace orvandel::gui {
namespace {

template <typename Control>
Control* Named(Control* control, const char* name, QRect geometry) {
  control->setObjectName(name);
  control->setGeometry(geometry);
  return control;
}

QLineEdit* AngleBox(QWidget* parent, const char* name, QRect geometry) {
  auto* box = Named(new QLineEdit(parent), name, geometry);
  box->setReadOnly(true);
  return box;
}

UpDownControl* AngleArrows(Qt::Orientation orientation, QWidget* parent, const char* name,
                           QRect geometry, QLineEdit* box, int position) {
  auto* arrows = Named(new UpDownControl(orientation, parent), name, geometry);
  arrows->SetRange(-1, 360);
  arrows->SetIncrement(kAngleStep);
  arrows->SetPosition(position);
  arrows->SetAssociate(box);
  return arrows;
}

QPushButton* ZoomButton(QWidget* parent, const char* caption, const char* name, QRect geometry) {
  auto* button = Named(new QPushButton(caption, parent), name, geometry);
  QFont font = button->font();
  font.setPixelSize(13);
  button->setFont(font);
  return button;
}

}  // namespace

PictureView::PictureView(const PictureImage& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setObjectName("Image1");
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Out of the Tab order of the controls; a click, or the window's opening, gives it focus.
  setFocusPolicy(Qt::ClickFocus);
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_.Image());
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) drag_from_ = event->position().toPoint();
}

// Only whole steps turn; the rest of the way counts towards the next step.
void PictureView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint moved = event->position().toPoint() - drag_from_;
  const int right = moved.x() / kDragStep;
  const int up = -moved.y() / kDragStep;
  drag_from_ += QPoint(right * kDragStep, -up * kDragStep);
  if (right != 0) emit TurnAsked(Qt::Horizontal, right);
  if (up != 0) emit TurnAsked(Qt::Vertical, up);
}

// Fine-grained wheels send parts of a notch; they add up to whole zoom steps.
void PictureView::wheelEvent(QWheelEvent* event) {
  wheel_rest_ += event->angleDelta().y();
  const int notches = wheel_rest_ / QWheelEvent::DefaultDeltasPerStep;
  wheel_rest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) emit ZoomAsked(notches);
  event->accept();
}

void PictureView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      emit TurnAsked(Qt::Vertical, 1);
      break;
    case Qt::Key_Down:
      emit TurnAsked(Qt::Vertical, -1);
      break;
    case Qt::Key_Right:
      emit TurnAsked(Qt::Horizontal, 1);
      break;
    case Qt::Key_Left:
      emit TurnAsked(Qt::Horizontal, -1);
      break;
    case Qt::Key_Plus:
      emit ZoomAsked(1);
      break;
    case Qt::Key_Minus:
      emit ZoomAsked(-1);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

TfrmRender::TfrmRender(ViewerState& state, UserDialogs& dialogs, DesktopSettings& settings,
                       QWidget* parent)
    : QMdiSubWindow(parent),
      state_(state),
      dialogs_(dialogs),
      settings_(settings),
      picture_(kPictureSize.width(), kPictureSize.height()) {
  setObjectName("frmRender");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  auto* client = new QWidget;
  QFont font = client->font();
  font.setPixelSize(11);
  client->setFont(font);
  Image1 = new PictureView(picture_, client);
  Image1->setGeometry(QRect(QPoint(0, 0), kPictureSize));
  CreatePanel(client);
  setWidget(client);
  ConnectHandlers();
  SetTabOrder();
}

// The controls start as the program-wide state stands, so that they never say the
// opposite of what they do.
void TfrmRender::CreatePanel(QWidget* client) {
  Panel2 = Named(new QFrame(client), "Panel2", QRect(0, 417, 550, 33));
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(2);
  CreateAngleControls();
  // A little wider than their captions need in the original font, so that they show whole.
  RadioButton1 = Named(new QRadioButton("Observer", Panel2), "RadioButton1", QRect(139, 9, 68, 17));
  RadioButton2 = Named(new QRadioButton("Sun", Panel2), "RadioButton2", QRect(207, 9, 42, 17));
  (state_.AngleTarget == AngleTargetKind::kSun ? RadioButton2 : RadioButton1)->setChecked(true);
  CheckBox1 = Named(new QCheckBox("Wire", Panel2), "CheckBox1", QRect(267, 9, 45, 17));
  CheckBox1->setChecked(!state_.Shaded);
  CheckBox2 = Named(new QCheckBox("Autorender", Panel2), "CheckBox2", QRect(326, 9, 84, 17));
  CheckBox2->setChecked(settings_.Toggle(RenderToggle::kAutorender));
  Button2 = ZoomButton(Panel2, "+", "Button2", QRect(411, 7, 20, 20));
  Button3 = ZoomButton(Panel2, "-", "Button3", QRect(431, 7, 20, 20));
  Button1 = Named(new QPushButton("Render now!", Panel2), "Button1", QRect(466, 6, 75, 20));
  for (QAbstractButton* caption :
       std::initializer_list<QAbstractButton*>{RadioButton1, RadioButton2, CheckBox1, CheckBox2})
    CondenseToFit(caption);
  ShowTargetInTooltips();
}

void TfrmRender::CreateAngleControls() {
  const AnglePair angles = TargetAngles(state_);
  Edit1 = AngleBox(Panel2, "Edit1", QRect(15, 6, 34, 20));
  UpDown1 =
      AngleArrows(Qt::Vertical, Panel2, "UpDown1", QRect(49, 6, 16, 20), Edit1, angles.vertical);
  Edit2 = AngleBox(Panel2, "Edit2", QRect(78, 6, 34, 20));
  UpDown2 = AngleArrows(Qt::Horizontal, Panel2, "UpDown2", QRect(112, 6, 16, 20), Edit2,
                        angles.horizontal);
  // Each arrow takes clicks on at least 16 x 16 pixels: the vertical ones up to the panel's
  // edges, the horizontal ones over the box's last pixels and the gap behind them.
  UpDown1->WidenClickArea(QMargins(0, 6, 0, 7));
  UpDown2->WidenClickArea(QMargins(8, 6, 8, 7));
}

// Only the user's clicks run the handlers; setting a control from the program does not.
void TfrmRender::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, &TfrmRender::Button1Click);
  connect(UpDown1, &UpDownControl::Clicked, this, &TfrmRender::UpDown1Click);
  connect(UpDown2, &UpDownControl::Clicked, this, &TfrmRender::UpDown2Click);
  connect(RadioButton1, &QRadioButton::clicked, this, &TfrmRender::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TfrmRender::RadioButton2Click);
  connect(CheckBox1, &QCheckBox::clicked, this, &TfrmRender::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::clicked, this,
          [this](bool on) { settings_.SetToggle(RenderToggle::kAutorender, on); });
  connect(Button2, &QPushButton::clicked, this, &TfrmRender::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TfrmRender::Button3Click);
  connect(Image1, &PictureView::TurnAsked, this, &TfrmRender::Turn);
  connect(Image1, &PictureView::ZoomAsked, this, &TfrmRender::Zoom);
}

void TfrmRender::SetTabOrder() {
  QWidget* const order[] = {Edit1,        Button1,   UpDown1,   UpDown2, Edit2,  RadioButton1,
                            RadioButton2, CheckBox1, CheckBox2, Button2, Button3};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    setTabOrder(order[i], order[i + 1]);
}

void TfrmRender::ShowTargetInTooltips() {
  const QString target = state_.AngleTarget == AngleTargetKind::kSun ? "sun" : "observer";
  const QString vertical =
      "Vertical angle of the " + target + " (drag the picture up or down, or press Up or Down)";
  const QString horizontal =
      "Horizontal angle of the " + target + " (drag the picture sideways, or press Left or Right)";
  Edit1->setToolTip(vertical);
  UpDown1->setToolTip(vertical);
  Edit2->setToolTip(horizontal);
  UpDown2->setToolTip(horizontal);
}

void TfrmRender::ShowAngles(AnglePair angles) {
  UpDown1->SetPosition(angles.vertical);
  UpDown2->SetPosition(angles.horizontal);
}

// Asked for while a render runs, a render follows it, once, with the view as it then is.
void TfrmRender::Button1Click() {
  if (running_ != nullptr) {
    render_wanted_ = true;
    return;
  }
  QtBusyCursor busy_cursor;
  const BusyScope busy(busy_cursor);
  do {
    render_wanted_ = false;  // this render serves any that was waiting
    if (!RenderInBackground()) return;
  } while (render_wanted_);
}

// Draws on a picture of its own, which replaces the shown one only when whole, while the
// events go on: keys, clicks, and even the window's closing. False when the window is gone.
bool TfrmRender::RenderInBackground() {
  PictureImage drawn(picture_.Width(), picture_.Height());
  QEventLoop loop;
  BackgroundRender render(state_, {drawn.GetCanvas(), drawn.Width(), drawn.Height()}, [&loop] {
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  running_ = &render;
  const QPointer<TfrmRender> window(this);
  loop.exec();
  if (window.isNull()) return false;
  if (running_ == &render) running_ = nullptr;
  dialogs_.RunCommand([&] {
    if (render.Finish()) picture_.CopyFrom(drawn);
  });
  Image1->update();
  emit Rendered();
  return true;
}

void TfrmRender::StopRender() {
  render_wanted_ = false;
  if (running_ == nullptr) return;
  running_->Stop();
  running_->Finish();
  running_ = nullptr;
}

void TfrmRender::UpDown1Click(int delta) {
  ShowAngles(TurnTarget(state_, AngleAxis::kVertical, delta));
  AutoRender();
}

void TfrmRender::UpDown2Click(int delta) {
  ShowAngles(TurnTarget(state_, AngleAxis::kHorizontal, delta));
  AutoRender();
}

void TfrmRender::RadioButton1Click() {
  ShowAngles(ChooseAngleTarget(state_, AngleTargetKind::kObserver));
  ShowTargetInTooltips();
}

void TfrmRender::RadioButton2Click() {
  ShowAngles(ChooseAngleTarget(state_, AngleTargetKind::kSun));
  ShowTargetInTooltips();
}

void TfrmRender::CheckBox1Click() {
  state_.Shaded = !CheckBox1->isChecked();
  settings_.SetToggle(RenderToggle::kWire, CheckBox1->isChecked());
  AutoRender();
}

void TfrmRender::Button2Click() {
  ZoomIn(state_);
  AutoRender();
}

void TfrmRender::Button3Click() {
  ZoomOut(state_);
  AutoRender();
}

// The picture and the keys step as the arrows and the zoom buttons do, through them.
void TfrmRender::Turn(Qt::Orientation axis, int steps) {
  UpDownControl* arrows = axis == Qt::Vertical ? UpDown1 : UpDown2;
  for (int i = 0; i < std::abs(steps); ++i) {
    if (steps > 0) {
      arrows->StepUp();
    } else {
      arrows->StepDown();
    }
  }
}

void TfrmRender::Zoom(int steps) {
  for (int i = 0; i < std::abs(steps); ++i) {
    if (steps > 0) {
      Button2Click();
    } else {
      Button3Click();
    }
  }
}

// The render runs once the input already waiting has been handled: steps clicked while a
// picture of millions of faces is drawn give one more picture, of the last angle, instead
// of a queue of pictures of angles already left behind.
void TfrmRender::AutoRender() {
  if (!CheckBox2->isChecked() || render_wanted_) return;
  render_wanted_ = true;
  QMetaObject::invokeMethod(this, &TfrmRender::RenderWanted, Qt::QueuedConnection);
}

void TfrmRender::RenderWanted() {
  if (render_wanted_) Button1Click();
}

void TfrmRender::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && running_ != nullptr) {
    StopRender();
  } else {
    QMdiSubWindow::keyPressEvent(event);
  }
}

void TfrmRender::closeEvent(QCloseEvent* event) {
  StopRender();
  emit Closed();
  QMdiSubWindow::closeEvent(event);
}

}  // namespace orvandel::gui
