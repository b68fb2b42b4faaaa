#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli_options.h"
#include "orvandel/fileio/thread_count.h"
#include "orvandel/viewer/mesh_scene.h"
#include "orvandel/viewer/viewer_state.h"

namespace orvandel::cli {

// orvandel-cli render SCENE OUTPUT.bmp [--observer V,H] [--sun V,H] [--zoom Z] [--wire]
// [--depth] [--size WxH] [--levels W,L,S] [--threads N] [--timeout SECONDS]
struct RenderArgs {
  std::string scene_file;
  std::string output_file;
  ViewSettings view;
  std::optional<HeightLevels> levels;  // for the faces of mesh files without colours
  int width = 550;                     // the render window's picture
  int height = 418;
  ThreadCount threads = DefaultThreadCount();
  float timeout = 0;  // seconds; 0: no limit
};

// The largest picture side render accepts: a picture of up to a gigabyte.
inline constexpr int kMaxPictureSide = 16384;

// The command line of render: its operands and options, with their usage.
const CommandForm<RenderArgs>& RenderForm();

// Reads the arguments that follow "render". Angles are whole degrees from 0 to 359, the
// zoom a positive number, the levels three finite numbers, each side of the size from 1 to
// kMaxPictureSide, the threads from 1 to kMaxThreadCount, the timeout a positive number. Throws
// UsageError.
RenderArgs ParseRenderArgs(const std::vector<std::string>& args);

}  // namespace orvandel::cli
