#include "platform/text/text.h"

namespace text {
namespace {

// Unicode of the bytes 0x80..0x9F; every other byte is its own code point.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) ? kHigh[b - 0x80] : b;
}

// The 1252 byte of a code point; false when 1252 has none.
bool ByteOf(char32_t cp, char& out) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    out = static_cast<char>(cp);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == cp) {
      out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsBlank(char c) { return c == ' '; }
bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

template <typename Pred>
std::string Trim(std::string_view s, Pred pred) {
  size_t b = 0, e = s.size();
  while (b < e && pred(s[b])) ++b;
  while (e > b && pred(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace

std::string ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 4);
  for (char c : cp1252) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::u16string ToUtf16(std::string_view cp1252) {
  std::u16string out;
  out.reserve(cp1252.size());
  for (char c : cp1252) out += static_cast<char16_t>(CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::string FromUtf8(std::string_view utf8, char fallback) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    const unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    int more;
    char32_t cp;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
      more = 1, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      more = 2, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      more = 3, cp = b & 0x07, min = 0x10000;
    } else {
      out += fallback;
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < more; ++k, ++j) {
      if (j >= n || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
    }
    // A broken sequence is one fallback; the byte that broke it starts afresh.
    i = j;
    if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += fallback;
      continue;
    }
    char c;
    out += ByteOf(cp, c) ? c : fallback;
  }
  return out;
}

std::string FromUtf16(std::u16string_view utf16, char fallback) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      ++i;  // a pair is one character, and none of them is in 1252
      out += fallback;
      continue;
    }
    char c;
    out += ByteOf(u, c) ? c : fallback;
  }
  return out;
}

char UpperChar(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
  }
}

char LowerChar(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
  }
}

std::string Upper(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = UpperChar(c);
  return out;
}

std::string Lower(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string TrimBlanks(std::string_view s) { return Trim(s, IsBlank); }
std::string TrimWhite(std::string_view s) { return Trim(s, IsWhite); }

}  // namespace text
