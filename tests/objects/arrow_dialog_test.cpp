#include "objects/arrow_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/colours.h"
#include "page/drawers.h"
#include "page/painter.h"
#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::AnswerColour;
using ui::testing::ChooseListItem;
using ui::testing::Click;
using ui::testing::OnDialog;
using ui::testing::TypeText;

using dialogtest::kMixedSizes;
using dialogtest::kNoSize;
using dialogtest::kSizeTooLarge;

constexpr const char* kCaption = "Insertar flechas";

using namespace arrow_ids;

constexpr gfx::Colour kRed = 0x0000FF;

const gfx::Surface& Preview(ui::Window w) { return ui::ControlSurface(w, kPreview); }

bool Inked(ui::Window w, int x, int y) { return gfx::Pixel(Preview(w), x, y) != gfx::kWhite; }

class ArrowDialogTest : public dialogtest::DialogTest {
 protected:
  ArrowDialogTest() : DialogTest({&arrowDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    currentArrowDirection = kArrowUp;
    currentArrowLength = 100;
    currentArrowHeadSize = 10;
    currentArrowColour = kRed;
    currentArrowLineWidth = 1;
    currentArrowClosedHead = 0;
    currentArrowHeads = 1;
    arrowDialogAccepted = 0;
    pickedColour = -1;
    arrowDialogOpen = 1;
  }
};

// Where the shaft of each direction runs, one step at a time.
struct Step {
  int dx, dy;
};
constexpr Step kSteps[8] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};

TEST_F(ArrowDialogTest, ThePreviewPointsEachDirectionFromTheCentre) {
  OnDialog(kCaption, [](ui::Window w) {
    ASSERT_EQ(ui::ListCount(w, kDirectionCombo), 8);
    EXPECT_EQ(ui::ListText(w, kDirectionCombo, 0), "1 - 0\xBA   Inclinacion Flecha");
    EXPECT_EQ(ui::ListText(w, kDirectionCombo, 2), "3 - 90\xBA  Inclinacion Flecha");
    EXPECT_EQ(ui::ListText(w, kDirectionCombo, 7), "8 - 315\xBA Inclinacion Flecha");
    for (int d = 1; d <= 8; ++d) {
      SCOPED_TRACE(d);
      ChooseListItem(w, kDirectionCombo, d - 1);
      EXPECT_EQ(currentArrowDirection, d);
      const Step s = kSteps[d - 1];
      const int tx = 150 + 100 * s.dx, ty = 150 + 100 * s.dy;
      EXPECT_EQ(gfx::Pixel(Preview(w), 150, 150), kRed);
      EXPECT_EQ(gfx::Pixel(Preview(w), 150 + 50 * s.dx, 150 + 50 * s.dy), kRed);
      EXPECT_EQ(gfx::Pixel(Preview(w), tx, ty), kRed);
      // Nothing runs the other way, nor beyond the tip.
      EXPECT_FALSE(Inked(w, 150 - 50 * s.dx, 150 - 50 * s.dy));
      EXPECT_FALSE(Inked(w, tx + 5 * s.dx, ty + 5 * s.dy));
      // The head's legs end 10 back along the shaft: either side of it on a straight
      // arrow, along each axis on a diagonal one.
      if (s.dx == 0 || s.dy == 0) {
        const int bx = tx - 10 * s.dx, by = ty - 10 * s.dy;
        EXPECT_TRUE(Inked(w, bx + 10 * s.dy, by + 10 * s.dx));
        EXPECT_TRUE(Inked(w, bx - 10 * s.dy, by - 10 * s.dx));
      } else {
        EXPECT_TRUE(Inked(w, tx - 10 * s.dx, ty));
        EXPECT_TRUE(Inked(w, tx, ty - 10 * s.dy));
      }
    }
    Click(w, kCancelar);
  });
  ShowArrowDialog(nullptr);
}

