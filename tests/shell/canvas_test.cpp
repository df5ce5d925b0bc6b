#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialogs/fill_text_properties.h"
#include "objects/colours.h"
#include "page/command_ids.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "program/startup.h"
#include "tests/shell/designer_window.h"

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
      seen = ui::Text(d, fill_text_ids::kText);
      ui::testing::TypeText(d, fill_text_ids::kText, "despues");
      ui::testing::Click(d, fill_text_ids::kStyle.cancelar);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_EQ(seen, "antes");
    EXPECT_STREQ(control.fillText, "antes");

    ui::testing::OnDialog("Propiedades Texto", [&](ui::Window d) {
      ui::testing::TypeText(d, fill_text_ids::kText, "despues");
      ui::testing::Click(d, fill_text_ids::kStyle.aceptar);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_STREQ(control.fillText, "despues");
    EXPECT_EQ(fillEditOpen, 0);
  });
}

}  // namespace

namespace {

bool SameRecord(const PageObject& a, const PageObject& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A key that cannot scroll leaves even the canvas alone; End, Home and every wheel notch
// refresh it. A dot put straight on the control shows whether it was refreshed.
TEST(Canvas, OnlyStepsThatCanBeTakenRefreshTheCanvas) {
  struct Case { int32_t from; bool wheel; intptr_t input; bool refreshed; };
  const Case cases[] = {
      {0, false, ui::kKeyUp, false},        {0, false, ui::kKeyPageUp, false},
      {-561, false, ui::kKeyDown, false},   {-561, false, ui::kKeyPageDown, false},
      {0, false, ui::kKeyHome, true},       {-561, false, ui::kKeyEnd, true},
      {-5, false, ui::kKeyUp, true},        {-561, true, -120, true},
      {0, true, 120, true},
  };
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    gfx::Surface& shown = ui::ControlSurface(main, kCanvasId);
    for (const Case& c : cases) {
      scrollOffset() = c.from;
      gfx::SetPixel(shown, 400, 400, 0x00FF00);
      if (c.wheel)
        ui::testing::Wheel(canvas, static_cast<int>(c.input));
      else
        ui::testing::Key(canvas, c.input);
      EXPECT_EQ(gfx::Pixel(shown, 400, 400) != 0x00FF00, c.refreshed)
          << "from " << c.from << (c.wheel ? " wheel " : " key ") << c.input;
    }
  });
}

// A mouse move repaints with the page outline only while paintMode is 1; a drag's second
// repaint always has it.
TEST(Canvas, MouseMovesRepaintInThePaintMode) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    gfx::Surface& shown = ui::ControlSurface(main, kCanvasId);
    paintMode = 0;
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 300, 300);
    EXPECT_EQ(gfx::Pixel(shown, 0, 500), gfx::kWhite);
    PageObject& o = AddBox(100, 100, 40, 40);
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 115, 110, ui::kMouseLeft);
    EXPECT_EQ(o.x, 105);
    EXPECT_EQ(gfx::Pixel(shown, 0, 500), 0);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 115, 110);
    paintMode = 1;
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 300, 300);
    EXPECT_EQ(gfx::Pixel(shown, 0, 500), 0);
  });
}

// While an export or a print shows the page as it goes out, the pointer's repaints show it so:
// no outline, and for a print no margin lines, while the "no margins" setting stays as it is.
TEST(Canvas, WhileThePageGoesOutThePointersRepaintsShowItAsItGoes) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    gfx::Surface& shown = ui::ControlSurface(main, kCanvasId);
    // The left margin's dotted line, 10 mm in.
    const auto marginInk = [&] {
      int n = 0;
      for (int y = 100; y <= 400; ++y) n += gfx::Pixel(shown, 38, y) == 0;
      return n;
    };
    ASSERT_EQ(noMargins, 0);
    for (const bool printed : {false, true}) {
      SCOPED_TRACE(printed);
      {
        const PageShownAsOutput asOutput(printed);
        EXPECT_EQ(paintMode, 0);
        EXPECT_EQ(printShownOnCanvas, printed);
        ui::testing::Mouse(canvas, ui::Msg::MouseMove, 300, 300);
        EXPECT_EQ(gfx::Pixel(shown, 0, 500), gfx::kWhite);
        EXPECT_EQ(marginInk() > 0, !printed);
        EXPECT_EQ(noMargins, 0);
      }
      EXPECT_EQ(paintMode, 1);
      EXPECT_FALSE(printShownOnCanvas);
      ui::testing::Mouse(canvas, ui::Msg::MouseMove, 300, 300);
      EXPECT_EQ(gfx::Pixel(shown, 0, 500), 0);
      EXPECT_GT(marginInk(), 0);
    }
  });
}

