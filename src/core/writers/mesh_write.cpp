#include "orvandel/writers/mesh_write.h"

#include <algorithm>
#include <cmath>

#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/output_file.h"

namespace orvandel {
namespace {

// factor x each height as a float, as a file that stores the product holds it.
void RequireFiniteHeights(const std::vector<float>& heights, float factor) {
  const auto finite = [factor](float h) { return std::isfinite(factor * h); };
  if (!std::all_of(heights.begin(), heights.end(), finite)) throw Refusal(kNotFiniteVertex);
}

}  // namespace

void RequireFiniteVertex(double coordinate) {
  if (!std::isfinite(coordinate)) throw Refusal(kNotFiniteVertex);
}

std::vector<float> FiniteHeightsInVertexOrder(const MeshSource& source, float factor) {
  std::vector<float> heights = source.sampler.HeightsInVertexOrder(source.threads);
  RequireFiniteHeights(heights, factor);
  return heights;
}

// Cells without their own height hold 0, so that every entry can be checked.
OwnHeights FiniteOwnHeights(const MeshSource& source) {
  OwnHeights own = source.sampler.CountOwnHeights(source.threads);
  RequireFiniteHeights(own.height, 1);
  return own;
}

void WriteMeshInto(const WriteRequest& request, MeshBody body, ByteSink& out) {
  const GeneratorState& state = request.state;
  CellSampler sampler(request.map, request.swatches, state.grid_layout, state.view_mapping,
                      request.prep);
  MeshSource source{state.grid_layout,        request.prep,    sampler,        state.OutputFileName,
                    state.generator_settings, request.options, request.threads};
  body(source, out);
}

void RunMeshWrite(const WriteRequest& request, MeshBody body) {
  OutputFile file(request.state.OutputFileName);
  WriteMeshInto(request, body, file);
  file.Commit();
}

}  // namespace orvandel
