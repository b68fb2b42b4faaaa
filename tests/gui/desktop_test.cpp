// The desktop program driven as a user would, with the dialogs answered by a script.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "block_map.h"
#include "bmp_builder.h"
#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "run_command.h"
#include "scripted_dialogs.h"
#include "shell/orvan_doc_f.h"
#include "shell/orvan_main_f.h"
#include "shell/program.h"
#include "shell/qt_user_dialogs.h"
#include "temp_dir.h"

using namespace orvandel;
using namespace orvandel::gui;

namespace {

QColor SwatchColour(TfrmGenCPanel* panel, int index) {
  auto* label = panel->findChild<QLabel*>(QString("Label%1").arg(index + 1));
  return label->palette().color(QPalette::Window);
}

}  // namespace

class tst_Desktop : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void cancelAtStartUpEndsTheProgram();
  void okShowsTheMainWindowWithThePanelAtTheRightEdge();
  void menuItemsInOrder();
  void panelFieldsHaveTheirMasksAndTags();
  void everyDialogHasItsSettingsAndOpensOverTheMainWindow();
  void openedMapColoursTheSwatchesAndSizesItsWindow();
  void mapGivenAtStartOpensOnceTheProgramRuns();
  void secondMapReusesTheWindowAndKeepsOlderSwatches();
  void refusedMapChangesNothing_data();
  void refusedMapChangesNothing();
  void mapBeyondMemoryChangesNothing();
  void clickThenOFillsTheHeightOfTheClickedColour();
  void clickThenXEmptiesIt();
  void popupStandsUnderThePointer();
  void popupArrowsStopAtTheirLimits();
  void generateMessagesInTheirOrder_data();
  void generateMessagesInTheirOrder();
  void closingTheMapWindowUnloadsTheMap();
  void enterOnThePanelGenerates();
  void guiAndCliWriteTheSameBytes();
  void meshOptionsComeOnlyForTrueScaleFormats_data();
  void meshOptionsComeOnlyForTrueScaleFormats();
  void busyCursorIsGoneAfterAFailedWrite();
  void documentationIsReadAgainAtEveryUse();
  void documentationWithoutItsFile();
  void saveDialogFilterOfSeveralFormats();

 private:
  QString WriteMap(const QString& name, const QByteArray& bytes);
  void OpenMap(const QString& path);
  void FillSettings(const QStringList& texts);
  QStringList Generate(const QString& output);
  void ClickMapAndPress(QPoint pixel, const QString& value, QPushButton* TfrmSet::*button);

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<DesktopSettings> settings_;
  std::unique_ptr<Program> program_;
  TfrmMainMDI* main_ = nullptr;
  TfrmGenCPanel* panel_ = nullptr;
};

void tst_Desktop::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  dialogs_ = std::make_unique<ScriptedDialogs>();
  settings_ = std::make_unique<DesktopSettings>(dir_->filePath("settings.ini"));
  program_ = std::make_unique<Program>(*dialogs_, *settings_);
  QVERIFY(program_->Start());
  main_ = program_->frmMainMDI.get();
  panel_ = program_->frmGenCPanel;
  QVERIFY(QTest::qWaitForWindowExposed(main_));
  QCOMPARE(dialogs_->TakeShown(), QStringList{QString("Warning: ") + kColourDepthWarning});
}

