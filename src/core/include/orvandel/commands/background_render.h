#pragma once

#include <exception>
#include <functional>
#include <thread>

#include "orvandel/commands/scene_commands.h"
#include "orvandel/viewer/render_stop.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

// "Render now!" on a thread of its own, so that a front end can go on taking input (and a
// request to stop) while a large scene is drawn. It draws on a picture of its own, which
// the front end shows only when the render is whole: a stopped or failed render leaves the
// shown picture as it was.
class BackgroundRender {
 public:
  // Starts drawing state's scene as state's view stands now onto picture, which the caller
  // keeps alive and leaves alone until Finish. The scene is out of state until Finish;
  // the view may change meanwhile and counts for the next render. done is called once
  // from the render's thread when it ends, however it ends.
  BackgroundRender(ViewerState& state, Picture picture, std::function<void()> done);
  // Stops the render and waits for it, if Finish has not.
  ~BackgroundRender();
  BackgroundRender(const BackgroundRender&) = delete;
  BackgroundRender& operator=(const BackgroundRender&) = delete;

  // Asks the render to end soon; its picture is then not to be used, even if it was
  // already whole. From the thread that made the render.
  void Stop();

  // Waits for the render's end and gives the scene back to state (none when the render
  // discarded it). True when the picture is whole and not stopped. The first call after a
  // failed render throws what RenderNow threw; later calls, and calls after Stop, return
  // false.
  bool Finish();

 private:
  void Run(Picture picture, const std::function<void()>& done);

  ViewerState& state_;
  ViewerState rendered_;  // the scene and the view, for the render's thread alone
  RenderStop stop_;
  bool stopped_ = false;
  bool finished_ = false;
  bool whole_ = false;  // written by the render's thread, read after it has ended
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace orvandel
