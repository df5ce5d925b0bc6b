// What the record browser shows and how its steps move: through the records of the linked
// database, or through the records the last search found. Kept apart from the browser's
// window so that the template language can ask which record is shown.
#pragma once
#include <cstdint>
#include <string_view>

// The browser's position: a record number in plain mode, a position (from 1) in foundRecords
// while browsing with the search.
extern int64_t browserRecordNumber;
// The state of "Navegar con búsqueda"; kept between openings of the browser.
extern int32_t browseWithSearch;

// True while the browser steps through the search results (a search found records and the
// box is ticked).
bool IsBrowsingWithSearch();
// How many positions the browser has: the found records (never more than are kept) while
// browsing with the search, else the record count of the linked database.
int64_t BrowsablePositions();
// The record shown at a position; 0 when the position is outside 1 to BrowsablePositions().
int64_t RecordAtPosition(int64_t position);
// The record the browser shows now, 0 when none.
int64_t BrowserShownRecord();

enum class BrowserMove { kFirst, kPrevious, kNext, kLast, kGoTo };
// Where a step leads from `position` among `positions`: "|<", "<<", ">>", ">|", or "Ir a"
// with the typed number (rounded half to even). 0 when the step changes nothing: a database
// without records, a position outside the range, a number out of it.
int64_t PositionAfterMove(BrowserMove move, int64_t position, int64_t positions,
                          std::string_view typed = {});
// Fills the page from the record at that position and makes it the browser's position.
// Returns the record shown, or 0 when nothing was filled (the position is out of range, or
// another value scan runs). A fill that throws leaves the position as it was.
int64_t ShowBrowserPosition(int64_t position);

// The browser's state as at program start.
void ResetRecordBrowsing();
