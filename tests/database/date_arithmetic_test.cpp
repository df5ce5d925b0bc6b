#include "database/date_arithmetic.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
  CalendarDate stored, today;
  const char* shown;
};

// One row for each case of the years-months-days table, the month ends, the leap days and the
// borrowed days.
TEST(DateArithmetic, ElapsedTimeByCase) {
  const DateCase cases[] = {
      {{1980, 3, 15}, {2024, 5, 20}, "44 a\xF1os 2 meses 5 dias "},
      {{2024, 4, 20}, {2024, 5, 10}, "20 dias "},
      {{2023, 5, 10}, {2024, 5, 10}, "1 a\xF1o "},
      // Later year: months after, same or before today's; days on or after, or borrowed.
      {{2020, 2, 3}, {2024, 5, 3}, "4 a\xF1os 3 meses "},
      {{2020, 2, 25}, {2024, 5, 3}, "4 a\xF1os 2 meses 8 dias "},
      {{2020, 5, 1}, {2024, 5, 3}, "4 a\xF1os 2 dias "},
      {{2020, 5, 10}, {2024, 5, 3}, "3 a\xF1os 11 meses 23 dias "},
      {{2020, 8, 1}, {2024, 5, 3}, "3 a\xF1os 9 meses 2 dias "},
      {{2020, 8, 10}, {2024, 5, 3}, "3 a\xF1os 8 meses 23 dias "},
      // Same year.
      {{2024, 2, 1}, {2024, 5, 3}, "3 meses 2 dias "},
      {{2024, 3, 1}, {2024, 4, 2}, "1 mes 1 dia "},
      {{2024, 5, 1}, {2024, 5, 3}, "2 dias "},
      {{2024, 5, 3}, {2024, 5, 3}, ""},
      {{2024, 5, 9}, {2024, 5, 3}, ""},
      {{2024, 8, 1}, {2024, 5, 3}, ""},
      {{2030, 1, 1}, {2024, 5, 3}, ""},
      // Borrowed days across the year's end, and from a leap February.
      {{2023, 12, 20}, {2024, 1, 5}, "16 dias "},
      {{2023, 1, 30}, {2024, 3, 1}, "1 a\xF1o 1 mes 1 dia "},
      {{2022, 1, 30}, {2023, 3, 1}, "1 a\xF1o 1 mes 1 dia "},
      // A stored day the month before today's lacks borrows from that month's last day.
      {{2024, 1, 31}, {2024, 5, 10}, "3 meses 10 dias "},
      {{2023, 12, 31}, {2024, 3, 1}, "2 meses 1 dia "},
  };
  for (const DateCase& c : cases) {
    EXPECT_EQ(FormatDateDifference(c.stored.year, c.today.year, c.stored.month, c.today.month,
                                   c.stored.day, c.today.day),
              c.shown)
        << c.stored.day << "/" << c.stored.month << "/" << c.stored.year;
  }
}

TEST(DateArithmetic, DaysBetweenDatesCountsWholeDaysEitherWay) {
  EXPECT_EQ(DaysBetweenDates({2024, 4, 20}, {2024, 5, 10}), 20);
  EXPECT_EQ(DaysBetweenDates({2024, 5, 10}, {2024, 4, 20}), 20);
  EXPECT_EQ(DaysBetweenDates({2024, 2, 28}, {2024, 3, 1}), 2);
  EXPECT_EQ(DaysBetweenDates({2023, 2, 28}, {2023, 3, 1}), 1);
  EXPECT_EQ(DaysBetweenDates({1900, 2, 28}, {1900, 3, 1}), 1);
  EXPECT_EQ(DaysBetweenDates({2000, 2, 28}, {2000, 3, 1}), 2);
  EXPECT_EQ(DaysBetweenDates({1601, 1, 1}, {1601, 1, 2}), 1);
  // A date the calendar refuses counts as 1 January 1601.
  EXPECT_EQ(DaysBetweenDates({2024, 4, 31}, {1601, 1, 11}), 10);
  EXPECT_EQ(DaysBetweenDates({1600, 12, 31}, {1601, 1, 11}), 10);
}

TEST(DateArithmetic, DateFieldShowsElapsedTimeOrTheValueAsItIs) {
  const CalendarDate today{2024, 5, 20};
  EXPECT_EQ(DateFieldText("15/03/1980", today), "44 a\xF1os 2 meses 5 dias  (15/03/1980)");
  EXPECT_EQ(DateFieldText("20/05/2024", today), " (20/05/2024)");
  EXPECT_EQ(DateFieldText("01/01/2030", today), " (01/01/2030)");
  EXPECT_EQ(DateFieldText("15-03-1980", today), "44 a\xF1os 2 meses 5 dias  (15-03-1980)");
  for (const char* notADate :
       {"No datos", "", "31/04/2020", "1/3/1980", "aa/bb/cccc", "15/13/1980"})
    EXPECT_EQ(DateFieldText(notADate, today), notADate);
}

}  // namespace
