#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "widgets/masked_edit.h"
#include "widgets/up_down_control.h"

namespace orvandel::gui {

// The colour a click on the map picked, as the height popup shows it.
struct ClickedColour {
  int palette_index = 0;
  QColor colour;
  QString height;  // the text of its height field; empty when it has none
};

// The height popup: a small borderless window over all others with one value field, its
// arrows, "O" to give the clicked colour the value as its height and "X" to take its height
// away; below them the colour's swatch and palette index. Enter does what "O" does; Escape
// closes it with nothing changed. It is hidden, never destroyed, and keeps its value
// between uses, except that it shows the height the clicked colour has.
class TfrmSet : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSet(QWidget* parent = nullptr);

  // Shows the popup modally below and left of a point on the screen, so that its arrows
  // stand under the pointer, as far as the screen that holds the pointer lets it.
  void PopupAt(const QPoint& screen_point, const ClickedColour& clicked);

  MaskedEdit* MaskEdit1 = nullptr;   // the value
  UpDownControl* UpDown1 = nullptr;  // steps the value by 100
  QPushButton* Button1 = nullptr;    // "O": the value becomes the colour's height
  QPushButton* Button2 = nullptr;    // "X": the colour's height is taken away
  QLabel* ColourSwatch = nullptr;    // the clicked colour, framed
  QLabel* ColourName = nullptr;      // "Colour 7": its palette index

 signals:
  // The height field of the palette index is to show text (empty for no height).
  void HeightChosen(int palette_index, const QString& text);

 public slots:
  void Button1Click() { AcceptHeight(); }
  void Button2Click() { ClearHeight(); }
  void AcceptHeight();
  void ClearHeight();
  // Closes the popup; the panel and the value field stay as they were before it opened.
  void Cancel();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void CreateColourRow(const QFont& font);
  void ShowColour(const ClickedColour& clicked);

  int palette_index_ = 0;
  QString value_before_;  // the value field's text when the popup opened
};

}  // namespace orvandel::gui
