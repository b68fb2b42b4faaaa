#include "orvandel/commands/preview_command.h"

#include <utility>

#include "commands/terrain_scene.h"
#include "orvandel/commands/generate_command.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/generator/field_text.h"
#include "orvandel/generator/read_generator_settings.h"
#include "viewer/scene_size.h"

namespace orvandel {
namespace {

// What loading the scene's 3DF file does once its records are read.
void TakeAsLoaded(IndexedScene scene, ViewerState& viewer) {
  if (scene.faces.empty()) throw Refusal("Invalid file!");
  BoundingBox box;
  for (const Vector3& vertex : scene.vertices)
    box.Take(vertex);
  SizeUpScene(box, viewer, [](AnglePair) {});  // shown once the front end takes it over
  viewer.SceneFaces = std::move(scene);
}

}  // namespace

void PreviewTerrainCommand(GeneratorState& state, const MapSession& map, const MapImage* map_image,
                           const PanelTexts& panel, ViewerState& viewer, BusyIndicator& busy,
                           ThreadCount threads) {
  CheckReadyToGenerate(map, map_image, panel);
  ReadGeneratorSettings(panel, map_image->Width(), map_image->Height(), state);
  const WritePreparation prep = PrepareWrite(state.height_table, state.generator_settings);
  const BusyScope busy_cursor(busy);
  const CellSampler sampler(*map_image, map.swatches, state.grid_layout, state.view_mapping, prep);
  const MeshSource source{state.grid_layout,        prep, sampler, {},
                          state.generator_settings, {},   threads};
  TakeAsLoaded(TerrainScene(source), viewer);
}

std::optional<HeightLevels> PanelLevels(const PanelTexts& panel) {
  try {
    return HeightLevels{FieldToFloat(panel.settings[kWater]), FieldToFloat(panel.settings[kLawn]),
                        FieldToFloat(panel.settings[kSnow])};
  } catch (const Failure&) {
    return std::nullopt;
  }
}

}  // namespace orvandel
