#pragma once

#include <limits>

namespace orvandel {

// The range of values seen on one axis. It starts at +-infinity, so that the first value
// sets both bounds, however far out it lies.
struct AxisRange {
  float low = std::numeric_limits<float>::infinity();
  float high = -std::numeric_limits<float>::infinity();

  void Take(float value) {
    if (value > high) high = value;
    if (value < low) low = value;
  }
  // The values of later taken after those seen so far: the same range as taking them
  // one by one, down to which of two equal bounds (0 and -0) is kept.
  void Take(const AxisRange& later) {
    if (later.high > high) high = later.high;
    if (later.low < low) low = later.low;
  }
};

// The ranges of values seen on each of the three axes: the extent of a set of points.
struct AxisRanges {
  AxisRange x;
  AxisRange y;
  AxisRange z;
};

}  // namespace orvandel
