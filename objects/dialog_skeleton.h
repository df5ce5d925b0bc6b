// What every dialog of the designer does alike: its re-entry guard and accepted flag, the
// focus kept across deactivation, Esc and the close box standing for "Cancelar", colour
// swatches, the colour chooser, and numbers read from fields without overflow.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// The message box title of every message the designer shows.
constexpr const char* kMessageTitle = "Vozurivudoz";

struct DialogSkeleton {
  int32_t* openFlag = nullptr;       // the command's re-entry guard; cleared however the dialog ends
  int32_t* acceptedFlag = nullptr;   // reset when the dialog opens, so a stale 1 never inserts twice
  int cancelId = 0;                  // the button Esc and the close box press; 0: end as cancelled
  ui::Window focusBeforeDeactivation = nullptr;
};

// Call first in a dialog procedure. Returns true when the message is fully handled (Esc or
// the close box); Init, Activate, Deactivate and Destroy also go on to the procedure.
bool HandleDialogSkeleton(DialogSkeleton& d, ui::Window window, ui::Msg msg);

// True when a command is a click of that button (a click, or the keyboard's notification 1).
bool IsButtonPress(intptr_t first, intptr_t second, int id);

// Fills a swatch with a colour; a transparent colour shows white.
void PaintSwatch(ui::Window dialog, int id, gfx::Colour colour);
// The colour picked from the canvas or the palette, into `into`; false (and `into` left as it
// was) while no colour has been picked.
bool TakePickedColour(gfx::Colour& into);
// The system colour chooser opening on grey with the caller's 16 custom colours; -1 when
// cancelled, or when a chooser is already open.
gfx::Colour ChooseColourFor(ui::Window owner, std::array<gfx::Colour, 16>& customTable);

// The number a field holds, rounded half to even, still wide: range checks come before any
// narrowing, so "99999999999" is refused instead of overflowing.
long double FieldNumber(ui::Window dialog, int id);

// Every CR LF, then every remaining CR, then every remaining LF becomes one blank.
std::string LineBreaksToBlanks(std::string_view text);
