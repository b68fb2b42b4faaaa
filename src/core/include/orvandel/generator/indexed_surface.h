#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/generator/write_preparation.h"

namespace orvandel {

// A terrain surface over some of the grid's vertices, such as a simplified one, that the
// formats at true scale write in place of every grid triangle (see SurfaceMaker).
struct IndexedSurface {
  // The grid vertices kept, by vertex number (r x Columns + c), each once. The files
  // number them in this order from 0; each has the full grid's position and normal.
  std::vector<std::int32_t> vertices;
  // By index into vertices, counter-clockwise seen from above (from +z, y north): in grid
  // vertex numbers (n + Columns + 1, n + 1, n) rather than the triangulation's
  // (n, n + 1, n + Columns + 1). Together they cover the grid's footprint once: every inner
  // edge is shared by exactly two triangles, and no vertex lies inside another's edge.
  std::vector<Triangle> triangles;
  // The height class of each triangle (kWaterClass, kLawnClass, kRockClass, kSnowClass),
  // which gives its material.
  std::vector<std::int32_t> classes;
  // The vertices on the footprint's edge, by index into vertices, in order round it
  // counter-clockwise seen from above (down the left edge of the map, along its bottom,
  // up its right edge, back along its top), the four corners included: the edges of the
  // triangles that no other triangle shares, each edge once. A base hangs its walls from
  // them; the full grid's loop starts at the top left corner.
  std::vector<std::int32_t> border;
};

// What a SurfaceMaker makes a surface from: the grid as the writer sampled it.
struct SampledGrid {
  const GridLayout& grid;
  const std::vector<float>& heights;  // every cell's height in vertex order, before any factor
  const WritePreparation& prep;       // the levels that class a triangle by its corners'
                                      // MeanHeight (see HeightClass)
  double z_factor;  // the written z of vertex n is heights[n] x z_factor rounded to a
                    // float: map units times the vertical scale
  ThreadCount threads;
};

// Makes the surface that the true-scale formats write from the sampled grid, once per
// write, after the heights are known to be finite and before anything is written. The
// surface must keep to IndexedSurface's rules; it is not checked beyond asserts. Throws
// what the maker throws; nothing is written then.
using SurfaceMaker = std::function<IndexedSurface(const SampledGrid& sampled)>;

}  // namespace orvandel
