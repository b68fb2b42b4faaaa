// Draws the program's icon, the globe that every window shows, as a PNG file of one size.
// Usage: make_icon SIDE FILE
#include <cstdio>
#include <cstdlib>
#include <string>

#include "widgets/globe_picture.h"

int main(int argc, char** argv) {
  const int side = argc == 3 ? std::atoi(argv[1]) : 0;
  if (side <= 0) {
    std::fputs("Usage: make_icon SIDE FILE\n", stderr);
    return 2;
  }
  if (!orvandel::gui::GlobeImage(side).save(argv[2], "PNG")) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
