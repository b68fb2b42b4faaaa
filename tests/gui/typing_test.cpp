// Typing into the control panel and the height popup as a person does: a click into a
// field, or Tab, and then keys.
#include <QtTest>
#include <memory>

#include "block_map.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "run_command.h"
#include "running_program.h"
#include "user_input.h"

using namespace orvandel;
using namespace orvandel::gui;

namespace {

const QStringList kGoodSettings = {"250", "800", "1200", "6400", "4800", "400"};
const char* const kSettingsOptions[] = {"--water",     "--lawn",       "--snow",
                                        "--map-width", "--map-height", "--interval"};

// Where the cursor stands, in the field's pixels.
int CursorX(QLineEdit* field) {
  return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
}

// A field too narrow for its text scrolls it, and the minus of "-10000" disappears: the
// cursor then stands less than the text's width from where the text begins.
bool ShowsWhole(QLineEdit* field, const QString& text) {
  field->setFocus();
  QTest::keyClicks(field, text);
  const int end = CursorX(field);
  QTest::keyClick(field, Qt::Key_Home);
  return end - CursorX(field) >= QFontMetrics(field->font()).horizontalAdvance(text) - 1;
}

}  // namespace

class tst_Typing : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void clickAnywhereThenTypingKeepsEveryDigit_data();
  void clickAnywhereThenTypingKeepsEveryDigit();
  void clickIntoTypedDigitsEditsThere();
  void tabIntoAFieldThenTypingReplacesItsText();
  void blanksInsideANumberAreRefusedAsOnTheCommandLine_data();
  void blanksInsideANumberAreRefusedAsOnTheCommandLine();
  void blanksAroundANumberAreTrimmed();
  void popupTakesTheWholeNumberAndHandsItOnAsTyped();
  void everyFieldShowsItsWidestNumberWhole();

 private:
  MaskedEdit* Field(int tag) const { return run_->Panel()->FieldByTag(tag); }
  void TypeSettings(const QStringList& texts);
  QStringList Generate();

  std::unique_ptr<RunningProgram> run_;
  QString map_;
};

void tst_Typing::init() {
  run_ = std::make_unique<RunningProgram>();
  QVERIFY(run_->started);
  QVERIFY(QTest::qWaitForWindowActive(run_->Main()));
  map_ = run_->WriteFile("blocks.bmp", BlockMap(16, 40, 40));
  run_->OpenMap(map_);
}

void tst_Typing::cleanup() {
  run_.reset();
}

void tst_Typing::TypeSettings(const QStringList& texts) {
  for (int i = 0; i < texts.size(); ++i)
    ClickAndType(Field(100 * (i + 1)), texts[i]);
}

QStringList tst_Typing::Generate() {
  run_->dialogs.save_answers.push_back(run_->dir.filePath("typed.3df"));
  run_->Panel()->BitBtn1->click();
  return run_->dialogs.TakeShown();
}

void tst_Typing::clickAnywhereThenTypingKeepsEveryDigit_data() {
  QTest::addColumn<int>("tag");
  QTest::addColumn<double>("where");  // across the field, 0 left to 1 right
  QTest::addColumn<QString>("keys");
  for (int tag = 0; tag < 16; ++tag)
    QTest::addRow("height %d", tag) << tag << 0.5 << "1200";
  const char* numbers[] = {"-250", "800", "1200", "6400", "4800", "40"};
  for (int i = 0; i < 6; ++i)
    QTest::addRow("setting %d", 100 * (i + 1)) << 100 * (i + 1) << 0.5 << numbers[i];
  QTest::newRow("height, far left") << 7 << 0.05 << "-10000";
  QTest::newRow("height, far right") << 7 << 0.95 << "30000";
  QTest::newRow("interval, far right") << 600 << 0.95 << "12345";
  QTest::newRow("map width, three quarters") << 400 << 0.75 << "654321";
}

void tst_Typing::clickAnywhereThenTypingKeepsEveryDigit() {
  QFETCH(int, tag);
  QFETCH(double, where);
  QFETCH(QString, keys);
  MaskedEdit* field = Field(tag);
  const QPoint point(static_cast<int>(where * field->width()), field->height() / 2);
  QTest::mouseClick(field, Qt::LeftButton, {}, point);
  QTest::keyClicks(field, keys);
  QCOMPARE(field->FieldText(), keys);
  const PanelTexts texts = run_->Panel()->Texts();
  const std::string read = tag < 16 ? texts.heights[static_cast<std::size_t>(tag)]
                                    : texts.settings[static_cast<std::size_t>(tag / 100 - 1)];
  QCOMPARE(QString::fromStdString(read), keys);
}

void tst_Typing::clickIntoTypedDigitsEditsThere() {
  MaskedEdit* field = Field(4);
  ClickAndType(field, "1200");
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(CursorX(field) / 2, field->height() / 2));
  QVERIFY(field->cursorPosition() > 0 && field->cursorPosition() < 4);
  const int at = field->cursorPosition();
  QTest::keyClicks(field, "9");
  QString expected = "1200";
  expected[at] = '9';
  QCOMPARE(field->FieldText(), expected);
}