TEST_F(ArrowDialogTest, HeadsClosingAndSizeFollowTheControls) {
  currentArrowDirection = kArrowRight;
  currentArrowHeads = 3;   // only from a document: one head, and no combo line for it
  OnDialog(kCaption, [](ui::Window w) {
    // Far head at (250, 150), legs to (240, 140) and (240, 160); back head at the centre.
    EXPECT_EQ(ui::ListSelection(w, kHeadsCombo), -1);
    EXPECT_TRUE(Inked(w, 240, 140));
    EXPECT_TRUE(Inked(w, 240, 160));
    EXPECT_FALSE(Inked(w, 160, 140));
    ChooseListItem(w, kHeadsCombo, 0);
    EXPECT_EQ(currentArrowHeads, 0);
    Click(w, kClosed);
    EXPECT_EQ(currentArrowClosedHead, 1);
    EXPECT_TRUE(Inked(w, 200, 150));
    EXPECT_FALSE(Inked(w, 240, 140));
    EXPECT_FALSE(Inked(w, 240, 155));

    ChooseListItem(w, kHeadsCombo, 2);
    EXPECT_EQ(currentArrowHeads, 2);
    EXPECT_TRUE(Inked(w, 240, 140));
    EXPECT_TRUE(Inked(w, 240, 155));   // the closing line
    EXPECT_TRUE(Inked(w, 160, 140));   // the back head points away from the tip
    EXPECT_TRUE(Inked(w, 160, 145));
    EXPECT_FALSE(Inked(w, 140, 140));

    // The head follows its fields as they are typed; the length keeps 100.
    TypeText(w, kHeadPx, "30");
    EXPECT_EQ(currentArrowHeadSize, 30);
    EXPECT_TRUE(Inked(w, 220, 120));
    TypeText(w, kHeadPx, "");
    TypeText(w, kHeadMm, "3");
    EXPECT_EQ(currentArrowHeadSize, 11);
    TypeText(w, kLengthPx, "20");
    EXPECT_TRUE(Inked(w, 230, 150));
    TypeText(w, kHeadMm, "99999999");
    EXPECT_EQ(currentArrowHeadSize, 32767);

    ChooseListItem(w, kWidthCombo, 29);
    EXPECT_EQ(currentArrowLineWidth, 30);
    EXPECT_EQ(ui::ListText(w, kWidthCombo, 29), "30 - Grosor lineas flecha");
    EXPECT_TRUE(Inked(w, 200, 140));
    Click(w, kCancelar);
  });
  ShowArrowDialog(nullptr);
  // "Cancelar" leaves what was changed.
  EXPECT_EQ(arrowDialogAccepted, 0);
  EXPECT_EQ(currentArrowLineWidth, 30);
  EXPECT_EQ(currentArrowLength, 100);
}

TEST_F(ArrowDialogTest, OpensWithTheSettingsAndTakesItsColour) {
  currentArrowDirection = 6;
  currentArrowHeads = 2;
  currentArrowLineWidth = 4;
  currentArrowClosedHead = 1;
  currentArrowHeadSize = 12;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kHeadPx), "12");
    EXPECT_EQ(ui::Text(w, kLengthPx), "");
    EXPECT_EQ(ui::Text(w, kHeadMm), "");
    EXPECT_EQ(ui::Text(w, kDirectionCombo), "6 - 225\xBA Inclinacion Flecha");
    EXPECT_EQ(ui::Text(w, kHeadsCombo), "2 - Cabezas en la flecha");
    EXPECT_EQ(ui::Text(w, kWidthCombo), "04 - Grosor lineas flecha");
    EXPECT_TRUE(ui::Checked(w, kClosed));
    AnswerColour(0x00FF00);
    Click(w, kColourChooser);
    EXPECT_EQ(currentArrowColour, 0x00FF00);
    EXPECT_EQ(gfx::Pixel(Preview(w), 100, 200), 0x00FF00);
    pickedColour = 0xFF0000;
    Click(w, kColourSwatch);
    EXPECT_EQ(currentArrowColour, 0xFF0000);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kColourSwatch), 4, 4), 0xFF0000);
    ui::testing::CloseBox(w);
  });
  ShowArrowDialog(nullptr);
  EXPECT_EQ(arrowDialogAccepted, 0);
}

