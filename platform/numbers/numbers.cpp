#include "platform/numbers/numbers.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace numbers {
namespace {

// The "C" locale, so that no conversion depends on the locale Qt set for the process.
locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string FormatC(const char* format, ...) {
  const locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  char small[64];
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  std::string out;
  if (needed >= 0 && static_cast<size_t>(needed) < sizeof small) {
    out.assign(small, static_cast<size_t>(needed));
  } else if (needed >= 0) {
    out.resize(static_cast<size_t>(needed) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<size_t>(needed));
  }
  va_end(again);
  va_end(args);
  uselocale(previous);
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr int kExactDigits = 18;
constexpr int64_t kExponentCap = 9999;
constexpr int64_t kDecimalExponentLimit = 4933;
constexpr long double kTwoTo127 = 170141183460469231731687303715884105728.0L;

// "&" forms; `i` is just past the "&".
long double RadixValue(std::string_view t, size_t i) {
  const size_t n = t.size();
  unsigned radix = 8;
  if (i < n) {
    switch (t[i]) {
      case 'B': case 'b': radix = 2; ++i; break;
      case 'H': case 'h': radix = 16; ++i; break;
      case 'O': case 'o': case 'Q': case 'q': radix = 8; ++i; break;
      default: break;  // octal, and this character is the first digit
    }
  }
  const size_t start = i;
  uint64_t v = 0;
  bool tooLong = false;
  for (; i < n; ++i) {
    const int d = DigitValue(t[i]);
    if (d < 0 || static_cast<unsigned>(d) >= radix) break;
    if (v > (std::numeric_limits<uint64_t>::max() - static_cast<unsigned>(d)) / radix) {
      tooLong = true;
    } else {
      v = v * radix + static_cast<unsigned>(d);
    }
  }
  if (i == start || tooLong) return 0;
  const bool next = i < n;
  if (next && t[i] == '?') return (v >> 63) ? 0 : static_cast<long double>(static_cast<int64_t>(v));
  if (t[start] == '0') return static_cast<long double>(static_cast<int64_t>(v));
  if (v >= 32768 && v <= 65535 && !(next && t[i] == '&')) {
    return static_cast<long double>(static_cast<int64_t>(v) - 65536);
  }
  const bool doubleAmp = i + 1 < n && t[i] == '&' && t[i + 1] == '&';
  if (v >= (uint64_t{1} << 31) && v <= 0xFFFFFFFFull && !doubleAmp) {
    return static_cast<long double>(static_cast<int64_t>(v) - (int64_t{1} << 32));
  }
  return static_cast<long double>(static_cast<int64_t>(v));
}

long double DecimalValue(std::string_view t, size_t i) {
  const size_t n = t.size();
  bool negative = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) {
    negative = t[i] == '-';
    ++i;
  }
  // The value is m x 10^scale; m holds the first 18 significant digits.
  uint64_t m = 0;
  int significant = 0;
  int64_t scale = 0;
  bool anyDigit = false;
  bool point = false;
  for (; i < n; ++i) {
    const char c = t[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    const int d = c - '0';
    if (significant == 0 && d == 0) {
      if (point) --scale;
    } else if (significant < kExactDigits) {
      m = m * 10 + static_cast<unsigned>(d);
      ++significant;
      if (point) --scale;
    } else if (!point) {
      ++scale;  // a digit past the eighteenth counts as a zero
    }
  }
  int64_t exponent = 0;
  if (i < n && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
      negativeExponent = t[i] == '-';
      ++i;
    }
    for (; i < n && IsDigit(t[i]); ++i) {
      exponent = std::min<int64_t>(exponent * 10 + (t[i] - '0'), kExponentCap);
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (!anyDigit || m == 0) return 0;
  // As 0.d1d2... x 10^e.
  const int64_t e = significant + scale + exponent;
  if (e >= kDecimalExponentLimit) return negative ? -kTwoTo127 : kTwoTo127;
  if (e <= -kDecimalExponentLimit) return 0;
  // The exact integer and power of ten, rounded once into the extended format.
  char canonical[64];
  std::snprintf(canonical, sizeof canonical, "%llue%lld", static_cast<unsigned long long>(m),
                static_cast<long long>(scale + exponent));
  const long double v = strtold_l(canonical, nullptr, CLocale());
  return negative ? -v : v;
}

template <typename T>
T Saturate(long double r) {
  if (std::isnan(r)) return 0;
  if (r <= static_cast<long double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (r >= static_cast<long double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}

}  // namespace

long double NumericValueOfText(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i >= text.size()) return 0;
  if (text[i] == '&') return RadixValue(text, i + 1);
  return DecimalValue(text, i);
}

long double RoundHalfEven(long double v) {
  if (!std::isfinite(v)) return v;
  const long double whole = std::floor(v);
  const long double fraction = v - whole;  // exact for every long double
  if (fraction > 0.5L) return whole + 1;
  if (fraction < 0.5L) return whole;
  return std::fmod(whole, 2.0L) == 0 ? whole : whole + 1;
}

int16_t ToInt16(long double v) { return Saturate<int16_t>(RoundHalfEven(v)); }
int32_t ToInt32(long double v) { return Saturate<int32_t>(RoundHalfEven(v)); }
uint32_t ToUInt32(long double v) { return Saturate<uint32_t>(RoundHalfEven(v)); }
int64_t ToInt64(long double v) { return Saturate<int64_t>(RoundHalfEven(v)); }

int16_t NarrowToInt16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}
int32_t NarrowToInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int16_t MillimetresToPixels(long double mm) { return ToInt16(mm * kMillimetreToPixel); }

std::string NumberText(long double v) {
  if (v == 0) v = 0;  // no "-0"
  return FormatC("%.15LG", v);
}

std::string SingleText(float v) {
  if (v == 0) v = 0;
  return FormatC("%.7G", static_cast<double>(v));
}

std::string SettingsNumberText(long double v) {
  std::string s = NumberText(v);
  return s[0] == '-' ? s : " " + s;
}

std::string FormatWithMask(long double v, std::string_view mask) {
  if (!std::isfinite(v)) return NumberText(v);
  const size_t pointAt = mask.find('.');
  const std::string_view wholeMask = mask.substr(0, pointAt);
  const std::string_view fractionMask =
      pointAt == std::string_view::npos ? std::string_view() : mask.substr(pointAt + 1);

  // The whole part: how many digits are always shown, and whether "," stands between places.
  int minimumDigits = 0;
  bool zeroSeen = false;
  bool grouped = false;
  bool placeBefore = false;
  bool commaPending = false;
  for (char c : wholeMask) {
    if (c == '0' || c == '#') {
      if (c == '0') zeroSeen = true;
      if (zeroSeen) ++minimumDigits;
      if (commaPending) grouped = true;
      placeBefore = true;
    } else if (c == ',' && placeBefore) {
      commaPending = true;
    }
  }
  std::string fractionPlaces;
  for (char c : fractionMask) {
    if (c == '0' || c == '#') fractionPlaces += c;
  }

  const bool negative = std::signbit(v) && v != 0;
  const std::string digits =
      FormatC("%.*Lf", static_cast<int>(fractionPlaces.size()), std::fabs(v));
  const size_t dot = digits.find('.');
  std::string whole = digits.substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : digits.substr(dot + 1);

  size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
  if (whole.size() < static_cast<size_t>(minimumDigits)) {
    whole.insert(0, static_cast<size_t>(minimumDigits) - whole.size(), '0');
  }
  if (grouped) {
    for (size_t at = whole.size(); at > 3; at -= 3) whole.insert(at - 3, 1, ',');
  }
  // "#" places at the end of the decimals drop their zeros.
  size_t keep = fraction.size();
  while (keep > 0 && fractionPlaces[keep - 1] == '#' && fraction[keep - 1] == '0') --keep;
  fraction.resize(keep);

  std::string out = negative ? "-" : "";
  out += whole;
  if (pointAt != std::string_view::npos) out += "." + fraction;
  return out;
}

}  // namespace numbers