void tst_Desktop::cleanup() {
  program_.reset();
  QCOMPARE(QApplication::topLevelWidgets().size(), 0);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

QString tst_Desktop::WriteMap(const QString& name, const QByteArray& bytes) {
  const QString path = dir_->filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

void tst_Desktop::OpenMap(const QString& path) {
  dialogs_->open_answers.push_back(path);
  main_->OpenBMPfile1Click();
}

void tst_Desktop::FillSettings(const QStringList& texts) {
  for (int i = 0; i < texts.size(); ++i)
    panel_->FieldByTag(100 * (i + 1))->setText(texts[i]);
}

QStringList tst_Desktop::Generate(const QString& output) {
  dialogs_->save_answers.push_back(output);
  main_->GoOn();
  return dialogs_->TakeShown();
}

void tst_Desktop::ClickMapAndPress(QPoint pixel, const QString& value,
                                   QPushButton* TfrmSet::*button) {
  TfrmSet* popup = program_->frmSet.get();
  bool answered = false;
  QTimer::singleShot(0, popup, [&] {
    answered = popup->isVisible();
    popup->MaskEdit1->setText(value);
    (popup->*button)->click();
  });
  QTest::mouseClick(main_->frmMap->Image1, Qt::LeftButton, {}, pixel);
  QVERIFY(answered);
  QVERIFY(!popup->isVisible());
}

void tst_Desktop::cancelAtStartUpEndsTheProgram() {
  program_.reset();
  dialogs_->warning_answer = false;
  program_ = std::make_unique<Program>(*dialogs_, *settings_);
  QVERIFY(!program_->Start());
  // The queued request to end comes first: the event loop ends as soon as it starts. The
  // timer ends with the test, so that it cannot fire in a later test's event loop.
  bool still_running = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, qApp, [&] {
    still_running = true;
    QCoreApplication::quit();
  });
  timer.start(2000);
  QCoreApplication::exec();
  QVERIFY(!still_running);
  QCOMPARE(dialogs_->TakeShown().size(), 1);
}

void tst_Desktop::okShowsTheMainWindowWithThePanelAtTheRightEdge() {
  QCOMPARE(main_->windowTitle(), QString("ORVANDEL"));
  QVERIFY(main_->isMaximized());
  QCOMPARE(panel_->windowTitle(), QString("Generator Control Panel"));
  QCOMPARE(panel_->widget()->size(), QSize(148, 383));
  const QWidget* work = main_->MdiArea->viewport();
  QCOMPARE(panel_->mapToGlobal(QPoint(panel_->width(), 0)),
           work->mapToGlobal(QPoint(work->width(), 0)));
  QVERIFY(!(panel_->windowFlags() & Qt::WindowCloseButtonHint));
  QVERIFY(!panel_->close());
  QVERIFY(!program_->frmSet->isVisible());
  QCOMPARE(SwatchColour(panel_, 0), QColor(Qt::white));
  QCOMPARE(panel_->Texts().output_item, std::string("3DF"));
}

void tst_Desktop::menuItemsInOrder() {
  QStringList items;
  for (QAction* action : main_->findChild<QMenu*>("Menu1")->actions()) {
    const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
    items << QString("%1 %2 %3")
                 .arg(name, action->isSeparator() ? "-" : action->text(),
                      action->shortcut().toString());
  }
  QCOMPARE(main_->menuBar()->actions().size(), 2);
  QCOMPARE(main_->findChild<QMenu*>("Menu1")->title(), QString("&Menu"));
  QCOMPARE(items, (QStringList{
                      "OpenBMPfile1 &Open BMP image file... Ctrl+O", "RecentMaps1 &Recent maps ",
                      "Generate3Dfile1 &Generate 3D file... Ctrl+G",
                      "Preview1 &Preview terrain Ctrl+P", "N1 - ",
                      "Open3Dfile1 Open 3&DF file... Ctrl+Shift+O", "RecentScenes1 Recent sc&enes ",
                      "Save3D1 &Save 3D picture as... Ctrl+S", "FileOrder1 Paint in &file order ",
                      "N2 - ", "Documentation1 Do&cumentation F1", "N3 - ", "Exit1 E&xit Ctrl+Q"}));
}

void tst_Desktop::panelFieldsHaveTheirMasksAndTags() {
  for (int index = 0; index < 16; ++index) {
    MaskedEdit* height = panel_->FieldByTag(index);
    QCOMPARE(height->objectName(), QString("MaskEdit%1").arg(index + 1));
    QCOMPARE(height->inputMask(), QString("#00000"));  // blanks as placeholders
    QCOMPARE(height->displayText(), QString(6, ' '));
    QCOMPARE(height->FieldText(), QString());
    auto* swatch = panel_->findChild<QLabel*>(QString("Label%1").arg(index + 1));
    QCOMPARE(swatch->property("Tag").toInt(), index);
    QCOMPARE(swatch->size(), QSize(18, 18));
    // Indexes 0 to 7 down the left column, 8 to 15 down the right one.
    QCOMPARE(swatch->x() < panel_->widget()->width() / 2, index < 8);
    QVERIFY(swatch->geometry().right() < height->x());
  }
  const char* captions[] = {"Water", "Lawn", "Snow", "Mapwidth", "Mapheight", "Interval"};
  const char* masks[] = {"#00000", "#00000", "#00000", "000000", "000000", "00000"};
  for (int i = 0; i < 6; ++i) {
    MaskedEdit* field = panel_->FieldByTag(100 * (i + 1));
    QCOMPARE(field->objectName(), QString("MaskEdit%1").arg(17 + i));
    QCOMPARE(field->inputMask(), QString(masks[i]));
    QCOMPARE(field->displayText(), QString(field->inputMask().size(), ' '));
    auto* caption = panel_->findChild<QLabel*>(QString("Label%1").arg(17 + i));
    QCOMPARE(caption->property("Tag").toInt(), 1000 + i);
    QCOMPARE(caption->text(), QString(captions[i]));
    // Whole, and clear of the next caption.
    QVERIFY(QFontMetrics(caption->font()).horizontalAdvance(caption->text()) < 48);
  }
  QCOMPARE(panel_->FieldByTag(100)->palette().color(QPalette::Base), QColor(0, 0, 255));
  QCOMPARE(panel_->FieldByTag(200)->palette().color(QPalette::Base), QColor(0, 128, 0));
  QCOMPARE(panel_->FieldByTag(100)->palette().color(QPalette::Text), QColor(Qt::white));
}

// The default extensions are those of the files, in small letters.
void tst_Desktop::everyDialogHasItsSettingsAndOpensOverTheMainWindow() {
  QCOMPARE(dialogs_->parent, main_);
  main_->OpenBMPfile1Click();
  QCOMPARE(dialogs_->last_file_dialog.default_extension, std::string("bmp"));
  main_->Open3Dfile1Click();
  QCOMPARE(dialogs_->last_file_dialog.title, std::string("Open 3DF file"));
  QCOMPARE(dialogs_->last_file_dialog.default_extension, std::string("3df"));
  OpenMap(WriteMap("blocks.bmp", BlockMap()));
  FillSettings({"0", "100", "500", "1000", "1000", "100"});
  const QStringList items = {"3DF", "ASC", "RAW", "PLG"};
  for (QAbstractButton* item : panel_->RGOutput->findChildren<QAbstractButton*>()) {
    QTest::mouseClick(item, Qt::LeftButton);
    QCOMPARE(Generate(QString()), QStringList());  // cancelled
    QCOMPARE(dialogs_->last_file_dialog.title, std::string("Generate 3D file"));
    QCOMPARE(QString::fromStdString(dialogs_->last_file_dialog.default_extension),
             item->text().toLower());
    QVERIFY(items.contains(item->text()));
  }
  QTest::mouseClick(panel_->RGOutput->findChildren<QAbstractButton*>().first(), Qt::LeftButton);
  panel_->FieldByTag(1)->setText("5");
  QCOMPARE(Generate(dir_->filePath("t.3df")), QStringList());
  dialogs_->open_answers.push_back(dir_->filePath("t.3df"));
  main_->Open3Dfile1Click();
  QTRY_VERIFY(!main_->SceneLoading());
  dialogs_->save_answers.push_back(QString());
  main_->Save3D1Click();
  QCOMPARE(dialogs_->last_file_dialog.title, std::string("Save 3D picture"));
  QCOMPARE(dialogs_->last_file_dialog.default_extension, std::string("bmp"));
}

void tst_Desktop::openedMapColoursTheSwatchesAndSizesItsWindow() {
  const QString path = WriteMap("blocks.bmp", BlockMap(16, 24, 20));
  OpenMap(path);
  QCOMPARE(dialogs_->last_file_dialog.title, std::string("Open BMP image file"));
  QCOMPARE(dialogs_->last_file_dialog.filter, std::string("BMP files|*.bmp"));
  QCOMPARE(dialogs_->TakeShown(), QStringList());
  QVERIFY(main_->MapWindowOpen());
  QCOMPARE(main_->frmMap->windowTitle(), path);
  QCOMPARE(main_->frmMap->widget()->size(), QSize(24, 20));
  QCOMPARE(main_->frmMap->Image1->cursor().shape(), Qt::CrossCursor);
  QCOMPARE(program_->map.MapFileName, path.toStdString());
  for (int k = 0; k < 16; ++k)
    QCOMPARE(SwatchColour(panel_, k), PaletteColour(k));
}

void tst_Desktop::mapGivenAtStartOpensOnceTheProgramRuns() {
  const QString path = WriteMap("blocks.bmp", BlockMap(16, 24, 20));
  program_->OpenAtStart(path.toStdString());
  QVERIFY(!main_->MapWindowOpen());  // not before the event loop runs
  QTRY_VERIFY(main_->MapWindowOpen());
  QCOMPARE(program_->map.MapFileName, path.toStdString());
  program_->OpenAtStart(dir_->filePath("none.bmp").toStdString());
  QTRY_VERIFY(!dialogs_->shown.isEmpty());
  QCOMPARE(dialogs_->TakeShown(), QStringList{"ORVANDEL: File not found."});
  QCOMPARE(program_->map.MapFileName, path.toStdString());

  // A name that is not UTF-8 text opens by its bytes.
  const std::string latin1 = dir_->filePath("h").toStdString() + "\xf6he.bmp";
  const QByteArray bytes = BlockMap(16, 24, 20);
  tools::WriteFileBytes(latin1, bytes.toStdString());
  program_->OpenAtStart(latin1);
  QTRY_COMPARE(program_->map.MapFileName, latin1);
  QCOMPARE(dialogs_->TakeShown(), QStringList());
}

void tst_Desktop::secondMapReusesTheWindowAndKeepsOlderSwatches() {
  OpenMap(WriteMap("sixteen.bmp", BlockMap(16)));
  TfrmMap* first_window = main_->frmMap;
  tools::BmpDescription four;
  four.width = 30;
  four.height = 10;
  four.palette = {PackRGB(1, 2, 3), PackRGB(4, 5, 6), PackRGB(7, 8, 9), PackRGB(9, 9, 9)};
  four.pixels.assign(300, 2);
  const std::string bytes = tools::EncodeBmp(four);
  const QString second =
      WriteMap("four.bmp", QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  OpenMap(second);
  QCOMPARE(main_->frmMap, first_window);
  QCOMPARE(main_->frmMap->windowTitle(), second);
  QCOMPARE(main_->frmMap->widget()->size(), QSize(30, 10));
  QCOMPARE(SwatchColour(panel_, 3), QColor(9, 9, 9));
  QCOMPARE(SwatchColour(panel_, 4), PaletteColour(4));
}

void tst_Desktop::refusedMapChangesNothing_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QString>("message");
  QByteArray not_bmp(60, 'x');
  QByteArray compressed = BlockMap();
  compressed[30] = 2;
  QTest::newRow("not a BMP") << "text.bmp" << not_bmp << "Error: File corrupted or not BMP!";
  QTest::newRow("compressed") << "rle.bmp" << compressed << "Error: Unknown file compression!";
  QTest::newRow("other extension")
      << "map.txt" << BlockMap() << "ORVANDEL: Unknown picture file extension (.txt).";
  QTest::newRow("pixels cut short")
      << "short.bmp" << BlockMap().left(130) << "ORVANDEL: Bitmap image is not valid.";
  QTest::newRow("headers cut short")
      << "tiny.bmp" << BlockMap().left(30) << "ORVANDEL: Read beyond end of file.";
  QByteArray unknown_header = BlockMap();
  unknown_header[14] = 64;
  QTest::newRow("unknown header size")
      << "os2.bmp" << unknown_header << "Error: Unknown BMP header size!";
  QByteArray table_over_pixels = BlockMap();
  table_over_pixels[10] = 100;  // the colour table of 16 entries ends at 118
  QTest::newRow("colour table over the pixels")
      << "overlap.bmp" << table_over_pixels << "Error: BMP header overlaps the pixel data!";
}

// A map whose pixels would fill far more than memory: a sparse file of 2 TB.
void tst_Desktop::mapBeyondMemoryChangesNothing() {
#if defined(__SANITIZE_ADDRESS__)
  QSKIP("AddressSanitizer ends the program at an allocation beyond memory");
#endif
  QFile overcommit("/proc/sys/vm/overcommit_memory");
  if (overcommit.open(QIODevice::ReadOnly) && overcommit.readAll().trimmed() == "1") {
    QSKIP("memory is overcommitted without limit");
  }
  const QString first = WriteMap("blocks.bmp", BlockMap());
  OpenMap(first);
  QByteArray huge = BlockMap().left(118);
  huge.replace(18, 8, QByteArray("\0\0\x20\0\0\0\x20\0", 8));  // 2M x 2M pixels
  QFile file(WriteMap("huge.bmp", huge));
  if (!file.resize(118 + (qint64{1} << 41))) QSKIP("the file system holds no sparse file of 2 TB");
  OpenMap(file.fileName());
  QCOMPARE(dialogs_->TakeShown(), QStringList{"ORVANDEL: Out of memory."});
  QCOMPARE(main_->frmMap->windowTitle(), first);
  QCOMPARE(program_->map.MapFileName, first.toStdString());
}

void tst_Desktop::refusedMapChangesNothing() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, message);
  OpenMap(WriteMap(name, bytes));
  QCOMPARE(dialogs_->TakeShown(), QStringList{message});
  QVERIFY(!main_->MapWindowOpen());
  QCOMPARE(program_->map.MapFileName, std::string());
  QCOMPARE(SwatchColour(panel_, 1), QColor(Qt::white));
}

