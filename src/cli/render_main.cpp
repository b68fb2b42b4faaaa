#include "render_main.h"

#include "orvandel/commands/scene_commands.h"
#include "orvandel/fileio/same_file.h"
#include "picture_image.h"

namespace orvandel::cli {

void RunRender(const RenderArgs& args) {
  RefuseOutputOverInput(args.scene_file, args.output_file);

  // load the scene and render it as asked
  PictureImage picture(args.width, args.height);
  RenderSceneFile(args.scene_file, args.view, args.threads,
                  {picture.GetCanvas(), args.width, args.height});

  // save the picture
  picture.SaveBmp(args.output_file);
}

}  // namespace orvandel::cli
