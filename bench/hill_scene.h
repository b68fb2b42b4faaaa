#pragma once

#include <string>

namespace orvandel::bench {

// Writes a side x side map of rolling hills over all sixteen colours into folder and
// generates it at one cell per pixel as the 3DF file scene_file: side^2 vertices and
// 2 (side - 1)^2 faces (2.1 million for 1024, 8.4 million for 2048). Removes the map.
void MakeHillScene(const std::string& folder, int side, const std::string& scene_file);

}  // namespace orvandel::bench
