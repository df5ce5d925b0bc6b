// "Propiedades Texto": the font, style and colours every text insert takes (command 1049).
// Each property has an accepted value, which the rest of the program reads, and a working
// value, which the open dialog edits; they are equal whenever the dialog is closed.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "dialogs/text_style_controls.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern TextStyle textStyle;         // accepted
extern TextStyle workingTextStyle;
// Each property by its name, in the copies above.
extern gfx::Colour& textBackColour;  // -2 transparent; a repaint leaves the last text's
extern gfx::Colour& workingTextBackColour;
extern gfx::Colour& textForeColour;
extern gfx::Colour& workingTextForeColour;
extern std::string& textFontName;    // at most 259 characters
extern std::string& workingTextFontName;
extern int16_t& textFontSize;        // points
extern int16_t& workingTextFontSize;
extern std::array<int32_t, 5>& acceptedTextStyleBits;
extern std::array<int32_t, 5>& textStyleBits;
extern int32_t textBackTransparent;          // state of "Color de fondo Transparente"
extern int32_t textAngleOn;                  // state of "Texto con grado de inclinacion"
extern int16_t textAngle;                    // degrees; objects keep ten times this
extern int32_t textPropertiesDialogOpen;     // re-entry guard

constexpr int kTextFontNameMaxChars = 259;

// TextStyleFlags of the working style bits (the ones inserts use).
int32_t GetTextStyleFlags();

// The dialog's control ids.
namespace text_properties_ids {
inline constexpr int kBase = 10000;
inline constexpr TextStyleIds kStyle = TextStyleIdsFrom(kBase);
inline constexpr int kTransparent = 10290, kAngleOn = 10300, kAngle = 10310;
}  // namespace text_properties_ids

// Runs the dialog modally; the results are in the globals.
int ShowTextPropertiesDialog(ui::Window parent);
intptr_t TextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the text properties back as the run starts.
void ResetTextPropertiesState();
