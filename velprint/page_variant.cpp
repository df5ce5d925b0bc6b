#include "velprint/page_variant.h"

#include <algorithm>

#include "page/admin_controls.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "program/canvas.h"

intptr_t VelprintCanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first,
                                  intptr_t second) {
  // A press that fills in lands on the highest slot under the pointer, empty or not: an empty
  // slot lying over a control takes the click, and nothing opens.
  if (msg == ui::Msg::LeftDown && leftMouseMode == kLeftEdit) {
    canvasSelectedSlot = HitTest(ui::PointX(second) - pageObjects[1].x,
                                 ui::PointY(second) - scrollOffset(), canvasSelectedSlot,
                                 HitSlots::Every);
    return ui::CallOld(oldCanvasProc, window, msg, first, second);
  }
  // Otherwise the designer's canvas as it stands: its repaints go through the running
  // program's painter.
  return CanvasWindowProc(window, msg, first, second);
}

void VelprintPaintAllObjects(gfx::Surface& page, int32_t mode) {
  PaintDefaults defaults;
  defaults.memoTextsShown = false;
  defaults.filledTextsUsed = false;
  // Velprint keeps images at their true size for the whole run, whatever box they were
  // inserted into.
  defaults.imagesAtTrueSize = true;
  PaintAllObjects(page, mode, defaults);
  // The current style follows the administrative objects painted, as in the designer, except
  // while a fill text is being edited.
  if (fillEditOpen != 0) return;
  const int last = std::min<int32_t>(objectCount, kStoreSlots - 1);
  for (int s = 2; s <= last; ++s)
    if (pageObjects[s].kind == kAdminControl || pageObjects[s].kind == kAdminOptionCell)
      currentAdminStyle = pageObjects[s].adminStyle;
}

std::string VelprintLoadSaveSettings(std::string_view mode) {
  return LoadSaveSettings(mode, SettingsKeys::Shared);
}