void tst_Desktop::clickThenOFillsTheHeightOfTheClickedColour() {
  OpenMap(WriteMap("blocks.bmp", BlockMap()));
  ClickMapAndPress(QPoint(5, 5), "1200", &TfrmSet::Button1);  // block 1, 1: colour 5
  QCOMPARE(panel_->findChild<QLineEdit*>("MaskEdit6")->text(), QString("1200"));
  QCOMPARE(program_->map.SelectedColourIndex, 5);
  // The popup keeps its value; a click elsewhere fills another colour.
  ClickMapAndPress(QPoint(15, 15), "-300", &TfrmSet::Button1);  // colour 15
  QCOMPARE(panel_->FieldByTag(15)->text(), QString("-300"));
  QCOMPARE(panel_->FieldByTag(5)->text(), QString("1200"));
}

void tst_Desktop::clickThenXEmptiesIt() {
  OpenMap(WriteMap("blocks.bmp", BlockMap()));
  panel_->FieldByTag(2)->setText("700");
  ClickMapAndPress(QPoint(9, 1), "50", &TfrmSet::Button2);  // colour 2
  QCOMPARE(panel_->FieldByTag(2)->text(), QString());
  QCOMPARE(panel_->FieldByTag(100)->text(), QString());
}

void tst_Desktop::popupStandsUnderThePointer() {
  // Far enough from the screen's edges for the popup to fit there.
  OpenMap(WriteMap("blocks.bmp", BlockMap(16, 200, 100)));
  TfrmSet* popup = program_->frmSet.get();
  QPoint place;
  QTimer::singleShot(0, popup, [&] {
    place = popup->pos();
    popup->Button2->click();
  });
  QTest::mouseClick(main_->frmMap->Image1, Qt::LeftButton, {}, QPoint(100, 10));
  const QPoint pointer = main_->frmMap->Image1->mapToGlobal(QPoint(100, 10));
  QCOMPARE(place, pointer + QPoint(-46, 25));
  QCOMPARE(popup->size(), QSize(104, 46));
}

