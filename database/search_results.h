// The records the last search found, kept for the whole run: the record browser steps
// through them, the record list writes them out, and the main window asks whether there are
// any. Only the searches write them; they live in the database core so that the browser reads
// them without reaching up into the search.
#pragma once
#include <cstdint>
#include <vector>

// Record numbers of the matching records in ascending order, entries 1 to foundCount (entry 0
// is unused); made anew at the start of every search and grown as records match.
extern std::vector<int64_t> foundRecords;
extern int64_t foundCount;
// 1 when the last finished search found at least one record. Cleared when the search dialog
// opens, when the main window starts with a usable linked database and when a database is
// linked.
extern int32_t searchFound;

// 1 while the search dialog, the record-list dialog or the record browser that the main window
// opened is open: the commands that open them do nothing meanwhile.
extern int32_t searchBusy;

// The results of no search: no records, searchFound 0.
void ClearSearchResults();
