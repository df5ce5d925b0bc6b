#include "dialogs/picked_colours.h"

#include "page/start_values.h"

gfx::Colour pickedColour = 0;
std::array<gfx::Colour, 16> customColours{};

namespace {

StartValues startValues(pickedColour, customColours);

}  // namespace

void ResetPickedColoursState() { startValues.Restore(); }
