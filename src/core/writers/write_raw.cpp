#include <algorithm>
#include <array>
#include <utility>

#include "fileio/ordered_bands.h"
#include "orvandel/writers/mesh_write.h"
#include "writers/text_line.h"

namespace orvandel {
namespace {

// About the length of a line of the usual numbers.
constexpr std::size_t kLineBytes = 70;

// The texts of a corner: "x ", "y " and the height.
struct Corner {
  const TextPiece& x;
  const TextPiece& y;
  const TextPiece& z;
};

void WriteTriangleLine(const Corner& a, const Corner& b, const Corner& c, ByteSink& out) {
  TextLine(out)
      .Piece(a.x)
      .Piece(a.y)
      .Piece(a.z)
      .Text(" ")
      .Piece(b.x)
      .Piece(b.y)
      .Piece(b.z)
      .Text(" ")
      .Piece(c.x)
      .Piece(c.y)
      .Piece(c.z);
}

// The lines of a RAW file, written from every cell's own height. The corners are sampled
// square by square, in the order upper left, upper right, lower right, lower left; a
// corner without its own height takes the height of the corner sampled just before it.
// Every number is formatted once: x and y per column and row, the height per cell.
class RawLines {
 public:
  RawLines(const MeshSource& source, OwnHeights own);

  // Writes the lines of the squares in the rows of squares [rows.begin, rows.end).
  void Write(PartRange rows, ByteSink& out) const;

 private:
  // "3.0 x height", the height as a corner of a line gives it.
  static TextPiece HeightText(float height) {
    return MakePiece<TextPiece>(
        [&](char* at) { return FormatFixed4(at, kTextHeightFactor * height); });
  }
  // The heights of the cells of row r that have their own.
  void FormatRow(std::size_t r, std::vector<TextPiece>& heights) const;
  // The height of the last corner sampled before the squares of row of squares r.
  float HeightBefore(std::size_t r) const;
  bool HasOwn(std::size_t r, std::size_t c) const { return own_.coloured[r * columns_ + c] != 0; }

  std::size_t columns_;
  OwnHeights own_;
  float first_fallback_;
  std::vector<TextPiece> x_;               // "x " of every column
  std::vector<TextPiece> y_;               // "y " of every row
  std::vector<std::uint8_t> row_has_own_;  // whether any cell of the row has its own height
};

RawLines::RawLines(const MeshSource& source, OwnHeights own)
    : columns_(static_cast<std::size_t>(source.grid.Columns)),
      own_(std::move(own)),
      first_fallback_(source.sampler.FirstFallback()) {
  // Only the first corner sampled can take the first fallback height.
  if (!HasOwn(0, 0)) RequireFiniteVertex(first_fallback_);
  const auto with_blank = [](float value) {
    return MakePiece<TextPiece>([&](char* at) {
      at = FormatFixed4(at, value);
      *at++ = ' ';
      return at;
    });
  };
  for (int c = 0; c < source.grid.Columns; ++c)
    x_.push_back(with_blank(source.sampler.ColumnX(c)));
  for (int r = 0; r < source.grid.Rows; ++r) {
    y_.push_back(with_blank(source.sampler.RowY(r)));
    const auto row = own_.coloured.begin() + static_cast<std::ptrdiff_t>(r * columns_);
    row_has_own_.push_back(std::any_of(row, row + static_cast<std::ptrdiff_t>(columns_),
                                       [](std::uint8_t coloured) { return coloured != 0; }));
  }
}

void RawLines::FormatRow(std::size_t r, std::vector<TextPiece>& heights) const {
  for (std::size_t c = 0; c < columns_; ++c) {
    if (HasOwn(r, c)) heights[c] = HeightText(own_.height[r * columns_ + c]);
  }
}

// Rows of squares none of whose corners has its own height are passed over at once; in
// the last one with such a corner, the corners are walked back from its last square's
// lower left corner.
float RawLines::HeightBefore(std::size_t r) const {
  while (r > 0) {
    --r;
    if (!row_has_own_[r] && !row_has_own_[r + 1]) continue;
    for (std::size_t c = columns_ - 1; c-- > 0;) {
      const std::array<std::pair<std::size_t, std::size_t>, 4> corners_backwards = {
          {{r + 1, c}, {r + 1, c + 1}, {r, c + 1}, {r, c}}};
      for (const auto& [row, column] : corners_backwards) {
        if (HasOwn(row, column)) return own_.height[row * columns_ + column];
      }
    }
  }
  return first_fallback_;
}

void RawLines::Write(PartRange rows, ByteSink& out) const {
  if (rows.begin >= rows.end) return;
  std::vector<TextPiece> upper(columns_), lower(columns_);
  FormatRow(rows.begin, upper);
  TextPiece carried = HeightText(HeightBefore(rows.begin));
  for (std::size_t r = rows.begin; r < rows.end; ++r) {
    FormatRow(r + 1, lower);
    const TextPiece* last = &carried;
    const auto sample = [&](std::size_t row, std::size_t c, const std::vector<TextPiece>& texts) {
      if (HasOwn(row, c)) last = &texts[c];
      return last;
    };
    for (std::size_t c = 0; c + 1 < columns_; ++c) {
      const Corner p1{x_[c], y_[r], *sample(r, c, upper)};
      const Corner p2{x_[c + 1], y_[r], *sample(r, c + 1, upper)};
      const Corner p3{x_[c + 1], y_[r + 1], *sample(r + 1, c + 1, lower)};
      const Corner p4{x_[c], y_[r + 1], *sample(r + 1, c, lower)};
      WriteTriangleLine(p1, p2, p3, out);
      WriteTriangleLine(p1, p3, p4, out);
    }
    carried = *last;  // the rows' texts change places: keep the last corner's own copy
    std::swap(upper, lower);
  }
}

}  // namespace

// A plain list of triangles: one line "x1 y1 z1 x2 y2 z2 x3 y3 z3" per triangle, z being
// 3.0 x the cell height. Each square samples its four corner cells afresh, in the order
// upper left, upper right, lower right, lower left, so a cell without a set colour takes
// the height of the corner sampled just before it.
void WriteRawMesh(const MeshSource& source, ByteSink& out) {
  const RawLines lines(source, FiniteOwnHeights(source));
  WriteBandsInOrder(
      SquareRowCount(source.grid), 2 * kLineBytes * static_cast<std::size_t>(source.grid.Columns),
      source.threads, [&](PartRange rows, ByteSink& sink) { lines.Write(rows, sink); }, out);
}

}  // namespace orvandel
