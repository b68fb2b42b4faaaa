// Preview terrain, the paint order and mesh files in the render window, driven by keys.
#include <QDir>
#include <QtTest>
#include <memory>

#include "block_map.h"
#include "run_command.h"
#include "running_program.h"
#include "user_input.h"
#include "viewer/orvan_render_f.h"

using namespace orvandel;
using namespace orvandel::gui;

class tst_Preview : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { run_.reset(); }

  void previewShowsTheChangedTerrainAsItsFileWould();
  void desktopPicturesAreThoseOfTheCommandLine_data();
  void desktopPicturesAreThoseOfTheCommandLine();
  void meshFileOpensInTheRenderWindow();

 private:
  // Waits for the load and the renders that a command started; the picture then shown.
  QImage ShownPicture();
  QString Generate(const QString& name);
  void OpenScene(const QString& path);

  std::unique_ptr<RunningProgram> run_;
  QString map_;
};

void tst_Preview::init() {
  run_ = std::make_unique<RunningProgram>();
  QVERIFY(QTest::qWaitForWindowActive(run_->Main()));  // for its shortcuts
  map_ = run_->WriteFile("blocks.bmp", BlockMap(16, 40, 24));
  run_->OpenMap(map_);
  const QStringList texts = {"50", "350", "900", "4000", "2400", "250"};
  for (int i = 0; i < texts.size(); ++i)
    ClickAndType(run_->Panel()->FieldByTag(100 * (i + 1)), texts[i]);
  for (int tag : {0, 6, 9})
    ClickAndType(run_->Panel()->FieldByTag(tag), QString::number(100 * tag));
}

QImage tst_Preview::ShownPicture() {
  TfrmMainMDI* main = run_->Main();
  const bool shown = QTest::qWaitFor(
      [main] {
        return !main->SceneLoading() && main->frmRender != nullptr && !main->frmRender->Rendering();
      },
      30000);
  return shown ? main->frmRender->Picture().Image().copy() : QImage();
}

QString tst_Preview::Generate(const QString& name) {
  run_->dialogs.save_answers.push_back(run_->dir.filePath(name));
  run_->Main()->GoOn();
  return run_->dir.filePath(name);
}

void tst_Preview::OpenScene(const QString& path) {
  run_->dialogs.open_answers.push_back(path);
  run_->Main()->Open3Dfile1Click();
}

// Ctrl+P after a height change shows the new terrain, writes no file, and shows what
// opening the 3DF file of the same settings shows.
void tst_Preview::previewShowsTheChangedTerrainAsItsFileWould() {
  MaskedEdit* field = run_->Panel()->FieldByTag(6);
  QTest::keyClick(field, Qt::Key_P, Qt::ControlModifier);
  const QImage first = ShownPicture();
  QCOMPARE(run_->Main()->frmRender->windowTitle(), QString("Preview of blocks.bmp"));
  ClickAndType(field, "3000");
  QTest::keyClick(field, Qt::Key_P, Qt::ControlModifier);
  const QImage changed = ShownPicture();
  QVERIFY(changed != first);
  QCOMPARE(QDir(run_->dir.path()).entryList(QDir::Files),
           (QStringList{"blocks.bmp", "settings.ini"}));
  QCOMPARE(run_->dialogs.TakeShown(), QStringList());
  OpenScene(Generate("t.3df"));
  QCOMPARE(ShownPicture(), changed);
}

void tst_Preview::desktopPicturesAreThoseOfTheCommandLine_data() {
  QTest::addColumn<bool>("file_order");
  QTest::newRow("depth order by default") << false;
  QTest::newRow("file order") << true;
}

// The desktop program paints in depth order unless "Paint in file order" is checked, which
// it remembers; its pictures are those of orvandel-cli render with and without --depth.
void tst_Preview::desktopPicturesAreThoseOfTheCommandLine() {
  QFETCH(bool, file_order);
  if (file_order) run_->Main()->FileOrder1->trigger();
  QCOMPARE(run_->settings.Toggle(RenderToggle::kFileOrder), file_order);
  const QString scene = Generate("t.3df");
  OpenScene(scene);
  ShownPicture();
  const QString desktop = run_->dir.filePath("desktop.bmp");
  run_->dialogs.save_answers.push_back(desktop);
  run_->Main()->Save3D1Click();
  const QString cli = run_->dir.filePath("cli.bmp");
  std::vector<std::string> args = {"render", scene.toStdString(), cli.toStdString()};
  if (!file_order) args.push_back("--depth");
  QCOMPARE(test::RunCommand(ORVANDEL_CLI, args).exit_status, 0);
  QCOMPARE(QImage(desktop).convertToFormat(QImage::Format_RGB32),
           QImage(cli).convertToFormat(QImage::Format_RGB32));
}

void tst_Preview::meshFileOpensInTheRenderWindow() {
  const QString stl = Generate("t.stl");
  OpenScene(stl);
  const QImage picture = ShownPicture();
  QCOMPARE(run_->Main()->frmRender->windowTitle(), stl);
  QCOMPARE(run_->dialogs.TakeShown(), QStringList());
  QVERIFY(picture.pixel(0, 0) != picture.pixel(picture.rect().center()));
}

QTEST_MAIN(tst_Preview)
#include "preview_test.moc"
