// Tests of the text unit.
#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string AllBytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

TEST(Text, EveryByteRoundTripsThroughUtf8AndUtf16) {
  const std::string all = AllBytes();
  EXPECT_EQ(text::FromUtf8(text::ToUtf8(all)), all);
  EXPECT_EQ(text::FromUtf16(text::ToUtf16(all)), all);
  EXPECT_EQ(text::ToUtf16(all).size(), 256u);
}

TEST(Text, BytesMapToTheirCharacters) {
  struct Case {
    unsigned char byte;
    char16_t unicode;
    const char* utf8;
  };
  const Case cases[] = {
      {'A', u'A', "A"},
      {0x00, 0x0000, ""},
      {0x80, 0x20AC, "\xE2\x82\xAC"},  // euro
      {0x81, 0x0081, "\xC2\x81"},      // unassigned: the C1 control
      {0x8A, 0x0160, "\xC5\xA0"},      // S caron
      {0x8D, 0x008D, "\xC2\x8D"},
      {0x8F, 0x008F, "\xC2\x8F"},
      {0x90, 0x0090, "\xC2\x90"},
      {0x92, 0x2019, "\xE2\x80\x99"},  // right single quote
      {0x99, 0x2122, "\xE2\x84\xA2"},  // trade mark
      {0x9D, 0x009D, "\xC2\x9D"},
      {0x9F, 0x0178, "\xC5\xB8"},      // Y diaeresis
      {0xA0, 0x00A0, "\xC2\xA0"},
      {0xD1, 0x00D1, "\xC3\x91"},      // N tilde
      {0xFF, 0x00FF, "\xC3\xBF"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(text::ToUtf16(byte), std::u16string(1, c.unicode));
    if (c.byte != 0) {
      EXPECT_EQ(text::ToUtf8(byte), c.utf8);
    }
  }
  EXPECT_EQ(text::ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Text, CharactersOutside1252BecomeTheFallback) {
  struct Case {
    const char* utf8;
    const char* expected;
  };
  const Case cases[] = {
      {"Espa\xC3\xB1" "a", "Espa\xF1" "a"},
      {"\xE2\x82\xAC" "5", "\x80" "5"},
      {"\xCE\xB1", "?"},                  // Greek alpha
      {"\xF0\x9F\x98\x80x", "?x"},        // outside the basic plane
      {"a\xFF" "b", "a?b"},               // a byte that starts nothing
      {"a\x80" "b", "a?b"},               // a lone continuation byte
      {"a\xC3", "a?"},                    // cut short at the end
      {"\xC3" "A", "?A"},                 // cut short by a plain character
      {"\xC0\xAF", "??"},                 // overlong form
      {"\xED\xA0\x80", "?"},              // an encoded surrogate
      {"\xF4\x90\x80\x80", "?"},          // past the last code point
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(text::FromUtf8(c.utf8), c.expected);
  }
  EXPECT_EQ(text::FromUtf8("\xCE\xB1", '_'), "_");

  EXPECT_EQ(text::FromUtf16(u"\u0160\u03B1"), "\x8A?");
  EXPECT_EQ(text::FromUtf16(u"\U0001F600", '#'), "#");               // one pair, one fallback
  EXPECT_EQ(text::FromUtf16(std::u16string(1, char16_t(0xD800)) + u"a"), "?a");  // lone half
}

TEST(Text, CasingFollowsTheAnsiTable) {
  struct Case {
    unsigned char lower;
    unsigned char upper;
  };
  const Case pairs[] = {{'a', 'A'}, {'z', 'Z'}, {0xE0, 0xC0}, {0xF1, 0xD1}, {0xFE, 0xDE},
                        {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
  for (const Case& c : pairs) {
    SCOPED_TRACE(static_cast<int>(c.lower));
    EXPECT_EQ(text::UpperChar(static_cast<char>(c.lower)), static_cast<char>(c.upper));
    EXPECT_EQ(text::LowerChar(static_cast<char>(c.upper)), static_cast<char>(c.lower));
  }
  // No single-byte partner, or no letter at all.
  for (int same : {0xDF, 0xB5, 0xF7, 0xD7, int{'1'}, int{'['}, 0x83, 0xAA}) {
    SCOPED_TRACE(same);
    EXPECT_EQ(text::UpperChar(static_cast<char>(same)), static_cast<char>(same));
    EXPECT_EQ(text::LowerChar(static_cast<char>(same)), static_cast<char>(same));
  }
  EXPECT_EQ(text::Upper("Formato Papel \xF1\xE1\xFF"), "FORMATO PAPEL \xD1\xC1\x9F");
  EXPECT_EQ(text::Lower("M\xC1RGENES \x8C"), "m\xE1rgenes \x9C");

  // Upper then Lower returns every letter that has a partner, and nothing else changes.
  const std::string all = AllBytes();
  const std::string up = text::Upper(all);
  int changed = 0;
  for (int b = 0; b < 256; ++b) {
    if (up[b] != all[b]) ++changed;
    EXPECT_EQ(text::UpperChar(text::LowerChar(up[b])), up[b]);
  }
  EXPECT_EQ(changed, 26 + 30 + 4);
}

TEST(Text, TrimmingRemovesOnlyItsOwnCharacters) {
  struct Case {
    const char* in;
    const char* blanks;
    const char* white;
  };
  const Case cases[] = {
      {"  a b  ", "a b", "a b"},
      {"\t a \r\n", "\t a \r\n", "a"},
      {" \ta\t ", "\ta\t", "a"},
      {"", "", ""},
      {"   ", "", ""},
      {" \r\n ", "\r\n", ""},
      {"x", "x", "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(text::TrimBlanks(c.in), c.blanks);
    EXPECT_EQ(text::TrimWhite(c.in), c.white);
  }
}

}  // namespace
