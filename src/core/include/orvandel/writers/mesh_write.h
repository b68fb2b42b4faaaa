#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "orvandel/fileio/byte_sink.h"
#include "orvandel/generator/cell_sampler.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/generator/write_preparation.h"

namespace orvandel {

// How the formats in map units at true scale shape the mesh; the other formats ignore it.
struct MeshOptions {
  float vertical_scale = 1;  // multiplies every height; positive
  float base = 0;            // when positive, the mesh is closed into a solid whose flat
                             // bottom lies this many map units below its lowest vertex
};

// The inputs of one write, prepared by the generate command.
struct WriteRequest {
  GeneratorState& state;
  const MapImage& map;
  const SwatchColours& swatches;
  const WritePreparation& prep;
  MeshOptions options{};
};

// What a format writes its mesh from.
struct MeshSource {
  GridLayout& grid;
  const WritePreparation& prep;
  CellSampler& sampler;
  std::string_view output_file_name;
  const GeneratorSettings& settings;
  MeshOptions options{};
};

// Samples every cell once, in vertex order, hands each vertex to write_vertex(n, vertex)
// and returns the cell heights in vertex order. Only the heights are kept: the triangle
// pass needs nothing else.
template <typename WriteVertex>
std::vector<float> SampleVertices(MeshSource& source, WriteVertex&& write_vertex) {
  const GridLayout& grid = source.grid;
  std::vector<float> heights;
  heights.reserve(static_cast<std::size_t>(grid.VertexCount));
  for (std::int32_t r = 0; r < grid.Rows; ++r) {
    for (std::int32_t c = 0; c < grid.Columns; ++c) {
      const Vector3 vertex = source.sampler.SampleCell(c, r);
      write_vertex(r * grid.Columns + c, vertex);
      heights.push_back(vertex.z);
    }
  }
  return heights;
}

// The height class of a triangle from the cell heights of its corners.
inline int TriangleClass(const Triangle& t, const std::vector<float>& heights,
                         const WritePreparation& prep) {
  const float mean =
      MeanHeight(heights[static_cast<std::size_t>(t.a)], heights[static_cast<std::size_t>(t.b)],
                 heights[static_cast<std::size_t>(t.c)]);
  return HeightClass(mean, prep.water, prep.lawn, prep.snow);
}

// Writes one mesh format into a sink.
using MeshBody = void (*)(MeshSource& source, ByteSink& out);

// Samples the map as the request says and writes the mesh of body into out.
void WriteMeshInto(const WriteRequest& request, MeshBody body, ByteSink& out);

// Runs one write of OutputFileName: the mesh is written to a temporary file that replaces
// the output file only when it is whole. Throws IoError; an existing file is then left
// as it was.
void RunMeshWrite(const WriteRequest& request, MeshBody body);

}  // namespace orvandel
