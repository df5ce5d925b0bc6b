// The object list of the object-properties dialog, drawn as the face combos draw theirs.
#pragma once
#include "platform/ui/ui.h"

// A line "005 - ..." is drawn in the font of the page object in slot 5.
void DrawObjectComboItem(const ui::DrawItemInfo& item);
