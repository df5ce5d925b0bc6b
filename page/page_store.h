// The page-object store: 501 slots for the whole run. Slot 0 is never used, slot 1 is the
// page itself, objects live in slots 2 to objectCount. A slot whose kind is 0 or below is
// empty. Also the object clipboard of 15 entries and the current document's path.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "page/page_object.h"

constexpr int kStoreSlots = 501;        // slots 0 to 500
constexpr int kMaxObjectCount = 500;    // an insert is refused when objectCount reaches it
constexpr int kClipboardEntries = 15;

extern std::array<PageObject, kStoreSlots> pageObjects;
extern int32_t objectCount;             // the highest slot in use; 1 for an empty page
extern int16_t currentObjectIndex;      // the slot copy and delete act on
extern std::string documentPath;        // the current document, at most 259 characters
extern std::string programFolder;       // the data folder: template scripts and databases
// Counts the times the store was made anew (a document read, a new page), so that an edit
// begun on one page never lands on the next.
extern uint32_t storeGeneration;

// The object clipboard: entries 1 to 15 (index 0 unused), clipboardCount of them filled.
extern std::array<PageObject, kClipboardEntries + 1> objectClipboard;
extern int16_t clipboardCount;

// The scroll offset of the view, kept in the page record: 0 at the top, negative below.
inline int32_t& scrollOffset() { return pageObjects[1].y; }

// The store made anew: every slot zero, the page record included, and a new generation.
// Images the old slots held are released.
void AllocateStore();
// The page record of a fresh page: x 0, scroll offset 0, 794 x 1122, white.
void ResetPageRecord();
// Every field of an object slot (2 to 500) cleared, its image released: an empty slot.
void EmptySlot(int slot);
// Empties a slot before an insertion fills it, so the new object keeps nothing of an object
// "Deshacer" dropped there.
void ClearSlotForInsert(int slot);

// The store, the object count, the current slot, the clipboard and the document's path as
// the run starts; images the slots held are released.
void ResetPageStoreState();
