// The render window and the scene commands, with the dialogs answered by a script.
#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "bmp_builder.h"
#include "generation.h"
#include "orvandel/viewer/viewer_state.h"
#include "run_command.h"
#include "scene_file.h"
#include "scripted_dialogs.h"
#include "shell/orvan_main_f.h"
#include "shell/program.h"
#include "temp_dir.h"
#include "user_input.h"
#include "viewer/orvan_render_f.h"

using namespace orvandel;
using namespace orvandel::gui;

namespace {

// A terrain of 10 x 10 vertices rising from the water in the west to snow in the east.
void WriteTerrain(const std::string& file_name) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x)
      pixels.push_back(static_cast<std::uint8_t>((x + y / 3) % 16));
  }
  test::Generation g(20, 20, pixels);
  g.panel.settings = {"100", "600", "1200", "2000", "2000", "200"};
  for (int k = 0; k < 16; ++k)
    g.panel.heights[static_cast<std::size_t>(k)] = QByteArray::number(100 * k).toStdString();
  QCOMPARE(g.Run(file_name), std::string());
}

// count copies of one face around the world origin; at a zoom of 20 each covers the
// whole picture, so that drawing a million of them takes minutes.
void WriteOverdraw(const QString& file_name, int count) {
  const std::vector<test::TriangleRecord> faces(static_cast<std::size_t>(count), {0, 1, 2, 120});
  tools::WriteFileBytes(file_name.toStdString(),
                        test::SceneFileBytes({{1, 0, 0}, {-1, 1, 0}, {-1, -1, 0}}, faces));
}

bool OnlyBlackAndWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
      if (pixel != 0 && pixel != 0xFFFFFF) return false;
    }
  }
  return true;
}

}  // namespace

class tst_RenderWindow : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void openedSceneIsPaintedInACentredWindow();
  void stepUpShowsTheAngleAndRenders();
  void anglesRunRoundInBothDirections();
  void sunHasItsOwnAngles();
  void withoutAutorenderOnlyRenderNowRenders();
  void zoomInAndOutReturnsToTheStart();
  void wireFrameIsWhiteOnBlack();
  void noPictureToSave();
  void savedPictureOpensInImageMagick();
  void pictureIsNeverSavedOverItsScene();
  void failedOpenChangesNothing_data();
  void failedOpenChangesNothing();
  void secondSceneReusesTheWindow();
  void newWindowShowsTheProgramWideState();
  void renderWithoutSceneClearsThePicture();
  void quickStepsGiveOneRenderOfTheLastAngle();
  void stepsDuringARenderGiveOneMoreRender();
  void escapeStopsABusyRenderAndKeepsThePicture();
  void openingOrClosingDuringARenderEndsIt();
  void draggingTurnsAsTheArrowsDo();
  void wheelZoomsAsThePlusAndMinusButtonsDo();
  void pictureTakesTheFocusAndTheKeys();
  void anglesTellWhatTheyTurn();
  void captionsShowWhole();
  void arrowsTakeClicksBesideThem_data();
  void arrowsTakeClicksBesideThem();
  void wireAndAutorenderStayForTheNextRun();
  void picturefollowsTheWindowsSizeAndIsSavedAtIt();
  void escapeStopsALoadAndChangesNothing();

 private:
  TfrmRender* OpenScene(const QString& path);
  QImage Picture() const { return main_->frmRender->Picture().Image().copy(); }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<DesktopSettings> settings_;
  std::unique_ptr<Program> program_;
  TfrmMainMDI* main_ = nullptr;
  QString terrain_;
};

void tst_RenderWindow::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  dialogs_ = std::make_unique<ScriptedDialogs>();
  settings_ = std::make_unique<DesktopSettings>(dir_->filePath("settings.ini"));
  program_ = std::make_unique<Program>(*dialogs_, *settings_);
  QVERIFY(program_->Start());
  main_ = program_->frmMainMDI.get();
  QVERIFY(QTest::qWaitForWindowActive(main_));  // as it is when the user gives a command
  dialogs_->TakeShown();
  terrain_ = dir_->filePath("terrain.3df");
  WriteTerrain(terrain_.toStdString());
}

