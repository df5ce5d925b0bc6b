// The time elapsed since a stored date, as years, months and days, for the date fields of a
// record fill; whole-day differences on the calendar the platform accepts (years 1601 to
// 30827, as the system's file times).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct CalendarDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
};

// Today's local date; tests put a fixed day here.
extern std::function<CalendarDate()> todaysDate;
// The local date of the system clock.
CalendarDate SystemToday();

int32_t DaysInMonth(int32_t year, int32_t month);
// Whole days between two dates, never negative. A date the calendar refuses (a month or day
// out of range, a year outside 1601 to 30827) counts as day 0.
int32_t DaysBetweenDates(CalendarDate a, CalendarDate b);
// Years, months and days from the stored date (Ys, Ms, Ds) to today (Yt, Mt, Dt) as a text
// ("44 años 2 meses 5 dias "); "" for today or a later date. Days borrowed from the month
// before today's count from day Ds of that month, or from its last day when it is shorter.
std::string FormatDateDifference(int16_t Ys, int16_t Yt, int16_t Ms, int16_t Mt, int16_t Ds,
                                 int16_t Dt);
// What a date field shows for a stored value dd/mm/yyyy: the elapsed time, a blank and the
// date in brackets. A value that is no such date (an empty record's "No datos", a damaged
// value) is shown as it is.
std::string DateFieldText(std::string_view value, CalendarDate today);
