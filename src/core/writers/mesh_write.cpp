#include "orvandel/writers/mesh_write.h"

#include "orvandel/fileio/output_file.h"

namespace orvandel {

void RunMeshWrite(const WriteRequest& request, MeshBody body) {
  GeneratorState& state = request.state;
  OutputFile file(state.OutputFileName);
  CellSampler sampler(request.map, request.swatches, state.grid_layout, state.view_mapping,
                      request.prep);
  MeshSource source{state.grid_layout, request.prep, sampler, state.OutputFileName};
  body(source, file);
  file.Commit();
}

}  // namespace orvandel
