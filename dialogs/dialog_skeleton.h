// What every dialog of the designer does alike: its re-entry guard and accepted flag, the
// focus kept across deactivation, Esc and the close box standing for "Cancelar", its messages
// handed to its own handlers, colour swatches, the colour chooser, and numbers read from
// fields without overflow.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// A dialog's skeleton is a global of its unit, so its kept focus enrols its start (none).
struct DialogSkeleton {
  int32_t* openFlag = nullptr;       // the command's re-entry guard; cleared however the dialog ends
  int32_t* acceptedFlag = nullptr;   // reset when the dialog opens, so a stale 1 never inserts twice
  int cancelId = 0;                  // the button Esc and the close box press; 0: end as cancelled
  ui::Window focusBeforeDeactivation = nullptr;
  StartValues<ui::Window> focusStart{focusBeforeDeactivation};
};

// What a dialog does beyond its skeleton; each is optional.
struct DialogHandlers {
  void (*init)(ui::Window dialog) = nullptr;  // after the guard is set and the flag reset
  void (*command)(ui::Window dialog, int id, intptr_t code) = nullptr;
  void (*destroy)(ui::Window dialog) = nullptr;  // after the guard is cleared
  // Any other message (timers, owner-drawn lines); its value is the procedure's.
  intptr_t (*other)(ui::Window dialog, ui::Msg msg, intptr_t first, intptr_t second) = nullptr;
  // Asked first when Esc or the close box would end the dialog; true: the dialog stays open.
  bool (*keepOpen)(ui::Window dialog) = nullptr;
};

// A dialog procedure's whole body: the guard and accepted flag, the focus kept across
// deactivation, Esc and the close box standing for the cancel button; then the handlers, a
// command with its control's id. Returns 1 for a close it handled, `other`'s value for the
// messages that one takes, else 0.
intptr_t RunDialogSkeleton(DialogSkeleton& d, const DialogHandlers& h, ui::Window window,
                           ui::Msg msg, intptr_t first, intptr_t second);

// True when a command's code is a press: a click, or the keyboard's notification 1.
bool IsPressCode(intptr_t code);
// True when a command is a press of that button.
bool IsButtonPress(intptr_t first, intptr_t second, int id);
// Ends the dialog as "Aceptar" (accepted flag 1, kOk) or "Cancelar" (accepted flag 0, kCancel).
void FinishDialog(const DialogSkeleton& d, ui::Window window, bool accepted);

// Fills a swatch with a colour; a transparent colour shows white.
void PaintSwatch(ui::Window dialog, int id, gfx::Colour colour);
// The colour picked from the canvas or the palette, into `into`; false (and `into` left as it
// was) while no colour has been picked.
bool TakePickedColour(gfx::Colour& into);
// The system colour chooser opening on grey with the caller's 16 custom colours; -1 when
// cancelled, or when a chooser is already open.
gfx::Colour ChooseColourFor(ui::Window owner, std::array<gfx::Colour, 16>& customTable);
// A swatch's two ways to a colour: the chooser's, or the one picked on the canvas or the
// palette. Either goes into `into` and onto the swatch; false, with both left as they were,
// when the chooser was cancelled or nothing has been picked.
bool ChooseSwatchColour(ui::Window dialog, int swatch, std::array<gfx::Colour, 16>& customTable,
                        gfx::Colour& into);
bool TakePickedSwatchColour(ui::Window dialog, int swatch, gfx::Colour& into);

// The number a field holds, rounded half to even, still wide: range checks come before any
// narrowing, so "99999999999" is refused instead of overflowing.
long double FieldNumber(ui::Window dialog, int id);

// The number a list line carries in its first two characters ("04 - ...").
long double ListLineNumber(std::string_view line);
// Selects line `index` of a list, or none when the list has no such line.
void SelectListLine(ui::Window dialog, int id, int index);

// A dialog's own bitmap: made anew (an earlier one released first), released with the
// pointer cleared, and copied into the control that shows it.
void RemakeDialogBitmap(gfx::Surface*& bitmap, int width, int height);
void ReleaseDialogBitmap(gfx::Surface*& bitmap);
void ShowBitmapIn(ui::Window dialog, int id, const gfx::Surface& bitmap);

// Every CR LF, then every remaining CR, then every remaining LF becomes one blank.
std::string LineBreaksToBlanks(std::string_view text);

// Lets the colour chooser open again, as at the start of the run.
void ResetDialogSkeletonState();
