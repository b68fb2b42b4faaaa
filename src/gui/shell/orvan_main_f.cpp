#include "shell/orvan_main_f.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "orvandel/commands/generate_command.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/commands/preview_command.h"
#include "orvandel/commands/scene_commands.h"
#include "orvandel/fileio/same_file.h"
#include "orvandel/generator/field_fault.h"
#include "orvandel/writers/output_formats.h"
#include "shell/mesh_options.h"
#include "shell/orvan_doc_f.h"
#include "shell/program.h"
#include "shell/qt_busy_cursor.h"
#include "shell/recent_files_menu.h"
#include "viewer/orvan_render_f.h"
#include "widgets/client_size.h"
#include "widgets/globe_picture.h"
#include "widgets/packed_colour.h"

namespace orvandel::gui {
namespace {

// The render window's outer size when it first opens.
constexpr QSize kRenderWindowSize(558, 477);

constexpr char kOfferMapTexts[] =
    "This map was used before. Fill in the heights and settings it had then, in place of "
    "those typed now?\n\nEdit > Undo brings back the values typed now.";

std::string LocalFileName(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

// A file as the recent lists name it, whatever folder the program runs in.
QString RecentName(const QString& file_name) {
  return QFileInfo(file_name).absoluteFilePath();
}

QString RecentName(const std::string& file_name) {
  return RecentName(QFile::decodeName(file_name.c_str()));
}

bool IsBlank(const QString& text) {
  return text.trimmed().isEmpty();
}

}  // namespace

TfrmMainMDI::TfrmMainMDI(Program& program) : program_(program) {
  setObjectName("frmMainMDI");
  setWindowTitle(kApplicationTitle);
  QApplication::setWindowIcon(GlobePicture());  // the child windows show it too
  MdiArea = new QMdiArea(this);
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setBackground(QApplication::palette().brush(QPalette::Dark));
  MdiArea->viewport()->installEventFilter(this);
  setCentralWidget(MdiArea);
  scene_loader_ = new SceneLoader(this);
  connect(scene_loader_, &SceneLoader::Ended, this, &TfrmMainMDI::SceneLoaded);
  CreateMenu();
  ChoosePaintOrder();
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TfrmMainMDI::RememberForNextRun);
}

// The shortcuts are those of today's desktop programs.
void TfrmMainMDI::CreateMenu() {
  QMenu* menu = menuBar()->addMenu("&Menu");
  menu->setObjectName("Menu1");
  const auto item = [&](const char* name, const char* caption, auto handler, QKeySequence keys) {
    QAction* action = menu->addAction(caption, this, handler);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
  };
  const auto recent = [&](const char* name, const char* caption, auto files, auto open) {
    auto* submenu = new RecentFilesMenu(caption, files, open, menu);
    submenu->setObjectName(name);
    menu->addMenu(submenu);
    return submenu;
  };
  DesktopSettings& settings = program_.settings;
  OpenBMPfile1 = item("OpenBMPfile1", "&Open BMP image file...", &TfrmMainMDI::OpenBMPfile1Click,
                      Qt::CTRL | Qt::Key_O);
  RecentMaps1 = recent(
      "RecentMaps1", "&Recent maps", [&settings] { return settings.RecentMaps(); },
      [this](const QString& file) { OpenMapFile(LocalFileName(file)); });
  Generate3Dfile1 = item("Generate3Dfile1", "&Generate 3D file...",
                         &TfrmMainMDI::Generate3Dfile1Click, Qt::CTRL | Qt::Key_G);
  Generate3Dfile1->setIcon(GlobePicture());  // the panel's button for the same command
  Preview1 =
      item("Preview1", "&Preview terrain", &TfrmMainMDI::Preview1Click, Qt::CTRL | Qt::Key_P);
  menu->addSeparator()->setObjectName("N1");
  Open3Dfile1 = item("Open3Dfile1", "Open 3&DF file...", &TfrmMainMDI::Open3Dfile1Click,
                     Qt::CTRL | Qt::SHIFT | Qt::Key_O);
  RecentScenes1 = recent(
      "RecentScenes1", "Recent sc&enes", [&settings] { return settings.RecentScenes(); },
      [this](const QString& file) { OpenSceneFile(file); });
  Save3D1 =
      item("Save3D1", "&Save 3D picture as...", &TfrmMainMDI::Save3D1Click, Qt::CTRL | Qt::Key_S);
  FileOrder1 = item("FileOrder1", "Paint in &file order", &TfrmMainMDI::FileOrder1Click, {});
  FileOrder1->setCheckable(true);
  FileOrder1->setChecked(settings.Toggle(RenderToggle::kFileOrder));
  menu->addSeparator()->setObjectName("N2");
  Documentation1 =
      item("Documentation1", "Do&cumentation", &TfrmMainMDI::Documentation1Click, Qt::Key_F1);
  menu->addSeparator()->setObjectName("N3");
  Exit1 = item("Exit1", "E&xit", &TfrmMainMDI::Exit1Click, Qt::CTRL | Qt::Key_Q);
}

// The items name the step they undo or redo ("&Undo Water").
void TfrmMainMDI::CreateEditMenu(TfrmGenCPanel* panel) {
  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("Edit1");
  QUndoStack* history = panel->History()->Stack();
  Undo1 = history->createUndoAction(edit, "&Undo");
  Undo1->setObjectName("Undo1");
  Undo1->setShortcut(Qt::CTRL | Qt::Key_Z);
  Redo1 = history->createRedoAction(edit, "&Redo");
  Redo1->setObjectName("Redo1");
  Redo1->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
  edit->addActions({Undo1, Redo1});
}

bool TfrmMainMDI::FormCreate() {
  if (program_.dialogs.ConfirmWarning(kColourDepthWarning)) return true;
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  return false;
}

// The panel floats over the work area instead of standing in it (a child of the main
// window, not of the work area): no map or render window can cover it, and scrolling the
// work area does not carry it away.
TfrmGenCPanel* TfrmMainMDI::CreateControlPanel() {
  auto* panel = new TfrmGenCPanel(this);
  FixClientSize(panel, TfrmGenCPanel::kClientSize);
  PlaceAtRightEdge(panel);
  panel->show();
  panel->raise();
  connect(panel, &TfrmGenCPanel::GenerateRequested, this, &TfrmMainMDI::Generate);
  CreateEditMenu(panel);
  return panel;
}

void TfrmMainMDI::ShowAsLeft() {
  if (restoreGeometry(program_.settings.MainWindowGeometry())) {
    show();
  } else {
    showMaximized();
  }
}

QRect TfrmMainMDI::WorkArea() const {
  const QWidget* viewport = MdiArea->viewport();
  return QRect(viewport->mapTo(this, QPoint(0, 0)), viewport->size());
}

void TfrmMainMDI::PlaceAtRightEdge(QWidget* window) {
  const QRect work = WorkArea();
  window->move(work.x() + work.width() - window->width(), work.y());
}

bool TfrmMainMDI::eventFilter(QObject* watched, QEvent* event) {
  const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::Move;
  if (moved && program_.frmGenCPanel != nullptr) PlaceAtRightEdge(program_.frmGenCPanel);
  return QMainWindow::eventFilter(watched, event);
}

std::optional<QString> TfrmMainMDI::AskFile(DialogKind kind, const FileDialogSettings& settings,
                                            bool save) {
  const QString folder = program_.settings.Folder(kind);
  const auto chosen = save ? program_.dialogs.AskSaveFile(settings, folder)
                           : program_.dialogs.AskOpenFile(settings, folder);
  if (chosen) program_.settings.SetFolder(kind, QFileInfo(*chosen).absolutePath());
  return chosen;
}

void TfrmMainMDI::OpenMap() {
  const auto chosen =
      AskFile(DialogKind::kMap, {"Open BMP image file", "BMP files|*.bmp", "bmp"}, false);
  if (chosen) OpenMapFile(LocalFileName(*chosen));
}

void TfrmMainMDI::OpenMapFile(const std::string& file_name) {
  program_.dialogs.RunCommand([&] { LoadMap(file_name); });
}

// Nothing changes until the map has passed its checks and its pixels are decoded.
void TfrmMainMDI::LoadMap(const std::string& file_name) {
  const std::string previous = program_.map.MapFileName;
  std::unique_ptr<QImageMap> image;
  OpenMapCommand(program_.map, file_name, [&image](BinaryReader& file, const MapHeader& header) {
    image = DecodeMapImage(file, header);
  });
  KeepMapTexts(previous);
  program_.frmGenCPanel->ColourSwatches(program_.map.swatches);
  TfrmMap* window = MapWindow();
  window->ShowMap(std::move(image), QFile::decodeName(file_name.c_str()));
  window->move(frameGeometry().width() - MdiArea->width(),
               frameGeometry().height() - MdiArea->height());
  program_.settings.AddRecentMap(RecentName(file_name));
  OfferMapTexts(RecentName(file_name));
}

TfrmMap* TfrmMainMDI::MapWindow() {
  if (MapWindowOpen()) return frmMap;
  frmMap = new TfrmMap([this](PackedColour colour, const QPoint& at) { MapClicked(colour, at); },
                       [this](PackedColour colour) { return DescribeMapColour(colour); });
  connect(frmMap, &TfrmMap::Closed, this, [this] {
    KeepMapTexts(program_.map.MapFileName);
    frmMap = nullptr;
    program_.map.MapFileName.clear();
  });
  MdiArea->addSubWindow(frmMap);
  frmMap->show();
  return frmMap;
}

// The map being left keeps the texts typed for it, to be offered back when it opens again.
void TfrmMainMDI::KeepMapTexts(const std::string& map_file) {
  if (map_file.empty()) return;
  program_.settings.SetMapTexts(RecentName(map_file), program_.frmGenCPanel->AllTexts());
}

// The fields stay as they are from one map to the next; texts kept for the map opened
// replace typed ones only when the user agrees, and Undo brings those back.
void TfrmMainMDI::OfferMapTexts(const QString& map_file) {
  const std::optional<QStringList> kept = program_.settings.MapTexts(map_file);
  const QStringList typed = program_.frmGenCPanel->AllTexts();
  if (!kept || *kept == typed) return;
  if (std::all_of(typed.begin(), typed.end(), IsBlank) ||
      program_.dialogs.AskYesNo(kOfferMapTexts)) {
    program_.frmGenCPanel->FillIn(*kept);
  }
}

void TfrmMainMDI::MapClicked(unsigned colour, const QPoint& screen_point) {
  MapSession& map = program_.map;
  map.SelectedColourIndex = SelectedIndexOfColour(map.map_palette, colour, map.SelectedColourIndex);
  const int index = map.SelectedColourIndex;
  program_.frmSet->PopupAt(screen_point,
                           {index, QColorOf(map.swatches.colour[static_cast<std::size_t>(index)]),
                            program_.frmGenCPanel->FieldByTag(index)->FieldText().trimmed()});
}

// The colour a click here would pick, and the height typed for it: "5: height 1200".
QString TfrmMainMDI::DescribeMapColour(unsigned colour) const {
  const int index = SelectedIndexOfColour(program_.map.map_palette, colour, kNoPaletteIndex);
  if (index == kNoPaletteIndex) return "not a colour of the palette";
  const QString height = program_.frmGenCPanel->FieldByTag(index)->FieldText().trimmed();
  return QString("%1: %2").arg(index).arg(height.isEmpty() ? "no height" : "height " + height);
}

// A mesh at true scale takes the mesh options; cancelling them ends the command as
// cancelling the file dialog does.
std::optional<std::string> TfrmMainMDI::ChooseOutput(const FileDialogSettings& settings,
                                                     MeshOptions& options) {
  const std::optional<QString> chosen = AskFile(DialogKind::kMesh, settings, true);
  if (!chosen) return std::nullopt;
  const std::string file_name = LocalFileName(*chosen);
  const OutputFormat* format = FindFormatForFile(file_name);
  if (format == nullptr || !format->true_scale) return file_name;
  const std::optional<MeshOptions> asked =
      AskMeshOptions(program_.dialogs, program_.settings, *format);
  if (!asked) return std::nullopt;
  options = *asked;
  return file_name;
}

bool TfrmMainMDI::RunPanelCommand(const std::function<void(const PanelTexts&)>& command) {
  std::optional<PanelField> at_fault;
  const bool done = program_.dialogs.RunCommand([&] {
    try {
      command(program_.frmGenCPanel->Texts());
    } catch (const FieldFault& fault) {
      at_fault = fault.Field();
      throw;
    }
  });
  if (at_fault) program_.frmGenCPanel->ShowField(*at_fault);
  return done;
}

void TfrmMainMDI::Generate() {
  MeshOptions options;  // set while the output is chosen, read by the write that follows
  const auto choose = [&](const FileDialogSettings& settings) {
    return ChooseOutput(settings, options);
  };
  const MapImage* map = MapWindowOpen() ? frmMap->Map() : nullptr;
  QtBusyCursor busy_cursor;
  RunPanelCommand([&](const PanelTexts& texts) {
    RunGenerateCommand(program_.generator, program_.map, map, texts, choose, busy_cursor, options);
  });
}

// The preview shows the map's name; saving its picture over the map is refused as saving
// over a scene file is.
void TfrmMainMDI::Preview() {
  const MapImage* map = MapWindowOpen() ? frmMap->Map() : nullptr;
  ViewerState loaded = CopyWithoutScene(program_.viewer);
  QtBusyCursor busy_cursor;
  const bool done = RunPanelCommand([&](const PanelTexts& texts) {
    PreviewTerrainCommand(program_.generator, program_.map, map, texts, loaded, busy_cursor);
  });
  if (!done) return;
  const std::string& map_file = program_.map.MapFileName;
  ShowScene("Preview of " + QFileInfo(QFile::decodeName(map_file.c_str())).fileName(), map_file,
            std::move(loaded));
}

void TfrmMainMDI::OpenScene() {
  const auto chosen = AskFile(DialogKind::kScene, OpenSceneDialogSettings(), false);
  if (chosen) OpenSceneFile(*chosen);
}

// Until the load is whole, the shown scene, its window's caption and its picture stay.
void TfrmMainMDI::OpenSceneFile(const QString& file_name) {
  loading_file_ = file_name;
  scene_loader_->Start(LocalFileName(file_name), PanelLevels(program_.frmGenCPanel->Texts()),
                       program_.viewer);
  loading_busy_.emplace(busy_cursor_);
}

void TfrmMainMDI::StopLoading() {
  scene_loader_->Stop();
}

bool TfrmMainMDI::SceneLoading() const {
  return scene_loader_->Loading();
}

void TfrmMainMDI::SceneLoaded(const std::shared_ptr<ViewerState>& loaded,
                              std::exception_ptr failure) {
  loading_busy_.reset();
  if (failure) program_.dialogs.RunCommand([&] { std::rethrow_exception(failure); });
  if (loaded == nullptr) return;
  ShowScene(loading_file_, LocalFileName(loading_file_), std::move(*loaded));
  program_.settings.AddRecentScene(RecentName(loading_file_));
}

void TfrmMainMDI::ShowScene(const QString& caption, const std::string& scene_file,
                            ViewerState&& loaded) {
  TfrmRender* window = RenderWindow(caption);
  window->StopRender();  // it draws the scene about to be replaced
  TakeLoadedScene(program_.viewer, std::move(loaded));
  window->ShowAngles(TargetAngles(program_.viewer));
  program_.SceneFileName = scene_file;
  window->Render();
}

void TfrmMainMDI::ChoosePaintOrder() {
  const bool file_order = FileOrder1->isChecked();
  program_.settings.SetToggle(RenderToggle::kFileOrder, file_order);
  program_.viewer.paint_order = file_order ? PaintOrder::kFile : PaintOrder::kDepth;
  if (RenderWindowOpen()) frmRender->Render();
}

void TfrmMainMDI::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && SceneLoading()) {
    StopLoading();
  } else {
    QMainWindow::keyPressEvent(event);
  }
}

