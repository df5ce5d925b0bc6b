#include "page/month_calendar.h"

#include <algorithm>
#include <ctime>

#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"

int16_t monthBlockRight = 0;
int16_t monthBlockBottom = 0;
HolidayColourTable holidayColourTable{};

namespace {

StartValues startValues(monthBlockRight, monthBlockBottom, holidayColourTable);

constexpr gfx::Colour kSundayRed = 0x0000FF;
constexpr const char* kWeekdayLetters[7] = {"L", "M", "X", "J", "V", "S", "D"};

// Where each day of a month falls, in the order the days are drawn.
struct DayCell {
  int64_t x;
  int64_t y;
  int column;
};

template <typename Visit>
void WalkMonth(int32_t year, int32_t month, int32_t x, int32_t y, int16_t cellSize, Visit visit) {
  const int64_t c = cellSize;
  const int64_t pitch = 2 * c + 2;
  const int days = GetDaysInMonth(month, year);
  int column = GetDayOfWeek(year, month, 1);
  int64_t row = y + 4 * c;
  for (int d = 1; d <= days; ++d) {
    if (d > 1 && ++column > 7) {
      column = 1;
      row += 2 * c;
    }
    visit(d, DayCell{x + (column - 1) * pitch, row, column});
  }
}

}  // namespace

int16_t GetDayOfWeek(int32_t year, int32_t month, int32_t day) {
  int64_t m = static_cast<int64_t>(month) - 2;
  int64_t yr = year;
  if (m <= 0) {
    m += 12;
    yr -= 1;
  }
  const int64_t k = yr % 100;
  const int64_t j = yr / 100;
  int64_t w = (26 * m - 2) / 10 + day + k + k / 4 + j / 4 - 2 * j;
  // As many sevens at once as adding them one by one until w is not negative.
  if (w < 0) w += 7 * ((-w + 6) / 7);
  const int64_t r = w % 7;
  return static_cast<int16_t>(r == 0 ? 7 : r);
}

int16_t GetDaysInMonth(int32_t month, int32_t year) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 29 : 28;
    default:
      return 0;
  }
}

std::string GetMonthName(int32_t month) {
  static constexpr const char* kNames[12] = {"Enero", "Febrero", "Marzo",     "Abril",   "Mayo",      "Junio",
                                             "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

void GetTodaysYearAndMonth(int32_t& year, int32_t& month) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  year = local ? local->tm_year + 1900 : 2000;
  month = local ? local->tm_mon + 1 : 1;
}

int16_t MeasureMonthCalendar(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                             gfx::Colour, gfx::Colour, gfx::FontKey font, int16_t cellSize) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, gfx::kBlack);
  gfx::SetBackColour(target, gfx::kTransparent);
  const int64_t c = cellSize;
  // A month with no days (only from a damaged document) still gets the extents of its
  // header, so the box never takes the last block's.
  int64_t bottom = y + 4 * c;
  WalkMonth(year, month, x, y, cellSize, [&](int, const DayCell& cell) { bottom = cell.y + 2 * c; });
  monthBlockRight = numbers::NarrowToInt16(x + 14 * c + 14);
  monthBlockBottom = numbers::NarrowToInt16(bottom);
  return 1;
}

