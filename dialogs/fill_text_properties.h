// "Propiedades Texto" for the fill text of an administrative control: its font, style,
// colours, text, alignment and fixed y. The canvas loads both copies from the object before
// each opening and stores the accepted ones back when fillTextAccepted is 1.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "dialogs/text_style_controls.h"
#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern TextStyle fillTextStyle;  // accepted
extern TextStyle workingFillTextStyle;
// Each property by its name, in the copies above.
extern gfx::Colour& fillTextBackColour;
extern gfx::Colour& workingFillTextBackColour;
extern gfx::Colour& fillTextForeColour;
extern gfx::Colour& workingFillTextForeColour;
extern std::string& fillTextFontName;
extern std::string& workingFillTextFontName;
extern int16_t& fillTextFontSize;
extern int16_t& workingFillTextFontSize;
extern std::array<int32_t, 5>& acceptedFillStyleBits;
extern std::array<int32_t, 5>& fillStyleBits;
extern std::string fillTextBuffer;           // at most 273 characters, one line
extern int32_t fillTextUseY;                 // 1: the fill text is written at fillTextY
extern int16_t fillTextY;                    // pixels
extern int32_t fillAlignLeftChosen;
extern int32_t fillAlignRightChosen;
extern int32_t fillAlignCentreChosen;
extern int32_t fillTextAccepted;             // 1 after "Aceptar"
// The custom colours of this dialog's chooser alone.
extern std::array<gfx::Colour, 16> fillCustomColours;

constexpr int kFillTextMaxChars = 273;

// TextStyleFlags of the working fill style bits.
int32_t GetFillTextStyleFlags();
// An administrative control's fill-text style, and the style into its fields (the face cut
// to its field; fillFontStyle, the text and its place are the caller's).
TextStyle FillTextStyleOfObject(const PageObject& object);
void PutFillTextStyle(PageObject& object, const TextStyle& style);
// The fill text as stored: at most 273 characters, line breaks made blanks.
std::string NormaliseFillText(std::string_view typed);

// The dialog's control ids.
namespace fill_text_ids {
inline constexpr int kBase = 20000;
inline constexpr TextStyleIds kStyle = TextStyleIdsFrom(kBase);
inline constexpr int kText = 20310, kLeft = 20330, kRight = 20340, kCentre = 20350;
inline constexpr int kUseY = 20361, kY = 20362, kYLabel = 20363;
}  // namespace fill_text_ids

// Runs the dialog modally; the results are in the globals.
int ShowFillTextPropertiesDialog(ui::Window parent);
intptr_t FillTextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the fill-text properties back as the run starts.
void ResetFillTextPropertiesState();