// A press beside every object drags nothing; coordinates left of or above the canvas (the
// pointer taken outside while the button is down) move the object by the true delta.
TEST(Canvas, DragsFollowThePointerOutsideTheCanvasAndAMissDragsNothing) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    PageObject& o = AddBox(100, 100, 40, 40);
    const PageObject before = o;
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 300, 300);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 120, 120, ui::kMouseLeft);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 120, 120);
    EXPECT_TRUE(SameRecord(o, before));

    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, -20, -10, ui::kMouseLeft);
    EXPECT_EQ(o.x, 100 - 130);
    EXPECT_EQ(o.y, 100 - 120);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, -20, -10);
    EXPECT_EQ(o.dragging, 0);
    ui::testing::Mouse(canvas, ui::Msg::MouseMove, 200, 200);
    EXPECT_EQ(o.x, -30) << "the release ended the drag";
  });
}

// In edit mode texts, shapes and images are left alone, and an option cell with a mark other
// than 0 or 1 becomes marked.
TEST(Canvas, EditClicksChangeOnlyAdministrativeObjects) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    leftMouseMode = kLeftEdit;
    for (int32_t kind : {kImage, kAlignedText, kSquareOrCircle}) {
      objectCount = 1;
      PageObject& o = AddBox(100, 100, 40, 40);
      o.kind = kind;
      const PageObject before = o;
      ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
      ui::testing::Mouse(canvas, ui::Msg::LeftUp, 110, 110);
      EXPECT_TRUE(SameRecord(o, before)) << kind;
      EXPECT_EQ(canvasSelectedSlot, 0);
    }
    objectCount = 1;
    PageObject& cell = AddBox(100, 100, 40, 40);
    cell.kind = kAdminOptionCell;
    cell.optionMarked = 5;
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 110, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 110, 110);
    EXPECT_EQ(cell.optionMarked, 1);
  });
  EXPECT_TRUE(ui::testing::DialogsOpened().size() == 1u) << "only the main window opened";
}

PageObject& AddControl(int x, int y) {
  PageObject& o = AddBox(x, y, 200, 30);
  o.kind = kAdminControl;
  o.adminStyle = 1;
  o.cellCount = 5;
  o.cellWidth = 20;
  o.fillFontSize = 10;
  o.fillAlignment = 131;
  std::strcpy(o.fillFontName, "Tahoma");
  std::strcpy(o.fillText, "antes");
  return o;
}

// The fill-text edit writes back to the object it opened on, cut to its fields, whatever
// happens on the page while the dialog is open.
TEST(Canvas, TheFillTextEditWritesBackToItsOwnObjectOnly) {
  WithMainWindow([&](ui::Window main) {
    ui::Window canvas = ui::Item(main, kCanvasId);
    leftMouseMode = kLeftEdit;
    PageObject& first = AddControl(100, 100);
    PageObject& second = AddControl(100, 300);
    const PageObject secondBefore = second;
    int opened = 0;
    ui::testing::OnDialog("Propiedades Texto", [&](ui::Window d) {
      ++opened;
      // A click on the other control while this one is edited opens nothing.
      ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 310);
      ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 310);
      workingFillTextFontName = std::string(60, 'F');
      ui::testing::TypeText(d, fill_text_ids::kText, std::string(300, 'x'));
      ui::testing::Click(d, fill_text_ids::kCentre);
      ui::testing::Click(d, fill_text_ids::kStyle.aceptar);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(strnlen(first.fillFontName, sizeof first.fillFontName), 49u);
    EXPECT_EQ(strnlen(first.fillText, sizeof first.fillText), 273u);
    EXPECT_EQ(first.fillAlignment, 133);
    EXPECT_TRUE(SameRecord(second, secondBefore));

    // Cancelled: the object stays byte for byte.
    const PageObject firstBefore = first;
    ui::testing::OnDialog("Propiedades Texto", [](ui::Window d) {
      ui::testing::Click(d, fill_text_ids::kStyle.cancelar);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 110);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 110);
    EXPECT_TRUE(SameRecord(first, firstBefore));

    // Undone while its dialog is open: nothing is written into the dropped record.
    ui::testing::OnDialog("Propiedades Texto", [&](ui::Window d) {
      ui::testing::ChooseMenu(main, kCommandUndo);
      ui::testing::TypeText(d, fill_text_ids::kText, "despues");
      ui::testing::Click(d, fill_text_ids::kStyle.aceptar);
    });
    ui::testing::Mouse(canvas, ui::Msg::LeftDown, 150, 310);
    ui::testing::Mouse(canvas, ui::Msg::LeftUp, 150, 310);
    EXPECT_EQ(objectCount, 2);
    EXPECT_STREQ(second.fillText, "antes");
    EXPECT_EQ(fillEditOpen, 0);
  });
}

}  // namespace
