// The dialogs as a person sees them: real message boxes and file dialogs, answered with
// real clicks and keys.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_set_f.h"
#include "shell/orvan_main_f.h"
#include "shell/program.h"
#include "shell/qt_user_dialogs.h"
#include "user_input.h"

using namespace orvandel;
using namespace orvandel::gui;

namespace {

// What a message box showed.
struct Shown {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QWidget* parent = nullptr;
  int width = 0;
};

Shown Look(QMessageBox* box) {
  Shown shown{box->windowTitle(), box->text(), box->icon(), {}, box->parentWidget(), box->width()};
  for (QAbstractButton* button : box->buttons())
    shown.buttons << button->text();
  return shown;
}

QAbstractButton* ButtonCaptioned(QMessageBox* box, const QString& caption) {
  for (QAbstractButton* button : box->buttons()) {
    if (button->text() == caption) return button;
  }
  return nullptr;
}

// Answers the next message box: looks at it, then does what answer says.
std::shared_ptr<Shown> AnswerBox(const std::function<void(QMessageBox*)>& answer) {
  auto shown = std::make_shared<Shown>();
  AnswerNextModal<QMessageBox>([shown, answer](QMessageBox* box) {
    *shown = Look(box);
    answer(box);
  });
  return shown;
}

std::function<void(QMessageBox*)> Press(const QString& caption) {
  return [caption](QMessageBox* box) {
    QAbstractButton* button = ButtonCaptioned(box, caption);
    QVERIFY2(button != nullptr, qPrintable(Look(box).buttons.join(",")));
    QTest::mouseClick(button, Qt::LeftButton);
  };
}

// In the next file dialog, goes to the folder of path, types the file name of path and
// clicks the Open or Save button; records the dialog's filter.
void TypeIntoFileDialog(const QString& path, QStringList* filters = nullptr) {
  AnswerNextModal<QFileDialog>([path, filters](QFileDialog* dialog) {
    if (filters != nullptr) *filters = dialog->nameFilters();
    const QFileInfo file(path);
    dialog->setDirectory(file.path());
    const QString name = file.fileName();
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    QVERIFY(edit != nullptr && buttons != nullptr);
    QTest::keyClicks(edit, name);
    const bool open = dialog->acceptMode() == QFileDialog::AcceptOpen;
    QTest::mouseClick(buttons->button(open ? QDialogButtonBox::Open : QDialogButtonBox::Save),
                      Qt::LeftButton);
  });
}

}  // namespace

class tst_QtDialogs : public QObject {
  Q_OBJECT

 private slots:
  void errorDialogHasOneAbortButton();
  void generalErrorBoxIsCaptionedWithTheProgram();
  void startUpWarningCountsOnlyOKAsGoingOn_data();
  void startUpWarningCountsOnlyOKAsGoingOn();
  void openDialogTakesANameThatDoesNotExist();
  void openDialogFindsTheExtensionInEitherCase_data();
  void openDialogFindsTheExtensionInEitherCase();
  void saveDialogAddsTheExtensionInSmallLetters();
  void filtersOfSeveralFormats();
  void everyDialogOfTheProgramOpensOverTheMainWindow();
  void valueDialogGivesTheTypedTexts_data();
  void valueDialogGivesTheTypedTexts();
};

void tst_QtDialogs::errorDialogHasOneAbortButton() {
  QWidget window;
  QtUserDialogs dialogs;
  dialogs.SetParent(&window);
  const auto shown = AnswerBox(Press("&Abort"));
  dialogs.ShowError("No map loaded!");
  QCOMPARE(shown->caption, QString("Error"));
  QCOMPARE(shown->text, QString("No map loaded!"));
  QCOMPARE(shown->icon, QMessageBox::Critical);
  QCOMPARE(shown->buttons, QStringList{"&Abort"});
  QCOMPARE(shown->parent, &window);
}

void tst_QtDialogs::generalErrorBoxIsCaptionedWithTheProgram() {
  QtUserDialogs dialogs;
  const auto shown = AnswerBox(Press("OK"));
  dialogs.ShowGeneralError("File not found.");
  QCOMPARE(shown->caption, QString("ORVANDEL"));
  // Room for the title beside a title bar's three buttons, however short the text.
  QFont bold;
  bold.setBold(true);
  QVERIFY(shown->width > QFontMetrics(bold).horizontalAdvance("ORVANDEL") + 3 * 30);
  QCOMPARE(shown->text, QString("File not found."));
  QCOMPARE(shown->icon, QMessageBox::Critical);
  QCOMPARE(shown->buttons, QStringList{"OK"});
}

void tst_QtDialogs::startUpWarningCountsOnlyOKAsGoingOn_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("go_on");
  QTest::newRow("OK") << "OK" << true;
  QTest::newRow("Cancel") << "Cancel" << false;
  QTest::newRow("closed") << "close" << false;
  QTest::newRow("Escape") << "escape" << false;
}

void tst_QtDialogs::startUpWarningCountsOnlyOKAsGoingOn() {
  QFETCH(QString, how);
  QFETCH(bool, go_on);
  QtUserDialogs dialogs;
  const auto shown = AnswerBox([how](QMessageBox* box) {
    if (how == "close") {
      box->close();
    } else if (how == "escape") {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      Press(how)(box);
    }
  });
  QCOMPARE(dialogs.ConfirmWarning(kColourDepthWarning), go_on);
  QCOMPARE(shown->caption, QString("Warning"));
  QCOMPARE(shown->icon, QMessageBox::Warning);
  QCOMPARE(shown->buttons, (QStringList{"OK", "Cancel"}));
  QVERIFY(shown->text.startsWith("This program functions properly only in 24-bit"));
  QVERIFY(shown->text.contains("\nIf this is not your case"));
}

