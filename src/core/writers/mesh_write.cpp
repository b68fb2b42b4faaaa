#include "orvandel/writers/mesh_write.h"

#include "orvandel/fileio/output_file.h"

namespace orvandel {

void WriteMeshInto(const WriteRequest& request, MeshBody body, ByteSink& out) {
  GeneratorState& state = request.state;
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
