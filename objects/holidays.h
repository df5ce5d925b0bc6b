// Holidays: the list of days with their colours that month calendars may show, kept in
// "Fiestas.log" in the data folder, and the dialog "Configurador Dias Festivos" that edits it
// (command 1060).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// One entry of the list and one record of "Fiestas.log": 16 bytes, little-endian, packed.
struct HolidayRecord {
  int32_t day = 0;           // 1 to 31
  int32_t month = 0;         // 1 to 12
  gfx::Colour colour = 0;
  int32_t deletedMark = 0;   // 0 in the file; 1 marks an entry deleted in the open dialog
  bool operator==(const HolidayRecord&) const = default;
};
constexpr int kHolidayRecordLength = 16;
constexpr int kHolidayTableSize = 401;

// The list in file order; deleted entries stay, only marked, until the file is written and
// read again. holidayCount counts every entry in use, deleted ones included.
extern std::array<HolidayRecord, kHolidayTableSize> holidayList;
extern int32_t holidayCount;
extern int32_t holidaysSaved;             // -1 at opening, 0 after a change, 1 after writing
extern gfx::Colour holidayChosenColour;   // the dialog's swatch
extern int32_t holidaysDialogOpen;        // re-entry guard of command 1060

std::string HolidaysPath();

std::string EncodeHolidayRecord(const HolidayRecord& r);
// Reads the first 16 bytes; a shorter text reads as far as it goes, the rest zero.
HolidayRecord DecodeHolidayRecord(std::string_view bytes);

// Empties the list and the colour table, then reads the first 401 records of the file (as many
// as the list holds; the rest are not read) in order: each goes into the list and its colour
// into holidayColourTable (a later record for the same day wins). Records with a day or month
// outside 1..31 and 1..12 are passed over, so no file can reach outside the tables. Returns the
// message to show when the file is there but cannot be read (the list is then empty), else "".
std::string LoadHolidays();
// Appends (day, month, colour, 0) as the file's next record. Returns 0 or the errno.
int AppendHolidayRecord(int32_t day, int32_t month, gfx::Colour colour);
// The file anew from the live entries in list order, written beside it and renamed over it
// so that a failure keeps the old file; with no live entry the file is deleted. Returns 0 or
// the errno.
int SaveHolidays();

// 1 when a live entry has this day and month (both above 0), else 0.
int32_t IsHolidayListed(int32_t day, int32_t month);
// "007", "042", "123"; "" above 999.
std::string FormatHolidayIndex(int32_t n);
// One line per entry: "003 dia 6 de Enero", or "003 " for a deleted one, so that a line's
// index is its entry's; with more than 6 lines the last is selected.
void FillHolidayList(ui::Window dialog, int listId);

// The dialog's control ids.
namespace holidays_ids {
inline constexpr int kDay = 7724, kMonth = 7726, kSwatch = 7728, kChooser = 7729, kList = 7730;
inline constexpr int kSalir = 7731, kDeleteFile = 7732, kSaveFile = 7733, kInsert = 7734;
inline constexpr int kDeleteDay = 7735;
}  // namespace holidays_ids

// Runs the dialog modally.
int ShowHolidaysDialog(ui::Window parent);
intptr_t HolidaysDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the list and the guard back as the run starts.
void ResetHolidaysState();