// The program's own check then tells the user, in its own words.
void tst_QtDialogs::openDialogTakesANameThatDoesNotExist() {
  QTemporaryDir dir;
  QtUserDialogs dialogs;
  DesktopSettings settings(dir.filePath("settings.ini"));
  Program program(dialogs, settings);
  AnswerBox(Press("OK"));
  QVERIFY(program.Start());
  QStringList filters;
  TypeIntoFileDialog(dir.filePath("nothere"), &filters);
  const auto shown = AnswerBox(Press("OK"));
  program.frmMainMDI->OpenBMPfile1Click();
  QCOMPARE(filters, QStringList{"BMP files (*.bmp)"});
  QCOMPARE(shown->caption, QString("ORVANDEL"));
  QCOMPARE(shown->text, QString("File not found."));
  QCOMPARE(shown->parent, program.frmMainMDI.get());
  QVERIFY(!program.frmMainMDI->MapWindowOpen());
}

void tst_QtDialogs::openDialogFindsTheExtensionInEitherCase_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("typed");
  QTest::newRow("small letters") << "valley.bmp"
                                 << "valley";
  QTest::newRow("capitals") << "valley.BMP"
                            << "valley";
  QTest::newRow("mixed") << "valley.Bmp"
                         << "valley";
  QTest::newRow("typed whole") << "valley.BMP"
                               << "valley.BMP";
}

void tst_QtDialogs::openDialogFindsTheExtensionInEitherCase() {
  QFETCH(QString, file);
  QFETCH(QString, typed);
  QTemporaryDir dir;
  QFile map(dir.filePath(file));
  QVERIFY(map.open(QIODevice::WriteOnly));
  map.close();
  QtUserDialogs dialogs;
  TypeIntoFileDialog(dir.filePath(typed));
  const auto chosen = dialogs.AskOpenFile({"Open BMP image file", "BMP files|*.bmp", "bmp"}, {});
  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, dir.filePath(file));
}

void tst_QtDialogs::saveDialogAddsTheExtensionInSmallLetters() {
  QTemporaryDir dir;
  QtUserDialogs dialogs;
  QStringList filters;
  TypeIntoFileDialog(dir.filePath("terrain"), &filters);
  const auto chosen = dialogs.AskSaveFile(GenerateDialogSettings("PLG"), {});
  QVERIFY(chosen.has_value());
  QCOMPARE(*chosen, dir.filePath("terrain.plg"));
  // The chosen item's format first, then the five true-scale formats.
  QCOMPARE(filters.size(), 6);
  QCOMPARE(filters.first(), QString("PLG object format (REND386) (*.plg)"));
}

void tst_QtDialogs::filtersOfSeveralFormats() {
  QCOMPARE(QtFileFilter("3DF files|*.3df"), QString("3DF files (*.3df)"));
  QCOMPARE(QtFileFilter("BMP files (*.bmp)|*.bmp"), QString("BMP files (*.bmp)"));
  QCOMPARE(QtFileFilter("PLG object (*.plg)|*.plg|RAW triangles|*.raw"),
           QString("PLG object (*.plg);;RAW triangles (*.raw)"));
}

// The popup too: it stays over the main window, not behind it.
void tst_QtDialogs::everyDialogOfTheProgramOpensOverTheMainWindow() {
  QTemporaryDir dir;
  QtUserDialogs dialogs;
  DesktopSettings settings(dir.filePath("settings.ini"));
  Program program(dialogs, settings);
  const auto warning = AnswerBox(Press("OK"));
  QVERIFY(program.Start());
  QCOMPARE(warning->parent, program.frmMainMDI.get());
  QCOMPARE(program.frmSet->parentWidget(), program.frmMainMDI.get());
  const auto refusal = AnswerBox(Press("&Abort"));
  program.frmGenCPanel->BitBtn1->click();
  QCOMPARE(refusal->text, QString("No map loaded!"));
  QCOMPARE(refusal->parent, program.frmMainMDI.get());
  QWidget* file_dialog_parent = nullptr;
  AnswerNextModal<QFileDialog>([&](QFileDialog* modal) {
    file_dialog_parent = modal->parentWidget();
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  program.frmMainMDI->Open3Dfile1Click();
  QCOMPARE(file_dialog_parent, program.frmMainMDI.get());
}

void tst_QtDialogs::valueDialogGivesTheTypedTexts_data() {
  QTest::addColumn<Qt::Key>("closing_key");
  QTest::addColumn<std::optional<QStringList>>("texts");
  QTest::newRow("Enter") << Qt::Key_Return << std::optional<QStringList>({"2.5", "30"});
  QTest::newRow("Escape") << Qt::Key_Escape << std::optional<QStringList>();
}

void tst_QtDialogs::valueDialogGivesTheTypedTexts() {
  QFETCH(Qt::Key, closing_key);
  QFETCH(std::optional<QStringList>, texts);
  QtUserDialogs dialogs;
  QStringList captions;
  AnswerNextModal<QDialog>([&](QDialog* dialog) {
    for (const QLabel* label : dialog->findChildren<QLabel*>())
      captions << label->text();
    auto* second = dialog->findChildren<QLineEdit*>().at(1);
    ClickAndType(second, "30");
    QTest::keyClick(second, closing_key);
  });
  QCOMPARE(dialogs.AskValues("Mesh options", {{"&Scale", "2.5"}, {"&Base", ""}}), texts);
  QCOMPARE(captions, (QStringList{"&Scale", "&Base"}));
}

QTEST_MAIN(tst_QtDialogs)
#include "qt_dialogs_test.moc"
