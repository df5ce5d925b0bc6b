// What the designer's repaint gives the object dialogs: the painter draws every object from
// its own fields, and afterwards each dialog holds the settings of the last object of its
// kind that was painted, as the page has always left them; a dialog that is open keeps its
// own working values.
#pragma once
#include "page/painter.h"

// The text properties as the painter takes them: month calendars print their names in the
// text colour, and one stored without a face takes the text face.
PaintDefaults TextPropertiesPaintDefaults();

// Loads the settings of the last object of each kind in slots 2 to objectCount: month
// calendars, aligned and memo texts (the area and the text background), squares and
// circles, arrows and administrative controls, each unless its dialog is open.
void LoadSettingsOfPaintedObjects();
