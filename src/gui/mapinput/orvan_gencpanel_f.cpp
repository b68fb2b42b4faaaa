#include "mapinput/orvan_gencpanel_f.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>

#include "orvandel/writers/output_formats.h"
#include "widgets/fit_font.h"
#include "widgets/globe_picture.h"
#include "widgets/packed_colour.h"
#include "widgets/tags.h"

namespace orvandel::gui {
namespace {

constexpr int kRowHeight = 22;
// The settings stand in columns this far apart; a caption keeps a gap to the next one.
constexpr int kSettingsColumn = 48;
constexpr int kCaptionRoom = kSettingsColumn - 2;

struct SettingsField {
  const char* caption;
  int caption_tag;
  int tag;
  const char* mask;  // a sign or digit, then optional digits; blanks as placeholders
  QColor background;
};

const SettingsField kSettings[] = {
    {"Water", 1000, 100, "#00000; ", QColor(0, 0, 255)},
    {"Lawn", 1001, 200, "#00000; ", QColor(0, 128, 0)},
    {"Snow", 1002, 300, "#00000; ", QColor()},
    {"Mapwidth", 1003, 400, "000000; ", QColor()},
    {"Mapheight", 1004, 500, "000000; ", QColor()},
    {"Interval", 1005, 600, "00000; ", QColor()},
};

MaskedEdit* MaskedField(QWidget* parent, const QString& name, int tag, const QString& mask) {
  auto* field = new MaskedEdit(mask, parent);
  field->setObjectName(name);
  SetTag(field, tag);
  return field;
}

QLabel* Label(QWidget* parent, const QString& name, int tag, const QString& caption) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  SetTag(label, tag);
  return label;
}

void Colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// Its colour, and as tooltip its palette index and colour: "7: RGB 0,128,0".
void ColourSwatch(QLabel* swatch, int index, const QColor& colour) {
  Colour(swatch, QPalette::Window, colour);
  swatch->setToolTip(QString("%1: RGB %2,%3,%4")
                         .arg(index)
                         .arg(colour.red())
                         .arg(colour.green())
                         .arg(colour.blue()));
}

QString HeightStepName(int index) {
  return QString("Height of colour %1").arg(index);
}

}  // namespace

TfrmGenCPanel::TfrmGenCPanel(QWidget* parent) : QMdiSubWindow(parent) {
  setObjectName("frmGenCPanel");
  setWindowTitle("Generator Control Panel");
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* client = new QWidget;
  client->setAutoFillBackground(true);
  Colour(client, QPalette::Window, QColor(0, 128, 128));
  Colour(client, QPalette::WindowText, Qt::white);
  QFont font = client->font();
  font.setPixelSize(11);
  client->setFont(font);
  CreateHeightRows(client);
  CreateSettingsFields(client);
  CreateOutputGroup(client);
  BitBtn1 = new QPushButton(client);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setIcon(GlobePicture());
  BitBtn1->setIconSize(QSize(32, 32));
  BitBtn1->setToolTip("Generate 3D file");
  BitBtn1->setGeometry(4, 338, 140, 41);
  connect(BitBtn1, &QPushButton::clicked, this, &TfrmGenCPanel::BitBtn1Click);
  setWidget(client);
  QList<std::pair<MaskedEdit*, QString>> named;
  for (int index = 0; index < 16; ++index)
    named.append({FieldByTag(index), HeightStepName(index)});
  for (const SettingsField& s : kSettings)
    named.append({FieldByTag(s.tag), s.caption});
  history_ = new PanelHistory(named, this);
}

// Two columns of eight rows: palette indexes 0 to 7 on the left, 8 to 15 on the right.
void TfrmGenCPanel::CreateHeightRows(QWidget* client) {
  for (int index = 0; index < 16; ++index) {
    const int x = index < 8 ? 4 : 76;
    const int y = 4 + kRowHeight * (index % 8);
    QLabel* swatch = Label(client, QString("Label%1").arg(index + 1), index, "");
    swatch->setAutoFillBackground(true);
    ColourSwatch(swatch, index, Qt::white);
    // A dark frame, so that a white swatch stands out against the white fields.
    swatch->setFrameShape(QFrame::Box);
    Colour(swatch, QPalette::WindowText, Qt::black);
    swatch->setGeometry(x, y + 1, 18, 18);
    MaskedEdit* height =
        MaskedField(client, QString("MaskEdit%1").arg(index + 1), index, "#00000; ");
    height->setGeometry(x + 22, y, 46, 20);
  }
}

