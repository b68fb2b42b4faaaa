#pragma once

namespace orvandel {

// The range of values seen on one axis. It starts at +-1.7e38 (float bits 0x7EFFC99E and
// 0xFEFFC99E), so that the first value raises the maximum and lowers the minimum alike.
struct AxisRange {
  float low = 1.7e38f;
  float high = -1.7e38f;

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

}  // namespace orvandel
