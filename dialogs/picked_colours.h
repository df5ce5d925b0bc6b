// The colour picked with the right button and the custom colours of the system chooser.
#pragma once
#include <array>

#include "platform/gfx/gfx.h"

// Written by a right click on the canvas or the palette; taken by the colour swatches.
extern gfx::Colour pickedColour;
// The custom colours of the choosers that share one table (palette, text properties, month
// calendar, arrows, administrative controls, corner marks).
extern std::array<gfx::Colour, 16> customColours;

// Puts the picked colour and the custom colours back as the run starts.
void ResetPickedColoursState();
