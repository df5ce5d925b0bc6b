#include "objects/maths_keyboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "objects/insert_text.h"
#include "objects/maths_keyboard_dialog.h"
#include "objects/text_properties.h"
#include "page/drawers.h"
#include "page/shared_helpers.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::FireTimer;
using ui::testing::Mouse;
using ui::testing::OnDialog;
using ui::testing::TimerRunning;

constexpr const char* kCaption = "keyboard";
constexpr gfx::Colour kShadow = 0x404040;
constexpr gfx::Colour kMid = 0x808080;

unsigned char ByteOf(const SymbolKey& k) { return static_cast<unsigned char>(k.character[0]); }

TEST(SymbolKeys, EveryByteOfTheFaceHasOneKeyInReadingOrder) {
  InitSymbolKeys(kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin);
  EXPECT_EQ(ByteOf(symbolKeys[0][0]), 33);
  EXPECT_EQ(ByteOf(symbolKeys[17][4]), 126);
  EXPECT_EQ(ByteOf(symbolKeys[18][4]), 161);
  EXPECT_EQ(ByteOf(symbolKeys[16][9]), 254);
  int keys = 0, previous = 32;
  for (int row = 0; row < kSymbolKeyRows; ++row)
    for (int column = 0; column < kSymbolKeyColumns; ++column) {
      const SymbolKey& k = symbolKeys[column][row];
      if (k.character[0] == 0) continue;
      ++keys;
      EXPECT_GT(ByteOf(k), previous);
      previous = ByteOf(k);
      EXPECT_TRUE(previous <= 126 || previous >= 161) << previous;
      EXPECT_EQ(k.character[1], 0);
    }
  EXPECT_EQ(keys, 188);
  // The two places after the last key stay all zero.
  for (int column : {17, 18}) {
    SymbolKey none{};
    EXPECT_EQ(std::memcmp(&symbolKeys[column][9], &none, sizeof none), 0);
  }
  const SymbolKey& k = symbolKeys[9][2];
  EXPECT_EQ(k.left, 361);
  EXPECT_EQ(k.right, 401);
  EXPECT_EQ(k.top, 81);
  EXPECT_EQ(k.bottom, 121);
  EXPECT_EQ(k.column, 9);
  EXPECT_EQ(k.row, 2);
  EXPECT_EQ(k.colour, 0xFFFFFF);
}

