#include "geometry/hsv.h"

#include "geometry/hsv_lanes.h"

namespace orvandel {

RgbValues HsvToRgb(float H, float S, float V) {
  const lanes::Rgb rgb =
      lanes::HsvToRgb(lanes::Broadcast(H), lanes::Broadcast(S), lanes::Broadcast(V));
  return {rgb.R[0], rgb.G[0], rgb.B[0]};
}

}  // namespace orvandel
