#include "page/object_clipboard.h"

#include <string>

#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/ui/ui.h"

void ClearObjectClipboard() {
  objectClipboard.fill(PageObject{});
  clipboardCount = 0;
}

void CopyCurrentObjectToClipboard() {
  ui::PumpMessages();
  if (clipboardCount <= 0) ClearObjectClipboard();
  if (clipboardCount >= kClipboardEntries) return;
  if (currentObjectIndex < 0 || currentObjectIndex >= kStoreSlots) return;
  ++clipboardCount;
  objectClipboard[clipboardCount] = pageObjects[currentObjectIndex];
}

void PasteCopiedObjects() {
  if (clipboardCount <= 0) return;
  int pasted = 0;
  for (int entry = 1; entry <= clipboardCount && entry <= kClipboardEntries; ++entry) {
    ui::PumpMessages();
    if (objectCount + 1 >= kMaxObjectCount) continue;
    ++objectCount;
    EmptySlot(objectCount);
    ForgetFilledTextsFrom(objectCount);
    PageObject& copy = pageObjects[objectCount];
    copy = objectClipboard[entry];
    // The original keeps its image and font; a copy that shared them would lose them the
    // moment the original is deleted.
    copy.bitmapHandle = 0;
    copy.dragging = 0;
    RestoreResourcesOf(copy);
    ++pasted;
  }
  ui::MessageBox(
      nullptr,
      "Pegados " + std::to_string(pasted) + " de " + std::to_string(clipboardCount) +
          "\r\nEs posible que el objeto este solapado por debajo de el mismo del que se copia .."
          "\r\nReeditelo, Gracias!!",
      kMessageTitle, ui::Buttons::Ok);
}

void DeleteCurrentObject() {
  ui::PumpMessages();
  EmptySlot(currentObjectIndex);
}
