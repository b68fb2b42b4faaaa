// What the desktop program does for a user who slips or comes back: undo and redo of the
// panel's changes, the shortcuts, the recent files and the texts kept for a map.
#include <QFileInfo>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "block_map.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "running_program.h"
#include "shell/recent_files_menu.h"
#include "user_input.h"

using namespace orvandel;
using namespace orvandel::gui;

class tst_Forgiving : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void undoAndRedoTakeEachStep();
  void eachShortcutTriggersItsCommandOnce_data();
  void eachShortcutTriggersItsCommandOnce();
  void recentMapsComeBackInOrderAndGreyWhenGone();
  void mapOpenedAgainOffersItsTexts();

 private:
  MaskedEdit* Field(int tag) const { return run_->Panel()->FieldByTag(tag); }
  QStringList Texts(std::initializer_list<int> tags) const;
  void ClickMapAndPress(QPoint pixel, const QString& value, QPushButton* TfrmSet::*button);

  std::unique_ptr<RunningProgram> run_;
};

void tst_Forgiving::init() {
  run_ = std::make_unique<RunningProgram>();
  QVERIFY(QTest::qWaitForWindowActive(run_->Main()));
}

void tst_Forgiving::cleanup() {
  run_.reset();
}

QStringList tst_Forgiving::Texts(std::initializer_list<int> tags) const {
  QStringList texts;
  for (int tag : tags)
    texts << Field(tag)->FieldText();
  return texts;
}

void tst_Forgiving::ClickMapAndPress(QPoint pixel, const QString& value,
                                     QPushButton* TfrmSet::*button) {
  AnswerNextModal<TfrmSet>([&](TfrmSet* popup) {
    popup->MaskEdit1->selectAll();
    QTest::keyClicks(popup->MaskEdit1, value);
    QTest::mouseClick(popup->*button, Qt::LeftButton);
  });
  QTest::mouseClick(run_->Main()->frmMap->Image1, Qt::LeftButton, {}, pixel);
  run_->Main()->activateWindow();  // as the window manager does when the popup goes
  QVERIFY(QTest::qWaitForWindowActive(run_->Main()));
}

// Typed keys, the popup's "O" and "X": one step each, back and forth.
void tst_Forgiving::undoAndRedoTakeEachStep() {
  run_->OpenMap(run_->WriteFile("blocks.bmp", BlockMap()));
  const QList<QStringList> steps = {{"", "", ""},
                                    {"1200", "", ""},
                                    {"1200", "", "2 5"},
                                    {"1200", "700", "2 5"},
                                    {"", "700", "2 5"}};
  ClickAndType(Field(5), "1200");
  ClickAndType(Field(200), "2 5");
  ClickMapAndPress(QPoint(9, 5), "700", &TfrmSet::Button1);  // colour 6
  ClickMapAndPress(QPoint(5, 5), "", &TfrmSet::Button2);     // colour 5
  QCOMPARE(Texts({5, 6, 200}), steps[4]);
  QWidget* focus = Field(200);
  for (int step = 3; step >= 0; --step) {
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Texts({5, 6, 200}), steps[step]);
  }
  for (int step = 1; step <= 4; ++step) {
    QTest::keyClick(focus, step % 2 ? Qt::Key_Y : Qt::Key_Z,
                    step % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Texts({5, 6, 200}), steps[step]);
  }
  QCOMPARE(run_->Main()->Undo1->text(), QString("&Undo Height of colour 5"));
}

void tst_Forgiving::eachShortcutTriggersItsCommandOnce_data() {
  QTest::addColumn<QKeyCombination>("keys");
  QTest::addColumn<QString>("action");
  QTest::newRow("open map") << (Qt::CTRL | Qt::Key_O) << "OpenBMPfile1";
  QTest::newRow("open scene") << (Qt::CTRL | Qt::SHIFT | Qt::Key_O) << "Open3Dfile1";
  QTest::newRow("generate") << (Qt::CTRL | Qt::Key_G) << "Generate3Dfile1";
  QTest::newRow("preview") << (Qt::CTRL | Qt::Key_P) << "Preview1";
  QTest::newRow("save picture") << (Qt::CTRL | Qt::Key_S) << "Save3D1";
  QTest::newRow("documentation") << QKeyCombination(Qt::Key_F1) << "Documentation1";
  QTest::newRow("exit") << (Qt::CTRL | Qt::Key_Q) << "Exit1";
}

void tst_Forgiving::eachShortcutTriggersItsCommandOnce() {
  QFETCH(QKeyCombination, keys);
  QFETCH(QString, action);
  QMap<QString, int> triggered;
  for (QAction* item : run_->Main()->findChild<QMenu*>("Menu1")->actions())
    connect(item, &QAction::triggered, this, [&, item] { ++triggered[item->objectName()]; });
  QTest::keyClick(Field(100), keys.key(), keys.keyboardModifiers());
  QCOMPARE(triggered, (QMap<QString, int>{{action, 1}}));
}

// The dialog opens in the folder of the map chosen last; a map that is gone stands greyed.
void tst_Forgiving::recentMapsComeBackInOrderAndGreyWhenGone() {
  const QString first = run_->WriteFile("first.bmp", BlockMap());
  const QString second = run_->WriteFile("second.bmp", BlockMap(4));
  run_->OpenMap(first);
  run_->OpenMap(second);
  QCOMPARE(run_->dialogs.last_folder, QFileInfo(first).absolutePath());
  QFile::remove(first);
  RecentFilesMenu* menu = run_->Main()->RecentMaps1;
  menu->Refresh();
  QStringList shown;
  for (const QAction* item : menu->actions())
    shown << item->text() + (item->isEnabled() ? "" : " (greyed)");
  QCOMPARE(shown, (QStringList{"&1 " + second, "&2 " + first + " (greyed)"}));
  run_->Main()->frmMap->close();
  menu->actions().first()->trigger();
  QCOMPARE(run_->Main()->frmMap->windowTitle(), second);
}

// Opening another map keeps the fields; opening this one again asks before its kept texts
// replace the typed ones, and Undo brings these back.
void tst_Forgiving::mapOpenedAgainOffersItsTexts() {
  const QString valley = run_->WriteFile("valley.bmp", BlockMap());
  const QString island = run_->WriteFile("island.bmp", BlockMap(4));
  run_->OpenMap(valley);
  ClickAndType(Field(3), "450");
  run_->OpenMap(island);
  ClickAndType(Field(4), "900");
  QCOMPARE(Texts({3, 4}), (QStringList{"450", "900"}));
  run_->OpenMap(valley);
  QCOMPARE(run_->dialogs.TakeShown().size(), 1);  // the question, answered Yes
  QCOMPARE(Texts({3, 4}), (QStringList{"450", ""}));
  QTest::keyClick(Field(3), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(Texts({3, 4}), (QStringList{"450", "900"}));
}

QTEST_MAIN(tst_Forgiving)
#include "forgiving_test.moc"
