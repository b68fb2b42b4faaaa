#include "orvandel/viewer/render_scene.h"

#include <algorithm>
#include <vector>

#include "fileio/huge_pages.h"
#include "fileio/parallel_parts.h"
#include "geometry/shading.h"
#include "viewer/shade_ahead.h"

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

// Every view-space vertex's pixel at zoom, each part of the list on a thread of its own.
std::vector<PixelPoint> PlaceVertices(const Projection& projection, float zoom,
                                      ThreadCount threads) {
  const std::vector<Vector3>& vertices = projection.view_vertices;
  std::vector<PixelPoint> pixels = HugePagedVector<PixelPoint>(vertices.size());
  const unsigned parts = PartsFor(vertices.size(), threads);
  RunParts(parts, [&](unsigned part) {
    const PartRange range = PartOf(vertices.size(), parts, part);
    for (std::size_t k = range.begin; k < range.end; ++k)
      pixels[k] = projection.mapping.WorldToPixel(zoom * vertices[k].x, zoom * vertices[k].z);
  });
  return pixels;
}

// The colours of faces [range.begin, range.end), gathered with their view-space corners a
// few at a time.
void ShadeRange(const std::vector<SceneFace>& faces, PartRange range, const Projection& projection,
                PackedColour* colours) {
  constexpr std::size_t kGathered = 64;
  constexpr Lighting kLighting{kAmbient, kDiffuse, kSpecular, kSpecularExponent};
  const std::vector<Vector3>& v = projection.view_vertices;
  FaceToShade gathered[kGathered];
  for (std::size_t start = range.begin; start < range.end; start += kGathered) {
    const std::size_t count = std::min(kGathered, range.end - start);
    for (std::size_t k = 0; k < count; ++k) {
      const SceneFace& face = faces[start + k];
      gathered[k] = {v[face.Corner1], v[face.Corner2], v[face.Corner3],
                     static_cast<float>(face.Hue)};
    }
    ShadeFaces({gathered, count}, projection.SunPosition, kLighting,
               colours + (start - range.begin));
  }
}

// Face number k of the scene; a stopped render ends here, a few faces after the stop.
void DrawFace(std::size_t k, const std::vector<SceneFace>& faces,
              const std::vector<PixelPoint>& pixels, Canvas& canvas, const RenderStop& stop) {
  if (k % RenderStop::kFacesBetweenChecks == 0) stop.ThrowIfStopped();
  const SceneFace& face = faces[k];
  canvas.Polygon(pixels[face.Corner1], pixels[face.Corner2], pixels[face.Corner3]);
}

}  // namespace

void Draw_and_View(const Projection& projection, const ViewerState& state, Canvas& canvas,
                   const RenderStop& stop) {
  const std::vector<SceneFace>& faces = state.SceneFaces.faces;
  const std::vector<PixelPoint> pixels = PlaceVertices(projection, state.Zoom, state.threads);
  if (!state.Shaded) {
    canvas.SetBrushStyle(BrushStyle::kClear);
    canvas.SetPenColour(kWireColour);
    for (std::size_t k = 0; k < faces.size(); ++k)
      DrawFace(k, faces, pixels, canvas, stop);
    return;
  }
  canvas.SetBrushStyle(BrushStyle::kSolid);
  const auto shade = [&](PartRange range, PackedColour* colours) {
    ShadeRange(faces, range, projection, colours);
  };
  const auto draw = [&](PartRange range, const PackedColour* colours) {
    for (std::size_t k = range.begin; k < range.end; ++k) {
      canvas.SetBrushColour(colours[k - range.begin]);
      canvas.SetPenColour(colours[k - range.begin]);
      DrawFace(k, faces, pixels, canvas, stop);
    }
  };
  ShadeAhead(faces.size(), state.threads, shade, draw);
}

void ClearPicture(Canvas& canvas, std::int32_t width, std::int32_t height) {
  canvas.SetBrushColour(0);
  canvas.SetBrushStyle(BrushStyle::kSolid);
  // The rectangle's outline takes the pen: black too, or the last face's colour would
  // frame the cleared picture.
  canvas.SetPenColour(0);
  canvas.Rectangle(0, 0, width, height);
}

void RenderScene(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height,
                 const RenderStop& stop) {
  stop.ThrowIfStopped();
  if (state.SceneFaces.empty()) {
    ClearPicture(canvas, width, height);
    return;
  }
  const Projection projection = Project_Scene(state, width, height);
  ClearPicture(canvas, width, height);
  Draw_and_View(projection, state, canvas, stop);
}

void RenderNow(ViewerState& state, Canvas& canvas, std::int32_t width, std::int32_t height,
               const RenderStop& stop) {
  const BrushKeeper keeper(canvas);
  RenderScene(state, canvas, width, height, stop);
}

}  // namespace orvandel
