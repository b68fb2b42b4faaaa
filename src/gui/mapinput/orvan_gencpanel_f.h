#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <array>

#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/swatches.h"
#include "widgets/masked_edit.h"

namespace orvandel::gui {

// The generator control panel: the 16 colour swatches with their height fields, the six
// settings fields, the output format and the generate button. The user cannot close it.
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

  QPushButton* BitBtn1 = nullptr;
  QGroupBox* RGOutput = nullptr;

 signals:
  void GenerateRequested();

 public slots:
  void BitBtn1Click() { emit GenerateRequested(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The panel stays open for the whole run: no key or menu of the work area closes it.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateHeightRows(QWidget* client);
  void CreateSettingsFields(QWidget* client);
  void CreateOutputGroup(QWidget* client);

  QButtonGroup* output_items_ = nullptr;
};

}  // namespace orvandel::gui
