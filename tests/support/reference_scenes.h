#pragma once

#include <string>
#include <vector>

#include "orvandel/geometry/vector3.h"
#include "scene_file.h"

namespace orvandel::test {

// Scenes whose pictures are pinned by checksum or compared between thread counts, so that
// any change to the renderer that moves a single pixel shows.
struct ReferenceScene {
  std::vector<Vector3> vertices;
  std::vector<TriangleRecord> triangles;

  // The scene as a 3DF file.
  std::string Bytes() const { return SceneFileBytes(vertices, triangles); }
};

// Overlapping faces in many hues: a fan of large triangles in both corner orders, hues
// inside and outside 0 to 360 (360, -30, 725, kNoHue, the largest and smallest integers),
// a face on one point, a face on a line, and vertices that no face names, far out.
ReferenceScene OverlapScene();

// The overlapping faces plus small faces further and further out, up to some forty units,
// and a long sliver reaching the farthest: the picture first shows the scene small, and
// zooms push most corners beyond the picture's edges.
ReferenceScene FarScene();

// count pseudo-random triangles of all sizes in the cube -1 to 1, hues from the height
// classes and a few odd ones, sharing vertices at random: later faces cover earlier ones
// everywhere.
ReferenceScene SoupScene(int count);

// A bumpy terrain on a grid of side x side vertices spanning -1 to 1, two triangles per
// square as generated terrains have them, hued by height class: 2 (side - 1)^2 faces.
ReferenceScene TerrainScene(int side);

}  // namespace orvandel::test
