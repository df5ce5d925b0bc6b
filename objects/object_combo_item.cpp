#include "objects/object_combo_item.h"

#include <string>

#include "dialogs/font_combos.h"
#include "page/page_store.h"
#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

void DrawObjectComboItem(const ui::DrawItemInfo& item) {
  // The list leaves out empty slots, so the slot comes from the line's own number.
  const long double slot = numbers::RoundHalfEven(numbers::NumericValueOfText(item.text.substr(0, 3)));
  std::string face;
  if (slot >= 2 && slot < kStoreSlots) {
    const PageObject& o = pageObjects[static_cast<size_t>(slot)];
    if (o.kind > 0) face = FixedFieldText(o.fontName);
  }
  DrawComboItemInFace(item, face.empty() ? std::string("MS Sans Serif") : face);
}
