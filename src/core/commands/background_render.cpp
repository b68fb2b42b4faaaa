#include "orvandel/commands/background_render.h"

#include <utility>

#include "orvandel/viewer/render_scene.h"

namespace orvandel {
namespace {

// The view of state with its scene, taken out of state.
ViewerState TakeForRender(ViewerState& state) {
  ViewerState taken = CopyWithoutScene(state);
  taken.SceneFaces = std::exchange(state.SceneFaces, {});
  return taken;
}

}  // namespace

BackgroundRender::BackgroundRender(ViewerState& state, Picture picture, std::function<void()> done)
    : state_(state), rendered_(TakeForRender(state)) {
  thread_ = std::thread([this, picture, done = std::move(done)] { Run(picture, done); });
}

BackgroundRender::~BackgroundRender() {
  Stop();
  Finish();
}

void BackgroundRender::Run(Picture picture, const std::function<void()>& done) {
  try {
    RenderNow(rendered_, picture.canvas, picture.width, picture.height, stop_);
    whole_ = true;
  } catch (const RenderStopped&) {
  } catch (...) {
    failure_ = std::current_exception();
  }
  done();
}

void BackgroundRender::Stop() {
  stopped_ = true;
  stop_.Stop();
}

bool BackgroundRender::Finish() {
  if (finished_) return false;
  finished_ = true;
  thread_.join();
  state_.SceneFaces = std::move(rendered_.SceneFaces);
  if (stopped_) return false;
  if (failure_) std::rethrow_exception(failure_);
  return whole_;
}

}  // namespace orvandel
