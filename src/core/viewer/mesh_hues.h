#pragma once

#include <cstdint>
#include <optional>

#include "orvandel/geometry/colour.h"
#include "orvandel/viewer/mesh_file.h"

namespace orvandel {

// The hue of a colour of red, green and blue from 0 to 1, as shown, in whole degrees from
// 0 to 359; kNoHue for a grey, whose channels lie within a step of 1/255 of each other.
// The writers' colours of the height classes give exactly the classes' hues.
std::int32_t HueOfColour(float red, float green, float blue);
std::int32_t HueOfColour(PackedColour colour);

// The hue a material gives its faces: that of the height class (or the base) it is named
// after, as the writers name them; else the hue of its colour, taken from linear light
// first when linear; else none.
std::optional<std::int32_t> HueOfMaterial(const MeshMaterial& material, bool linear);

}  // namespace orvandel
