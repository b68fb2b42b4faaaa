#include "orvandel/writers/mesh_write.h"

#include "orvandel/fileio/output_file.h"

namespace orvandel {

void RunMeshWrite(const WriteRequest& request, MeshBody body) {
  GeneratorState& state = request.state;
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  BusyScope busy(request.busy);
  OutputFile file(state.output_file_name);
  CellSampler sampler(request.map, request.swatches, state.grid_layout, state.view_mapping, prep);
  MeshSource source{state.grid_layout, prep, sampler, state.output_file_name};
  body(source, file);
  file.Commit();
}

}  // namespace orvandel
