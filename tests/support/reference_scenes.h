#pragma once

#include <string>

namespace orvandel::test {

// Hand-made 3DF scenes whose pictures are pinned by checksum, so that any change to the
// renderer that moves a single pixel shows. Each returns the file's bytes.

// Overlapping faces in many hues: a fan of large triangles in both corner orders, hues
// inside and outside 0 to 360 (360, -30, 725, kNoHue, the largest and smallest integers),
// a face on one point, a face on a line, and vertices that no face names, far out.
std::string OverlapScene();

// The overlapping faces plus small faces further and further out, up to some forty units,
// and a long sliver reaching the farthest: the picture first shows the scene small, and
// zooms push most corners beyond the picture's edges.
std::string FarScene();

// count pseudo-random triangles of all sizes in the cube -1 to 1, hues from the height
// classes and a few odd ones, sharing vertices at random: later faces cover earlier ones
// everywhere.
std::string SoupScene(int count);

}  // namespace orvandel::test
