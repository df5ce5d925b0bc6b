#include "database/date_arithmetic.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "page/start_values.h"

std::function<CalendarDate()> todaysDate = SystemToday;

namespace {

bool IsLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool IsValidDate(CalendarDate d) {
  return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

// Days since 0000-03-01 of the proleptic Gregorian calendar, with the year starting in March
// so that leap days come last.
constexpr int64_t CivilDays(int64_t year, int64_t month, int64_t day) {
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

// Days since 1 January 1601, as the system's file times count them; 0 for a date the
// calendar refuses.
int64_t DayNumber(CalendarDate d) {
  if (d.year < 1601 || d.year > 30827 || !IsValidDate(d)) return 0;
  return CivilDays(d.year, d.month, d.day) - CivilDays(1601, 1, 1);
}

std::string Part(int32_t n, const char* one, const char* many) {
  if (n <= 0) return {};
  return n == 1 ? std::string("1") + one : std::to_string(n) + many;
}

std::optional<int32_t> DigitsAt(std::string_view text, size_t at, size_t count) {
  int32_t n = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    n = n * 10 + (text[i] - '0');
  }
  return n;
}

}  // namespace

CalendarDate SystemToday() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {1970, 1, 1};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

void ResetTodaysDate() { todaysDate = SystemToday; }
const EnrolledStart enrolled(ResetTodaysDate);

int32_t DaysInMonth(int32_t year, int32_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int32_t DaysBetweenDates(CalendarDate a, CalendarDate b) {
  return static_cast<int32_t>(std::llabs(DayNumber(a) - DayNumber(b)));
}

std::string FormatDateDifference(int16_t Ys, int16_t Yt, int16_t Ms, int16_t Mt, int16_t Ds,
                                 int16_t Dt) {
  const CalendarDate today{Yt, Mt, Dt};
  CalendarDate borrowFrom = Mt == 1 ? CalendarDate{Yt - 1, 12, Ds} : CalendarDate{Yt, Mt - 1, Ds};
  borrowFrom.day = std::min(borrowFrom.day, DaysInMonth(borrowFrom.year, borrowFrom.month));
  const auto borrow = [&] { return DaysBetweenDates(borrowFrom, today); };

  int32_t y = 0, m = 0, d = 0;
  if (Yt > Ys) {
    if (Mt > Ms) {
      y = Yt - Ys;
      m = Dt >= Ds ? Mt - Ms : Mt - Ms - 1;
    } else if (Mt == Ms) {
      y = Dt >= Ds ? Yt - Ys : Yt - Ys - 1;
      m = Dt >= Ds ? 0 : 11;
    } else {
      y = Yt - Ys - 1;
      m = Dt >= Ds ? Mt + 12 - Ms : Mt + 11 - Ms;
    }
    d = Dt >= Ds ? Dt - Ds : borrow();
  } else if (Yt == Ys && Mt > Ms) {
    m = Dt >= Ds ? Mt - Ms : Mt - Ms - 1;
    d = Dt >= Ds ? Dt - Ds : borrow();
  } else if (Yt == Ys && Mt == Ms && Dt >= Ds) {
    d = Dt - Ds;
  }
  return Part(y, " a\xF1o ", " a\xF1os ") + Part(m, " mes ", " meses ") +
         Part(d, " dia ", " dias ");
}

std::string DateFieldText(std::string_view value, CalendarDate today) {
  if (value.size() != 10) return std::string(value);
  const auto day = DigitsAt(value, 0, 2), month = DigitsAt(value, 3, 2);
  const auto year = DigitsAt(value, 6, 4);
  if (!day || !month || !year || !IsValidDate({*year, *month, *day})) return std::string(value);
  const auto narrow = [](int32_t v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
  return FormatDateDifference(narrow(*year), narrow(today.year), narrow(*month),
                              narrow(today.month), narrow(*day), narrow(today.day)) +
         " (" + std::string(value) + ")";
}
