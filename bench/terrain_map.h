#pragma once

#include <memory>
#include <string>
#include <vector>

#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/mapinput/map_image.h"
#include "orvandel/mapinput/map_session.h"

namespace orvandel::bench {

// Writes a side x side 16-colour BMP map of rolling hills in 16 bands of equal height,
// colour k the k-th band from the bottom, like a contour-coloured map. At zoom 1 the
// same hills lie at every size, so that a larger map has more of them; at zoom z every
// hill is z times as large. Throws std::runtime_error when the file cannot be written.
void MakeTerrainMap(const std::string& path, int side, double zoom = 1);

// The panel's texts for a side x side map of MakeTerrainMap at interval: colour k at height
// 100 k, the map side long in map units, water at 50, lawn at 400, snow at 1200.
PanelTexts HillPanel(int side, int interval);

// The arguments of `cli generate map_file output` with the panel's texts, and --threads
// unless threads is 0.
std::vector<std::string> GenerateArgs(const std::string& cli, const std::string& map_file,
                                      const std::string& output, const PanelTexts& panel,
                                      ThreadCount threads);

// The map as the generate command opens it into session: its headers, then its pixels as
// stored, from one open file. Throws what OpenMapCommand throws.
std::unique_ptr<MapImage> OpenPackedMap(const std::string& map_file, MapSession& session);

}  // namespace orvandel::bench
