#include "orvandel/viewer/viewer_state.h"

#include <algorithm>
#include <utility>

namespace orvandel {
namespace {

// The limits of the render window's arrows: one step beyond each end of 0 to 355.
constexpr int kLowestAngle = -1;
constexpr int kHighestAngle = 360;

std::uint16_t& TargetAngle(ViewerState& state, AngleAxis axis) {
  const bool observer = state.AngleTarget == AngleTargetKind::kObserver;
  if (axis == AngleAxis::kVertical) return observer ? state.ObserverVertical : state.SunVertical;
  return observer ? state.ObserverHorizontal : state.SunHorizontal;
}

// An arrow step: clamped to -1 and 360, which stand for 355 and 0.
std::uint16_t SteppedAngle(int angle, int delta) {
  const int position = std::clamp(angle + delta, kLowestAngle, kHighestAngle);
  if (position == kHighestAngle) return 0;
  if (position == kLowestAngle) return kHighestAngle - kAngleStep;
  return static_cast<std::uint16_t>(position);
}

}  // namespace

void DiscardScene(ViewerState& state) {
  state.SceneFaces = IndexedScene();
}

ViewerState CopyWithoutScene(ViewerState& state) {
  IndexedScene scene = std::exchange(state.SceneFaces, {});
  ViewerState copy = state;
  state.SceneFaces = std::move(scene);
  return copy;
}

void SetObserverAngles(ViewerState& state, AnglePair angles) {
  state.ObserverVertical = angles.vertical;
  state.ObserverHorizontal = angles.horizontal;
}

void SetSunAngles(ViewerState& state, AnglePair angles) {
  state.SunVertical = angles.vertical;
  state.SunHorizontal = angles.horizontal;
}

void ResetViewAngles(ViewerState& state) {
  SetObserverAngles(state, kStartObserver);
  SetSunAngles(state, kStartSun);
}

void ApplyView(ViewerState& state, const ViewSettings& view) {
  SetObserverAngles(state, view.observer);
  SetSunAngles(state, view.sun);
  state.Zoom = view.zoom;
  state.Shaded = view.shaded;
  state.paint_order = view.paint_order;
}

AnglePair TargetAngles(const ViewerState& state) {
  if (state.AngleTarget == AngleTargetKind::kObserver) {
    return {state.ObserverVertical, state.ObserverHorizontal};
  }
  return {state.SunVertical, state.SunHorizontal};
}

AnglePair ChooseAngleTarget(ViewerState& state, AngleTargetKind target) {
  state.AngleTarget = target;
  return TargetAngles(state);
}

AnglePair TurnTarget(ViewerState& state, AngleAxis axis, int delta) {
  std::uint16_t& angle = TargetAngle(state, axis);
  angle = SteppedAngle(angle, delta);
  return TargetAngles(state);
}

void ZoomIn(ViewerState& state) {
  state.Zoom = static_cast<float>(state.Zoom * 1.1L);
}

void ZoomOut(ViewerState& state) {
  state.Zoom = static_cast<float>(state.Zoom * (10.0L / 11));
}

}  // namespace orvandel