void tst_RenderWindow::cleanup() {
  program_.reset();
  QCOMPARE(QApplication::topLevelWidgets().size(), 0);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

// Renders run on while the test goes on; it waits for them to end.
void WaitForRenders(TfrmRender* window) {
  const QPointer<TfrmRender> open(window);  // the user may close it meanwhile
  QTRY_VERIFY_WITH_TIMEOUT(open.isNull() || !open->Rendering(), 60000);
}

// Runs action once a render runs, after any load: the busy cursor is then the render's.
void WhenDrawing(TfrmMainMDI* main, const std::function<void()>& action) {
  auto* poll = new QTimer(main);
  QObject::connect(poll, &QTimer::timeout, main, [main, poll, action] {
    if (main->SceneLoading() || QApplication::overrideCursor() == nullptr) return;
    poll->deleteLater();
    poll->stop();
    action();
  });
  poll->start(5);
}

void WaitForLoad(const TfrmMainMDI* main) {
  QTRY_VERIFY_WITH_TIMEOUT(!main->SceneLoading(), 60000);
}

TfrmRender* tst_RenderWindow::OpenScene(const QString& path) {
  dialogs_->open_answers.push_back(path);
  main_->Open3Dfile1Click();
  WaitForLoad(main_);
  WaitForRenders(main_->frmRender);
  return main_->frmRender;
}

void tst_RenderWindow::openedSceneIsPaintedInACentredWindow() {
  TfrmRender* window = OpenScene(terrain_);
  QCOMPARE(dialogs_->last_file_dialog.title, std::string("Open 3DF file"));
  QCOMPARE(dialogs_->last_file_dialog.filter,
           std::string("3DF and mesh files|*.3df *.stl *.obj *.ply *.glb|3DF files|*.3df|"
                       "STL files|*.stl|OBJ files|*.obj|PLY files|*.ply|GLB files|*.glb"));
  QCOMPARE(dialogs_->TakeShown(), QStringList());
  QVERIFY(window != nullptr);
  QCOMPARE(window->windowTitle(), terrain_);
  QCOMPARE(window->size(), QSize(558, 477));
  QCOMPARE(window->Image1->size(), QSize(550, 418));
  const QSize screen = main_->screen()->size();
  QCOMPARE(window->pos(), QPoint((screen.width() - 558) / 2, (screen.height() - 477) / 2 - 25));
  QCOMPARE(window->Edit1->text(), QString("20"));
  QCOMPARE(window->Edit2->text(), QString("60"));
  QCOMPARE(main_->MdiArea->activeSubWindow(), window);
  QTRY_VERIFY(window->Image1->hasFocus());
  const QImage picture = Picture();
  QCOMPARE(picture.size(), QSize(550, 418));
  QVERIFY(!OnlyBlackAndWhite(picture));
  QCOMPARE(picture.pixel(0, 0) & 0xFFFFFF, 0u);
}

void tst_RenderWindow::stepUpShowsTheAngleAndRenders() {
  TfrmRender* window = OpenScene(terrain_);
  const QImage before = Picture();
  window->UpDown1->StepUp();
  QCOMPARE(window->Edit1->text(), QString("25"));
  QCOMPARE(program_->viewer.ObserverVertical, std::uint16_t{25});
  QTRY_VERIFY(Picture() != before);
}

void tst_RenderWindow::anglesRunRoundInBothDirections() {
  TfrmRender* window = OpenScene(terrain_);
  SetObserverAngles(program_->viewer, {20, 355});
  window->ShowAngles({20, 355});
  window->UpDown2->StepUp();
  QCOMPARE(window->Edit2->text(), QString("0"));
  QCOMPARE(program_->viewer.ObserverHorizontal, std::uint16_t{0});
  window->UpDown2->StepDown();
  QCOMPARE(window->Edit2->text(), QString("355"));
  QCOMPARE(program_->viewer.ObserverHorizontal, std::uint16_t{355});
}

void tst_RenderWindow::sunHasItsOwnAngles() {
  TfrmRender* window = OpenScene(terrain_);
  window->UpDown1->StepUp();
  window->RadioButton2->click();
  QCOMPARE(window->Edit1->text(), QString("90"));
  QCOMPARE(window->Edit2->text(), QString("180"));
  window->UpDown1->StepDown();
  QCOMPARE(program_->viewer.SunVertical, std::uint16_t{85});
  QCOMPARE(program_->viewer.ObserverVertical, std::uint16_t{25});
  window->RadioButton1->click();
  QCOMPARE(window->Edit1->text(), QString("25"));
  QCOMPARE(window->Edit2->text(), QString("60"));
}

void tst_RenderWindow::withoutAutorenderOnlyRenderNowRenders() {
  TfrmRender* window = OpenScene(terrain_);
  window->CheckBox2->click();
  const QImage before = Picture();
  window->UpDown1->StepUp();
  window->UpDown2->StepDown();
  window->Button2->click();
  window->CheckBox1->click();
  QCoreApplication::processEvents();  // no render waits either
  QCOMPARE(Picture(), before);
  window->Button1->click();
  WaitForRenders(window);
  QVERIFY(Picture() != before);
  QVERIFY(OnlyBlackAndWhite(Picture()));
}

void tst_RenderWindow::zoomInAndOutReturnsToTheStart() {
  TfrmRender* window = OpenScene(terrain_);
  window->Button2->click();
  QCOMPARE(program_->viewer.Zoom, 0.8261f);
  window->Button2->click();
  QCOMPARE(program_->viewer.Zoom, 0.90871f);
  window->Button3->click();
  window->Button3->click();
  QCOMPARE(program_->viewer.Zoom, kStartZoom);
}

void tst_RenderWindow::wireFrameIsWhiteOnBlack() {
  TfrmRender* window = OpenScene(terrain_);
  window->CheckBox1->click();
  QVERIFY(!program_->viewer.Shaded);
  QTRY_VERIFY(OnlyBlackAndWhite(Picture()));
  const QImage wire = Picture();
  QVERIFY(OnlyBlackAndWhite(wire));
  QImage black(wire.size(), wire.format());
  black.fill(Qt::black);
  QVERIFY(wire != black);
  window->CheckBox1->click();
  QTRY_VERIFY(!OnlyBlackAndWhite(Picture()));
}

void tst_RenderWindow::noPictureToSave() {
  main_->Save3D1Click();
  QCOMPARE(dialogs_->TakeShown(), QStringList{"Error: No picture to save!"});
  OpenScene(terrain_)->close();
  QVERIFY(!main_->RenderWindowOpen());
  QCOMPARE(program_->SceneFileName, std::string());
  main_->Save3D1Click();
  QCOMPARE(dialogs_->TakeShown(), QStringList{"Error: No picture to save!"});
  QCOMPARE(dialogs_->file_dialogs, 1);
  QVERIFY(!program_->viewer.SceneFaces.empty());  // closing keeps the scene
}

void tst_RenderWindow::savedPictureOpensInImageMagick() {
  OpenScene(terrain_);
  const QString picture = dir_->filePath("terrain.bmp");
  dialogs_->save_answers.push_back(picture);
  main_->Save3D1Click();
  QCOMPARE(dialogs_->last_file_dialog.title, std::string("Save 3D picture"));
  QCOMPARE(dialogs_->last_file_dialog.filter, std::string("BMP files (*.bmp)|*.bmp"));
  QCOMPARE(dialogs_->TakeShown(), QStringList());
  const auto result = test::RunCommand("/usr/bin/identify",
                                       {"-format", "%m %w %h %[bit-depth]", picture.toStdString()});
  QCOMPARE(result.exit_status, 0);
  QCOMPARE(QString::fromStdString(result.out), QString("BMP3 550 418 8"));
}

// The scene file is kept whatever the user answers in the save dialog.
void tst_RenderWindow::pictureIsNeverSavedOverItsScene() {
  const QString scene = dir_->filePath("scene.3df");
  QVERIFY(QFile::copy(terrain_, scene));
  const QString link = dir_->filePath("scene.bmp");
  QVERIFY(QFile::link(scene, link));
  OpenScene(scene);
  for (const QString& answer : {scene, link}) {
    dialogs_->save_answers.push_back(answer);
    main_->Save3D1Click();
    QCOMPARE(dialogs_->TakeShown(), QStringList{"Error: The output file is the input file!"});
  }
  QCOMPARE(test::ReadFileBytes(scene.toStdString()), test::ReadFileBytes(terrain_.toStdString()));
}

void tst_RenderWindow::failedOpenChangesNothing_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("bytes");  // null: no such file
  QTest::addColumn<QString>("message");
  QTest::newRow("vertex count 0") << "empty.3df"
                                  << QByteArray::fromStdString(
                                         test::SceneFileBytes({}, {{0, 0, 0, 120}}))
                                  << "Error: Invalid file!";
  QTest::newRow("no such file") << "gone.3df" << QByteArray() << "ORVANDEL: File not found.";
  QTest::newRow("no mesh") << "text.stl" << QByteArray("solid nothing\n") << "Error: Invalid file!";
}

