#include "writers/square_row_numbers.h"

#include <cstdint>
#include <utility>

#include "writers/number_text.h"

namespace orvandel {

void SquareRowNumbers::MoveTo(std::size_t r) {
  if (row_ != kNone && r == row_ + 1) {
    std::swap(upper_, lower_);
  } else {
    Format(r, upper_);
  }
  Format(r + 1, lower_);
  row_ = r;
}

void SquareRowNumbers::Format(std::size_t row, std::vector<NumberPiece>& numbers) const {
  if (numbers.empty()) return;
  numbers[0] = MakePiece<NumberPiece>(
      [&](char* at) { return FormatInteger(at, static_cast<std::int64_t>(row * numbers.size())); });
  for (std::size_t c = 1; c < numbers.size(); ++c) {
    numbers[c] = numbers[c - 1];
    CountUp(numbers[c], numbers[c].size);
  }
}

}  // namespace orvandel
