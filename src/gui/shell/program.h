#pragma once

#include <memory>

#include "orvandel/commands/open_map_command.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/viewer/viewer_state.h"
#include "settings/desktop_settings.h"
#include "shell/user_dialogs.h"

namespace orvandel::gui {

class TfrmMainMDI;
class TfrmGenCPanel;
class TfrmSet;

// The application's title: the main window's caption and that of the general error box.
inline constexpr char kApplicationTitle[] = "ORVANDEL";

inline constexpr char kColourDepthWarning[] =
    "This program functions properly only in 24-bit or 32-bit color resolutions.\r"
    "If this is not your case, please make the proper adjustments.";

// What the program keeps from start-up to its end: the state that several windows share,
// and the windows that live as long as the program.
class Program {
 public:
  // dialogs answers every question to the user; settings holds what is kept between runs.
  Program(UserDialogs& dialogs, DesktopSettings& settings);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up: the main window, which shows the colour-depth warning, the control panel and
  // the hidden height popup. Returns false when the user chose Cancel in the warning; the
  // program then ends as soon as its event loop starts.
  bool Start();
  // Opens a map once the event loop runs, as a file manager asks when the user opens a
  // BMP file with the program; does nothing when the user chose Cancel at start-up.
  void OpenAtStart(const std::string& map_file);

  UserDialogs& dialogs;
  DesktopSettings& settings;
  MapSession map;
  GeneratorState generator;
  ViewerState viewer;
  std::string SceneFileName;  // SceneFileName: the 3DF file the render window shows

  std::unique_ptr<TfrmMainMDI> frmMainMDI;
  TfrmGenCPanel* frmGenCPanel = nullptr;  // owned by the main window
  std::unique_ptr<TfrmSet> frmSet;

 private:
  bool go_on_ = false;  // the user chose OK at start-up
};

}  // namespace orvandel::gui
