#include "orvandel/viewer/viewer_state.h"

namespace orvandel {

void DiscardScene(ViewerState& state) {
  state.SceneFaces = std::vector<SceneFace>();
}

AnglePair TargetAngles(const ViewerState& state) {
  if (state.AngleTarget == AngleTargetKind::kObserver) {
    return {state.ObserverVertical, state.ObserverHorizontal};
  }
  return {state.SunVertical, state.SunHorizontal};
}

void ZoomIn(ViewerState& state) {
  state.Zoom = static_cast<float>(state.Zoom * 1.1L);
}

void ZoomOut(ViewerState& state) {
  state.Zoom = static_cast<float>(state.Zoom * (10.0L / 11));
}

}  // namespace orvandel