// Before and after a scene is shown: no window opens, or the shown one keeps its caption,
// its scene and its picture's bytes, and its picture can be saved.
void tst_RenderWindow::failedOpenChangesNothing() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QString, message);
  const QString path = dir_->filePath(name);
  if (!bytes.isNull()) tools::WriteFileBytes(path.toStdString(), bytes.toStdString());
  QCOMPARE(OpenScene(path), nullptr);
  QCOMPARE(dialogs_->TakeShown(), QStringList{message});
  TfrmRender* window = OpenScene(terrain_);
  const std::string picture = window->Picture().BmpBytes();
  QCOMPARE(OpenScene(path), window);
  QCOMPARE(dialogs_->TakeShown(), QStringList{message});
  QCOMPARE(window->windowTitle(), terrain_);
  QCOMPARE(program_->SceneFileName, terrain_.toStdString());
  QCOMPARE(program_->viewer.SceneFaces.faces.size(), std::size_t{162});
  QVERIFY(window->Picture().BmpBytes() == picture);
  window->Button1->click();
  WaitForRenders(window);
  QVERIFY(window->Picture().BmpBytes() == picture);
}

void tst_RenderWindow::secondSceneReusesTheWindow() {
  TfrmRender* first = OpenScene(terrain_);
  first->move(10, 10);
  const QString copy = dir_->filePath("copy.3df");
  QVERIFY(QFile::copy(terrain_, copy));
  QCOMPARE(OpenScene(copy), first);
  QCOMPARE(first->windowTitle(), copy);
  QVERIFY(first->pos() != QPoint(10, 10));
}

