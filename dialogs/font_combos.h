// The face and size combos of the text dialogs: filling them, selecting a size, and drawing
// each face in its own face.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// The font faces the face combos offer.
std::vector<std::string> InstalledFontFaces();
// Empties the combo and adds every installed face (a sorted combo keeps them in order).
void FillFontCombo(ui::Window dialog, int comboId);
// Adds the sizes 6 to `largest` as at least two digits ("06", ... "10", ...); size s is line s - 6.
void FillFontSizeCombo(ui::Window dialog, int comboId, int largest);
// Selects the line of a size; a size outside the combo selects nothing.
void SelectFontSize(ui::Window dialog, int comboId, int size);
// Selects the line that is exactly `face`, or none.
void SelectFontFace(ui::Window dialog, int comboId, std::string_view face);

// A font of `face` at `size` points as the face combos draw with: weight 700 and above is bold.
gfx::FontKey CreateFontByFaceName(std::string_view face, int size, int weight, bool italic, bool underline);

// Owner drawing of one line of a face combo: the face's name in that face at 12 points.
void DrawFontComboItem(const ui::DrawItemInfo& item);
// One owner-drawn combo line in `face` at 12 points, highlighted when selected.
void DrawComboItemInFace(const ui::DrawItemInfo& item, std::string_view face);
// The line height a face combo needs for its 12-point faces.
int FontComboItemHeight();
