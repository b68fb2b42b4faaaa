#include "shell/orvan_main_f.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMenuBar>
#include <QScreen>

#include "assimp_mesh_reader.h"
#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_map_f.h"
#include "mapinput/orvan_set_f.h"
#include "orvandel/commands/generate_command.h"
#include "orvandel/commands/open_map_command.h"
#include "orvandel/commands/scene_commands.h"
#include "orvandel/fileio/same_file.h"
#include "shell/orvan_doc_f.h"
#include "shell/program.h"
#include "shell/qt_busy_cursor.h"
#include "viewer/orvan_render_f.h"
#include "widgets/client_size.h"
#include "widgets/globe_picture.h"
#include "widgets/packed_colour.h"

namespace orvandel::gui {
namespace {

// The render window's outer size.
constexpr QSize kRenderWindowSize(558, 477);

std::string LocalFileName(const QString& name) {
  return QFile::encodeName(name).toStdString();
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
  CreateMenu();
}

void TfrmMainMDI::CreateMenu() {
  QMenu* menu = menuBar()->addMenu("&Menu");
  menu->setObjectName("Menu1");
  const auto item = [&](const char* name, const char* caption, auto handler) {
    QAction* action = menu->addAction(caption, this, handler);
    action->setObjectName(name);
    return action;
  };
  OpenBMPfile1 = item("OpenBMPfile1", "&Open BMP image file...", &TfrmMainMDI::OpenBMPfile1Click);
  Generate3Dfile1 =
      item("Generate3Dfile1", "&Generate 3D file...", &TfrmMainMDI::Generate3Dfile1Click);
  menu->addSeparator()->setObjectName("N1");
  Open3Dfile1 = item("Open3Dfile1", "Open 3&DF file...", &TfrmMainMDI::Open3Dfile1Click);
  Save3D1 = item("Save3D1", "&Save 3D picture as...", &TfrmMainMDI::Save3D1Click);
  menu->addSeparator()->setObjectName("N2");
  Documentation1 = item("Documentation1", "Do&cumentation", &TfrmMainMDI::Documentation1Click);
  menu->addSeparator()->setObjectName("N3");
  Exit1 = item("Exit1", "E&xit", &TfrmMainMDI::Exit1Click);
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
  connect(panel, &TfrmGenCPanel::GenerateRequested, this, &TfrmMainMDI::GoOn);
  return panel;
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

void TfrmMainMDI::OpenBMPfile1Click() {
  const auto chosen =
      program_.dialogs.AskOpenFile({"Open BMP image file", "BMP files|*.bmp", "bmp"});
  if (!chosen) return;
  OpenMapFile(LocalFileName(*chosen));
}

void TfrmMainMDI::OpenMapFile(const std::string& file_name) {
  program_.dialogs.RunCommand([&] { OpenMap(file_name); });
}

// Nothing changes until the map has passed its checks and its pixels are decoded.
void TfrmMainMDI::OpenMap(const std::string& file_name) {
  std::unique_ptr<QImageMap> image;
  OpenMapCommand(program_.map, file_name, [&image](BinaryReader& file, const MapHeader& header) {
    image = DecodeMapImage(file, header);
  });
  program_.frmGenCPanel->ColourSwatches(program_.map.swatches);
  TfrmMap* window = MapWindow();
  window->ShowMap(std::move(image), QFile::decodeName(file_name.c_str()));
  window->move(frameGeometry().width() - MdiArea->width(),
               frameGeometry().height() - MdiArea->height());
}

TfrmMap* TfrmMainMDI::MapWindow() {
  if (MapWindowOpen()) return frmMap;
  frmMap = new TfrmMap([this](PackedColour colour, const QPoint& at) { MapClicked(colour, at); },
                       [this](PackedColour colour) { return DescribeMapColour(colour); });
  connect(frmMap, &TfrmMap::Closed, this, [this] {
    frmMap = nullptr;
    program_.map.MapFileName.clear();
  });
  MdiArea->addSubWindow(frmMap);
  frmMap->show();
  return frmMap;
}

void TfrmMainMDI::MapClicked(unsigned colour, const QPoint& screen_point) {
  MapSession& map = program_.map;
  map.SelectedColourIndex = SelectedIndexOfColour(map.map_palette, colour, map.SelectedColourIndex);
  const auto index = static_cast<std::size_t>(map.SelectedColourIndex);
  program_.frmSet->PopupAt(screen_point, QColorOf(map.swatches.colour[index]));
}

// The colour a click here would pick, and the height typed for it: "5: height 1200".
QString TfrmMainMDI::DescribeMapColour(unsigned colour) const {
  const int index = SelectedIndexOfColour(program_.map.map_palette, colour, kNoPaletteIndex);
  if (index == kNoPaletteIndex) return "not a colour of the palette";
  const QString height = program_.frmGenCPanel->FieldByTag(index)->FieldText().trimmed();
  return QString("%1: %2").arg(index).arg(height.isEmpty() ? "no height" : "height " + height);
}

void TfrmMainMDI::GoOn() {
  const auto choose = [this](const FileDialogSettings& settings) -> std::optional<std::string> {
    const auto chosen = program_.dialogs.AskSaveFile(settings);
    if (!chosen) return std::nullopt;
    return LocalFileName(*chosen);
  };
  const MapImage* map = MapWindowOpen() ? frmMap->Map() : nullptr;
  QtBusyCursor busy_cursor;
  program_.dialogs.RunCommand([&] {
    RunGenerateCommand(program_.generator, program_.map, map, program_.frmGenCPanel->Texts(),
                       choose, busy_cursor);
  });
}

void TfrmMainMDI::Open3Dfile1Click() {
  const auto chosen = program_.dialogs.AskOpenFile({"Open 3DF file", "3DF files|*.3df", "3df"});
  if (!chosen) return;
  program_.SceneFileName = LocalFileName(*chosen);
  program_.dialogs.RunCommand([&] { OpenScene(*chosen); });
}

// The window is set up before the file is read, so that it stands captioned with the file's
// name also when the file turns out to be unusable.
void TfrmMainMDI::OpenScene(const QString& file_name) {
  TfrmRender* window = RenderWindow(file_name);
  window->StopRender();  // it draws the scene about to be replaced
  QtBusyCursor busy_cursor;
  const AssimpMeshReader mesh_reader;
  OpenSceneCommand(
      program_.viewer, {LocalFileName(file_name), mesh_reader, std::nullopt},
      [window](AnglePair angles) { window->ShowAngles(angles); }, busy_cursor);
  window->Button1Click();
}

// Created when absent, else reused; re-captioned, re-sized and centred on the screen,
// lifted by 25 pixels.
TfrmRender* TfrmMainMDI::RenderWindow(const QString& caption) {
  if (!RenderWindowOpen()) {
    frmRender = new TfrmRender(program_.viewer, program_.dialogs);
    connect(frmRender, &TfrmRender::Closed, this, [this] {
      frmRender = nullptr;
      program_.SceneFileName.clear();
    });
    MdiArea->addSubWindow(frmRender);
    frmRender->show();
    frmRender->Image1->setFocus();
  }
  frmRender->setWindowTitle(caption);
  frmRender->setFixedSize(kRenderWindowSize);
  const QSize screen_size = screen()->size();
  frmRender->move((screen_size.width() - kRenderWindowSize.width()) / 2,
                  (screen_size.height() - kRenderWindowSize.height()) / 2 - 25);
  return frmRender;
}

void TfrmMainMDI::Save3D1Click() {
  if (program_.SceneFileName.empty() || !RenderWindowOpen()) {
    program_.dialogs.ShowError("No picture to save!");
    return;
  }
  const auto chosen =
      program_.dialogs.AskSaveFile({"Save 3D picture", "BMP files (*.bmp)|*.bmp", "bmp"});
  if (!chosen) return;
  program_.dialogs.RunCommand([&] {
    const std::string file_name = LocalFileName(*chosen);
    RefuseOutputOverInput(program_.SceneFileName, file_name);
    frmRender->Picture().SaveBmp(file_name);
  });
}

void TfrmMainMDI::Documentation1Click() {
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

void TfrmMainMDI::Exit1Click() {
  QCoreApplication::quit();
}

}  // namespace orvandel::gui
