#include "render_main.h"

#include "orvandel/viewer/load_scene.h"
#include "orvandel/viewer/render_scene.h"
#include "picture_image.h"

namespace orvandel::cli {

void RunRender(const RenderArgs& args) {
  // load the scene; the up-down controls it would set do not exist here
  ViewerState state;
  LoadScene(args.scene_file, state, [](AnglePair) {});

  // look at it as asked
  state.ObserverVertical = args.observer.vertical;
  state.ObserverHorizontal = args.observer.horizontal;
  state.SunVertical = args.sun.vertical;
  state.SunHorizontal = args.sun.horizontal;
  state.Zoom = args.zoom;
  state.Shaded = args.shaded;

  // render and save
  PictureImage picture(args.width, args.height);
  RenderScene(state, picture.GetCanvas(), args.width, args.height);
  picture.SaveBmp(args.output_file);
}

}  // namespace orvandel::cli
