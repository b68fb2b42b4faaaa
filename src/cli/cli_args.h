#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli_options.h"
#include "orvandel/fileio/thread_count.h"
#include "orvandel/generator/panel_texts.h"
#include "orvandel/writers/mesh_write.h"
#include "orvandel/writers/output_formats.h"

namespace orvandel::cli {

// orvandel-cli generate MAP OUTPUT [--height INDEX=TEXT]... --water TEXT ...
// [--vertical-scale F] [--base T] [--max-error E] [--full-grid] [--print-width MM]
// [--up AXIS] [--threads N]
struct GenerateArgs {
  std::string map_file;
  std::string output_file;
  PanelTexts panel;
  MeshOptions options{};
  ThreadCount threads = DefaultThreadCount();
};

// The command line of generate: its operands and options, with their usage.
const CommandForm<GenerateArgs>& GenerateForm();

// Reads the arguments that follow "generate". Every settings option is required; a
// height not given leaves its field empty. --vertical-scale, --base and --print-width
// take positive numbers, --max-error a number of 0 or more (ignored beside --full-grid,
// whose full grid meets any bound), --up y or z; they apply only to an OUTPUT of a
// true-scale format (or of no known format, which the command then refuses), --up only to
// one whose axes may be chosen. Throws UsageError.
GenerateArgs ParseGenerateArgs(const std::vector<std::string>& args);

// The extensions of every output format, or of the true-scale ones only, the last joined
// by last_joint: ".stl, .obj, .ply and .glb".
std::string Extensions(bool true_scale_only, std::string_view last_joint);
// The extensions of the formats listed, the last joined by last_joint.
std::string ExtensionsWhere(const std::function<bool(const OutputFormat&)>& listed,
                            std::string_view last_joint);

}  // namespace orvandel::cli
