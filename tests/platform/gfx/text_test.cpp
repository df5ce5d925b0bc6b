// Tests of the gfx unit: fonts, the Symbol encoding and text at the pen.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/gfx.h"
#include "platform/gfx/gfx_qt.h"
#include "platform/text/text.h"
#include "tests/platform/gfx/probe.h"

namespace {

using namespace gfx;
using gfxtest::Bitmap;
using gfxtest::InkBox;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 160, 0);

FontKey Arial(int points, int flags = 0, int escapement = 0) {
  return MakeFont({"Arial", points, flags, 0, 0, escapement});
}

TEST(GfxFonts, TheSameDescriptionGivesTheSameKey) {
  FontKey a = MakeFont({"Arial", 12, kBold, 0, 0, 0});
  EXPECT_GT(a, 0);
  EXPECT_EQ(MakeFont({"Arial", 12, kBold, 0, 0, 0}), a);
  const FontSpec others[] = {
      {"Times New Roman", 12, kBold, 0, 0, 0}, {"Arial", 13, kBold, 0, 0, 0},
      {"Arial", 12, kItalic, 0, 0, 0},         {"Arial", 12, kBold, 2, 0, 0},
      {"Arial", 12, kBold, 0, 1, 0},           {"Arial", 12, kBold, 0, 0, 450},
  };
  for (const FontSpec& other : others) EXPECT_NE(MakeFont(other), a) << other.face << other.points;

  // 0 points is 8 points; only the first 31 characters of the face count.
  EXPECT_EQ(MakeFont({"Arial", 0}), MakeFont({"Arial", 8}));
  std::string longFace(31, 'x');
  FontKey cut = MakeFont({longFace + "abc", 10});
  EXPECT_EQ(MakeFont({longFace + "def", 10}), cut);
  EXPECT_EQ(FontOf(cut).face, longFace);
  EXPECT_EQ(FontOf(a), (FontSpec{"Arial", 12, kBold, 0, 0, 0}));
}

TEST(GfxFonts, UnknownKeysGiveTheDefaultFont) {
  Bitmap b(10, 10);
  SelectFont(*b, 987654);
  EXPECT_EQ(SelectedFont(*b), 0);
  EXPECT_GT(TextHeight(*b), 8);
  EXPECT_EQ(FontOf(987654).points, 8);
  FontKey key = Arial(10);
  SelectFont(*b, key);
  EXPECT_EQ(SelectedFont(*b), key);
}

TEST(GfxFonts, PointsBecomePixelsOfTheCharacterHeight) {
  struct Case {
    int points, pixels;
  };
  for (Case c : {Case{12, 16}, {9, 12}, {10, 13}, {11, 15}, {8, 11}, {0, 11}, {36, 48}})
    EXPECT_EQ(QtFont(Arial(c.points)).pixelSize(), c.pixels) << c.points;
}

TEST(GfxFonts, LeadingMakesTheSizeTheWholeCell) {
  Bitmap b(10, 10);
  SelectFont(*b, Arial(20));
  int plainCell = TextHeight(*b);
  SelectFont(*b, Arial(20, kLeading));
  int leadingCell = TextHeight(*b);
  EXPECT_LE(leadingCell, 27);   // 20 points are 27 pixels
  EXPECT_GE(leadingCell, 22);
  EXPECT_GT(plainCell, leadingCell);
  EXPECT_LT(QtFont(Arial(20, kLeading)).pixelSize(), QtFont(Arial(20)).pixelSize());

  // The glyphs themselves are smaller.
  auto inkHeight = [](FontKey key) {
    Bitmap t(100, 60);
    SelectFont(*t, key);
    Print(*t, "H");
    gfxtest::Box box = InkBox(*t, kBlack);
    return box.bottom - box.top + 1;
  };
  EXPECT_LT(inkHeight(Arial(20, kLeading)), inkHeight(Arial(20)));
}