// Captions above their fields: water, lawn, snow; then map width, map height, interval.
void TfrmGenCPanel::CreateSettingsFields(QWidget* client) {
  for (int i = 0; i < 6; ++i) {
    const SettingsField& s = kSettings[i];
    const int x = 4 + kSettingsColumn * (i % 3);
    const int y = 182 + 40 * (i / 3);
    QLabel* caption = Label(client, QString("Label%1").arg(17 + i), s.caption_tag, s.caption);
    caption->setGeometry(x, y, 50, 14);
    QFont small = caption->font();
    small.setPixelSize(10);
    caption->setFont(small);
    CondenseToFit(caption, caption->text(), kCaptionRoom);
    MaskedEdit* field = MaskedField(client, QString("MaskEdit%1").arg(17 + i), s.tag, s.mask);
    field->setGeometry(x, y + 14, 44, 20);
    if (s.background.isValid()) {
      Colour(field, QPalette::Base, s.background);
      Colour(field, QPalette::Text, Qt::white);
    }
  }
}

// "Output": the formats that are not at true scale, in the format table's order, two to a
// column: 3DF and ASC in the left column, RAW and PLG in the right one.
void TfrmGenCPanel::CreateOutputGroup(QWidget* client) {
  RGOutput = new QGroupBox("Output", client);
  RGOutput->setObjectName("RGOutput");
  RGOutput->setGeometry(4, 262, 140, 72);
  auto* layout = new QGridLayout(RGOutput);
  output_items_ = new QButtonGroup(RGOutput);
  int i = 0;
  for (const OutputFormat& format : OutputFormats()) {
    if (format.true_scale) continue;
    auto* item = new QRadioButton(QString::fromUtf8(format.name), RGOutput);
    output_items_->addButton(item, i);
    layout->addWidget(item, i % 2, i / 2);
    ++i;
  }
  output_items_->button(0)->setChecked(true);
}

void TfrmGenCPanel::ColourSwatches(const SwatchColours& swatches) {
  for (QLabel* label : findChildren<QLabel*>()) {
    const int index = TagOf(label);
    if (index < 0 || index >= 16) continue;  // captions are never coloured
    const PackedColour colour = swatches.colour[static_cast<std::size_t>(index)];
    ColourSwatch(label, index, QColorOf(colour));
  }
}

MaskedEdit* TfrmGenCPanel::FieldByTag(int tag) const {
  return FindByTag<MaskedEdit>(this, tag);
}

MaskedEdit* TfrmGenCPanel::Field(PanelField field) const {
  const int index = static_cast<int>(field.index);
  return FieldByTag(field.kind == PanelField::kHeight ? index : kSettings[index].tag);
}

QList<MaskedEdit*> TfrmGenCPanel::AllFields() const {
  QList<MaskedEdit*> fields;
  for (int index = 0; index < 16; ++index)
    fields << FieldByTag(index);
  for (const SettingsField& s : kSettings)
    fields << FieldByTag(s.tag);
  return fields;
}

QStringList TfrmGenCPanel::AllTexts() const {
  QStringList texts;
  for (const MaskedEdit* field : AllFields())
    texts << field->FieldText();
  return texts;
}

void TfrmGenCPanel::FillIn(const QStringList& texts) {
  QList<std::pair<MaskedEdit*, QString>> filled;
  const QList<MaskedEdit*> fields = AllFields();
  for (qsizetype i = 0; i < fields.size() && i < texts.size(); ++i)
    filled.append({fields[i], texts[i]});
  history_->SetTexts(filled, "Remembered values");
}

void TfrmGenCPanel::SetHeightText(int palette_index, const QString& text) {
  history_->SetTexts({{FieldByTag(palette_index), text}}, HeightStepName(palette_index));
}

void TfrmGenCPanel::ShowField(PanelField field) {
  field_to_show_ = Field(field);
  if (isActiveWindow()) FocusFieldToShow();
}

void TfrmGenCPanel::FocusFieldToShow() {
  if (field_to_show_ == nullptr) return;
  field_to_show_->setFocus(Qt::OtherFocusReason);
  field_to_show_->selectAll();
  field_to_show_ = nullptr;
}

// A window made active again gives the focus back to the control that had it before, so
// the field to show takes it after that.
bool TfrmGenCPanel::event(QEvent* event) {
  const bool handled = QMdiSubWindow::event(event);
  if (event->type() == QEvent::WindowActivate) FocusFieldToShow();
  return handled;
}

PanelTexts TfrmGenCPanel::Texts() const {
  PanelTexts texts;
  for (int index = 0; index < 16; ++index) {
    texts.heights[static_cast<std::size_t>(index)] = FieldByTag(index)->FieldText().toStdString();
  }
  for (int i = 0; i < 6; ++i) {
    texts.settings[static_cast<std::size_t>(i)] =
        FieldByTag(kSettings[i].tag)->FieldText().toStdString();
  }
  texts.output_item = output_items_->checkedButton()->text().toStdString();
  return texts;
}

// Enter anywhere on the panel presses the generate button, its default button.
void TfrmGenCPanel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    BitBtn1->click();
    return;
  }
  QMdiSubWindow::keyPressEvent(event);
}

void TfrmGenCPanel::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace orvandel::gui
