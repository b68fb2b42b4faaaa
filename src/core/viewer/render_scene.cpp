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

// Shades the faces k of range for which chosen(k) holds, gathered with their view-space
// corners a few at a time; store(k, colour) takes each colour.
template <typename Chosen, typename Store>
void ShadeChosen(const std::vector<SceneFace>& faces, PartRange range, const Projection& projection,
                 Chosen&& chosen, Store&& store) {
  constexpr std::size_t kGathered = 64;
  constexpr Lighting kLighting{kAmbient, kDiffuse, kSpecular, kSpecularExponent};
  const std::vector<Vector3>& v = projection.view_vertices;
  FaceToShade gathered[kGathered];
  std::size_t numbers[kGathered];
  PackedColour colours[kGathered];
  std::size_t count = 0;
  const auto shade = [&] {
    ShadeFaces({gathered, count}, projection.SunPosition, kLighting, colours);
    for (std::size_t k = 0; k < count; ++k)
      store(numbers[k], colours[k]);
    count = 0;
  };
  for (std::size_t k = range.begin; k < range.end; ++k) {
    if (!chosen(k)) continue;
    const SceneFace& face = faces[k];
    gathered[count] = {v[face.Corner1], v[face.Corner2], v[face.Corner3],
                       static_cast<float>(face.Hue)};
    numbers[count++] = k;
    if (count == kGathered) shade();
  }
  shade();
}

// An edge shows where it lies no more than this many pixels' width behind the nearest
// face: the edges of the faces that show are drawn in full, whatever the rounding of
// their pixels, and the edges behind them not at all.
constexpr float kEdgeBiasPixels = 2;

// Draws the faces of the scene by number, in file order or in depth order; a stopped
// render ends here, a few faces after the stop.
class FacePainter {
 public:
  FacePainter(const Projection& projection, const ViewerState& state, Canvas& canvas,
              const RenderStop& stop)
      : faces_(state.SceneFaces.faces),
        vertices_(projection.view_vertices),
        pixels_(PlaceVertices(projection, state.Zoom, state.threads)),
        canvas_(canvas),
        stop_(stop),
        depth_(state.paint_order == PaintOrder::kDepth) {
    if (depth_) canvas_.ClearDepth();
  }

  std::size_t Count() const { return faces_.size(); }
  bool InDepthOrder() const { return depth_; }

  // Face k filled and outlined as the canvas's brush and pen say; in depth order marked
  // where it shows.
  void Face(std::size_t k) const {
    const SceneFace& face = Next(k);
    if (depth_) {
      canvas_.DepthFace(static_cast<std::uint32_t>(k), Corner(face.Corner1), Corner(face.Corner2),
                        Corner(face.Corner3));
    } else {
      canvas_.Polygon(pixels_[face.Corner1], pixels_[face.Corner2], pixels_[face.Corner3]);
    }
  }
  // The edges of face k that lie no more than bias behind the faces painted.
  void VisibleEdges(std::size_t k, float bias) const {
    const SceneFace& face = Next(k);
    canvas_.VisibleEdges(Corner(face.Corner1), Corner(face.Corner2), Corner(face.Corner3), bias);
  }

 private:
  const SceneFace& Next(std::size_t k) const {
    if (k % RenderStop::kFacesBetweenChecks == 0) stop_.ThrowIfStopped();
    return faces_[k];
  }
  DepthPoint Corner(std::uint32_t n) const { return {pixels_[n], vertices_[n].y}; }

  const std::vector<SceneFace>& faces_;
  const std::vector<Vector3>& vertices_;
  const std::vector<PixelPoint> pixels_;
  Canvas& canvas_;
  const RenderStop& stop_;
  const bool depth_;
};

// The white wire frame. In depth order the faces are first marked with their depths,
// then their edges show where no face hides them.
void DrawWireFrame(const FacePainter& painter, float edge_bias, Canvas& canvas) {
  if (painter.InDepthOrder()) {
    for (std::size_t k = 0; k < painter.Count(); ++k)
      painter.Face(k);
  }
  canvas.SetBrushStyle(BrushStyle::kClear);
  canvas.SetPenColour(kWireColour);
  for (std::size_t k = 0; k < painter.Count(); ++k) {
    if (painter.InDepthOrder()) {
      painter.VisibleEdges(k, edge_bias);
    } else {
      painter.Face(k);
    }
  }
}

// Shaded faces in depth order: only the faces that show at some pixel are shaded, once
// every face has been marked where it lies nearest, each part of the faces on a thread of
// its own; then every pixel takes the colour of the face it shows.
void DrawShadedInDepthOrder(const FacePainter& painter, const Projection& projection,
                            const ViewerState& state, Canvas& canvas) {
  const std::vector<SceneFace>& faces = state.SceneFaces.faces;
  for (std::size_t k = 0; k < faces.size(); ++k)
    painter.Face(k);
  std::vector<std::uint8_t> shown(faces.size());
  canvas.FindShownFaces(shown);
  std::vector<PackedColour> colours(faces.size());
  const unsigned parts = PartsFor(faces.size(), state.threads);
  RunParts(parts, [&](unsigned part) {
    ShadeChosen(
        faces, PartOf(faces.size(), parts, part), projection,
        [&](std::size_t k) { return shown[k] != 0; },
        [&](std::size_t k, PackedColour colour) { colours[k] = colour; });
  });
  canvas.PaintFaces(colours.data());
}

}  // namespace

void Draw_and_View(const Projection& projection, const ViewerState& state, Canvas& canvas,
                   const RenderStop& stop) {
  const FacePainter painter(projection, state, canvas, stop);
  if (!state.Shaded) {
    DrawWireFrame(painter, kEdgeBiasPixels * projection.pixel_size / state.Zoom, canvas);
    return;
  }
  canvas.SetBrushStyle(BrushStyle::kSolid);
  if (painter.InDepthOrder()) {
    DrawShadedInDepthOrder(painter, projection, state, canvas);
    return;
  }
  const std::vector<SceneFace>& faces = state.SceneFaces.faces;
  const auto shade = [&](PartRange range, PackedColour* colours) {
    ShadeChosen(
        faces, range, projection, [](std::size_t) { return true; },
        [&](std::size_t k, PackedColour colour) { colours[k - range.begin] = colour; });
  };
  const auto draw = [&](PartRange range, const PackedColour* colours) {
    for (std::size_t k = range.begin; k < range.end; ++k) {
      canvas.SetBrushColour(colours[k - range.begin]);
      canvas.SetPenColour(colours[k - range.begin]);
      painter.Face(k);
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