TEST(GfxFonts, StyleBitsAndFaces) {
  QFont all = QtFont(Arial(10, kBold | kItalic | kUnderline | kStrikeOut));
  EXPECT_EQ(all.weight(), 700);
  EXPECT_TRUE(all.italic());
  EXPECT_TRUE(all.underline());
  EXPECT_TRUE(all.strikeOut());
  QFont plain = QtFont(Arial(10));
  EXPECT_EQ(plain.weight(), 400);
  EXPECT_FALSE(plain.italic() || plain.underline() || plain.strikeOut());

  struct Case {
    const char* face;
    const char* family;
  };
  for (Case c : {Case{"MS Sans Serif", "Liberation Sans"}, {"tahoma", "Liberation Sans"},
                 {"Arial", "Liberation Sans"}, {"Verdana", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"}})
    EXPECT_EQ(QFontInfo(QtFont(MakeFont({c.face, 10}))).family().toStdString(), c.family) << c.face;
}

TEST(GfxText, PrintPutsTheCellTopLeftAtThePenAndMovesOneLineDown) {
  Bitmap b(300, 120);
  SelectFont(*b, Arial(14));
  SetBackColour(*b, kTransparent);
  MoveTo(*b, 20, 30);
  Print(*b, "Hola Mundo");
  gfxtest::Box ink = InkBox(*b, kBlack);
  ASSERT_FALSE(ink.Empty());
  int width = TextWidth(*b, "Hola Mundo");
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.left, 23);
  EXPECT_LE(ink.right, 20 + width);
  EXPECT_GE(ink.right, 20 + width - 4);
  EXPECT_GE(ink.top, 30);             // the pen is the top of the cell, not the baseline
  EXPECT_LE(ink.top, 30 + TextHeight(*b) / 3);
  EXPECT_LT(ink.bottom, 30 + TextHeight(*b));
  EXPECT_EQ(PenX(*b), 0);
  EXPECT_EQ(PenY(*b), 30 + LineHeight(*b));
  EXPECT_GE(LineHeight(*b), TextHeight(*b));

  Print(*b, "");   // an empty line only moves the pen
  EXPECT_EQ(PenY(*b), 30 + 2 * LineHeight(*b));
}

TEST(GfxText, ForeColourAndOpaqueOrTransparentBackground) {
  Bitmap b(200, 60);
  Clear(*b, kGreen);
  SelectFont(*b, Arial(12));
  SetForeColour(*b, kRed);
  SetBackColour(*b, kWhite);
  MoveTo(*b, 10, 10);
  Print(*b, "Caja");
  int width = TextWidth(*b, "Caja"), cell = TextHeight(*b);
  gfxtest::Box white = InkBox(*b, kWhite);
  EXPECT_EQ(white.left, 10);
  EXPECT_EQ(white.top, 10);
  EXPECT_EQ(white.right, 10 + width - 1);
  EXPECT_EQ(white.bottom, 10 + cell - 1);
  EXPECT_EQ(white.count + InkBox(*b, kRed).count, width * cell);   // the cell holds nothing else
  gfxtest::Box red = InkBox(*b, kRed);
  EXPECT_GT(red.count, 20);

  Bitmap t(200, 60);
  Clear(*t, kGreen);
  SelectFont(*t, Arial(12));
  SetForeColour(*t, kRed);
  SetBackColour(*t, kTransparent);
  MoveTo(*t, 10, 10);
  Print(*t, "Caja");
  EXPECT_TRUE(InkBox(*t, kWhite).Empty());
  EXPECT_EQ(InkBox(*t, kRed).count, red.count);
}

TEST(GfxText, WidthsAddUpAndFitCountFollowsThem) {
  Bitmap b(10, 10);
  SelectFont(*b, Arial(12));
  std::string text = "abc def ghi";
  EXPECT_EQ(TextWidth(*b, ""), 0);
  EXPECT_EQ(TextWidth(*b, "abc") + TextWidth(*b, " def ghi"), TextWidth(*b, text));
  EXPECT_EQ(FitCount(*b, text, TextWidth(*b, "abc")), 3);
  EXPECT_EQ(FitCount(*b, text, TextWidth(*b, "abc") - 1), 2);
  EXPECT_EQ(FitCount(*b, text, TextWidth(*b, text)), 11);
  EXPECT_EQ(FitCount(*b, text, 100000), 11);
  EXPECT_EQ(FitCount(*b, text, 0), 0);
  EXPECT_EQ(FitCount(*b, text, -4), 0);
  EXPECT_EQ(FitCount(*b, "", 50), 0);
  for (size_t n = 0; n <= text.size(); ++n)
    EXPECT_GE(FitCount(*b, text, TextWidth(*b, text.substr(0, n))), static_cast<int>(n)) << n;
  EXPECT_GT(AverageCharWidth(*b), 2);
  EXPECT_LT(AverageCharWidth(*b), TextHeight(*b));
}

TEST(GfxText, JustificationSpreadsExtraPixelsOverTheBlanks) {
  Bitmap b(300, 60);
  SelectFont(*b, Arial(12));
  int plain = TextWidth(*b, "a b c");
  int one = TextWidth(*b, "a b");
  SetTextJustification(*b, 5, 2);   // the first blank gets 3, the second 2
  EXPECT_EQ(TextWidth(*b, "a b"), one + 3);
  EXPECT_EQ(TextWidth(*b, "a b c"), plain + 5);
  EXPECT_EQ(FitCount(*b, "a b c", plain + 4), 4);
  EXPECT_EQ(FitCount(*b, "a b c", plain + 5), 5);

  // Printed wider, and the setting stays for the next line until it is reset.
  Bitmap wide(300, 60), narrow(300, 60);
  SelectFont(*wide, Arial(12));
  SelectFont(*narrow, Arial(12));
  SetTextJustification(*wide, 40, 2);
  Print(*wide, "a b c");
  EXPECT_EQ(TextWidth(*wide, "a b c"), plain + 40);
  SetTextJustification(*wide, 0, 0);
  EXPECT_EQ(TextWidth(*wide, "a b c"), plain);
  Print(*narrow, "a b c");
  EXPECT_EQ(InkBox(*wide, kBlack).left, InkBox(*narrow, kBlack).left);
  EXPECT_EQ(InkBox(*wide, kBlack).right - InkBox(*narrow, kBlack).right, 40);

  // A text without blanks has nothing to spread over.
  int solid = TextWidth(*b, "abc");
  SetTextJustification(*b, 40, 2);
  EXPECT_EQ(TextWidth(*b, "abc"), solid);
}

TEST(GfxText, EscapementTurnsTheLineAboutThePen) {
  Bitmap b(200, 200);
  SelectFont(*b, Arial(14, 0, 900));
  SetBackColour(*b, kTransparent);
  MoveTo(*b, 50, 150);
  Print(*b, "HHHHHH");
  int width = TextWidth(*b, "HHHHHH"), cell = TextHeight(*b);
  gfxtest::Box ink = InkBox(*b, kBlack);
  ASSERT_FALSE(ink.Empty());
  // Turned a quarter counter-clockwise: the line runs upwards from the pen and the cell
  // lies to its right.
  EXPECT_LE(ink.bottom, 151);
  EXPECT_LE(ink.top, 150 - width / 2);
  EXPECT_GE(ink.top, 150 - width - 1);
  EXPECT_GE(ink.left, 49);
  EXPECT_LE(ink.right, 50 + cell);
  EXPECT_EQ(PenX(*b), 0);   // the pen still goes one line down
}

TEST(GfxText, AnyEscapementTurnsModuloAFullTurn) {
  // The lowest escapement a file can give is -848 tenths of a degree past whole turns.
  auto inkOf = [](int escapement) {
    Bitmap b(200, 200);
    SelectFont(*b, Arial(14, 0, escapement));
    SetBackColour(*b, kTransparent);
    MoveTo(*b, 100, 100);
    Print(*b, "HHHHHH");
    return InkBox(*b, kBlack);
  };
  const gfxtest::Box lowest = inkOf(INT32_MIN), same = inkOf(-848), highest = inkOf(INT32_MAX);
  ASSERT_FALSE(lowest.Empty());
  EXPECT_NEAR(lowest.left, same.left, 1);
  EXPECT_NEAR(lowest.top, same.top, 1);
  EXPECT_NEAR(lowest.right, same.right, 1);
  EXPECT_NEAR(lowest.bottom, same.bottom, 1);
  EXPECT_FALSE(highest.Empty());
}

TEST(GfxSymbol, TheEncodingMapsToGreekAndMathematicalCharacters) {
  struct Case {
    unsigned char byte;
    char32_t unicode;
  };
  const Case cases[] = {
      {0x61, U'\u03B1'}, {0x62, U'\u03B2'}, {0x70, U'\u03C0'}, {0x53, U'\u03A3'}, {0x57, U'\u03A9'},
      {0x44, U'\u0394'}, {0x6D, U'\u03BC'}, {0xA5, U'\u221E'}, {0xD6, U'\u221A'}, {0xB1, U'\u00B1'},
      {0xB9, U'\u2260'}, {0xA3, U'\u2264'}, {0xB3, U'\u2265'}, {0xF2, U'\u222B'}, {0xE5, U'\u2211'},
      {0xD5, U'\u220F'}, {0xB6, U'\u2202'}, {0xD1, U'\u2207'}, {0xC6, U'\u2205'}, {0xCE, U'\u2208'},
      {0xC7, U'\u2229'}, {0xC8, U'\u222A'}, {0x22, U'\u2200'}, {0x24, U'\u2203'}, {0x2D, U'\u2212'},
      {0xAE, U'\u2192'}, {0xDE, U'\u21D2'}, {0xB4, U'\u00D7'}, {0xB8, U'\u00F7'}, {0xBB, U'\u2248'},
      {0x31, U'1'},      {0x2B, U'+'},      {0x28, U'('},      {0x20, U' '},
  };
  for (const Case& c : cases) EXPECT_EQ(SymbolToUnicode(c.byte), c.unicode) << int(c.byte);
  // Every letter maps to Greek.
  for (unsigned char letter = 'a'; letter <= 'z'; ++letter) {
    if (letter == 'j' || letter == 'v') continue;   // the variant forms phi1 and omega1
    EXPECT_GE(SymbolToUnicode(letter), U'\u03B1') << letter;
    EXPECT_LE(SymbolToUnicode(letter), U'\u03C9') << letter;
  }
  EXPECT_EQ(QtText(MakeFont({"symbol", 12}), "abp").toStdU32String(), U"\u03B1\u03B2\u03C0");
  EXPECT_EQ(QtText(Arial(12), "abp").toStdString(), "abp");
}

TEST(GfxSymbol, SymbolTextDrawsOtherGlyphsThanTheSameBytesInArial) {
  auto draw = [](FontKey key, const char* text) {
    auto b = std::make_unique<Bitmap>(60, 60);
    SelectFont(**b, key);
    MoveTo(**b, 10, 10);
    Print(**b, text);
    return b;
  };
  auto symbol = draw(MakeFont({"Symbol", 24}), "a");
  auto arial = draw(Arial(24), "a");
  EXPECT_GT(InkBox(**symbol, kBlack).count, 10);
  EXPECT_GT(gfxtest::Differences(**symbol, **arial), 20);

  // Measuring uses the mapped characters too.
  Bitmap m(10, 10);
  FontKey symbolFont = MakeFont({"Symbol", 24});
  SelectFont(*m, symbolFont);
  EXPECT_EQ(TextWidth(*m, "p"), QFontMetrics(QtFont(symbolFont)).horizontalAdvance(QChar(0x03C0)));
  EXPECT_EQ(FitCount(*m, "ppp", TextWidth(*m, "pp")), 2);
}

}  // namespace

namespace {

TEST(GfxFonts, InstalledFacesHoldTheMachinesFamiliesAndTheFacesStoodInFor) {
  std::vector<std::string> faces = gfx::InstalledFaces();
  auto has = [&](const std::string& face) { return std::find(faces.begin(), faces.end(), face) != faces.end(); };
  for (const char* face : {"Arial", "MS Sans Serif", "Symbol", "Times New Roman", "Liberation Sans", "DejaVu Sans"})
    EXPECT_TRUE(has(face)) << face;
  for (size_t i = 1; i < faces.size(); ++i) {
    SCOPED_TRACE(faces[i]);
    EXPECT_LT(text::Lower(faces[i - 1]), text::Lower(faces[i]));   // sorted, each once
  }
  for (const std::string& face : faces) {
    EXPECT_FALSE(face.empty());
    EXPECT_LE(face.size(), 31u) << face;
    EXPECT_EQ(text::FromUtf8(text::ToUtf8(face)), face);
  }
  EXPECT_EQ(gfx::FaceCharset("Symbol"), 2);
  EXPECT_EQ(gfx::FaceCharset("symbol"), 2);
  EXPECT_EQ(gfx::FaceCharset("Arial"), 0);
  EXPECT_EQ(gfx::FaceCharset(""), 0);
}

}  // namespace
