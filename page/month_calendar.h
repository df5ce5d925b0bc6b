// Month calendars (kind 2): one month of one year drawn as a block of text, the month's name
// over a row of weekday letters (Monday first) and the days in a 7-column grid, optionally
// inside a box. Sundays are red; listed holidays may take their own colours. The renderers
// draw on any surface: the page, the dialog's preview, a printed page.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "page/page_object.h"

// MonthNamePosition: where the name stands over the block.
enum MonthNamePosition : int32_t { kMonthNameLeft = 1, kMonthNameCentre = 2, kMonthNameRight = 3 };
// The placement codes PlaceMonthName takes (right and centre are not in order).
constexpr int32_t kPlaceNameLeft = 731;
constexpr int32_t kPlaceNameRight = 732;
constexpr int32_t kPlaceNameCentre = 733;

// Month settings: the dialog edits them, the renderer reads the first four, and the painter
// loads those four from each calendar before drawing it. The PageObject field of each is
// named beside it.
extern int32_t monthNamePosition;           // alignment
extern int32_t monthColouredBackground;     // optionFlag3: draw the box
extern int32_t monthTransparentBackground;  // optionFlag2: the box without filling
extern int32_t monthIncludeHolidays;        // optionFlag1: colour the listed holidays
extern gfx::Colour monthBackColour;         // backColor
extern gfx::Colour monthBorderColour;       // borderColor
extern int32_t monthCalendarYear;           // calendarYear
extern int32_t monthCalendarMonth;          // calendarMonth: 1 to 12

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
// (when monthColouredBackground is set) from (x - 5, y - 5) to the block's edges + 5, the
// name in textForeColour, the weekday letters, and the days (Sundays red, listed holidays
// in their colour when monthIncludeHolidays is set, the rest black). Leaves the pen 4
// pixels wide. Returns 1.
int16_t DrawMonthCalendar(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                          gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                          int16_t cellSize);
// The month's name with its top at `top`: code 731 at `left`, 733 centred between `left`
// and monthBlockRight + 5, 732 at left + (20 - the trimmed length) average character
// widths. Any other code draws nothing.
void PlaceMonthName(gfx::Surface& target, std::string_view name, int32_t code, int32_t left, int32_t top,
                    gfx::FontKey font, gfx::Colour colour);

// The insert's side. The font of a new calendar: the text properties' face and size, bold.
gfx::FontKey MonthCalendarInsertFont();
// Measures and draws the calendar of the month settings at (x, y) in `font`, whose size in
// points is also the cell size.
void DrawMonthCalendarAt(gfx::Surface& target, int32_t x, int32_t y, gfx::FontKey font,
                         int16_t cellSize);
// The settings and the block just measured into a new object's fields (position and kind
// are the handler's): width and height are the block's absolute edges, and the face and
// style are kept so that the calendar draws alike after the document is read again.
void StoreMonthCalendarSettings(PageObject& object, gfx::FontKey font);

// The painter's side: the four drawing settings from a stored calendar.
void LoadMonthCalendarSettings(const PageObject& object);
// A stored calendar's font, made from its own face and size, bold; an empty face (documents
// written before the face was kept) takes the text properties' face. Sets fontHandle.
gfx::FontKey MonthCalendarObjectFont(PageObject& object);
// Loads the settings, makes the font and measures and draws the calendar at its position.
void DrawMonthCalendarObject(gfx::Surface& target, PageObject& object);
