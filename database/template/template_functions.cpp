#include "database/template/template_functions.h"

#include <algorithm>
#include <limits>

#include "database/template/template_error.h"
#include "platform/numbers/numbers.h"

namespace templates {
namespace {

// Characters `start` (from 1) on, at most `length` of them; nothing outside the text.
std::string_view MidText(std::string_view s, size_t start, size_t length) {
  if (start < 1 || start > s.size()) return {};
  return s.substr(start - 1, length);
}

std::string SwapMarks(std::string t, char comma, char point) {
  for (char& c : t) {
    if (c == ',') {
      c = comma;
    } else if (c == '.') {
      c = point;
    }
  }
  return t;
}

std::string FormatNumberWithMarks(std::string_view s, char comma, char point) {
  std::string t(s);
  if (s.find(',') == std::string_view::npos) {
    t = numbers::FormatWithMask(numbers::NumericValueOfText(s),
                                ThousandsPicture(CountTemplateDecimals(s)));
  }
  return SwapMarks(std::move(t), comma, point);
}

}  // namespace

int64_t PowerOf(int32_t x, int32_t y) {
  if (y < 0) {
    // A whole number to a negative power is at most 1/2 away from 0 unless it is 1 or -1.
    if (x == 0) throw TemplateError(kInvalidArithmetic);
    if (x == 1) return 1;
    if (x == -1) return y % 2 == 0 ? 1 : -1;
    return 0;
  }
  int64_t result = 1;
  if (x == 0 || x == 1) return y == 0 ? 1 : x;
  if (x == -1) return y % 2 == 0 ? 1 : -1;
  // |x| >= 2 overflows within 63 steps.
  for (int32_t i = 0; i < y; ++i) {
    if (__builtin_mul_overflow(result, int64_t{x}, &result)) {
      throw TemplateError(kInvalidArithmetic);
    }
  }
  return result;
}

std::string ApplyMask(std::string_view value, std::string_view mask) {
  std::string packed;
  for (char c : value) {
    if (c != ' ') packed += c;
  }
  std::string out;
  size_t k = 0;
  for (char m : mask) {
    if (m == '#') {
      if (k < packed.size()) out += packed[k];
      ++k;
    } else if (m == '_') {
      out += ' ';
    } else {
      out += m;
    }
  }
  return out;
}

std::string GetWeekdayName(int16_t year, int16_t month, int16_t day) {
  static constexpr const char* kNames[7] = {"Domingo", "Lunes",   "Martes", "Miercoles",
                                            "Jueves",  "Viernes", "Sabado"};
  int32_t m = month - 2;
  int32_t y = year;
  if (m <= 0) {
    m += 12;
    y -= 1;
  }
  const int32_t c = y / 100;
  const int32_t r = y % 100;
  int32_t w = (26 * m - 2) / 10 + day + r + r / 4 + c / 4 - 2 * c;
  // Adding 7 until w is not negative leaves the same remainder as this.
  if (w < 0) w = w % 7 + 7;
  return kNames[w % 7];
}

std::string GetMonthName(int32_t n) {
  static constexpr const char* kNames[12] = {"Enero",      "Febrero", "Marzo",     "Abril",
                                             "Mayo",       "Junio",   "Julio",     "Agosto",
                                             "Septiembre", "Octubre", "Noviembre", "Diciembre"};
  return n >= 1 && n <= 12 ? kNames[n - 1] : "";
}

std::string FormatNumberES(std::string_view s) { return FormatNumberWithMarks(s, '.', ','); }

std::string FormatNumberSP(std::string_view s) { return FormatNumberWithMarks(s, '.', '\''); }

std::string StripCommas(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c != ',') out += c;
  }
  return out;
}

std::string FormatTodayDate(std::string_view date, std::string_view separator) {
  std::string out(MidText(date, 4, 2));
  out += separator;
  out += MidText(date, 1, 2);
  out += separator;
  out += MidText(date, 7, 4);
  return out;
}

int16_t CountTemplateDecimals(std::string_view s) {
  size_t d = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '.' || s[i] == ',') d = s.size() - (i + 1);
  }
  if (d == 0) return 1;
  return static_cast<int16_t>(std::min<size_t>(d, std::numeric_limits<int16_t>::max()));
}

std::string ApostropheToDecimalPoint(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (c == '.') continue;
    out += c == '\'' ? '.' : c;
  }
  return out;
}

std::string ThousandsPicture(int decimals) {
  return "#,###,###,###,###,###,###." + std::string(static_cast<size_t>(decimals), '0');
}

std::string FormatTemplateDecimal(long double x, int digits) {
  const std::string plain =
      digits == 7 ? numbers::SingleText(static_cast<float>(x)) : numbers::NumberText(x);
  return numbers::FormatWithMask(x, ThousandsPicture(CountTemplateDecimals(plain)));
}

}  // namespace templates
