#include "recording_canvas.h"

#include <cstdio>

namespace orvandel::test {
namespace {

std::string Hex(PackedColour colour) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", colour);
  return text;
}

std::string Point(PixelPoint p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// "348,0@-0.25": the pixel and the depth.
std::string Point(DepthPoint p) {
  return Point(p.pixel) + "@" + Number(p.depth);
}

}  // namespace

void RecordingCanvas::SetBrushColour(PackedColour colour) {
  brush_colour_ = colour;
  calls.push_back("BrushColour " + Hex(colour));
}

void RecordingCanvas::SetBrushStyle(BrushStyle style) {
  brush_style_ = style;
  calls.push_back(style == BrushStyle::kSolid ? "BrushStyle solid" : "BrushStyle clear");
}

void RecordingCanvas::SetPenColour(PackedColour colour) {
  calls.push_back("PenColour " + Hex(colour));
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  calls.push_back("Rectangle " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                  std::to_string(x2) + " " + std::to_string(y2));
}

void RecordingCanvas::Polygon(PixelPoint p1, PixelPoint p2, PixelPoint p3) {
  calls.push_back("Polygon " + Point(p1) + " " + Point(p2) + " " + Point(p3));
}

void RecordingCanvas::ClearDepth() {
  calls.push_back("ClearDepth");
}

void RecordingCanvas::DepthFace(std::uint32_t face, DepthPoint p1, DepthPoint p2, DepthPoint p3) {
  calls.push_back("DepthFace " + std::to_string(face) + " " + Point(p1) + " " + Point(p2) + " " +
                  Point(p3));
}

void RecordingCanvas::FindShownFaces(std::vector<std::uint8_t>&) const {}

void RecordingCanvas::PaintFaces(const PackedColour*) {
  calls.push_back("PaintFaces");
}

void RecordingCanvas::VisibleEdges(DepthPoint p1, DepthPoint p2, DepthPoint p3, float bias) {
  calls.push_back("VisibleEdges " + Point(p1) + " " + Point(p2) + " " + Point(p3) + " " +
                  Number(bias));
}

std::vector<std::string> ClearCalls(int width, int height) {
  return {"BrushColour 00000000", "BrushStyle solid", "PenColour 00000000",
          "Rectangle 0 0 " + std::to_string(width) + " " + std::to_string(height)};
}

}  // namespace orvandel::test