void tst_Typing::tabIntoAFieldThenTypingReplacesItsText() {
  ClickAndType(Field(200), "999");
  ClickAndType(Field(100), "250");
  QTest::keyClick(Field(100), Qt::Key_Tab);
  QVERIFY(Field(200)->hasFocus());
  QTest::keyClicks(Field(200), "800");
  QCOMPARE(Field(200)->FieldText(), QString("800"));
  QTest::keyClick(Field(200), Qt::Key_Tab);  // into an empty field: typing starts at its start
  QVERIFY(Field(300)->hasFocus());
  QCOMPARE(Field(300)->cursorPosition(), 0);
  QTest::keyClicks(Field(300), "1200");
  QCOMPARE(Field(300)->FieldText(), QString("1200"));
}

void tst_Typing::blanksInsideANumberAreRefusedAsOnTheCommandLine_data() {
  QTest::addColumn<int>("tag");
  QTest::addColumn<QString>("keys");
  QTest::newRow("interval") << 600 << "2 5";
  QTest::newRow("water") << 100 << "- 5";
  QTest::newRow("map height") << 500 << "48 00";
  QTest::newRow("height") << 3 << "1 2";
}

// The command line gets the same texts as arguments; both must refuse with one message.
void tst_Typing::blanksInsideANumberAreRefusedAsOnTheCommandLine() {
  QFETCH(int, tag);
  QFETCH(QString, keys);
  QStringList settings = kGoodSettings;
  if (tag >= 100) settings[tag / 100 - 1] = keys;
  TypeSettings(settings);
  ClickAndType(Field(0), "100");
  if (tag < 16) ClickAndType(Field(tag), keys);
  const QString message = "'" + keys + "' is not a valid floating point value.";
  QCOMPARE(Generate(), QStringList{"ORVANDEL: " + message});

  std::vector<std::string> args = {"generate", map_.toStdString(),
                                   run_->dir.filePath("cli.3df").toStdString(), "--height",
                                   "0=100"};
  if (tag < 16) args.insert(args.end(), {"--height", "3=" + keys.toStdString()});
  for (int i = 0; i < 6; ++i)
    args.insert(args.end(), {kSettingsOptions[i], settings[i].toStdString()});
  const test::CommandResult cli = test::RunCommand(ORVANDEL_CLI, args);
  QCOMPARE(cli.exit_status, 1);
  QCOMPARE(QString::fromStdString(cli.err), message + "\n");
}

void tst_Typing::blanksAroundANumberAreTrimmed() {
  TypeSettings({" 250", "800", "1200", "6400", "4800", "  400"});
  ClickAndType(Field(0), " 100");
  ClickAndType(Field(5), "700");
  QCOMPARE(Field(600)->FieldText(), QString("  400"));
  QCOMPARE(Generate(), QStringList());
  QVERIFY(QFile::exists(run_->dir.filePath("typed.3df")));
  QCOMPARE(run_->program.generator.generator_settings.Interval, 400.0f);
  QCOMPARE(run_->program.generator.generator_settings.Water, 250.0f);
}

// The popup opens with its last value selected; the user clears it, clicks into the middle
// and types.
void tst_Typing::popupTakesTheWholeNumberAndHandsItOnAsTyped() {
  AnswerNextModal<TfrmSet>([](TfrmSet* popup) {
    QTest::keyClick(popup->MaskEdit1, Qt::Key_Backspace);
    ClickAndType(popup->MaskEdit1, "1200");
    QTest::keyClick(popup->MaskEdit1, Qt::Key_Return);
  });
  QTest::mouseClick(run_->Main()->frmMap->Image1, Qt::LeftButton, {}, QPoint(5, 1));
  QCOMPARE(Field(1)->FieldText(), QString("1200"));
  AnswerNextModal<TfrmSet>([](TfrmSet* popup) {
    QTest::keyClicks(popup->MaskEdit1, "2 5");
    ClickAt(popup, popup->Button1->geometry().center());
  });
  QTest::mouseClick(run_->Main()->frmMap->Image1, Qt::LeftButton, {}, QPoint(9, 1));
  QCOMPARE(Field(2)->FieldText(), QString("2 5"));
  QCOMPARE(Field(1)->FieldText(), QString("1200"));
}

void tst_Typing::everyFieldShowsItsWidestNumberWhole() {
  for (int tag = 0; tag < 16; ++tag)
    QVERIFY2(ShowsWhole(Field(tag), "-10000"), qPrintable(QString::number(tag)));
  for (const int tag : {100, 200, 300})
    QVERIFY2(ShowsWhole(Field(tag), "-10000"), qPrintable(QString::number(tag)));
  for (const int tag : {400, 500})
    QVERIFY2(ShowsWhole(Field(tag), "888888"), qPrintable(QString::number(tag)));
  QVERIFY(ShowsWhole(Field(600), "88888"));
  bool popup_shows_whole = false;
  AnswerNextModal<TfrmSet>([&](TfrmSet* popup) {
    popup_shows_whole = ShowsWhole(popup->MaskEdit1, "-10000");
    QTest::keyClick(popup, Qt::Key_Escape);
  });
  QTest::mouseClick(run_->Main()->frmMap->Image1, Qt::LeftButton, {}, QPoint(1, 1));
  QVERIFY(popup_shows_whole);
}

QTEST_MAIN(tst_Typing)
#include "typing_test.moc"
