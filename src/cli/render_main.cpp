#include "render_main.h"

#include <charconv>

#include "assimp_mesh_reader.h"
#include "orvandel/commands/scene_commands.h"
#include "orvandel/fileio/failure.h"
#include "orvandel/fileio/same_file.h"
#include "orvandel/viewer/render_stop.h"
#include "picture_image.h"

namespace orvandel::cli {
namespace {

// The seconds in the fewest digits that read back as the same float: 2.5, 10, 0.1.
std::string SecondsText(float seconds) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, seconds).ptr;
  return std::string(text, end);
}

}  // namespace

void RunRender(const RenderArgs& args) {
  RefuseOutputOverInput(args.scene_file, args.output_file);
  // the time limit counts from here, loading included
  const RenderStop stop = args.timeout > 0 ? RenderStop(args.timeout) : RenderStop();

  // load the scene and render it as asked
  PictureImage picture(args.width, args.height);
  try {
    const AssimpMeshReader mesh_reader;
    RenderSceneFile({args.scene_file, mesh_reader, args.levels}, args.view, args.threads,
                    {picture.GetCanvas(), args.width, args.height}, stop);
  } catch (const RenderStopped&) {
    throw Refusal("Render stopped after " + SecondsText(args.timeout) + " s.");
  }

  // save the picture
  picture.SaveBmp(args.output_file);
}

}  // namespace orvandel::cli