void tst_Desktop::popupArrowsStopAtTheirLimits() {
  TfrmSet* popup = program_->frmSet.get();
  popup->MaskEdit1->setText("29950");
  popup->UpDown1->StepUp();
  QCOMPARE(popup->MaskEdit1->text(), QString("30000"));
  popup->UpDown1->StepUp();
  QCOMPARE(popup->MaskEdit1->text(), QString("30000"));
  popup->MaskEdit1->setText("-9950");
  popup->UpDown1->StepDown();
  popup->UpDown1->StepDown();
  QCOMPARE(popup->MaskEdit1->text(), QString("-10000"));
}

// After a refusal that concerns one field, that field has the focus, its text selected.
void tst_Desktop::generateMessagesInTheirOrder_data() {
  QTest::addColumn<bool>("map");
  QTest::addColumn<QStringList>("settings");
  QTest::addColumn<QString>("height");
  QTest::addColumn<QString>("output");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("fault");  // the Tag of the field at fault, -1 for none
  const QStringList good = {"0", "100", "500", "1000", "1000", "100"};
  QStringList blank = good;
  blank[2] = "";
  QStringList equal = good;
  equal[5] = "1000";
  QStringList tiny = good;
  tiny[5] = "0";
  QStringList blanks_inside = good;
  blanks_inside[1] = "2 5";
  QTest::newRow("no map") << false << good << "10"
                          << "t.3df"
                          << "Error: No map loaded!" << -1;
  QTest::newRow("blank") << true << blank << "10"
                         << "t.3df"
                         << "Error: One or more important values not set!" << 300;
  QTest::newRow("interval") << true << equal << "10"
                            << "t.3df"
                            << "Error: Invalid interval!" << 600;
  QTest::newRow("cell") << true << tiny << "10"
                        << "t.3df"
                        << "Error: Division by zero - Interval too small!" << 600;
  QTest::newRow("extension") << true << good << "10"
                             << "t.3d"
                             << "Error: Invalid file extension!" << -1;
  QTest::newRow("no height") << true << good << ""
                             << "t.raw"
                             << "Error: Must set at least one height!" << 0;
  QTest::newRow("not a number") << true << good << "-"
                                << "t.raw"
                                << "ORVANDEL: '-' is not a valid floating point value." << 3;
  QTest::newRow("blanks inside") << true << blanks_inside << "10"
                                 << "t.raw"
                                 << "ORVANDEL: '2 5' is not a valid floating point value." << 200;
}

