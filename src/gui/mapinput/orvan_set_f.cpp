#include "mapinput/orvan_set_f.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace orvandel::gui {
namespace {

// Below the pointer, and left of it by the popup's width behind the arrows.
constexpr int kBelowPointer = 25;

QPushButton* BoldButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  button->setAutoDefault(false);
  return button;
}

int KeptInRange(int wanted, int length, int first, int available_length) {
  return std::max(first, std::min(wanted, first + available_length - length));
}

// Where a window that wants to stand at wanted stands: moved the least that keeps it whole
// inside available (its top left corner inside when it is larger), its size kept.
QRect KeptInside(const QRect& wanted, const QRect& available) {
  return {KeptInRange(wanted.x(), wanted.width(), available.x(), available.width()),
          KeptInRange(wanted.y(), wanted.height(), available.y(), available.height()),
          wanted.width(), wanted.height()};
}

QRect AvailableAround(const QPoint& screen_point, QScreen* fallback) {
  QScreen* screen = QGuiApplication::screenAt(screen_point);
  if (screen == nullptr) screen = fallback;
  return screen->availableGeometry();
}

}  // namespace

TfrmSet::TfrmSet(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool) {
  setObjectName("frmSet");
  setFixedSize(104, 46);
  MaskEdit1 = new MaskedEdit("#00000; ", this);
  MaskEdit1->setObjectName("MaskEdit1");
  MaskEdit1->setFrame(false);
  QFont font = MaskEdit1->font();
  font.setPixelSize(11);
  MaskEdit1->setFont(font);
  MaskEdit1->setGeometry(4, 4, 39, 20);
  UpDown1 = new UpDownControl(Qt::Vertical, this);
  UpDown1->setObjectName("UpDown1");
  UpDown1->SetRange(-10000, 30000);
  UpDown1->SetIncrement(100);
  UpDown1->setGeometry(43, 4, 15, 20);
  UpDown1->SetAssociate(MaskEdit1);
  Button1 = BoldButton("O", "Button1", this);
  Button1->setGeometry(60, 4, 20, 20);
  Button2 = BoldButton("X", "Button2", this);
  Button2->setGeometry(81, 4, 20, 20);
  CreateColourRow(font);
  connect(Button1, &QPushButton::clicked, this, &TfrmSet::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmSet::Button2Click);
}

// Below the controls, so that they keep their places.
void TfrmSet::CreateColourRow(const QFont& font) {
  ColourSwatch = new QLabel(this);
  ColourSwatch->setObjectName("ColourSwatch");
  ColourSwatch->setAutoFillBackground(true);
  ColourSwatch->setFrameShape(QFrame::Box);  // a white colour shows against the popup too
  ColourSwatch->setGeometry(4, 27, 15, 15);
  ColourName = new QLabel(this);
  ColourName->setObjectName("ColourName");
  ColourName->setFont(font);
  ColourName->setGeometry(24, 27, 76, 15);
}

// A popup partly off the screen would hide the buttons that close it, and the program
// would seem to hang; so it moves inside the screen where it must.
void TfrmSet::PopupAt(const QPoint& screen_point, const ClickedColour& clicked) {
  ShowColour(clicked);
  palette_index_ = clicked.palette_index;
  value_before_ = MaskEdit1->FieldText();
  if (!clicked.height.isEmpty()) MaskEdit1->setText(clicked.height);
  const int arrows_end = UpDown1->x() + UpDown1->width();
  const QRect wanted(screen_point + QPoint(-(width() - arrows_end), kBelowPointer), size());
  move(KeptInside(wanted, AvailableAround(screen_point, screen())).topLeft());
  MaskEdit1->setFocus();
  exec();
}

void TfrmSet::ShowColour(const ClickedColour& clicked) {
  QPalette shown = ColourSwatch->palette();
  shown.setColor(QPalette::Window, clicked.colour);
  shown.setColor(QPalette::WindowText, Qt::black);
  ColourSwatch->setPalette(shown);
  ColourName->setText(QString("Colour %1").arg(clicked.palette_index));
}

void TfrmSet::AcceptHeight() {
  emit HeightChosen(palette_index_, MaskEdit1->FieldText());
  accept();  // hides the popup and ends its modal wait
}

void TfrmSet::ClearHeight() {
  emit HeightChosen(palette_index_, QString());
  accept();
}

void TfrmSet::Cancel() {
  MaskEdit1->setText(value_before_);
  reject();
}

void TfrmSet::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Button1->click();
    case Qt::Key_Escape:
      return Cancel();
    default:
      QDialog::keyPressEvent(event);
  }
}

// A thin frame just inside the edge.
void TfrmSet::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace orvandel::gui