void tst_RenderWindow::newWindowShowsTheProgramWideState() {
  TfrmRender* window = OpenScene(terrain_);
  window->RadioButton2->click();
  window->CheckBox1->click();
  window->close();
  window = OpenScene(terrain_);
  QVERIFY(window->RadioButton2->isChecked());
  QVERIFY(window->CheckBox1->isChecked());
  QCOMPARE(window->Edit1->text(), QString("90"));
  QCOMPARE(window->Edit2->text(), QString("180"));
  QVERIFY(OnlyBlackAndWhite(Picture()));
}

void tst_RenderWindow::renderWithoutSceneClearsThePicture() {
  OpenScene(terrain_);
  // A vertical line loads, but seen from the side it has no width: its first render
  // discards it.
  const QString bad = dir_->filePath("bad.3df");
  QFile file(bad);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::fromStdString(
      test::SceneFileBytes({{0, 0, 0}, {0, 0, 1}, {0, 0, 2}}, {{0, 1, 2, 120}})));
  file.close();
  TfrmRender* window = OpenScene(bad);
  QCOMPARE(dialogs_->TakeShown(), QStringList{"Error: Division by zero!"});
  QVERIFY(!OnlyBlackAndWhite(Picture()));  // the old picture stays until a render
  window->Button1->click();
  WaitForRenders(window);
  QImage black(Picture().size(), Picture().format());
  black.fill(Qt::black);
  QCOMPARE(Picture(), black);
}