void tst_Desktop::generateMessagesInTheirOrder() {
  QFETCH(bool, map);
  QFETCH(QStringList, settings);
  QFETCH(QString, height);
  QFETCH(QString, output);
  QFETCH(QString, message);
  QFETCH(int, fault);
  if (map) OpenMap(WriteMap("blocks.bmp", BlockMap()));
  FillSettings(settings);
  panel_->FieldByTag(3)->setText(height);
  QCOMPARE(Generate(dir_->filePath(output)), QStringList{message});
  QVERIFY(!QFile::exists(dir_->filePath(output)));
  if (fault < 0) return;
  MaskedEdit* field = panel_->FieldByTag(fault);
  QCOMPARE(main_->focusWidget(), field);
  QVERIFY(field->hasSelectedText() || field->FieldText().isEmpty());
}

void tst_Desktop::closingTheMapWindowUnloadsTheMap() {
  OpenMap(WriteMap("blocks.bmp", BlockMap()));
  main_->frmMap->close();
  QVERIFY(!main_->MapWindowOpen());
  QCOMPARE(program_->map.MapFileName, std::string());
  FillSettings({"0", "100", "500", "1000", "1000", "100"});
  QCOMPARE(Generate(dir_->filePath("t.3df")), QStringList{"Error: No map loaded!"});
  OpenMap(dir_->filePath("blocks.bmp"));
  QVERIFY(main_->MapWindowOpen());
  QCOMPARE(SwatchColour(panel_, 7), PaletteColour(7));
}

