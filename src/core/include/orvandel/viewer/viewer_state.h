#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/geometry/vector3.h"

namespace orvandel {

// One triangle of a loaded scene: the numbers of its three corners in the scene's vertex
// list, in the order in which the file names them, and its hue in degrees (kNoHue for a
// colourless face).
struct SceneFace {
  std::uint32_t Corner1 = 0;
  std::uint32_t Corner2 = 0;
  std::uint32_t Corner3 = 0;
  std::int32_t Hue = 0;
};
static_assert(sizeof(SceneFace) == 16, "a scene of millions of faces must stay compact");

// A loaded scene: every vertex stored once and the faces in file order, naming their
// corners by number, so that a vertex shared by six faces is kept, turned and placed on
// the picture once. Every corner number is below vertices.size(), and every vertex is a
// corner of some face: the extent of the vertices is the extent of the faces.
struct IndexedScene {
  std::vector<Vector3> vertices;
  std::vector<SceneFace> faces;

  bool empty() const { return faces.empty(); }
};

// Which angle pair the render window's two up-down controls show and edit.
enum class AngleTargetKind { kObserver, kSun };

// The two angles of a pair.
enum class AngleAxis { kVertical, kHorizontal };

// A vertical and a horizontal angle in whole degrees.
struct AnglePair {
  std::uint16_t vertical = 0;
  std::uint16_t horizontal = 0;
  friend bool operator==(const AnglePair&, const AnglePair&) = default;
};

// How faces cover each other: in file order a later face covers an earlier one wherever
// they overlap; in depth order the nearer face shows, the later one where they lie equally
// near, and a wire frame shows only the edges that no face hides.
enum class PaintOrder { kFile, kDepth };

// The angles turn in steps of this many degrees.
inline constexpr int kAngleStep = 5;

inline constexpr AnglePair kStartObserver{20, 60};
inline constexpr AnglePair kStartSun{90, 180};
inline constexpr float kStartEyeDistance = -3.0f;
inline constexpr float kStartZoom = std::bit_cast<float>(0x3F404189u);  // 0.751

// Everything the viewer keeps between commands: the loaded scene and how it is looked at.
// The desktop program and the command line each own one. A fresh state is the state at
// program start.
struct ViewerState {
  // The scene; empty when no scene is loaded (after a failed load or a failed
  // projection).
  IndexedScene SceneFaces;
  // Derived from the scene's size at each load; kept negative, so the picture is always
  // the parallel projection.
  float EyeDistance = kStartEyeDistance;
  std::uint16_t ObserverVertical = kStartObserver.vertical;
  std::uint16_t ObserverHorizontal = kStartObserver.horizontal;
  std::uint16_t SunVertical = kStartSun.vertical;
  std::uint16_t SunHorizontal = kStartSun.horizontal;
  AngleTargetKind AngleTarget = AngleTargetKind::kObserver;
  float Zoom = kStartZoom;
  bool Shaded = true;  // false: white wire frame
  PaintOrder paint_order = PaintOrder::kFile;
  // The threads every render shares its work among; the picture never depends on them.
  ThreadCount threads = DefaultThreadCount();
};

// How a scene is looked at, as the command line asks for it.
struct ViewSettings {
  AnglePair observer = kStartObserver;
  AnglePair sun = kStartSun;
  float zoom = kStartZoom;
  bool shaded = true;
  PaintOrder paint_order = PaintOrder::kFile;
};

// Empties the scene and gives its memory back.
void DiscardScene(ViewerState& state);

// Everything of state but its scene, which stays in state: the view, for a scene loaded
// or rendered apart.
ViewerState CopyWithoutScene(ViewerState& state);

void SetObserverAngles(ViewerState& state, AnglePair angles);
void SetSunAngles(ViewerState& state, AnglePair angles);
// Observer 20, 60 and sun 90, 180, as every load sets them.
void ResetViewAngles(ViewerState& state);
void ApplyView(ViewerState& state, const ViewSettings& view);

// The angle pair that AngleTarget names.
AnglePair TargetAngles(const ViewerState& state);

// Makes target the pair that turning changes; returns its angles, to be shown.
AnglePair ChooseAngleTarget(ViewerState& state, AngleTargetKind target);

// Turns one angle of the target pair by delta degrees as the render window's arrows do:
// the angle stops at -1 and 360, which then stand for 355 and 0, so that steps of 5 run
// round 0, 5, ..., 355 both ways. Returns the target pair, to be shown.
AnglePair TurnTarget(ViewerState& state, AngleAxis axis, int delta);

// The zoom buttons: Zoom times 1.1, or times 10/11, the factor held in long double and the
// product rounded to a float, so that presses in and out return to the same values.
void ZoomIn(ViewerState& state);
void ZoomOut(ViewerState& state);

}  // namespace orvandel
