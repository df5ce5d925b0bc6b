// Measures texts in a face through the graphic layer, in a process of its own so that the font
// configuration a test has just written is the one read. Arguments: the face, then the texts
// (1252 bytes); prints the width in pixels of each, a line each.
#include <iostream>
#include <string>

#include "platform/gfx/gfx.h"
#include "platform/gfx/start.h"

int main(int argc, char** argv) {
  if (argc < 3 || !gfx::StartGraphics(argc, argv)) return 2;
  gfx::Surface* surface = gfx::MakeBitmap(1, 1);
  gfx::SelectFont(*surface, gfx::MakeFont({argv[1], 12}));
  for (int k = 2; k < argc; ++k) std::cout << gfx::TextWidth(*surface, argv[k]) << "\n";
  gfx::ReleaseBitmap(surface);
  return 0;
}