void tst_Desktop::enterOnThePanelGenerates() {
  dialogs_->save_answers.push_back(QString());
  QTest::keyClick(panel_->FieldByTag(4), Qt::Key_Return);
  QCOMPARE(dialogs_->TakeShown(), QStringList{"Error: No map loaded!"});
}

void tst_Desktop::guiAndCliWriteTheSameBytes() {
  const QString map = WriteMap("blocks.bmp", BlockMap(16, 40, 24));
  OpenMap(map);
  const QStringList settings = {"50", "350", "900", "4000", "2400", "250"};
  FillSettings(settings);
  panel_->FieldByTag(0)->setText("100");
  panel_->FieldByTag(6)->setText("1000");
  panel_->FieldByTag(9)->setText("-20");
  QDir(dir_->path()).mkdir("gui");
  QDir(dir_->path()).mkdir("cli");
  for (const QString name :
       {"t.3df", "t.asc", "t.raw", "t.plg", "t.stl", "t.obj", "t.ply", "t.glb"}) {
    QCOMPARE(Generate(dir_->filePath("gui/" + name)), QStringList());
    const QString cli_name = dir_->filePath("cli/" + name);
    const auto result = test::RunCommand(ORVANDEL_CLI, {"generate",
                                                        map.toStdString(),
                                                        cli_name.toStdString(),
                                                        "--height",
                                                        "0=100",
                                                        "--height",
                                                        "6=1000",
                                                        "--height",
                                                        "9=-20",
                                                        "--water",
                                                        "50",
                                                        "--lawn",
                                                        "350",
                                                        "--snow",
                                                        "900",
                                                        "--map-width",
                                                        "4000",
                                                        "--map-height",
                                                        "2400",
                                                        "--interval",
                                                        "250"});
    QCOMPARE(result.exit_status, 0);
    QFile gui_file(dir_->filePath("gui/" + name));
    QFile cli_file(cli_name);
    QVERIFY(gui_file.open(QIODevice::ReadOnly) && cli_file.open(QIODevice::ReadOnly));
    const QByteArray gui_bytes = gui_file.readAll();
    QVERIFY(gui_bytes.size() > 100);
    QCOMPARE(gui_bytes, cli_file.readAll());
  }
}