TEST(SymbolKeys, APointFindsTheKeyOfItsFortyPixelSquare) {
  InitSymbolKeys(kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin);
  struct Case {
    int x, y;
    int byte;   // 0: no key
  };
  const Case cases[] = {
      {0, 0, 33},    {39, 39, 33},   {40, 0, 34},   // the grid's origin is not taken off
      {759, 0, 51},  {760, 10, 0},   {10, 399, 238}, {10, 400, 0},
      {679, 390, 254}, {680, 390, 0}, {759, 399, 0}, {-1, 5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
    const SymbolKey* key = SymbolKeyAt(c.x, c.y);
    if (c.byte == 0) {
      EXPECT_EQ(key, nullptr);
    } else {
      ASSERT_NE(key, nullptr);
      EXPECT_EQ(ByteOf(*key), c.byte);
    }
  }
}

// The ink of a text colour in a box: the number of separate runs on its lowest row. A Pi
// stands on two legs, a Latin P on one stem.
int FeetOf(const gfx::Surface& s, gfx::Colour ink, int x0, int y0, int x1, int y1) {
  int bottom = -1;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (gfx::Pixel(s, x, y) == ink) bottom = y;
  if (bottom < 0) return 0;
  int runs = 0;
  bool in = false;
  for (int x = x0; x <= x1; ++x) {
    const bool now = gfx::Pixel(s, x, bottom) == ink;
    runs += now && !in;
    in = now;
  }
  return runs;
}

TEST(SymbolKeys, KeysAreDrawnRaisedWithTheirSymbolGlyph) {
  InitSymbolKeys(kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin);
  gfx::Surface* bitmap = gfx::MakeBitmap(kKeyboardBitmapWidth, kKeyboardBitmapHeight);
  ClearGraphicTargetToColour(*bitmap, kKeyboardBackground);
  DrawSymbolKeyboard(*bitmap, kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin, gfx::kBlack);
  // Key "P" (column 9, row 2): the face from (364, 84) to (401, 121).
  const SymbolKey& p = symbolKeys[9][2];
  ASSERT_EQ(p.character[0], 'P');
  const int l = p.left + 3, t = p.top + 3, r = p.right, b = p.bottom;
  EXPECT_EQ(gfx::Pixel(*bitmap, p.left + 1, p.top + 1), kKeyboardBackground);
  EXPECT_EQ(gfx::Pixel(*bitmap, l, t + 20), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(*bitmap, r - 1, t + 20), kMid);
  EXPECT_EQ(gfx::Pixel(*bitmap, r, t + 20), kShadow);
  EXPECT_EQ(gfx::Pixel(*bitmap, l + 2, b - 3), kSymbolKeyFace);
  // The byte "P" is the Greek capital Pi of the Symbol face.
  EXPECT_EQ(gfx::SymbolToUnicode('P'), U'\u03A0');
  EXPECT_EQ(FeetOf(*bitmap, gfx::kBlack, l + 1, t + 1, r - 2, b - 2), 2);
  // The same byte in a plain face stands on one stem, so the probe tells the two apart.
  gfx::Surface* plain = gfx::MakeBitmap(40, 40);
  gfx::SelectFont(*plain, MakeSystemFont("Tahoma", 14, 0));
  gfx::SetForeColour(*plain, gfx::kBlack);
  gfx::MoveTo(*plain, 5, 5);
  gfx::Print(*plain, "P");
  EXPECT_EQ(FeetOf(*plain, gfx::kBlack, 0, 0, 39, 39), 1);

  DrawSymbolKeyPressed(*bitmap, l, t, r, b);
  EXPECT_EQ(gfx::Pixel(*bitmap, l, t + 20), kSymbolKeyFace);
  EXPECT_EQ(gfx::Pixel(*bitmap, r - 1, t + 20), kSymbolKeyFace);
  EXPECT_EQ(gfx::Pixel(*bitmap, r, t + 20), kShadow);
  EXPECT_EQ(ink::CountColour(*bitmap, gfx::kBlack, l, t, r, b), 0);
  gfx::ReleaseBitmap(plain);
  gfx::ReleaseBitmap(bitmap);
}

TEST(SymbolKeys, AStoredMathsCharacterDrawsTheMappedGlyph) {
  gfx::Surface* page = gfx::MakeBitmap(60, 60);
  const gfx::FontKey font = MakeSystemFont("Symbol", 12, 0);
  char text[1024] = "P";
  DrawSymbolTextAtPosition(*page, 10, 10, gfx::kBlack, gfx::kTransparent, text, font);
  EXPECT_EQ(FeetOf(*page, gfx::kBlack, 0, 0, 59, 59), 2);
  gfx::ReleaseBitmap(page);
}

class SymbolKeyboardTest : public dialogtest::DialogTest {
 protected:
  SymbolKeyboardTest() : DialogTest({&insertTextDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    std::strcpy(chosenSymbol, "a");
    symbolKeyboardAccepted = 1;
    textFontSize = 10;
    insertTextDialogOpen = 1;
  }
};

// A point inside the key of a byte, as the keys' control sees it.
struct At {
  int x, y;
};
constexpr At kKeyP{370, 90};   // column 9, row 2
constexpr At kKeyQ{410, 90};   // column 10, row 2

ui::Window Keys(ui::Window w) { return ui::Item(w, kSymbolKeyboardControl); }

int BlackIn(ui::Window w, const SymbolKey& k) {
  return ink::CountColour(ui::ControlSurface(w, kSymbolKeyboardControl), gfx::kBlack, k.left + 4, k.top + 4,
                          k.right - 2, k.bottom - 2);
}

TEST_F(SymbolKeyboardTest, APressAndItsReleaseChooseTheKeysSymbolByte) {
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(textFontSize, 12);
    EXPECT_EQ(symbolKeyboardAccepted, 0);
    const SymbolKey& p = symbolKeys[9][2];
    EXPECT_GT(BlackIn(w, p), 0);
    Mouse(Keys(w), ui::Msg::LeftDown, kKeyP.x, kKeyP.y, ui::kMouseLeft);
    // The key is shown pressed, without its character, for one timer step: the window is
    // not held up meanwhile, and nothing is chosen yet.
    EXPECT_EQ(BlackIn(w, p), 0);
    EXPECT_TRUE(TimerRunning(w, kSymbolKeyboardWaitTimer));
    EXPECT_STREQ(chosenSymbol, "a");
    EXPECT_TRUE(FireTimer(w, kSymbolKeyboardWaitTimer));
    EXPECT_STREQ(chosenSymbol, "P");
    EXPECT_FALSE(TimerRunning(w, kSymbolKeyboardWaitTimer));
    Mouse(Keys(w), ui::Msg::LeftUp, kKeyP.x, kKeyP.y);
    EXPECT_GT(BlackIn(w, p), 0);
    EXPECT_TRUE(FireTimer(w, kSymbolKeyboardWaitTimer));
  });
  EXPECT_EQ(ShowSymbolKeyboard(nullptr), ui::kOk);
  EXPECT_EQ(symbolKeyboardAccepted, 1);
  EXPECT_STREQ(chosenSymbol, "P");
  EXPECT_EQ(textFontSize, 12);
}

