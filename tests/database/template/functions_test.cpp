#include "database/template/template_functions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/template/template_error.h"

namespace templates {
namespace {

TEST(TemplateFunctions, DecimalPlaces) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"3.14159", 5}, {"12", 1}, {"12.", 1}, {"1,234.5", 1}, {"", 1}, {"12.345", 3}, {"1,5", 1},
  };
  for (const auto& [s, d] : cases) EXPECT_EQ(CountTemplateDecimals(s), d) << s;
}

TEST(TemplateFunctions, NumberTextsWithMarks) {
  EXPECT_EQ(FormatNumberES("3.14159"), "3,14159");
  EXPECT_EQ(FormatNumberES("1000000"), "1.000.000,0");
  EXPECT_EQ(FormatNumberES("1234.5"), "1.234,5");
  EXPECT_EQ(FormatNumberES("2,5"), "2.5");
  EXPECT_EQ(FormatNumberSP("1234.56"), "1.234'56");
  EXPECT_EQ(FormatNumberSP("1234.5"), "1.234'5");
  EXPECT_EQ(ApostropheToDecimalPoint("1.234'5"), "1234.5");
  EXPECT_EQ(ApostropheToDecimalPoint("1.000.000"), "1000000");
  EXPECT_EQ(ApostropheToDecimalPoint("-12'50 EUR"), "-12.50 EUR");
  EXPECT_EQ(ApostropheToDecimalPoint(""), "");
  EXPECT_EQ(StripCommas("1,234,567.5"), "1234567.5");
  EXPECT_EQ(FormatTemplateDecimal(1.0L + 0.1f, 15), "1.10000000149012");
  EXPECT_EQ(FormatTemplateDecimal(0.1f + 0.2f, 7), ".3");
}

TEST(TemplateFunctions, WeekdayNames) {
  struct Case {
    int16_t year, month, day;
    const char* name;
  };
  for (const Case& c : {Case{2024, 1, 1, "Lunes"}, Case{2024, 2, 29, "Jueves"},
                        Case{2024, 3, 1, "Viernes"}, Case{2000, 1, 1, "Sabado"},
                        Case{1980, 3, 15, "Sabado"}, Case{2023, 12, 31, "Domingo"},
                        Case{2024, 5, 22, "Miercoles"}}) {
    EXPECT_EQ(GetWeekdayName(c.year, c.month, c.day), c.name) << c.year << "-" << c.month;
  }
  // Dates made of anything still give a name.
  EXPECT_FALSE(GetWeekdayName(0, 0, 0).empty());
  EXPECT_FALSE(GetWeekdayName(-32768, -32768, -32768).empty());
  EXPECT_FALSE(GetWeekdayName(32767, 32767, 32767).empty());
}

TEST(TemplateFunctions, MonthNames) {
  EXPECT_EQ(GetMonthName(1), "Enero");
  EXPECT_EQ(GetMonthName(12), "Diciembre");
  EXPECT_EQ(GetMonthName(0), "");
  EXPECT_EQ(GetMonthName(13), "");
}

TEST(TemplateFunctions, Masks) {
  EXPECT_EQ(ApplyMask("12345678A", "##.###.###-#"), "12.345.678-A");
  EXPECT_EQ(ApplyMask("AB C", "#_#_#"), "A B C");
  EXPECT_EQ(ApplyMask("12", "#-###"), "1-2");
  EXPECT_EQ(ApplyMask("abc", ""), "");
}

TEST(TemplateFunctions, Powers) {
  EXPECT_EQ(PowerOf(2, 10), 1024);
  EXPECT_EQ(PowerOf(2, 62), int64_t{1} << 62);
  EXPECT_EQ(PowerOf(-2, 63), INT64_MIN);
  EXPECT_EQ(PowerOf(5, 0), 1);
  EXPECT_EQ(PowerOf(0, 0), 1);
  // A negative power is a fraction rounded to the nearest whole number.
  EXPECT_EQ(PowerOf(2, -1), 0);
  EXPECT_EQ(PowerOf(1, -5), 1);
  EXPECT_EQ(PowerOf(-1, -3), -1);
  EXPECT_THROW(PowerOf(2, 63), TemplateError);
  EXPECT_THROW(PowerOf(10, 2147483647), TemplateError);
  EXPECT_THROW(PowerOf(0, -1), TemplateError);
}

TEST(TemplateFunctions, TodayFromTheSystemDate) {
  EXPECT_EQ(FormatTodayDate("05-20-2024", "/"), "20/05/2024");
  EXPECT_EQ(FormatTodayDate("5-2", "/"), "/5-/");
}

}  // namespace
}  // namespace templates