void tst_Desktop::meshOptionsComeOnlyForTrueScaleFormats_data() {
  QTest::addColumn<QString>("output");
  QTest::addColumn<QList<QStringList>>("answers");  // to each dialog; an empty list cancels
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("cli_options");  // what writes the same file; none: no file
  const QString refused = "Error: --vertical-scale takes a positive number, not '0'";
  QTest::newRow("3DF: no dialog") << "t.3df" << QList<QStringList>() << QStringList()
                                  << QStringList{"--threads", "1"};
  QTest::newRow("STL with both") << "t.stl" << QList<QStringList>{{"2", "50", "0", "", ""}}
                                 << QStringList()
                                 << QStringList{"--vertical-scale", "2", "--base", "50"};
  QTest::newRow("OBJ, no base") << "t.obj" << QList<QStringList>{{"0.5", "", "0", "", ""}}
                                << QStringList() << QStringList{"--vertical-scale", "0.5"};
  QTest::newRow("PLY within 40") << "t.ply" << QList<QStringList>{{"1", "", "40", "", ""}}
                                 << QStringList() << QStringList{"--max-error", "40"};
  QTest::newRow("3MF printed, y up")
      << "t.3mf" << QList<QStringList>{{"1", "3", "0", "150", "y"}} << QStringList()
      << QStringList{"--base", "3", "--print-width", "150", "--up", "y"};
  // glTF's axes are fixed: no up axis is asked for.
  QTest::newRow("refused, then cancelled") << "t.glb" << QList<QStringList>{{"0", "", "0", ""}, {}}
                                           << QStringList{refused} << QStringList();
}