// Created when absent, at the size the user last gave it, else reused at its size;
// re-captioned and centred on the screen, lifted by 25 pixels, unless maximised. It comes
// to the front with the keyboard focus on its picture, also over a map that covers the
// work area.
TfrmRender* TfrmMainMDI::RenderWindow(const QString& caption) {
  if (!RenderWindowOpen()) {
    frmRender = new TfrmRender(program_.viewer, program_.dialogs, program_.settings);
    connect(frmRender, &TfrmRender::Closed, this, [this] {
      frmRender = nullptr;
      program_.SceneFileName.clear();
    });
    MdiArea->addSubWindow(frmRender);
    frmRender->resize(program_.settings.RenderWindowSize().value_or(kRenderWindowSize));
    frmRender->show();
  }
  frmRender->setWindowTitle(caption);
  if (!frmRender->isMaximized()) {
    const QSize screen_size = screen()->size();
    frmRender->move((screen_size.width() - frmRender->width()) / 2,
                    (screen_size.height() - frmRender->height()) / 2 - 25);
  }
  MdiArea->setActiveSubWindow(frmRender);
  frmRender->raise();
  frmRender->Image1->setFocus();
  return frmRender;
}

void TfrmMainMDI::SavePicture() {
  if (program_.SceneFileName.empty() || !RenderWindowOpen()) {
    program_.dialogs.ShowError("No picture to save!");
    return;
  }
  const auto chosen =
      AskFile(DialogKind::kPicture, {"Save 3D picture", "BMP files (*.bmp)|*.bmp", "bmp"}, true);
  if (!chosen) return;
  program_.dialogs.RunCommand([&] {
    const std::string file_name = LocalFileName(*chosen);
    RefuseOutputOverInput(program_.SceneFileName, file_name);
    frmRender->Picture().SaveBmp(file_name);
  });
}

void TfrmMainMDI::ShowDocumentation() {
  if (!DocWindowOpen()) {
    frmDoc = new TfrmDoc;
    connect(frmDoc, &TfrmDoc::Closed, this, [this] { frmDoc = nullptr; });
    MdiArea->addSubWindow(frmDoc);
    FixClientSize(frmDoc, TfrmDoc::kClientSize);
  }
  frmDoc->show();
  MdiArea->setActiveSubWindow(frmDoc);
  program_.dialogs.RunCommand([&] { frmDoc->LoadDocument(); });
}

void TfrmMainMDI::Exit() {
  QCoreApplication::quit();
}

void TfrmMainMDI::RememberForNextRun() {
  KeepMapTexts(program_.map.MapFileName);
  program_.settings.SetMainWindowGeometry(saveGeometry());
}

}  // namespace orvandel::gui
