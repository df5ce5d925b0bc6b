#include "objects/painted_settings.h"

#include <algorithm>

#include "objects/admin_controls_dialog.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/page_store.h"

PaintDefaults TextPropertiesPaintDefaults() { return {textForeColour, textFontName}; }

void LoadSettingsOfPaintedObjects() {
  const int last = std::min<int32_t>(objectCount, kStoreSlots - 1);
  for (int s = 2; s <= last; ++s) {
    const PageObject& o = pageObjects[s];
    switch (o.kind) {
      case kMonthCalendar:
        if (monthDialogOpen == 0) LoadMonthCalendarSettings(o);
        break;
      case kAlignedText:
      case kMemoText:
        // Saturated to the 16 bits the area is kept in; an empty area keeps one pixel.
        if (alignedTextDialogOpen == 0) {
          alignedTextWidth = static_cast<int16_t>(std::clamp(o.width, 1, 32767));
          alignedTextHeight = static_cast<int16_t>(std::clamp(o.height, 1, 32767));
        }
        if (textPropertiesDialogOpen == 0) textBackColour = o.backColor;
        break;
      case kSquareOrCircle:
        if (shapeDialogOpen == 0) LoadShapeSettings(o);
        break;
      case kArrow:
        if (arrowDialogOpen == 0) LoadArrowSettings(o);
        break;
      case kAdminControl:
      case kAdminOptionCell: LoadAdminSettings(o); break;
      default: break;
    }
  }
}
