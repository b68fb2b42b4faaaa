#include <algorithm>
#include <optional>
#include <string_view>

#include "fileio/ordered_bands.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/square_row_numbers.h"
#include "writers/text_line.h"
#include "writers/vertex_range.h"

namespace orvandel {
namespace {

// About the length of a vertex line, and of the three lines of a face.
constexpr std::size_t kVertexBytes = 56;
constexpr std::size_t kFaceBytes = 100;

void WriteLine(ByteSink& out, std::string_view text) {
  TextLine(out).Text(text);
}

void WriteSceneStart(const GridLayout& grid, ByteSink& out) {
  WriteLine(out, "Ambient light color: Red=0.101961 Green=0.101961 Blue=0.101961");
  WriteLine(out, "");
  WriteLine(out, "Named object: \"object1\"");
  TextLine(out)
      .Text("Tri-mesh, Vertices: ")
      .Integer(grid.VertexCount)
      .Text("     Faces: ")
      .Integer(grid.TriangleCount);
  WriteLine(out, "Vertex list:");
}

// The vertex lines, each coordinate formatted once: x with what follows it up to y, y with
// what follows it up to the height.
class VertexLines {
 public:
  VertexLines(const MeshSource& source, const std::vector<float>& heights)
      : columns_(static_cast<std::size_t>(source.grid.Columns)), heights_(heights) {
    for (int c = 0; c < source.grid.Columns; ++c)
      x_.push_back(Followed(source.sampler.ColumnX(c), "     Y: "));
    for (int r = 0; r < source.grid.Rows; ++r)
      y_.push_back(Followed(source.sampler.RowY(r), "     Z: "));
  }

  void Write(PartRange vertices, ByteSink& out) const {
    ForEachVertexIn(vertices, columns_, [&](std::size_t n, std::size_t c, std::size_t r) {
      TextLine(out)
          .Text("Vertex ")
          .Integer(static_cast<std::int64_t>(n))
          .Text(":  X: ")
          .Piece(x_[c])
          .Piece(y_[r])
          .Fixed(kTextHeightFactor * heights_[n]);
    });
  }

 private:
  static TextPiece Followed(float value, std::string_view text) {
    return MakePiece<TextPiece>([&](char* at) {
      at = FormatFixed4(at, value);
      return std::copy(text.begin(), text.end(), at);
    });
  }

  std::size_t columns_;
  const std::vector<float>& heights_;
  std::vector<TextPiece> x_;
  std::vector<TextPiece> y_;
};

// Writes the material line of a face of this height class ("Material:"GREEN MATTE"").
void WriteAscMaterial(int height_class, ByteSink& out) {
  switch (height_class) {
    case kWaterClass:
      return WriteLine(out, "Material:\"BLUE GLASS\"");
    case kLawnClass:
      return WriteLine(out, "Material:\"GREEN MATTE\"");
    case kRockClass:
      return WriteLine(out, "Material:\"BROWN MATTE\"");
    default:
      return WriteLine(out, "Material:\"WHITE MATTE\"");
  }
}

// The face numbered by number (with what follows it), then its corners A, B, C: the
// triangle's corners in reverse.
void WriteFace(const NumberPiece& number, const NumberPiece& a, const NumberPiece& b,
               const NumberPiece& c, int height_class, ByteSink& out) {
  TextLine(out).Text("Face ").Piece(number).Piece(a).Text(" B:").Piece(b).Text(" C:").Piece(c).Text(
      " AB:1 BC:1 CA:1");
  WriteAscMaterial(height_class, out);
  WriteLine(out, "Smoothing:  1");
}

// The face number of each face of a row of squares, with the text up to its first corner:
// "2n:    A:" and "2n+1:    A:" for the square whose upper left vertex is n.
class FaceNumbers {
 public:
  explicit FaceNumbers(std::size_t n)
      : number_(MakePiece<NumberPiece>([&](char* at) {
          at = FormatInteger(at, 2 * static_cast<std::int64_t>(n));
          return std::copy(kAfter.begin(), kAfter.end(), at);
        })) {}

  // The number of the next face.
  const NumberPiece& Next() {
    if (started_) CountUp(number_, number_.size - kAfter.size());
    started_ = true;
    return number_;
  }

 private:
  static constexpr std::string_view kAfter = ":    A:";
  NumberPiece number_;
  bool started_ = false;
};

void WriteFaces(const MeshSource& source, const std::vector<float>& heights, PartRange rows,
                ByteSink& out) {
  const auto columns = static_cast<std::size_t>(source.grid.Columns);
  std::optional<FaceNumbers> face;
  ForEachNumberedSquare(heights, source.grid, source.prep, rows,
                        [&](std::size_t r, std::size_t c, const SquareRowNumbers& vertex,
                            std::int32_t first, std::int32_t second) {
                          if (c == 0) face.emplace(r * columns);
                          WriteFace(face->Next(), vertex.Lower(c + 1), vertex.Upper(c + 1),
                                    vertex.Upper(c), first, out);
                          WriteFace(face->Next(), vertex.Lower(c), vertex.Lower(c + 1),
                                    vertex.Upper(c), second, out);
                        });
}

void WriteSceneEnd(ByteSink& out) {
  for (const std::string_view line : {
           "Named object: \"Light01\"",
           "Direct light",
           "Position:  X:0.455456 Y:0 Z:0.957791",
           "Light color: Red=1 Green=1 Blue=1",
           "",
           "Named object: \"Camera01\"",
           "Camera (50.000004mm)",
           "Position:  X:-1.827902 Y:-0.860015 Z:1.237158",
           "",
           "Target:  X:-0.40951 Y:-0.163843 Z:0.046774",
           "Bank angle: 0 degrees",
       }) {
    WriteLine(out, line);
  }
}

}  // namespace

// A 3D Studio ASCII scene: one tri-mesh with its vertices (z being 3.0 x the cell height)
// and its faces, each face's corners listed in reverse and followed by its material,
// then a fixed light and camera. The square with upper left vertex n gives the faces 2n
// and 2n + 1.
void WriteAscMesh(const MeshSource& source, ByteSink& out) {
  const GridLayout& grid = source.grid;
  const std::vector<float> heights = FiniteHeightsInVertexOrder(source);
  WriteSceneStart(grid, out);
  const VertexLines vertices(source, heights);
  WriteBandsInOrder(
      heights.size(), kVertexBytes, source.threads,
      [&](PartRange range, ByteSink& sink) { vertices.Write(range, sink); }, out);
  WriteLine(out, "Face list:");
  WriteBandsInOrder(
      SquareRowCount(grid), 2 * kFaceBytes * static_cast<std::size_t>(grid.Columns), source.threads,
      [&](PartRange rows, ByteSink& sink) { WriteFaces(source, heights, rows, sink); }, out);
  WriteSceneEnd(out);
}

}  // namespace orvandel
