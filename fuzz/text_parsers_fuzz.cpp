// Feeds arbitrary bytes to the readers of what a person types: a settings field's text
// (FieldToFloat) and the arguments of both commands of orvandel-cli. Every input must end
// in a value or the reader's own error, never in a crash or undefined behaviour; and what
// the readers accept must lie within the ranges they promise.
//
// Input: a choice byte, then the field's text, or the arguments, each ended by a zero byte.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli_args.h"
#include "fuzz_input.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/field_text.h"
#include "render_args.h"

namespace {

using namespace orvandel;

void Require(bool promise) {
  if (!promise) std::abort();
}

bool InThreadRange(ThreadCount threads) {
  return threads >= 1 && threads <= kMaxThreadCount;
}

bool IsAngle(AnglePair angles) {
  return angles.vertical < 360 && angles.horizontal < 360;
}

bool IsPositive(float value) {
  return std::isfinite(value) && value > 0;
}

void ReadField(FuzzInput& input) {
  Require(std::isfinite(FieldToFloat(input.Rest())));
}

void ReadGenerateArguments(FuzzInput& input) {
  const cli::GenerateArgs args = cli::ParseGenerateArgs(input.Arguments());
  Require(InThreadRange(args.threads) && IsPositive(args.options.vertical_scale));
  Require(args.options.base == 0 || IsPositive(args.options.base));
}

void ReadRenderArguments(FuzzInput& input) {
  const cli::RenderArgs args = cli::ParseRenderArgs(input.Arguments());
  Require(InThreadRange(args.threads) && IsPositive(args.view.zoom));
  Require(IsAngle(args.view.observer) && IsAngle(args.view.sun));
  Require(args.width >= 1 && args.width <= cli::kMaxPictureSide);
  Require(args.height >= 1 && args.height <= cli::kMaxPictureSide);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  try {
    switch (input.Byte() % 3) {
      case 0:
        ReadField(input);
        break;
      case 1:
        ReadGenerateArguments(input);
        break;
      default:
        ReadRenderArguments(input);
        break;
    }
  } catch (const cli::UsageError&) {
  } catch (const Failure&) {
  }
  return 0;
}
