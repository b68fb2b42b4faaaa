#include "mapinput/orvan_set_f.h"

#include <QPainter>

namespace orvandel::gui {
namespace {

QPushButton* BoldButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TfrmSet::TfrmSet(std::function<QLineEdit*()> height_field, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      height_field_(std::move(height_field)) {
  setObjectName("frmSet");
  setFixedSize(104, 28);
  MaskEdit1 = new QLineEdit(this);
  MaskEdit1->setObjectName("MaskEdit1");
  MaskEdit1->setInputMask("#00000; ");
  MaskEdit1->setText("");
  MaskEdit1->setFrame(false);
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
  connect(Button1, &QPushButton::clicked, this, &TfrmSet::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmSet::Button2Click);
}

void TfrmSet::PopupAt(const QPoint& screen_point) {
  const int arrows_end = UpDown1->x() + UpDown1->width();
  move(screen_point + QPoint(-(width() - arrows_end), 25));
  MaskEdit1->setFocus();
  exec();
}

void TfrmSet::Button1Click() {
  if (QLineEdit* field = height_field_()) field->setText(MaskEdit1->text());
  accept();  // hides the popup and ends its modal wait
}

void TfrmSet::Button2Click() {
  if (QLineEdit* field = height_field_()) field->setText("");
  accept();  // hides the popup and ends its modal wait
}

// A thin frame just inside the edge.
void TfrmSet::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace orvandel::gui
