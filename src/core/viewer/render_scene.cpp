#include "orvandel/viewer/render_scene.h"

#include "orvandel/geometry/shading.h"

namespace orvandel {
namespace {

// Puts the canvas brush back as it was when the guard was made.
class BrushKeeper {
 public:
  explicit BrushKeeper(Canvas& canvas)
      : canvas_(canvas), colour_(canvas.GetBrushColour()), style_(canvas.GetBrushStyle()) {}
  ~BrushKeeper() {
    canvas_.SetBrushColour(colour_);
    canvas_.SetBrushStyle(style_);
  }
  BrushKeeper(const BrushKeeper&) = delete;
  BrushKeeper& operator=(const BrushKeeper&) = delete;

 private:
  Canvas& canvas_;
  PackedColour colour_;
  BrushStyle style_;
};

PixelPoint PixelOf(const Vector3& corner, float zoom, const ViewMapping& mapping) {
  return mapping.WorldToPixel(zoom * corner.x, zoom * corner.z);
}

}  // namespace

void Draw_and_View(const Projection& projection, const ViewerState& state, Canvas& canvas) {
  if (state.Shaded) {
    canvas.SetBrushStyle(BrushStyle::kSolid);
  } else {
    canvas.SetBrushStyle(BrushStyle::kClear);
    canvas.SetPenColour(kWireColour);
  }
  const ViewMapping& mapping = projection.mapping;
  for (const SceneFace& scene_face : state.SceneFaces) {
    const SceneFace face = RotatedFace(scene_face, projection.ViewMatrix);
    if (state.Shaded) {
      const PackedColour colour =
          ShadeFace(face.Corner1, face.Corner2, face.Corner3, projection.SunPosition,
                    static_cast<float>(face.Hue), kAmbient, kDiffuse, kSpecular, kSpecularExponent);
      canvas.SetBrushColour(colour);
      canvas.SetPenColour(colour);
    }
    canvas.Polygon(PixelOf(face.Corner1, state.Zoom, mapping),
                   PixelOf(face.Corner2, state.Zoom, mapping),
                   PixelOf(face.Corner3, state.Zoom, mapping));
  }
}

void ClearPicture(Canvas& canvas, std::int32_t width, std::int32_t height) {
  canvas.SetBrushColour(0);
  canvas.SetBrushStyle(BrushStyle::kSolid);
  // The rectangle's outline takes the pen: black too, or the last face's colour would
  // frame the cleared picture.
  canvas.SetPenColour(0);
  canvas.Rectangle(0, 0, width, height);
}

void RenderScene(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height) {
  if (state.SceneFaces.empty()) {
    ClearPicture(canvas, width, height);
    return;
  }
  const Projection projection = Project_Scene(state, width, height);
  ClearPicture(canvas, width, height);
  Draw_and_View(projection, state, canvas);
}

void RenderNow(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height) {
  const BrushKeeper keeper(canvas);
  RenderScene(state, canvas, width, height);
}

}  // namespace orvandel