// Prefilled with the texts of the last use, checked as orvandel-cli checks its options.
void tst_Desktop::meshOptionsComeOnlyForTrueScaleFormats() {
  QFETCH(QString, output);
  QFETCH(QList<QStringList>, answers);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, cli_options);
  const QString map = WriteMap("blocks.bmp", BlockMap(16, 40, 24));
  OpenMap(map);
  FillSettings({"50", "350", "900", "4000", "2400", "250"});
  panel_->FieldByTag(6)->setText("1000");
  for (const QStringList& answer : answers)
    dialogs_->value_answers.push_back(answer.isEmpty() ? std::nullopt
                                                       : std::optional<QStringList>(answer));
  QCOMPARE(Generate(dir_->filePath(output)), messages);
  QCOMPARE(dialogs_->shown_values.size(), answers.size());
  if (!answers.isEmpty()) {
    const QStringList prefilled = {"1", "", "0", "", ""};
    QCOMPARE(dialogs_->shown_values.first(), prefilled.mid(0, answers.first().size()));
  }
  QCOMPARE(QFile::exists(dir_->filePath(output)), !cli_options.isEmpty());
  if (cli_options.isEmpty()) return;
  QDir(dir_->path()).mkdir("cli");
  const QStringList args = QStringList{"generate", map, dir_->filePath("cli/" + output)} +
                           QString(
                               "--height 6=1000 --water 50 --lawn 350 --snow 900 "
                               "--map-width 4000 --map-height 2400 --interval 250")
                               .split(' ') +
                           cli_options;
  std::vector<std::string> arguments;
  for (const QString& arg : args)
    arguments.push_back(arg.toStdString());
  QCOMPARE(test::RunCommand(ORVANDEL_CLI, arguments).exit_status, 0);
  QFile gui_file(dir_->filePath(output));
  QFile cli_file(dir_->filePath("cli/" + output));
  QVERIFY(gui_file.open(QIODevice::ReadOnly) && cli_file.open(QIODevice::ReadOnly));
  QCOMPARE(gui_file.readAll(), cli_file.readAll());
  if (answers.isEmpty()) return;
  Generate(dir_->filePath(output));
  QCOMPARE(dialogs_->shown_values.last(), answers.last());
}

void tst_Desktop::busyCursorIsGoneAfterAFailedWrite() {
  OpenMap(WriteMap("blocks.bmp", BlockMap()));
  FillSettings({"0", "100", "500", "1000", "1000", "100"});
  panel_->FieldByTag(1)->setText("5");
  QCOMPARE(Generate(dir_->filePath("missing-folder/t.3df")),
           QStringList{"ORVANDEL: File not found."});
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

void tst_Desktop::documentationIsReadAgainAtEveryUse() {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir_->path());
  QFile file("document.txt");
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("first\n");
  file.close();
  main_->Documentation1Click();
  TfrmDoc* window = main_->frmDoc;
  QCOMPARE(window->windowTitle(), QString("Documentation"));
  QCOMPARE(window->Memo1->toPlainText(), QString("first\n"));
  window->Memo1->setPlainText("edited");
  main_->Documentation1Click();
  QCOMPARE(main_->frmDoc, window);
  QCOMPARE(window->Memo1->toPlainText(), QString("first\n"));
  window->Button1->click();
  QVERIFY(!main_->DocWindowOpen());
  QDir::setCurrent(previous);
  QCOMPARE(dialogs_->TakeShown(), QStringList());
}

void tst_Desktop::documentationWithoutItsFile() {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir_->path());
  main_->Documentation1Click();
  QDir::setCurrent(previous);
  QVERIFY(main_->DocWindowOpen());
  QCOMPARE(main_->frmDoc->Memo1->toPlainText(), QString());
  QCOMPARE(dialogs_->TakeShown(), QStringList{"ORVANDEL: Cannot open file document.txt."});
}

void tst_Desktop::saveDialogFilterOfSeveralFormats() {
  QCOMPARE(QtFileFilter("3DF (internal) format (*.3df)|*.3df|glTF 2.0 binary|*.glb"),
           QString("3DF (internal) format (*.3df);;glTF 2.0 binary (*.glb)"));
  QCOMPARE(QtFileFilter("BMP files|*.bmp"), QString("BMP files (*.bmp)"));
  // What a name typed without an extension takes when the user picks a filter.
  QCOMPARE(FilterSuffix("glTF 2.0 binary (*.glb)"), QString("glb"));
  QCOMPARE(FilterSuffix("All files (*)"), QString());
}

QTEST_MAIN(tst_Desktop)
#include "desktop_test.moc"