// Clicked while a large picture is drawn, the arrows' steps queue up; they are all taken
// before the next picture, which shows the last angle.
void tst_RenderWindow::quickStepsGiveOneRenderOfTheLastAngle() {
  TfrmRender* window = OpenScene(terrain_);
  const QImage before = Picture();
  QSignalSpy renders(window, &TfrmRender::Rendered);
  const QPoint up_arrow(window->UpDown1->width() / 2, window->UpDown1->height() / 4);
  for (int i = 0; i < 5; ++i)
    ClickAt(window->UpDown1, up_arrow);
  QCOMPARE(window->Edit1->text(), QString("45"));
  QCOMPARE(renders.count(), 0);
  QTRY_COMPARE(renders.count(), 1);
  QTest::qWait(50);
  QCOMPARE(renders.count(), 1);
  const QImage merged = Picture();
  QVERIFY(merged != before);
  ClickAt(window->Button1, window->Button1->rect().center());  // "Render now!" at 45
  QTRY_COMPARE(renders.count(), 2);
  QCOMPARE(Picture(), merged);
}

// The window takes input while it draws: arrows clicked meanwhile turn at once and give
// one more picture, of their last angle, once the running one is done.
void tst_RenderWindow::stepsDuringARenderGiveOneMoreRender() {
  TfrmRender* window = OpenScene(terrain_);
  const QString overdraw = dir_->filePath("overdraw.3df");
  WriteOverdraw(overdraw, 3000);
  program_->viewer.Zoom = 20;
  OpenScene(overdraw);
  QSignalSpy renders(window, &TfrmRender::Rendered);
  const QPoint up_arrow(window->UpDown1->width() / 2, window->UpDown1->height() / 4);
  ClickAt(window->Button1, window->Button1->rect().center());
  QTRY_VERIFY(QApplication::overrideCursor() != nullptr);  // drawing
  for (int i = 0; i < 3; ++i)
    ClickAt(window->UpDown1, up_arrow);
  QCOMPARE(renders.count(), 0);
  WaitForRenders(window);
  QCOMPARE(renders.count(), 2);
  QCOMPARE(window->Edit1->text(), QString("35"));
  QCOMPARE(program_->viewer.ObserverVertical, std::uint16_t{35});
  const QImage merged = Picture();
  ClickAt(window->Button1, window->Button1->rect().center());
  WaitForRenders(window);
  QCOMPARE(renders.count(), 3);
  QCOMPARE(Picture(), merged);
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

// Escape ends a render that would take minutes; the picture stays as it was, the cursor
// comes back, and the window goes on working. Opening a scene renders as "Render now!" does.
void tst_RenderWindow::escapeStopsABusyRenderAndKeepsThePicture() {
  TfrmRender* window = OpenScene(terrain_);
  const QImage before = Picture();
  const QString overdraw = dir_->filePath("overdraw.3df");
  WriteOverdraw(overdraw, 1000000);
  program_->viewer.Zoom = 20;
  QSignalSpy renders(window, &TfrmRender::Rendered);
  for (QWidget* focus : std::initializer_list<QWidget*>{window->Image1, window->Button1}) {
    focus->setFocus();
    bool busy_while_drawing = false;
    WhenDrawing(main_, [&] {
      busy_while_drawing = QApplication::overrideCursor() != nullptr;
      QTest::keyClick(focus, Qt::Key_Escape);
    });
    if (focus == window->Button1) {
      ClickAt(window->Button1, window->Button1->rect().center());
      WaitForRenders(window);
    } else {
      OpenScene(overdraw);
    }
    QVERIFY(busy_while_drawing);
    QCOMPARE(Picture(), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }
  QCOMPARE(renders.count(), 2);
  QCOMPARE(dialogs_->TakeShown(), QStringList());
  QCOMPARE(program_->viewer.SceneFaces.faces.size(), std::size_t{1000000});

  window->UpDown1->StepUp();
  QCOMPARE(window->Edit1->text(), QString("25"));
  program_->viewer.Zoom = kStartZoom;
  OpenScene(terrain_);
  QCOMPARE(renders.count(), 4);  // the step's, which the open stops, and the open's
  QCOMPARE(Picture(), before);
}

// Another scene opened, or the window closed, while a render runs: the render ends first,
// and what follows works on a scene and a window that are whole.
void tst_RenderWindow::openingOrClosingDuringARenderEndsIt() {
  TfrmRender* window = OpenScene(terrain_);
  const QImage terrain = Picture();
  const QString overdraw = dir_->filePath("overdraw.3df");
  WriteOverdraw(overdraw, 1000000);
  const auto open_terrain = [&] {
    program_->viewer.Zoom = kStartZoom;
    OpenScene(terrain_);
  };
  program_->viewer.Zoom = 20;
  WhenDrawing(main_, open_terrain);
  OpenScene(overdraw);
  QCOMPARE(main_->frmRender, window);
  QCOMPARE(Picture(), terrain);
  QCOMPARE(program_->viewer.SceneFaces.faces.size(), std::size_t{162});
  QCOMPARE(dialogs_->TakeShown(), QStringList());

  program_->viewer.Zoom = 20;
  WhenDrawing(main_, [window] { window->close(); });
  OpenScene(overdraw);
  QTRY_VERIFY(main_->frmRender == nullptr);
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(program_->viewer.SceneFaces.faces.size(), std::size_t{1000000});
}

void tst_RenderWindow::draggingTurnsAsTheArrowsDo() {
  TfrmRender* window = OpenScene(terrain_);
  PictureView* picture = window->Image1;
  const QPoint start(200, 200);
  const int step = PictureView::kDragStep;
  QTest::mousePress(picture, Qt::LeftButton, {}, start);
  QTest::mouseMove(picture, start + QPoint(3 * step + step / 2, 0));  // 3 steps right
  QCOMPARE(window->Edit2->text(), QString("75"));
  QCOMPARE(window->Edit1->text(), QString("20"));
  QTest::mouseMove(picture, start + QPoint(4 * step, -2 * step));  // 1 right, 2 up
  QCOMPARE(window->Edit2->text(), QString("80"));
  QCOMPARE(window->Edit1->text(), QString("30"));
  QTest::mouseMove(picture, start + QPoint(4 * step - 17 * step, -2 * step));  // 17 left
  QCOMPARE(window->Edit2->text(), QString("355"));  // round past 0, as the left arrow goes
  QCOMPARE(program_->viewer.ObserverHorizontal, std::uint16_t{355});
  QTest::mouseRelease(picture, Qt::LeftButton, {}, start + QPoint(-13 * step, -2 * step));
  QTest::mouseMove(picture, start);  // no button held: no turn
  QCOMPARE(window->Edit2->text(), QString("355"));
  QCOMPARE(window->Edit1->text(), QString("30"));
  window->RadioButton2->click();
  QTest::mousePress(picture, Qt::LeftButton, {}, start);
  QTest::mouseMove(picture, start + QPoint(0, step));  // 1 down turns the sun
  QTest::mouseRelease(picture, Qt::LeftButton, {}, start + QPoint(0, step));
  QCOMPARE(program_->viewer.SunVertical, std::uint16_t{85});
  QCOMPARE(program_->viewer.ObserverVertical, std::uint16_t{30});
  QSignalSpy renders(window, &TfrmRender::Rendered);
  QTRY_VERIFY(!renders.isEmpty());
}

void tst_RenderWindow::wheelZoomsAsThePlusAndMinusButtonsDo() {
  TfrmRender* window = OpenScene(terrain_);
  const auto wheel = [window](int delta) {
    const QPointF at(100, 100);
    QWheelEvent event(at, window->Image1->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window->Image1, &event);
  };
  ViewerState buttons;
  wheel(QWheelEvent::DefaultDeltasPerStep);
  ZoomIn(buttons);
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
  wheel(-2 * QWheelEvent::DefaultDeltasPerStep);
  ZoomOut(buttons);
  ZoomOut(buttons);
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
  wheel(QWheelEvent::DefaultDeltasPerStep / 2);  // half a notch: nothing yet
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
  wheel(QWheelEvent::DefaultDeltasPerStep / 2);
  ZoomIn(buttons);
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
}

void tst_RenderWindow::pictureTakesTheFocusAndTheKeys() {
  TfrmRender* window = OpenScene(terrain_);
  QTRY_VERIFY(window->Image1->hasFocus());
  QTest::keyClick(window->Image1, Qt::Key_Up);
  QTest::keyClick(window->Image1, Qt::Key_Left);
  QCOMPARE(window->Edit1->text(), QString("25"));
  QCOMPARE(window->Edit2->text(), QString("55"));
  ClickAt(window->CheckBox2, window->CheckBox2->rect().center());  // Autorender off
  QVERIFY(!window->Image1->hasFocus());
  QTest::mouseClick(window->Image1, Qt::LeftButton, {}, QPoint(10, 10));
  QVERIFY(window->Image1->hasFocus());
  ViewerState buttons;
  QTest::keyClick(window->Image1, Qt::Key_Plus);
  ZoomIn(buttons);
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
  QTest::keyClick(window->Image1, Qt::Key_Minus);
  QTest::keyClick(window->Image1, Qt::Key_Minus);
  ZoomOut(buttons);
  ZoomOut(buttons);
  QCOMPARE(program_->viewer.Zoom, buttons.Zoom);
  QTest::keyClick(window->Image1, Qt::Key_Down);
  QTest::keyClick(window->Image1, Qt::Key_Right);
  QCOMPARE(window->Edit1->text(), QString("20"));
  QCOMPARE(window->Edit2->text(), QString("60"));
}

void tst_RenderWindow::anglesTellWhatTheyTurn() {
  TfrmRender* window = OpenScene(terrain_);
  QVERIFY(window->Edit1->toolTip().startsWith("Vertical angle of the observer"));
  QCOMPARE(window->UpDown1->toolTip(), window->Edit1->toolTip());
  QVERIFY(window->Edit2->toolTip().startsWith("Horizontal angle of the observer"));
  QCOMPARE(window->UpDown2->toolTip(), window->Edit2->toolTip());
  ClickAt(window->RadioButton2, window->RadioButton2->rect().center());
  QVERIFY(window->Edit1->toolTip().startsWith("Vertical angle of the sun"));
  QVERIFY(window->UpDown2->toolTip().startsWith("Horizontal angle of the sun"));
}

// In their places and sizes: a caption wider than its control would run under the next.
void tst_RenderWindow::captionsShowWhole() {
  TfrmRender* window = OpenScene(terrain_);
  for (QAbstractButton* caption : std::initializer_list<QAbstractButton*>{
           window->RadioButton1, window->RadioButton2, window->CheckBox1, window->CheckBox2}) {
    QVERIFY2(caption->sizeHint().width() <= caption->width(), qPrintable(caption->text()));
  }
  QCOMPARE(window->RadioButton1->geometry(), QRect(139, 9, 68, 17));
  QVERIFY(window->RadioButton1->geometry().right() < window->RadioButton2->x());
  QVERIFY(window->CheckBox2->geometry().right() < window->Button2->x());
}

void tst_RenderWindow::arrowsTakeClicksBesideThem_data() {
  QTest::addColumn<QPoint>("point");  // in the panel, where the arrows are 16 x 20 at y 6
  QTest::addColumn<QString>("vertical");
  QTest::addColumn<QString>("horizontal");
  QTest::newRow("above the upper arrow") << QPoint(57, 1) << "25"
                                         << "60";
  QTest::newRow("below the lower arrow") << QPoint(57, 31) << "15"
                                         << "60";
  QTest::newRow("left of the left arrow") << QPoint(105, 16) << "20"
                                          << "55";
  QTest::newRow("right of the right arrow") << QPoint(134, 16) << "20"
                                            << "65";
  QTest::newRow("above the right arrow") << QPoint(124, 1) << "20"
                                         << "65";
}

// The arrows are drawn where they were; each takes clicks on at least 16 x 16 pixels.
void tst_RenderWindow::arrowsTakeClicksBesideThem() {
  QFETCH(QPoint, point);
  QFETCH(QString, vertical);
  QFETCH(QString, horizontal);
  TfrmRender* window = OpenScene(terrain_);
  for (UpDownControl* arrows : {window->UpDown1, window->UpDown2}) {
    QRect drawn;
    for (const QWidget* arrow : arrows->findChildren<QWidget*>())
      drawn |= QRect(arrow->mapTo(window->Panel2, QPoint(0, 0)), arrow->size());
    QCOMPARE(drawn.size(), QSize(16, 20));
    QCOMPARE(drawn.y(), 6);
  }
  ClickAt(window->Panel2, point);
  QCOMPARE(window->Edit1->text(), vertical);
  QCOMPARE(window->Edit2->text(), horizontal);
}

void tst_RenderWindow::wireAndAutorenderStayForTheNextRun() {
  TfrmRender* window = OpenScene(terrain_);
  ClickAt(window->CheckBox1, window->CheckBox1->rect().center());
  ClickAt(window->CheckBox2, window->CheckBox2->rect().center());
  program_.reset();
  settings_ = std::make_unique<DesktopSettings>(dir_->filePath("settings.ini"));
  program_ = std::make_unique<Program>(*dialogs_, *settings_);
  QVERIFY(program_->Start());
  main_ = program_->frmMainMDI.get();
  window = OpenScene(terrain_);
  QVERIFY(window->CheckBox1->isChecked() && !window->CheckBox2->isChecked());
  QVERIFY(OnlyBlackAndWhite(Picture()));
}

// Dragged larger by its corner, the window renders at its new size; the saved picture is
// the one shown. The next window opens at that size.
void tst_RenderWindow::picturefollowsTheWindowsSizeAndIsSavedAtIt() {
  TfrmRender* window = OpenScene(terrain_);
  const QPoint corner(window->width() - 2, window->height() - 2);
  QTest::mouseMove(window, corner);  // the frame shows the resize cursor
  QTest::mousePress(window, Qt::LeftButton, {}, corner);
  QTest::mouseMove(window, corner + QPoint(150, 40));
  QTest::mouseMove(window, corner + QPoint(301, 120));
  QTest::mouseRelease(window, Qt::LeftButton, {}, corner + QPoint(301, 120));
  QCOMPARE(window->size(), QSize(558 + 301, 477 + 120));
  WaitForRenders(window);
  QCOMPARE(Picture().size(), QSize(550 + 301, 418 + 120));
  QCOMPARE(window->Image1->size(), Picture().size());
  QCOMPARE(window->Panel2->geometry().topLeft(), QPoint(0, 417 + 120));
  const QString saved = dir_->filePath("large.bmp");
  dialogs_->save_answers.push_back(saved);
  main_->Save3D1Click();
  QCOMPARE(QImage(saved).convertToFormat(Picture().format()), Picture());
  window->close();
  QCOMPARE(OpenScene(terrain_)->size(), QSize(558 + 301, 477 + 120));
}

// A big scene loads under the busy cursor while the window takes keys; Escape on the
// picture stops the load and leaves the shown scene as it was.
void tst_RenderWindow::escapeStopsALoadAndChangesNothing() {
  TfrmRender* window = OpenScene(terrain_);
  const QImage before = Picture();
  const QString overdraw = dir_->filePath("overdraw.3df");
  WriteOverdraw(overdraw, 1000000);
  dialogs_->open_answers.push_back(overdraw);
  main_->Open3Dfile1Click();
  QVERIFY(main_->SceneLoading() && QApplication::overrideCursor() != nullptr);
  QTest::keyClick(window->Image1, Qt::Key_Escape);
  QVERIFY(!main_->SceneLoading() && QApplication::overrideCursor() == nullptr);
  QTest::qWait(20);
  QCOMPARE(dialogs_->TakeShown(), QStringList());
  QCOMPARE(window->windowTitle(), terrain_);
  QCOMPARE(program_->viewer.SceneFaces.faces.size(), std::size_t{162});
  QCOMPARE(Picture(), before);
}

QTEST_MAIN(tst_RenderWindow)
#include "render_window_test.moc"