TEST_F(ArrowDialogTest, LengthAndHeadAreReadInOneUnitWithinSixteenBits) {
  struct Case {
    const char* lengthPx;
    const char* headPx;
    const char* lengthMm;
    const char* headMm;
    std::vector<const char*> messages;
    bool accepted;
    int16_t length, head;
  };
  // The head in pixels opens filled with 10: a length in pixels alone is enough. The head
  // follows its fields as they are typed, refused or not.
  const Case cases[] = {
      {"80", nullptr, "", "", {}, true, 80, 10},
      {"", "", "20", "3", {}, true, 76, 11},
      {"", nullptr, "20", "3", {kMixedSizes}, false, 76, 11},
      {"", "", "", "", {kNoSize}, false, 100, 0},
      {"40000", "10", "", "", {kSizeTooLarge}, false, 100, 10},
      {"", "", "9000", "3", {kSizeTooLarge}, false, 100, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lengthPx) + " / " + (c.headPx ? c.headPx : "10") + " px, " + c.lengthMm + " / " +
                 c.headMm + " mm");
    ui::testing::Begin();
    arrowDialogOpen = 1;
    currentArrowLength = 100;
    currentArrowHeadSize = 10;
    OnDialog(kCaption, [&](ui::Window w) {
      TypeText(w, kLengthPx, c.lengthPx);
      if (c.headPx) TypeText(w, kHeadPx, c.headPx);
      TypeText(w, kLengthMm, c.lengthMm);
      TypeText(w, kHeadMm, c.headMm);
      Click(w, kAceptar);
    });
    // A refused size leaves the dialog open, which the test driver then ends with -1.
    EXPECT_EQ(ShowArrowDialog(nullptr), c.accepted ? ui::kOk : -1);
    EXPECT_EQ(ui::testing::Unexpected().size(), c.accepted ? 0u : 1u);
    EXPECT_EQ(arrowDialogAccepted, c.accepted ? 1 : 0);
    EXPECT_EQ(currentArrowLength, c.length);
    EXPECT_EQ(currentArrowHeadSize, c.head);
    ASSERT_NO_FATAL_FAILURE(dialogtest::ExpectMessages(c.messages));
  }
  ui::testing::Begin();
}

TEST(ArrowDrawer, SettingsTravelThroughTheObjectAndWidthsAreBounded) {
  currentArrowDirection = kArrowDownLeft;
  currentArrowLength = 76;
  currentArrowHeadSize = 11;
  currentArrowColour = gfx::Rgb(255, 255, 0);
  currentArrowLineWidth = 4;
  currentArrowClosedHead = 1;
  currentArrowHeads = 2;
  PageObject o{};
  StoreArrowSettings(o);
  EXPECT_EQ(o.width, 10);
  EXPECT_EQ(o.height, 10);
  EXPECT_EQ(o.arrowDirection, kArrowDownLeft);
  EXPECT_EQ(o.arrowLength, 76);
  EXPECT_EQ(o.arrowHeadSize, 11);
  EXPECT_EQ(o.arrowColor, gfx::Rgb(255, 255, 0));
  EXPECT_EQ(o.arrowLineWidth, 4);
  EXPECT_EQ(o.arrowClosedHead, 1);
  EXPECT_EQ(o.arrowHeads, 2);

  currentArrowDirection = 1;
  currentArrowLength = 1;
  currentArrowHeads = 0;
  LoadArrowSettings(o);
  EXPECT_EQ(currentArrowDirection, kArrowDownLeft);
  EXPECT_EQ(currentArrowLength, 76);
  EXPECT_EQ(currentArrowHeadSize, 11);
  EXPECT_EQ(currentArrowColour, gfx::Rgb(255, 255, 0));
  EXPECT_EQ(currentArrowLineWidth, 4);
  EXPECT_EQ(currentArrowClosedHead, 1);
  EXPECT_EQ(currentArrowHeads, 2);

  o.arrowLineWidth = 32000;
  LoadArrowSettings(o);
  EXPECT_EQ(currentArrowLineWidth, 30);
  o.arrowLineWidth = 0;
  LoadArrowSettings(o);
  EXPECT_EQ(currentArrowLineWidth, 1);
}

}  // namespace
