// "Propiedades objetos" (command 1078): a tool window beside the page that lists its objects
// and shows the fields of the current one (currentObjectIndex), greying those its kind does
// not use. "Aplicar" writes the fields back, the colour swatches take the last picked colour
// at once, and the object can be copied to the object clipboard or deleted. While it is open
// the main window has no menu bar and its left button is in mode 3.
#pragma once
#include <cstdint>

#include "page/page_object.h"
#include "platform/ui/ui.h"

// The window's controls.
namespace properties_ids {
inline constexpr int kObjectList = 7701, kKindName = 7703;
inline constexpr int kX = 7705, kY = 7707, kWidth = 7710, kHeight = 7711, kFontSize = 7713;
inline constexpr int kTransparent = 7719, kAlignment = 7721, kFace = 7723, kText = 7725;
inline constexpr int kAngle = 7727, kCellWidth = 7729, kPenWidth = 7731, kLabelVisible = 7733;
inline constexpr int kCellCount = 7735, kCellSpacing = 7737, kOptionShape = 7739;
inline constexpr int kFillText = 7741;
inline constexpr int kBackSwatchLabel = 7746, kBackSwatch = 7747, kForeSwatch = 7749;
inline constexpr int kBorderSwatch = 7751;
inline constexpr int kBold = 7753, kItalic = 7755, kUnderline = 7757, kStrikeOut = 7759;
inline constexpr int kControlBackSwatch = 7762, kDatabaseField = 7764;
inline constexpr int kApply = 7760, kCopy = 7765, kCopiedCount = 7766, kDelete = 7767;
inline constexpr int kWidthLabel = 7709, kHeightLabel = 7708;
}  // namespace properties_ids

extern ui::Window objectPropertiesDialog;   // the open window; nullptr while it is closed
extern ui::Window propertiesDialogFocus;    // its focused control when it was last left

// Command 1078 whole: takes the menu bar off the main window, saves the left-button mode and
// sets mode 3, and opens the window. Does nothing while the window is already open.
void StartObjectProperties(ui::Window mainWindow);

// Builds the window and shows it without waiting; returns it.
ui::Window ShowObjectPropertiesDialog(ui::Window parent);
intptr_t ObjectPropertiesDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Enables the fields of the current object's kind, greys the others, and loads the object
// into every field.
void ShowPropertyControlsForKind(ui::Window dialog);
// Writes the fields the current object's kind takes back into it, then rebuilds the object
// list with the current object chosen.
void ApplyObjectProperties(ui::Window dialog);

// 1 when `bit` is one of the bits of `mask`, else 0.
int32_t IsPropertyApplicable(int32_t mask, int16_t bit);

// The name of a kind as the window shows it beside "Objeto" ("" for an empty slot).
const char* ObjectKindName(int32_t kind);

// Forgets the window, as before the run.
void ResetObjectPropertiesState();
