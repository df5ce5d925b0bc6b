// Month calendars (kind 2): one month of one year drawn as a block of text, the month's name
// over a row of weekday letters (Monday first) and the days in a 7-column grid, optionally
// inside a box. Sundays are red; listed holidays may take their own colours. The renderers
// draw on any surface: the page, the dialog's preview, a printed page.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"

// MonthNamePosition: where the name stands over the block.
enum MonthNamePosition : int32_t { kMonthNameLeft = 1, kMonthNameCentre = 2, kMonthNameRight = 3 };
// The placement codes PlaceMonthName takes (right and centre are not in order).
constexpr int32_t kPlaceNameLeft = 731;
constexpr int32_t kPlaceNameRight = 732;
constexpr int32_t kPlaceNameCentre = 733;

// How a block is drawn beyond its place, month, colours and font; the PageObject field of
// each is named beside it. A stored calendar keeps no colour for its name: the program
// gives one.
struct MonthCalendarOptions {
  int32_t namePosition = kMonthNameLeft;  // alignment: MonthNamePosition; others no name
  int32_t colouredBackground = 0;         // optionFlag3: draw the box
  int32_t transparentBackground = 0;      // optionFlag2: the box without filling
  int32_t includeHolidays = 0;            // optionFlag1: colour the listed holidays
  gfx::Colour nameColour = 0;
};

// The absolute right and bottom edges of the last measured block (not a width and height).
extern int16_t monthBlockRight;
extern int16_t monthBlockBottom;

// Holiday colours by [day 1..31][month 1..12]; 0 means none. Filled from "Fiestas.log"
// by LoadHolidays only.
using HolidayColourTable = std::array<std::array<gfx::Colour, 13>, 32>;
extern HolidayColourTable holidayColourTable;

// 1 Monday .. 7 Sunday, by Zeller's congruence. Any year and month give an answer; the
// arithmetic is wide, so years beyond 16 bits do not overflow.
int16_t GetDayOfWeek(int32_t year, int32_t month, int32_t day);
// 28 to 31 by the Gregorian leap rule; 0 for a month outside 1..12.
int16_t GetDaysInMonth(int32_t month, int32_t year);
// "Enero" .. "Diciembre"; "" outside 1..12.
std::string GetMonthName(int32_t month);
// Today's year and month by the local clock.
void GetTodaysYearAndMonth(int32_t& year, int32_t& month);

// Lays the block out at (x, y) with cells `cellSize` points as pixels: columns 2c + 2 apart,
// rows 2c apart, day 1 in its weekday's column of the row y + 4c. Draws nothing; sets
// monthBlockRight (x + 14c + 14) and monthBlockBottom (the last day's row + 2c; y + 4c for
// a month outside 1..12, which has no days). Selects the target, the font, black text and
// a transparent text background. Returns 1.
int16_t MeasureMonthCalendar(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                             gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                             int16_t cellSize);
// Draws the block MeasureMonthCalendar has just measured with the same arguments: the box
// (when colouredBackground is set) from (x - 5, y - 5) to the block's edges + 5, the name
// in nameColour, the weekday letters, and the days (Sundays red, listed holidays in their
// colour when includeHolidays is set, the rest black). Leaves the pen 4 pixels wide.
void DrawMonthBlock(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                    gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                    int16_t cellSize, const MonthCalendarOptions& options);
// The month's name with its top at `top`: code 731 at `left`, 733 centred between `left`
// and monthBlockRight + 5, 732 at left + (20 - the trimmed length) average character
// widths. Any other code draws nothing.
void PlaceMonthName(gfx::Surface& target, std::string_view name, int32_t code, int32_t left, int32_t top,
                    gfx::FontKey font, gfx::Colour colour);

// A stored calendar: its options with the name in `nameColour`.
MonthCalendarOptions MonthOptionsOfObject(const PageObject& object, gfx::Colour nameColour);
// The options into an object's fields (the name's colour is not kept).
void PutMonthCalendarOptions(PageObject& object, const MonthCalendarOptions& options);
// Its font, made from its own face and size, bold; an empty face (documents written before
// the face was kept) takes `fallbackFace`. Sets fontHandle.
gfx::FontKey StoredMonthCalendarFont(PageObject& object, std::string_view fallbackFace);
// Makes the font and measures and draws the calendar at its position, as the painter does.
void DrawStoredMonthCalendar(gfx::Surface& target, PageObject& object, gfx::Colour nameColour,
                             std::string_view fallbackFace);

// Puts the measured edges and the holiday colours back as the run starts.
void ResetMonthCalendarState();
