// Tests of the numbers unit.
#include "platform/numbers/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using testfiles::UseSpanishLocale;

constexpr long double kTwoTo127 = 170141183460469231731687303715884105728.0L;

TEST(NumericValueOfText, ReadsTheLeadingNumber) {
  struct Case {
    std::string text;
    long double expected;
  };
  const Case cases[] = {
      // Decimal form and where it stops.
      {"abc", 0},
      {"  7", 7},
      {"\t\r\n7", 7},
      {"12abc", 12},
      {"3,5", 3},
      {"1 000", 1},
      {"- 5", 0},
      {"--5", 0},
      {"+.5", 0.5L},
      {".5", 0.5L},
      {"5.", 5},
      {".", 0},
      {"", 0},
      {"   ", 0},
      {"1.5e2", 150},
      {"1e", 1},
      {"1e+", 1},
      {"1d2", 100},
      {"1D-2", 0.01L},
      {"1.2.3", 1.2L},
      {"1e2.5", 100},
      {"-2.5", -2.5L},
      {std::string("5\0x", 3), 5},
      {"148 mm", 148},
      {"0100", 100},
      {"1.234,56", 1.234L},
      {"0.000125", 0.000125L},
      // Only 18 digits are significant.
      {"1234567890123456789", 1234567890123456780.0L},
      {"0.1234567890123456789", 0.123456789012345678L},
      // Exponent limits.
      {"1e99999", kTwoTo127},
      {"1e4932", kTwoTo127},
      {"-1e5000", -kTwoTo127},
      {"1e-5000", 0},
      {"1e4931", 1e4931L},
      {"0.001e4934", 1e4931L},
      {"0.001e4935", kTwoTo127},  // 0.1 x 10^4933
      // Radix forms.
      {"&H1F", 31},
      {"&h1f", 31},
      {"&HFFFF", -1},
      {"&HFFFF&", 65535},
      {"&H0FFFF", 65535},
      {"&H8000", -32768},
      {"&H7FFF", 32767},
      {"&HFFFFFFFF", -1},
      {"&HFFFFFFFF&", -1},
      {"&HFFFFFFFF&&", 4294967295.0L},
      {"&H80000000", -2147483648.0L},
      {"&H100000000", 4294967296.0L},
      {"&HFFFFFFFFFFFFFFFF", -1},
      {"&H8000000000000000?", 0},
      {"&HFFFF?", 65535},
      {"&H10000000000000000", 0},
      {"&HFFF8F0", 16775408},
      {"&17", 15},
      {"&O17", 15},
      {"&q17", 15},
      {"&O19", 1},
      {"&B101", 5},
      {"&B12", 1},
      {"&Z", 0},
      {"&", 0},
      {"&H", 0},
      {"  &H10", 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    EXPECT_EQ(numbers::NumericValueOfText(c.text), c.expected);
  }
}

TEST(NumericValueOfText, KeepsTheExtendedPrecision) {
  using numbers::NumericValueOfText;
  EXPECT_GT(NumericValueOfText("10000000000000001"), NumericValueOfText("10000000000000000"));
  EXPECT_EQ(NumericValueOfText("10000000000000001"), 10000000000000001.0L);
  EXPECT_EQ(NumericValueOfText("0.1"), NumericValueOfText("1e-1"));
  EXPECT_EQ(NumericValueOfText("0.1"), 0.1L);
  EXPECT_EQ(NumericValueOfText("1e3"), NumericValueOfText("1000"));
  EXPECT_EQ(NumericValueOfText("123456789012345678"), 123456789012345678.0L);
  EXPECT_FALSE(std::signbit(NumericValueOfText("-0")));
}


TEST(NumericValueOfText, IgnoresTheProcessLocale) {
  if (!UseSpanishLocale()) GTEST_SKIP() << "no Spanish locale can be had here";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  EXPECT_EQ(numbers::NumericValueOfText("1.5"), 1.5L);
  EXPECT_EQ(numbers::NumericValueOfText("1,5"), 1);
  EXPECT_EQ(numbers::NumericValueOfText("2.5e-3"), 0.0025L);
  EXPECT_EQ(numbers::NumberText(1.5L), "1.5");
  EXPECT_EQ(numbers::NumberText(1.5e-7L), "1.5E-07");
  EXPECT_EQ(numbers::SingleText(0.25f), "0.25");
  EXPECT_EQ(numbers::FormatWithMask(1234.5L, "#,###.00"), "1,234.50");
  std::setlocale(LC_ALL, "C");
}

TEST(Numbers, RoundsHalvesToEven) {
  struct Case {
    long double v;
    long double rounded;
  };
  const Case cases[] = {{0.5L, 0},   {1.5L, 2},   {2.5L, 2},  {-0.5L, 0}, {-1.5L, -2},
                        {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {7, 7},    {-7.6L, -8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.v));
    EXPECT_EQ(numbers::RoundHalfEven(c.v), c.rounded);
  }
}

TEST(Numbers, WholeNumbersSaturate) {
  EXPECT_EQ(numbers::ToInt16(32767.4L), 32767);
  EXPECT_EQ(numbers::ToInt16(40000), 32767);
  EXPECT_EQ(numbers::ToInt16(-40000), -32768);
  EXPECT_EQ(numbers::ToInt16(2.5L), 2);
  EXPECT_EQ(numbers::ToInt32(3e10L), INT32_MAX);
  EXPECT_EQ(numbers::ToInt32(-3e10L), INT32_MIN);
  EXPECT_EQ(numbers::ToInt32(-3.5L), -4);
  EXPECT_EQ(numbers::ToUInt32(-1), 0u);
  EXPECT_EQ(numbers::ToUInt32(5e9L), UINT32_MAX);
  EXPECT_EQ(numbers::ToUInt32(4294967295.0L), UINT32_MAX);
  EXPECT_EQ(numbers::ToInt64(1e30L), INT64_MAX);
  EXPECT_EQ(numbers::ToInt64(-1e30L), INT64_MIN);
  EXPECT_EQ(numbers::ToInt64(9007199254740993.5L), 9007199254740994);
  EXPECT_EQ(numbers::ToInt32(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(numbers::NarrowToInt16(70000), 32767);
  EXPECT_EQ(numbers::NarrowToInt16(-70000), -32768);
  EXPECT_EQ(numbers::NarrowToInt16(-5), -5);
  EXPECT_EQ(numbers::NarrowToInt32(int64_t{1} << 40), INT32_MAX);
  EXPECT_EQ(numbers::NarrowToInt32(-(int64_t{1} << 40)), INT32_MIN);
  EXPECT_EQ(numbers::NarrowToInt32(123), 123);
}

TEST(Numbers, MillimetresBecomePixels) {
  struct Case {
    long double mm;
    int16_t px;
  };
  const Case cases[] = {{210, 794}, {297, 1123}, {10, 38}, {0, 0}, {-10, -38}, {20000, 32767}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.mm));
    EXPECT_EQ(numbers::MillimetresToPixels(c.mm), c.px);
  }
}

TEST(Numbers, NumberTextsHaveFifteenDigits) {
  struct Case {
    long double v;
    const char* text;
  };
  const Case cases[] = {
      {0.5L, "0.5"},       {-3, "-3"},
      {1e16L, "1E+16"},    {123456789012345.0L, "123456789012345"},
      {1.5e-7L, "1.5E-07"}, {0, "0"},
      {-0.0L, "0"},        {1.0L / 3, "0.333333333333333"},
      {16775408, "16775408"}, {1234567890123456.0L, "1.23456789012346E+15"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(numbers::NumberText(c.v), c.text);
  }
  EXPECT_EQ(numbers::SingleText(0.1f), "0.1");
  EXPECT_EQ(numbers::SingleText(1.0f / 3), "0.3333333");
  EXPECT_EQ(numbers::SingleText(12345678.0f), "1.234568E+07");
  EXPECT_EQ(numbers::SettingsNumberText(10), " 10");
  EXPECT_EQ(numbers::SettingsNumberText(-5), "-5");
  EXPECT_EQ(numbers::SettingsNumberText(0), " 0");
  EXPECT_EQ(numbers::SettingsNumberText(-0.0L), " 0");
  EXPECT_EQ(numbers::SettingsNumberText(0.25L), " 0.25");
}

TEST(Numbers, FormatsWithPictureMasks) {
  struct Case {
    long double v;
    const char* mask;
    const char* text;
  };
  const char* wide = "#,###,###,###,###,###,###";
  const Case cases[] = {
      {7, "0000", "0007"},
      {12345, "00", "12345"},
      {5, "00", "05"},
      {1234.5L, "#,###,###,###,###,###,###.0", "1,234.5"},
      {1234, "#,###,###,###,###,###,###.0", "1,234.0"},
      {0.5L, "#,###.0", ".5"},
      {0, "#,###", ""},
      {0, "#,##0", "0"},
      {1234567.891L, "#,###,###.00", "1,234,567.89"},
      {-1234.5L, "#,###.00", "-1,234.50"},
      {1234.5L, "#,###,###.00", "1,234.50"},
      {1234567, wide, "1,234,567"},
      {123, wide, "123"},
      {1234567, "###,###,###,###,###", "1,234,567"},
      {1234567, "#######", "1234567"},
      {1234.5L, "#,###.", "1,234."},      // rounds to even, keeps the point
      {1235.5L, "#,###.", "1,236."},
      {0.125L, "0.00", "0.12"},            // a true half rounds to even
      {0.375L, "0.00", "0.38"},
      {2.5L, "#", "2"},
      {999.996L, "#,###.00", "1,000.00"},
      {1.5L, "0.0#", "1.5"},
      {1.25L, "0.0#", "1.25"},
      {1e20L, wide, "100,000,000,000,000,000,000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " of " + std::to_string(static_cast<double>(c.v)));
    EXPECT_EQ(numbers::FormatWithMask(c.v, c.mask), c.text);
  }
}

}  // namespace
