// desktop_open_bench: the desktop program's "Open 3DF file..." on a generated terrain, as
// a user runs it: from choosing the file in the dialog to its first picture painted in the
// render window, under the offscreen platform unless another is set. Reports the first
// open in a fresh program and the best of the later ones, and the memory the program
// holds for the shown scene.
// Usage: desktop_open_bench [RUNS [SIDE]]: a SIDE x SIDE map at one cell per pixel, by
// default 2048 (8.4 million faces, 184 MB).
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "hill_scene.h"
#include "measure.h"
#include "shell/orvan_main_f.h"
#include "shell/program.h"
#include "shell/user_dialogs.h"
#include "viewer/orvan_render_f.h"

namespace {

using namespace orvandel;
using namespace orvandel::gui;

// Answers every open dialog with the scene and the start-up warning with OK; reports any
// message, which would spoil the timing.
class ChosenFile : public UserDialogs {
 public:
  explicit ChosenFile(QString file) : file_(std::move(file)) {}
  void SetParent(QWidget*) override {}
  void ShowError(const QString& text) override { Report(text); }
  void ShowGeneralError(const QString& text) override { Report(text); }
  bool ConfirmWarning(const QString&) override { return true; }
  bool AskYesNo(const QString&) override { return false; }
  std::optional<QStringList> AskValues(const QString&, const QList<TypedValue>&) override {
    return {};
  }
  std::optional<QString> AskOpenFile(const FileDialogSettings&, const QString&) override {
    return file_;
  }
  std::optional<QString> AskSaveFile(const FileDialogSettings&, const QString&) override {
    return {};
  }

 private:
  static void Report(const QString& text) {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  QString file_;
};

// Seconds from the menu command to its picture painted on the screen.
double OpenAndPaint(Program& program) {
  const auto start = std::chrono::steady_clock::now();
  program.frmMainMDI->Open3Dfile1->trigger();
  TfrmRender* window = program.frmMainMDI->findChild<TfrmRender*>();
  while (window->Rendering())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  window->Image1->repaint();
  QApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const int side = argc > 2 ? std::max(2, std::atoi(argv[2])) : 2048;
  const std::string folder = bench::TemporaryFolder();
  const std::string scene_file = folder + "/hills.3df";
  bench::MakeHillScene(folder, side, scene_file);
  // Removed last, after the settings kept in it are written.
  const std::unique_ptr<const char, std::function<void(const char*)>> remove_folder(
      folder.c_str(), [](const char* name) { std::filesystem::remove_all(name); });

  QApplication application(argc, argv);
  ChosenFile dialogs(QString::fromStdString(scene_file));
  DesktopSettings settings(QString::fromStdString(folder + "/settings.ini"));
  Program program(dialogs, settings);
  program.Start();
  QApplication::processEvents();

  const double base = bench::StatusBytes("VmRSS");
  bench::ResetPeakMemory();
  const double first = OpenAndPaint(program);
  const double peak = bench::StatusBytes("VmHWM") - base;
  const double later = bench::Best(runs, [&] { OpenAndPaint(program); });
  const double shown = bench::StatusBytes("VmRSS") - base;
  const double faces = 2.0 * (side - 1) * (side - 1);

  std::printf("%d x %d map: %.0f faces, %.1f MB file\n", side, side, faces,
              static_cast<double>(std::filesystem::file_size(scene_file)) / 1e6);
  std::printf("open and first picture: first %.3f s, best of %d later ones %.3f s\n", first, runs,
              later);
  std::printf(
      "memory: %.0f MB at the peak of the first open (%.1f bytes per face), %.0f MB "
      "(%.1f bytes per face) while shown\n",
      peak / 1e6, peak / faces, shown / 1e6, shown / faces);
  return 0;
}
