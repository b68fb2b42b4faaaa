#include <cmath>
#include <limits>
#include <string_view>

#include "fileio/ordered_bands.h"
#include "orvandel/fileio/format_3df.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/output_names.h"
#include "writers/square_row_numbers.h"
#include "writers/text_line.h"
#include "writers/vertex_range.h"

namespace orvandel {
namespace {

constexpr double kCoordinateFactor = 5000.0;
// About the length of a vertex line and of a polygon line.
constexpr std::size_t kVertexBytes = 20;
constexpr std::size_t kPolygonBytes = 30;

// R(5000 x value): formed exactly (a float times 5000 fits a double), rounded with halves
// to the even neighbour. Values too large for an integer are held at its limits.
std::int64_t Scaled(float value) {
  constexpr double kLimit = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::rint(kCoordinateFactor * value);
  if (std::isnan(rounded)) return 0;
  if (rounded > kLimit) return std::numeric_limits<std::int32_t>::max();
  if (rounded < -kLimit) return -std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int64_t>(rounded);
}

// The vertex lines: x and y formatted once per column and row, each with the blank after
// it, and the file's axes rearranged: -x, height, y.
class VertexLines {
 public:
  VertexLines(const MeshSource& source, const std::vector<float>& heights)
      : columns_(static_cast<std::size_t>(source.grid.Columns)), heights_(heights) {
    for (int c = 0; c < source.grid.Columns; ++c) {
      x_.push_back(MakePiece<TextPiece>([&](char* at) {
        at = FormatInteger(at, -Scaled(source.sampler.ColumnX(c)));
        *at++ = ' ';
        return at;
      }));
    }
    for (int r = 0; r < source.grid.Rows; ++r) {
      y_.push_back(MakePiece<TextPiece>(
          [&](char* at) { return FormatInteger(at, Scaled(source.sampler.RowY(r))); }));
    }
  }

  void Write(PartRange vertices, ByteSink& out) const {
    ForEachVertexIn(vertices, columns_, [&](std::size_t n, std::size_t c, std::size_t r) {
      TextLine(out).Piece(x_[c]).Integer(3 * Scaled(heights_[n])).Text(" ").Piece(y_[r]);
    });
  }

 private:
  std::size_t columns_;
  const std::vector<float>& heights_;
  std::vector<TextPiece> x_;
  std::vector<TextPiece> y_;
};

// The colour code of a polygon of this height class ("0x18e0").
std::string_view PlgColourCode(int height_class) {
  switch (height_class) {
    case kWaterClass:
      return "0x2bff";
    case kLawnClass:
      return "0x18e0";
    case kRockClass:
      return "0x12e0";
    default:
      return "0x1ffa";
  }
}

void WritePolygon(const NumberPiece& a, const NumberPiece& b, const NumberPiece& c,
                  int height_class, ByteSink& out) {
  TextLine(out)
      .Text(PlgColourCode(height_class))
      .Text(" 3 ")
      .Piece(a)
      .Text(" ")
      .Piece(b)
      .Text(" ")
      .Piece(c);
}

void WritePolygons(const MeshSource& source, const std::vector<float>& heights, PartRange rows,
                   ByteSink& out) {
  ForEachNumberedSquare(
      heights, source.grid, source.prep, rows,
      [&](std::size_t, std::size_t c, const SquareRowNumbers& vertex, std::int32_t first,
          std::int32_t second) {
        WritePolygon(vertex.Upper(c), vertex.Upper(c + 1), vertex.Lower(c + 1), first, out);
        WritePolygon(vertex.Upper(c), vertex.Lower(c + 1), vertex.Lower(c), second, out);
      });
}

}  // namespace

// A REND386 object: the header "name vertices polygons", one line of integers
// (-R(5000 x), 3 R(5000 h), R(5000 y)) per vertex, R rounding halves to even, and one line
// "colour 3 a b c" per triangle.
void WritePlgMesh(const MeshSource& source, ByteSink& out) {
  const GridLayout& grid = source.grid;
  const std::vector<float> heights = FiniteHeightsInVertexOrder(source);
  TextLine(out)
      .Text(PlgObjectName(source.output_file_name))
      .Text(" ")
      .Integer(grid.VertexCount)
      .Text(" ")
      .Integer(grid.TriangleCount);
  const VertexLines vertices(source, heights);
  WriteBandsInOrder(
      heights.size(), kVertexBytes, source.threads,
      [&](PartRange range, ByteSink& sink) { vertices.Write(range, sink); }, out);
  WriteBandsInOrder(
      SquareRowCount(grid), 2 * kPolygonBytes * static_cast<std::size_t>(grid.Columns),
      source.threads,
      [&](PartRange rows, ByteSink& sink) { WritePolygons(source, heights, rows, sink); }, out);
}

}  // namespace orvandel
