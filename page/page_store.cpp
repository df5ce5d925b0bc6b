#include "page/page_store.h"

#include "page/start_values.h"
#include "platform/gfx/gfx.h"

std::array<PageObject, kStoreSlots> pageObjects{};
int32_t objectCount = 1;
int16_t currentObjectIndex = 2;
std::string documentPath;
std::string programFolder;
uint32_t storeGeneration = 0;

std::array<PageObject, kClipboardEntries + 1> objectClipboard{};
int16_t clipboardCount = 0;

namespace {

// Every image is loaded for one slot only, so the slot that drops it may let it go.
void ReleaseSlotImage(PageObject& object) {
  if (object.kind == kImage && object.bitmapHandle != 0) gfx::ReleaseImage(object.bitmapHandle);
  object.bitmapHandle = 0;
}

}  // namespace

void AllocateStore() {
  for (int slot = 2; slot < kStoreSlots; ++slot) ReleaseSlotImage(pageObjects[slot]);
  pageObjects.fill(PageObject{});
  ++storeGeneration;
}

void ResetPageRecord() {
  PageObject& page = pageObjects[1];
  page = PageObject{};
  page.x = 0;
  page.y = 0;
  page.width = 794;
  page.height = 1122;
  page.backColor = 0xFFFFFF;
}

void EmptySlot(int slot) {
  if (slot < 2 || slot >= kStoreSlots) return;
  ReleaseSlotImage(pageObjects[slot]);
  pageObjects[slot] = PageObject{};
}

void ClearSlotForInsert(int slot) { EmptySlot(slot); }

void ResetPageStoreState() {
  AllocateStore();
  objectCount = 1;
  currentObjectIndex = 2;
  documentPath.clear();
  programFolder.clear();
  objectClipboard.fill(PageObject{});
  clipboardCount = 0;
}
const EnrolledStart enrolled(ResetPageStoreState);
