#include "shell/program.h"

#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_set_f.h"
#include "shell/orvan_main_f.h"

namespace orvandel::gui {

Program::Program(UserDialogs& dialogs, DesktopSettings& settings)
    : dialogs(dialogs), settings(settings) {
  viewer.Shaded = !settings.Toggle(RenderToggle::kWire);
}

Program::~Program() = default;

bool Program::Start() {
  frmMainMDI = std::make_unique<TfrmMainMDI>(*this);
  dialogs.SetParent(frmMainMDI.get());
  const bool go_on = frmMainMDI->FormCreate();
  frmGenCPanel = frmMainMDI->CreateControlPanel();
  frmSet = std::make_unique<TfrmSet>(frmMainMDI.get());
  QObject::connect(frmSet.get(), &TfrmSet::HeightChosen, frmGenCPanel,
                   &TfrmGenCPanel::SetHeightText);
  frmMainMDI->ShowAsLeft();
  go_on_ = go_on;
  return go_on;
}

void Program::OpenAtStart(const std::string& map_file) {
  if (!go_on_) return;
  QMetaObject::invokeMethod(
      frmMainMDI.get(), [this, map_file] { frmMainMDI->OpenMapFile(map_file); },
      Qt::QueuedConnection);
}

}  // namespace orvandel::gui