void DrawMonthBlock(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                    gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                    int16_t cellSize, const MonthCalendarOptions& options) {
  gfx::Select(target);
  gfx::SetPen(target, 4, gfx::PenStyleOf(target));
  if (options.colouredBackground != 0) {
    gfx::Box(target, static_cast<double>(x) - 5, static_cast<double>(y) - 5, monthBlockRight + 5,
             monthBlockBottom + 5, 0, borderColour,
             options.transparentBackground != 0 ? gfx::kTransparent : backColour, 0);
  }
  gfx::SelectFont(target, font);
  static constexpr int32_t kCodes[4] = {0, kPlaceNameLeft, kPlaceNameCentre, kPlaceNameRight};
  if (options.namePosition >= 1 && options.namePosition <= 3)
    PlaceMonthName(target, GetMonthName(month), kCodes[options.namePosition], x - 5, y, font,
                   options.nameColour);

  const int64_t c = cellSize;
  const int64_t pitch = 2 * c + 2;
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, gfx::kBlack);
  gfx::SetBackColour(target, gfx::kTransparent);
  for (int k = 1; k <= 7; ++k) {
    gfx::MoveTo(target, static_cast<double>(x + (k - 1) * pitch), static_cast<double>(y + 2 * c));
    gfx::Print(target, kWeekdayLetters[k - 1]);
  }
  const bool holidaysKnown = options.includeHolidays != 0 && month >= 1 && month <= 12;
  WalkMonth(year, month, x, y, cellSize, [&](int d, const DayCell& cell) {
    gfx::Colour colour = gfx::kBlack;
    if (cell.column == 7)
      colour = kSundayRed;
    else if (holidaysKnown && holidayColourTable[d][month] > 0)
      colour = holidayColourTable[d][month];
    gfx::SetForeColour(target, colour);
    gfx::MoveTo(target, static_cast<double>(cell.x), static_cast<double>(cell.y));
    gfx::Print(target, std::to_string(d));
  });
}

void PlaceMonthName(gfx::Surface& target, std::string_view name, int32_t code, int32_t left, int32_t top,
                    gfx::FontKey font, gfx::Colour colour) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, colour);
  gfx::SetBackColour(target, gfx::kTransparent);
  int64_t at = 0;
  switch (code) {
    case kPlaceNameLeft:
      at = left;
      break;
    case kPlaceNameCentre:
      at = (int64_t{left} + (monthBlockRight + 5) - gfx::TextWidth(target, name)) / 2;
      break;
    case kPlaceNameRight: {
      // Twenty average characters from the left, whatever the block's width.
      const int64_t a = gfx::AverageCharWidth(target);
      const auto length = static_cast<int64_t>(text::TrimBlanks(name).size());
      at = left + 20 * a - length * a;
      break;
    }
    default:
      return;
  }
  gfx::MoveTo(target, static_cast<double>(at), top);
  gfx::Print(target, name);
}

MonthCalendarOptions MonthOptionsOfObject(const PageObject& object, gfx::Colour nameColour) {
  MonthCalendarOptions options;
  options.namePosition = object.alignment;
  options.includeHolidays = object.optionFlag1;
  options.transparentBackground = object.optionFlag2;
  options.colouredBackground = object.optionFlag3;
  options.nameColour = nameColour;
  return options;
}

void PutMonthCalendarOptions(PageObject& object, const MonthCalendarOptions& options) {
  object.alignment = static_cast<int16_t>(options.namePosition);
  object.optionFlag1 = options.includeHolidays;
  object.optionFlag2 = options.transparentBackground;
  object.optionFlag3 = options.colouredBackground;
}

gfx::FontKey StoredMonthCalendarFont(PageObject& object, std::string_view fallbackFace) {
  std::string_view face = FixedFieldText(object.fontName);
  if (face.empty()) face = fallbackFace;
  object.fontHandle = MakeSystemFont(face, object.fontSize, kStyleBold, 1);
  return object.fontHandle;
}

void DrawStoredMonthCalendar(gfx::Surface& target, PageObject& object, gfx::Colour nameColour,
                             std::string_view fallbackFace) {
  const gfx::FontKey font = StoredMonthCalendarFont(object, fallbackFace);
  const int16_t cell = object.fontSize;
  const int32_t x = HeldCoordinate(object.x), y = HeldCoordinate(object.y);
  MeasureMonthCalendar(target, object.calendarYear, object.calendarMonth, x, y, object.borderColor,
                       object.backColor, font, cell);
  DrawMonthBlock(target, object.calendarYear, object.calendarMonth, x, y, object.borderColor,
                 object.backColor, font, cell, MonthOptionsOfObject(object, nameColour));
}

void ResetMonthCalendarState() { startValues.Restore(); }