TEST_F(SymbolKeyboardTest, PressingOneKeyAndReleasingOnAnotherChoosesThePressedOne) {
  OnDialog(kCaption, [](ui::Window w) {
    const SymbolKey& q = symbolKeys[10][2];
    Mouse(Keys(w), ui::Msg::LeftDown, kKeyP.x, kKeyP.y, ui::kMouseLeft);
    // A release during the press's step waits for the end of that step.
    Mouse(Keys(w), ui::Msg::LeftUp, kKeyQ.x, kKeyQ.y);
    EXPECT_STREQ(chosenSymbol, "a");
    EXPECT_TRUE(FireTimer(w, kSymbolKeyboardWaitTimer));
    EXPECT_STREQ(chosenSymbol, "P");
    EXPECT_GT(BlackIn(w, q), 0);   // the key under the release point, drawn again
    EXPECT_TRUE(FireTimer(w, kSymbolKeyboardWaitTimer));
  });
  ShowSymbolKeyboard(nullptr);
  EXPECT_EQ(symbolKeyboardAccepted, 1);
  EXPECT_STREQ(chosenSymbol, "P");
}

TEST_F(SymbolKeyboardTest, ClosingWithoutChoosingGivesNoCharacter) {
  struct Case {
    const char* name;
    std::function<void(ui::Window)> act;
  };
  const Case cases[] = {
      {"close box", [](ui::Window w) { ui::testing::CloseBox(w); }},
      {"places without a key, then the close box",
       [](ui::Window w) {
         for (At a : {At{700, 380}, At{765, 10}, At{10, 402}}) {
           Mouse(Keys(w), ui::Msg::LeftDown, a.x, a.y, ui::kMouseLeft);
           Mouse(Keys(w), ui::Msg::LeftUp, a.x, a.y);
           EXPECT_FALSE(TimerRunning(w, kSymbolKeyboardWaitTimer));
         }
         ui::testing::CloseBox(w);
       }},
      {"a key pressed, released off the keys, then the close box",
       [](ui::Window w) {
         Mouse(Keys(w), ui::Msg::LeftDown, kKeyP.x, kKeyP.y, ui::kMouseLeft);
         FireTimer(w, kSymbolKeyboardWaitTimer);
         Mouse(Keys(w), ui::Msg::LeftUp, 765, 90);
         EXPECT_FALSE(TimerRunning(w, kSymbolKeyboardWaitTimer));
         ui::testing::CloseBox(w);
       }},
      {"a release with no press in this opening",
       [](ui::Window w) {
         Mouse(Keys(w), ui::Msg::LeftUp, kKeyP.x, kKeyP.y);
         EXPECT_TRUE(FireTimer(w, kSymbolKeyboardWaitTimer));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ui::testing::Begin();
    insertTextDialogOpen = 1;
    symbolKeyboardAccepted = 1;
    OnDialog(kCaption, c.act);
    EXPECT_EQ(ShowSymbolKeyboard(nullptr), ui::kCancel);
    EXPECT_EQ(symbolKeyboardAccepted, 0);
    EXPECT_EQ(insertTextDialogOpen, 0);
    EXPECT_TRUE(ui::testing::Unexpected().empty());
  }
}

}  // namespace
