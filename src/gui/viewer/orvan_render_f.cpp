#include "viewer/orvan_render_f.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cstdlib>

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

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setObjectName("Image1");
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Out of the Tab order of the controls; a click, or the window's opening, gives it focus.
  setFocusPolicy(Qt::ClickFocus);
}

void PictureView::SetPicture(const PictureImage* picture) {
  picture_ = picture;
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (picture_ == nullptr) return;
  QPainter painter(this);
  painter.drawImage(rect(), picture_->Image());
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
      picture_(std::make_shared<PictureImage>(kPictureSize.width(), kPictureSize.height())),
      scheduler_(new RenderScheduler(state, this)) {
  setObjectName("frmRender");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  auto* client = new QWidget;
  QFont font = client->font();
  font.setPixelSize(11);
  client->setFont(font);
  Image1 = new PictureView(client);
  Image1->SetPicture(picture_.get());
  CreatePanel(client);
  // The panel's controls stay whole, above a picture of some height.
  client->setMinimumSize(kPictureSize.width(), kPanelHeight + 100);
  client->installEventFilter(this);
  PlaceViewAndPanel(kPictureSize + QSize(0, kPanelHeight - 2));
  setWidget(client);
  ConnectHandlers();
  SetTabOrder();
}

// The controls start as the program-wide state stands, so that they never say the
// opposite of what they do.
void TfrmRender::CreatePanel(QWidget* client) {
  Panel2 = new QFrame(client);
  Panel2->setObjectName("Panel2");
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
  connect(Image1, &PictureView::TurnAsked, this, &TfrmRender::TurnBy);
  connect(Image1, &PictureView::ZoomAsked, this, &TfrmRender::ZoomBy);
  connect(scheduler_, &RenderScheduler::Ended, this, &TfrmRender::RenderEnded);
  connect(scheduler_, &RenderScheduler::BusyChanged, this, &TfrmRender::ShowBusy);
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

// The picture fills the client area above the panel, which keeps its controls where they
// are, at the left, and overlaps the picture's last row. The frame around the client is a
// pixel taller than the form's, so the panel's lowest row lies just below the client area:
// at the opening size the picture and the panel stand where the form puts them.
void TfrmRender::PlaceViewAndPanel(QSize client) {
  const int panel_top = client.height() - kPanelHeight + 1;
  Image1->setGeometry(0, 0, client.width(), panel_top + 1);
  Panel2->setGeometry(0, panel_top, client.width(), kPanelHeight);
}

// A picture of another size than the view's is drawn afresh, whatever "Autorender" says:
// the picture fills the view. Renders asked for while the user drags merge.
bool TfrmRender::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::Resize) {
    PlaceViewAndPanel(static_cast<QResizeEvent*>(event)->size());
    if (Image1->size() != picture_->Image().size()) Render();
  }
  return QMdiSubWindow::eventFilter(watched, event);
}

// The size the user gives the window is the size of the next window.
void TfrmRender::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  if (!isMaximized() && !isMinimized()) settings_.SetRenderWindowSize(size());
}

void TfrmRender::Render() {
  scheduler_->Request(Image1->size());
}

// A whole picture replaces the shown one; a failed render's message is shown, and a stopped
// or failed one leaves the picture as it was.
void TfrmRender::RenderEnded(const std::shared_ptr<PictureImage>& picture,
                             std::exception_ptr failure) {
  if (picture != nullptr) {
    picture_ = picture;
    Image1->SetPicture(picture_.get());
  }
  if (failure) dialogs_.RunCommand([&] { std::rethrow_exception(failure); });
  emit Rendered();
}

void TfrmRender::ShowBusy(bool busy) {
  if (busy) {
    busy_.emplace(busy_cursor_);
  } else {
    busy_.reset();
  }
}

void TfrmRender::StopRender() {
  scheduler_->Stop();
}

void TfrmRender::TurnVertically(int delta) {
  ShowAngles(TurnTarget(state_, AngleAxis::kVertical, delta));
  AutoRender();
}

void TfrmRender::TurnHorizontally(int delta) {
  ShowAngles(TurnTarget(state_, AngleAxis::kHorizontal, delta));
  AutoRender();
}

void TfrmRender::ChooseObserver() {
  ShowAngles(ChooseAngleTarget(state_, AngleTargetKind::kObserver));
  ShowTargetInTooltips();
}

void TfrmRender::ChooseSun() {
  ShowAngles(ChooseAngleTarget(state_, AngleTargetKind::kSun));
  ShowTargetInTooltips();
}

void TfrmRender::ShowWireFrame() {
  state_.Shaded = !CheckBox1->isChecked();
  settings_.SetToggle(RenderToggle::kWire, CheckBox1->isChecked());
  AutoRender();
}

void TfrmRender::ZoomIn() {
  orvandel::ZoomIn(state_);
  AutoRender();
}

void TfrmRender::ZoomOut() {
  orvandel::ZoomOut(state_);
  AutoRender();
}

// The picture and the keys step as the arrows and the zoom buttons do, through them.
void TfrmRender::TurnBy(Qt::Orientation axis, int steps) {
  UpDownControl* arrows = axis == Qt::Vertical ? UpDown1 : UpDown2;
  for (int i = 0; i < std::abs(steps); ++i) {
    if (steps > 0) {
      arrows->StepUp();
    } else {
      arrows->StepDown();
    }
  }
}

void TfrmRender::ZoomBy(int steps) {
  for (int i = 0; i < std::abs(steps); ++i) {
    if (steps > 0) {
      ZoomIn();
    } else {
      ZoomOut();
    }
  }
}

void TfrmRender::AutoRender() {
  if (CheckBox2->isChecked()) Render();
}

void TfrmRender::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && scheduler_->Busy()) {
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
