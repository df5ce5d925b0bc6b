// Numbers read from and written to text, without the process locale.
#pragma once
#include <cfloat>
#include <cstdint>
#include <string>
#include <string_view>

static_assert(LDBL_MANT_DIG == 64, "long double must be the 80-bit extended format");

namespace numbers {

// Millimetres to pixels and back, with the system's own factors.
constexpr long double kMillimetreToPixel = 3.779527559L;
constexpr long double kPixelToMillimetre = 0.264583333L;

// The numeric value of a text: leading blanks (space, tab, CR, LF) skipped, "&" radix
// forms (&H, &O, &Q, &B, & followed by an octal digit), decimal with one point and an
// optional E/e/D/d exponent; reading stops at the first character that cannot go on;
// no digit gives 0. Never fails. "&HFFFF" is -1, "&HFFFF&" 65535.
long double NumericValueOfText(std::string_view text);

// Nearest whole number, halves to the even neighbour.
long double RoundHalfEven(long double v);

// Rounded half to even, then saturated to the type's range.
int16_t ToInt16(long double v);
int32_t ToInt32(long double v);
uint32_t ToUInt32(long double v);
int64_t ToInt64(long double v);

// Saturating narrowing of whole numbers.
int16_t NarrowToInt16(int64_t v);
int32_t NarrowToInt32(int64_t v);

// Millimetres to whole pixels: mm x 3.779527559, rounded half to even, saturated to 16 bits.
int16_t MillimetresToPixels(long double mm);

// Plain number texts: up to 15 significant digits ("0.5", "-3", "1E+16"), no blanks.
std::string NumberText(long double v);
// The same with 7 significant digits, for single-precision values.
std::string SingleText(float v);
// The settings files' form: one blank before a number that is not negative (" 10", "-5").
std::string SettingsNumberText(long double v);

// Picture-mask formatting, independent of the locale:
//   "0" a digit always shown, "#" a digit left out when it would be a leading zero,
//   "," between digit places groups the whole part by thousands with ",",
//   "." the decimal point (written even with no digit place after it),
//   each "0" or "#" after the point one decimal digit, the last one rounded half to even.
// Examples: (7, "0000") "0007"; (1234.5, "#,###,###.00") "1,234.50"; (0.5, "#,###.0") ".5".
std::string FormatWithMask(long double v, std::string_view mask);

}  // namespace numbers
