// "Mis Colores.log" on any bytes, read into the palette and drawn as its dialog draws it.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "objects/colours.h"
#include "platform/gfx/gfx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::Prepare();
  static gfx::Surface* palette = gfx::MakeBitmap(336, 312);
  fuzzing::WriteInput("Mis Colores.log", data, size);
  LoadFavouriteColours();
  gfx::Clear(*palette, gfx::kWhite);
  DrawColourGrid(*palette, kColourColumns, kColourRows);
  return 0;
}
