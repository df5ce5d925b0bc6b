// Windows-1252 text: the system keeps every text as 1252 bytes in std::string.
// Conversion to Unicode happens only here, at the edge of the platform layer.
#pragma once
#include <string>
#include <string_view>

namespace text {

// 1252 bytes to UTF-8 / UTF-16. Every byte maps to some character (the five
// unassigned codes 0x81 0x8D 0x8F 0x90 0x9D map to the C1 controls of the same value).
std::string ToUtf8(std::string_view cp1252);
std::u16string ToUtf16(std::string_view cp1252);

// UTF-8 / UTF-16 back to 1252; a character 1252 cannot hold becomes `fallback`.
// Invalid UTF-8 sequences also become `fallback`.
std::string FromUtf8(std::string_view utf8, char fallback = '?');
std::string FromUtf16(std::u16string_view utf16, char fallback = '?');

// Upper- and lower-casing of 1252 text, accented letters included, as the
// Windows upper-casing of ANSI text does (a-z, à-þ except ÷, š œ ž ÿ).
// ß and µ have no single-byte upper case and stay as they are.
std::string Upper(std::string_view cp1252);
std::string Lower(std::string_view cp1252);
char UpperChar(char c);
char LowerChar(char c);

// Leading and trailing blanks (0x20 only) removed.
std::string TrimBlanks(std::string_view s);
// Blanks, tabs, CR and LF removed at both ends.
std::string TrimWhite(std::string_view s);

}  // namespace text
