#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "objects/colours.h"
#include "shell/canvas.h"
#include "shell/page_store.h"
#include "shell/painter.h"
#include "shell/startup.h"
#include "platform/files/files.h"
#include "tests/shell/run_program.h"

namespace {

PageObject& AddBox(int x, int y, int w, int h) {
  ++objectCount;
  PageObject& o = pageObjects[objectCount];
  o = PageObject{};
  o.kind = kSquareOrCircle;
  o.x = x;
  o.y = y;
  o.width = w;
  o.height = h;
  o.backColor = 0x0000FF;
  o.borderColor = 0;
  o.shapeType = 7001;
  o.lineWidth = 1;
  return o;
}

TEST(Canvas, KeysScrollWithinHalfAPage) {
  struct Case { int32_t from; intptr_t key; int32_t to; };
  const Case cases[] = {
      {0, ui::kKeyDown, -1},       {-561, ui::kKeyDown, -561}, {-1, ui::kKeyUp, 0},
      {0, ui::kKeyUp, 0},          {-500, ui::kKeyPageDown, -561}, {-100, ui::kKeyPageDown, -200},
      {-40, ui::kKeyPageUp, 0},    {-300, ui::kKeyPageUp, -200}, {-5, ui::kKeyEnd, -561},
      {-300, ui::kKeyHome, 0},     {-300, 'A', -300},
  };
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    for (const Case& c : cases) {
      scrollOffset() = c.from;
      ui::testing::Key(canvas, c.key);
      EXPECT_EQ(scrollOffset(), c.to) << "from " << c.from << " key " << c.key;
    }
  });
}

TEST(Canvas, TheWheelScrollsFifteenPixelsANotchWithinBounds) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    scrollOffset() = -550;
    ui::testing::Wheel(canvas, -120);
    EXPECT_EQ(scrollOffset(), -561);
    ui::testing::Wheel(canvas, -120);
    EXPECT_EQ(scrollOffset(), -561);
    ui::testing::Wheel(canvas, 120);
    EXPECT_EQ(scrollOffset(), -546);
    scrollOffset() = -10;
    ui::testing::Wheel(canvas, 120);
    EXPECT_EQ(scrollOffset(), 0);
  });
}

TEST(Canvas, ScrollingMovesThePageOnTheControl) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    AddBox(100, 600, 50, 50);
    RepaintCanvas(1);
    gfx::Surface& shown = ui::ControlSurface(mainDialog, kCanvasId);
    EXPECT_EQ(gfx::Pixel(shown, 125, 625), 0x0000FF);
    ui::testing::Key(canvas, ui::kKeyPageDown);
    EXPECT_EQ(gfx::Pixel(shown, 125, 525), 0x0000FF);
    EXPECT_NE(gfx::Pixel(shown, 125, 645), 0x0000FF);
  });
}

TEST(Canvas, HitTestTakesTheHighestSlotWithEdgesIncluded) {
  objectCount = 1;
  AddBox(10, 10, 100, 100);
  AddBox(50, 50, 100, 100);
  pageObjects[objectCount + 1] = pageObjects[2];   // beyond objectCount: dropped by undo
  EXPECT_EQ(HitTest(20, 20, 0), 2);
  EXPECT_EQ(HitTest(60, 60, 0), 3);
  EXPECT_EQ(HitTest(110, 110, 0), 3);
  EXPECT_EQ(HitTest(150, 150, 0), 3) << "right and bottom edges hit";
  EXPECT_EQ(HitTest(151, 151, 0), 0);
  EXPECT_EQ(HitTest(5, 5, 7), 7) << "a miss keeps the selection";
  pageObjects[3].kind = 0;
  EXPECT_EQ(HitTest(120, 120, 0), 0) << "an empty slot is never hit";
}

TEST(Canvas, ADragMovesTheObjectByTheMouseDelta) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    scrollOffset() = -100;
    PageObject& o = AddBox(200, 300, 40, 40);
    leftMouseMode = kLeftMove;
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 210, 210);   // page point (210, 310)
    EXPECT_EQ(o.dragging, 1);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 230, 180, ui::kMouseLeft);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 235, 190, ui::kMouseLeft);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 235, 190);
    EXPECT_EQ(o.x, 225);
    EXPECT_EQ(o.y, 280);
    EXPECT_EQ(o.dragging, 0);
    EXPECT_EQ(canvasSelectedSlot, 0);
  });
}

TEST(Canvas, EditModeTogglesAnOptionCellAndOtherModesDoNothing) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    PageObject& cell = AddBox(100, 100, 30, 30);
    cell.kind = kAdminOptionCell;
    cell.optionMarked = 1;
    leftMouseMode = kLeftEdit;
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 110, 110);
    EXPECT_EQ(cell.optionMarked, 0);
    leftMouseMode = kLeftNone;
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 110, 110);
    EXPECT_EQ(cell.optionMarked, 0);
    EXPECT_EQ(cell.x, 100);
  });
}

TEST(Canvas, GuidesFollowTheCursorWhenAxesAreOn) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    axesOn = 1;
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 300, 400);
    gfx::Surface& shown = ui::ControlSurface(mainDialog, kCanvasId);
    EXPECT_EQ(gfx::Pixel(shown, 300, 700), 0xFF0000);
    EXPECT_EQ(gfx::Pixel(shown, 600, 400), 0xFF0000);
    axesOn = 0;
  });
}

}  // namespace

namespace {

TEST(Canvas, TheRightButtonCapturesTheColourShown) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    AddBox(100, 100, 50, 50);
    RepaintCanvas(1);
    rightMouseMode = kRightCaptureColour;
    ui::testing::OnDialog("Color Captado", [](ui::Window d) { ui::EndDialog(d, 0); });
    ui::testing::Mouse(canvas, ui::Msg::RightDown, 120, 120);
    EXPECT_EQ(pickedColour, 0x0000FF);
  });
  const auto& opened = ui::testing::DialogsOpened();
  EXPECT_NE(std::find(opened.begin(), opened.end(), "Color Captado"), opened.end());
}

}  // namespace

namespace {

// In edit mode a click on an administrative control edits its filled value; "Cancelar"
// leaves the object as it was.
TEST(Canvas, EditModeEditsTheFillTextOfAnAdministrativeControl) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    PageObject& control = AddBox(100, 100, 200, 30);
    control.kind = kAdminControl;
    control.adminStyle = 1;
    control.cellCount = 5;
    control.cellWidth = 20;
    control.fillFontSize = 10;
    std::strcpy(control.fillFontName, "Tahoma");
    std::strcpy(control.fillText, "antes");
    leftMouseMode = kLeftEdit;
    std::string seen;
    ui::testing::OnDialog("Propiedades Texto", [&](ui::Window d) {
      seen = ui::Text(d, 20310);
      ui::testing::TypeText(d, 20310, "despues");
      ui::testing::Click(d, 20270);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_EQ(seen, "antes");
    EXPECT_STREQ(control.fillText, "antes");

    ui::testing::OnDialog("Propiedades Texto", [&](ui::Window d) {
      ui::testing::TypeText(d, 20310, "despues");
      ui::testing::Click(d, 20280);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_STREQ(control.fillText, "despues");
    EXPECT_EQ(fillEditOpen, 0);
  });
}

}  // namespace
