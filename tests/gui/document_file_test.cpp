// Where the Documentation command finds document.txt.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/document_file.h"

using namespace orvandel::gui;

class tst_DocumentFile : public QObject {
  Q_OBJECT

 private slots:
  void installedFileComesFirst();
  void currentFolderWhenNotInstalled();
};

void tst_DocumentFile::installedFileComesFirst() {
  const QTemporaryDir prefix;
  const QString bin = prefix.filePath("bin");
  const QString data = InstalledDataFolder(bin);
  QVERIFY(data.startsWith(prefix.path() + "/"));
  QVERIFY(data != bin);
  QVERIFY(QDir().mkpath(data));
  QFile file(data + "/document.txt");
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QCOMPARE(DocumentFile(bin), data + "/document.txt");
}

void tst_DocumentFile::currentFolderWhenNotInstalled() {
  const QTemporaryDir prefix;
  const QString bin = prefix.filePath("bin");
  QCOMPARE(DocumentFile(bin), QString("document.txt"));
  // A folder of that name is no document.
  QVERIFY(QDir().mkpath(InstalledDataFolder(bin) + "/document.txt"));
  QCOMPARE(DocumentFile(bin), QString("document.txt"));
}

QTEST_GUILESS_MAIN(tst_DocumentFile)
#include "document_file_test.moc"
