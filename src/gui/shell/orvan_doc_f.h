#pragma once

#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orvandel::gui {

// The documentation window: "document.txt" in a text box the user may edit (nothing is
// saved).
class TfrmDoc : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TfrmDoc(QWidget* parent = nullptr);

  static constexpr QSize kClientSize{440, 280};

  // Reads "document.txt" again, the installed one or else that of the current folder
  // (DocumentFile), replacing what the box holds. Throws RuntimeFailure
  // "Cannot open file document.txt" when it cannot be read; the box then keeps its text.
  void LoadDocument();

  QPlainTextEdit* Memo1 = nullptr;  // the text, on light yellow
  QPushButton* Button1 = nullptr;   // "Close"

 signals:
  void Closed();

 public slots:
  void Button1Click() { close(); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    emit Closed();
    QMdiSubWindow::closeEvent(event);
  }
};

}  // namespace orvandel::gui
