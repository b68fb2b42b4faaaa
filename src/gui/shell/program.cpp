#include "shell/program.h"

#include "mapinput/orvan_gencpanel_f.h"
#include "mapinput/orvan_set_f.h"
#include "shell/orvan_main_f.h"

namespace orvandel::gui {

Program::Program(UserDialogs& dialogs) : dialogs(dialogs) {}

Program::~Program() = default;

bool Program::Start() {
  frmMainMDI = std::make_unique<TfrmMainMDI>(*this);
  dialogs.SetParent(frmMainMDI.get());
  const bool go_on = frmMainMDI->FormCreate();
  frmGenCPanel = frmMainMDI->CreateControlPanel();
  frmSet = std::make_unique<TfrmSet>(
      [this] { return frmGenCPanel->FieldByTag(map.SelectedColourIndex); }, frmMainMDI.get());
  frmMainMDI->showMaximized();
  return go_on;
}

}  // namespace orvandel::gui
