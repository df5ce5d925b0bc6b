// The computations behind the template language's built-in functions and the number texts
// its results are written with. Texts are 1252 bytes; numbers in texts use "." as decimal
// mark and may carry "," between thousands.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace templates {

// x to the power y, rounded to the nearest whole number (halves to even), so 2^-1 is 0.
// Throws TemplateError when the result is not a whole number an int64 holds (an overflow,
// 0 to a negative power).
int64_t PowerOf(int32_t x, int32_t y);

// The value without blanks laid into the mask: "#" takes the value's next character (none
// past its end), "_" is a blank, every other mask character is copied.
std::string ApplyMask(std::string_view value, std::string_view mask);

// "Domingo" .. "Sabado" by Gauss's weekday rule.
std::string GetWeekdayName(int16_t year, int16_t month, int16_t day);

// "Enero" .. "Diciembre" for 1 .. 12, else "".
std::string GetMonthName(int32_t n);

// A number text with "." between thousands and "," (ES) or "'" (SP) as decimal mark;
// a text already holding "," has only its marks swapped.
std::string FormatNumberES(std::string_view s);
std::string FormatNumberSP(std::string_view s);

// s without any ",".
std::string StripCommas(std::string_view s);

// From a date "mm-dd-yyyy": day, separator, month, separator, year.
std::string FormatTodayDate(std::string_view date, std::string_view separator);

// The decimal places a number text shows: the characters after its last "." or ",", and at
// least 1.
int16_t CountTemplateDecimals(std::string_view s);

// A stored number ("1.234'5") as a number text ("1234.5"): "." dropped, "'" to ".".
std::string ApostropheToDecimalPoint(std::string_view s);

// x with the thousands picture and as many decimals as its plain text of `digits` (15 or 7)
// significant digits shows.
std::string FormatTemplateDecimal(long double x, int digits);

// The thousands picture "#,###,###,###,###,###,###" followed by "." and `decimals` zeros.
std::string ThousandsPicture(int decimals);

}  // namespace templates
