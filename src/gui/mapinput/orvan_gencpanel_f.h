#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <array>

#include "mapinput/panel_history.h"
#include "orvandel/generator/field_fault.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/swatches.h"
#include "widgets/masked_edit.h"

namespace orvandel::gui {

// The generator control panel: the 16 colour swatches with their height fields, the six
// settings fields, the output format and the generate button. The user cannot close it.
// Every change to its fields can be undone (History()). The swatches (Label1 to Label16,
// Tag 0 to 15), the height fields (MaskEdit1 to MaskEdit16, Tag 0 to 15), the settings
// fields (MaskEdit17 to MaskEdit22, Tag 100 to 600) and their captions (Label17 to Label22,
// Tag 1000 to 1005) are found by their Tags.
class TfrmGenCPanel : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TfrmGenCPanel(QWidget* parent = nullptr);

  static constexpr QSize kClientSize{148, 383};

  // Colours every label whose Tag is a palette index with that swatch's colour.
  void ColourSwatches(const SwatchColours& swatches);
  // The fields' texts as the generate command reads them, blanks between characters kept.
  PanelTexts Texts() const;
  // The first entry field whose Tag is tag.
  MaskedEdit* FieldByTag(int tag) const;
  MaskedEdit* Field(PanelField field) const;

  // The texts of the 22 fields as the user sees them: the 16 heights, then the six settings.
  QStringList AllTexts() const;
  // Fills the 22 fields, in the order of AllTexts(), as one step of the history.
  void FillIn(const QStringList& texts);
  // The height field of a palette index takes text, as one step of the history.
  void SetHeightText(int palette_index, const QString& text);
  // Gives a field the focus with its text selected, so that the user sees it at once: now,
  // or when the window is active again after a message box.
  void ShowField(PanelField field);

  PanelHistory* History() const { return history_; }

  QPushButton* BitBtn1 = nullptr;  // the globe: generates; the panel's default button
  QGroupBox* RGOutput = nullptr;   // "Output": the format the save dialog offers first

 signals:
  void GenerateRequested();

 public slots:
  void BitBtn1Click() { Generate(); }
  void Generate() { emit GenerateRequested(); }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The panel stays open for the whole run: no key or menu of the work area closes it.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateHeightRows(QWidget* client);
  void CreateSettingsFields(QWidget* client);
  void CreateOutputGroup(QWidget* client);
  QList<MaskedEdit*> AllFields() const;
  void FocusFieldToShow();

  QButtonGroup* output_items_ = nullptr;  // RGOutput's items, numbered in their order
  PanelHistory* history_ = nullptr;
  MaskedEdit* field_to_show_ = nullptr;  // takes the focus when the window is active
};

}  // namespace orvandel::gui
