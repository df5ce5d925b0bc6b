#include "page/object_clipboard.h"

#include <utility>

#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/start_values.h"

void (*pendingMessagesPump)() = nullptr;

namespace {

StartValues startValues(pendingMessagesPump);

void PumpPendingMessages() {
  if (pendingMessagesPump) pendingMessagesPump();
}

}  // namespace

void ClearObjectClipboard() {
  objectClipboard.fill(PageObject{});
  clipboardCount = 0;
}

void CopyCurrentObjectToClipboard() {
  PumpPendingMessages();
  if (clipboardCount <= 0) ClearObjectClipboard();
  if (clipboardCount >= kClipboardEntries) return;
  if (currentObjectIndex < 0 || currentObjectIndex >= kStoreSlots) return;
  ++clipboardCount;
  objectClipboard[clipboardCount] = pageObjects[currentObjectIndex];
}

std::vector<std::string> PasteCopiedObjects() {
  std::vector<std::string> messages;
  if (clipboardCount <= 0) return messages;
  int pasted = 0;
  for (int entry = 1; entry <= clipboardCount && entry <= kClipboardEntries; ++entry) {
    PumpPendingMessages();
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
    if (std::string refusal = RestoreResourcesOf(copy); !refusal.empty())
      messages.push_back(std::move(refusal));
    ++pasted;
  }
  messages.push_back(
      "Pegados " + std::to_string(pasted) + " de " + std::to_string(clipboardCount) +
      "\r\nEs posible que el objeto este solapado por debajo de el mismo del que se copia .."
      "\r\nReeditelo, Gracias!!");
  return messages;
}

void DeleteCurrentObject() {
  PumpPendingMessages();
  EmptySlot(currentObjectIndex);
}
