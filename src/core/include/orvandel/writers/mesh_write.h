#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "orvandel/fileio/byte_sink.h"
#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/cell_sampler.h"
#include "orvandel/generator/generator_state.h"
#include "orvandel/generator/indexed_surface.h"
#include "orvandel/generator/triangulation.h"
#include "orvandel/generator/write_preparation.h"
#include "orvandel/geometry/up_axis.h"
#include "orvandel/writers/simplified_surface.h"

namespace orvandel {

// How the formats in map units at true scale shape the mesh; the other formats ignore it.
struct MeshOptions {
  float vertical_scale = 1;  // multiplies every height; positive
  float base = 0;            // when positive, the mesh is closed into a solid whose flat
                             // bottom lies this many map units below its lowest vertex
  // Makes the surface written in place of every grid triangle: by default the terrain
  // simplified without loss; the vertical scale and the base apply to it as to the grid.
  // Empty: every grid triangle, written row of squares by row as the grid is.
  SurfaceMaker surface = SimplifiedSurface(0);
  // When positive, the mesh is scaled uniformly to this east-west extent in millimetres,
  // its footprint centred on the origin and its lowest point at height 0; the base is
  // then in millimetres too. 0 keeps map units at true scale.
  float print_width = 0;
  std::optional<UpAxis> up = std::nullopt;  // the axis the user chose, or none: the format's own
};

// The inputs of one write, prepared by the generate command. A write only reads them.
struct WriteRequest {
  const GeneratorState& state;
  const MapImage& map;
  const SwatchColours& swatches;
  const WritePreparation& prep;
  MeshOptions options{};
  ThreadCount threads = 1;  // the file is the same for any count
};

// What a format writes its mesh from.
struct MeshSource {
  const GridLayout& grid;
  const WritePreparation& prep;
  const CellSampler& sampler;
  std::string_view output_file_name;
  const GeneratorSettings& settings;
  MeshOptions options{};
  ThreadCount threads = 1;  // that sampling and writing share; the bytes never depend on it
};

// The message that refuses a mesh with a coordinate no file can hold: a height sum beyond
// the float range gives an infinite cell height.
inline constexpr char kNotFiniteVertex[] =
    "Heights too large for the map: a vertex is not a finite number.";

// The message that refuses a mesh at true scale without a triangle (a grid of one row or
// one column of cells): the readers of those formats refuse such a file.
inline constexpr char kNoTriangles[] =
    "No triangles to write: the grid needs at least two rows and two columns of cells!";

// Throws Refusal kNotFiniteVertex unless the coordinate is a finite number.
void RequireFiniteVertex(double coordinate);

// The sampler's HeightsInVertexOrder and CountOwnHeights on the source's threads, each
// height finite: throws Refusal kNotFiniteVertex otherwise, before anything is written.
// A format that stores factor x the height as a float has that product checked instead.
std::vector<float> FiniteHeightsInVertexOrder(const MeshSource& source, float factor = 1);
OwnHeights FiniteOwnHeights(const MeshSource& source);

// The rows of grid squares: one fewer than the rows of cells, none without two columns.
inline std::size_t SquareRowCount(const GridLayout& grid) {
  return grid.Columns < 2 || grid.Rows < 2 ? 0 : static_cast<std::size_t>(grid.Rows - 1);
}

// Writes one mesh format into a sink.
using MeshBody = void (*)(const MeshSource& source, ByteSink& out);

// Samples the map as the request says and writes the mesh of body into out.
void WriteMeshInto(const WriteRequest& request, MeshBody body, ByteSink& out);

// Runs one write of OutputFileName through an OutputFile: a file is replaced only when the
// new one is whole. Throws IoError; an existing file is then left as it was (but see
// OutputFile for the files that are written in place).
void RunMeshWrite(const WriteRequest& request, MeshBody body);

// Writes OutputFileName with body, as RunMeshWrite() does.
using FileWrite = void (*)(const WriteRequest& request, MeshBody body);

}  // namespace orvandel
