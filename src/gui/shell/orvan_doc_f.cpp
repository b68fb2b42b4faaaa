#include "shell/orvan_doc_f.h"

#include <QCoreApplication>
#include <QFile>

#include "orvandel/fileio/failure.h"
#include "shell/document_file.h"

namespace orvandel::gui {

TfrmDoc::TfrmDoc(QWidget* parent) : QMdiSubWindow(parent) {
  setObjectName("frmDoc");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Documentation");
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowContextHelpButtonHint |
                 Qt::WindowCloseButtonHint);
  auto* client = new QWidget;
  Memo1 = new QPlainTextEdit(client);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(0, 0, 440, 254);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Base, QColor(255, 255, 192));
  palette.setColor(QPalette::Text, Qt::black);
  Memo1->setPalette(palette);
  Button1 = new QPushButton("Close", client);
  Button1->setObjectName("Button1");
  Button1->setGeometry(360, 256, 75, 22);
  connect(Button1, &QPushButton::clicked, this, &TfrmDoc::Button1Click);
  setWidget(client);
}

void TfrmDoc::LoadDocument() {
  QFile file(DocumentFile(QCoreApplication::applicationDirPath()));
  if (!file.open(QIODevice::ReadOnly)) {
    throw RuntimeFailure(std::string("Cannot open file ") + kDocumentFileName);
  }
  Memo1->setPlainText(QString::fromUtf8(file.readAll()));
}

}  // namespace orvandel::gui
