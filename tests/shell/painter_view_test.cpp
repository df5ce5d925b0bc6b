// Tests of the view half of the painter beside the canvas: the page copied onto the canvas at
// the scroll offset, the guide lines, and what a repaint leaves in the object dialogs.
#include <gtest/gtest.h>

#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "platform/ui/ui.h"
#include "program/canvas.h"
#include "program/startup.h"
#include "tests/page/painter_test.h"

namespace {

using paintertest::kBlack;
using paintertest::kBlue;
using paintertest::kGreen;
using paintertest::kRed;
using paintertest::kWhite;
using paintertest::PainterTest;

TEST_F(PainterTest, FullRepaintColoursAShapeAndCopiesThePageAtTheScrollOffset) {
  AddSquare(100, 600, 40, kBlue);
  scrollOffset() = -100;
  FullRepaint();
  EXPECT_EQ(Page(120, 620), kBlue);
  EXPECT_EQ(Canvas(120, 520), kBlue);  // page y 620 at canvas y 620 + (-100)
  EXPECT_EQ(Canvas(120, 620), kWhite);
  EXPECT_EQ(Canvas(0, 520), kBlack);  // the outline's left side came along

  // Scrolled to the bottom, the page ends above the canvas's last rows, which stay white;
  // the outline's bottom side is the page's last row.
  scrollOffset() = -561;
  FullRepaint();
  EXPECT_EQ(Canvas(120, 620 - 561), kBlue);
  EXPECT_EQ(Canvas(400, 1122 - 561), kBlack);
  EXPECT_EQ(Canvas(400, 1123 - 561), kWhite);
  EXPECT_EQ(Canvas(0, 1122 - 561), kBlack);
  EXPECT_EQ(Canvas(0, 1123 - 561), kWhite);

  // Without scrolling page and canvas agree down to the canvas's height.
  scrollOffset() = 0;
  FullRepaint();
  EXPECT_EQ(Canvas(120, 620), kBlue);
  EXPECT_EQ(Canvas(120, 520), kWhite);
}

TEST_F(PainterTest, RefreshCanvasKeepsOnlyWhatBothBitmapsHave) {
  gfx::SetPixel(*pageBitmap, 10, 610, kBlue);
  gfx::Clear(*canvasBitmap, kGreen);
  RefreshCanvas(0, -20);
  EXPECT_EQ(Canvas(10, 590), 0);       // blue AND green
  EXPECT_EQ(Canvas(11, 590), kGreen);  // white AND green
}

TEST_F(PainterTest, GuideLinesCrossTheCanvasWhenTheAxesAreOn) {
  AddSquare(300, 400, 40, kGreen, kGreen);
  axesOn = 1;
  FullRepaint(1, 1, CanvasPoint{250, 420});
  EXPECT_EQ(Canvas(250, 10), kBlue);
  EXPECT_EQ(Canvas(250, 900), kBlue);
  EXPECT_EQ(Canvas(10, 420), kBlue);
  EXPECT_EQ(Canvas(320, 420), kBlue);  // over the objects
  EXPECT_EQ(Canvas(251, 10), kWhite);
  EXPECT_EQ(Page(250, 10), kWhite);  // the page itself has none

  axesOn = 0;
  FullRepaint(1, 1, CanvasPoint{250, 420});
  EXPECT_EQ(Canvas(250, 10), kWhite);
  axesOn = 1;
  FullRepaint();  // repaints that are not from the pointer draw none
  EXPECT_EQ(Canvas(250, 10), kWhite);
}

intptr_t IgnoreEverything(ui::Window, ui::Msg, intptr_t, intptr_t) { return 0; }

TEST_F(PainterTest, FullRepaintShowsTheCanvasOnTheMainWindowsCanvasControl) {
  ui::DialogTemplate t;
  t.caption = "Veluna";
  t.units = ui::Units::Pixels;
  t.w = 804;
  t.h = 965;
  t.controls = {ui::Control(ui::Kind::Graphic, kCanvasId, "", 5, 5, 794, 955)};
  mainDialog = ui::CreateDialog(t, nullptr, IgnoreEverything);
  AddSquare(100, 600, 40, kBlue);
  scrollOffset() = -100;
  FullRepaint();
  gfx::Surface& control = ui::ControlSurface(mainDialog, kCanvasId);
  EXPECT_EQ(gfx::Pixel(control, 120, 520), kBlue);
  EXPECT_EQ(gfx::Pixel(control, 120, 620), kWhite);
  ui::DestroyWindow(mainDialog);
  mainDialog = nullptr;
}

TEST_F(PainterTest, PainterLeavesTheLastPaintedShapeAndArrowInTheSettings) {
  AddSquare(100, 100, 30, kBlue);
  PageObject& last = AddSquare(200, 100, 45, kGreen, kRed);
  last.lineWidth = 3;
  PageObject& arrow = Add(kArrow, 300, 300, 10, 10);
  arrow.arrowDirection = kArrowDown;
  arrow.arrowLength = 77;
  arrow.arrowColor = kGreen;
  arrow.arrowLineWidth = 2;
  arrow.arrowHeads = 2;
  arrow.arrowHeadSize = 9;
  arrow.arrowClosedHead = 1;
  FullRepaint();
  EXPECT_EQ(shapeInteriorColour, kGreen);
  EXPECT_EQ(shapeBorderColour, kRed);
  EXPECT_EQ(shapeLineWidth, 3);
  EXPECT_EQ(shapeWidth, 45);
  EXPECT_EQ(shapeHeight, 45);
  EXPECT_EQ(currentArrowDirection, kArrowDown);
  EXPECT_EQ(currentArrowLength, 77);
  EXPECT_EQ(currentArrowColour, kGreen);
  EXPECT_EQ(currentArrowLineWidth, 2);
  EXPECT_EQ(currentArrowHeads, 2);
  EXPECT_EQ(currentArrowHeadSize, 9);
  EXPECT_EQ(currentArrowClosedHead, 1);
}

TEST_F(PainterTest, OpenDialogsKeepTheirWorkingValuesThroughARepaint) {
  AddSquare(100, 100, 30, kBlue);
  PageObject& arrow = Add(kArrow, 300, 300, 10, 10);
  arrow.arrowDirection = kArrowRight;
  arrow.arrowLength = 60;
  arrow.arrowColor = kGreen;
  arrow.arrowLineWidth = 1;
  arrow.arrowHeads = 1;
  arrow.arrowHeadSize = 5;

  shapeDialogOpen = 1;
  arrowDialogOpen = 1;
  shapeInteriorColour = kRed;
  shapeWidth = 222;
  currentArrowLength = 11;
  currentArrowColour = kRed;
  FullRepaint();
  shapeDialogOpen = 0;
  arrowDialogOpen = 0;

  EXPECT_EQ(shapeInteriorColour, kRed);
  EXPECT_EQ(shapeWidth, 222);
  EXPECT_EQ(currentArrowLength, 11);
  EXPECT_EQ(currentArrowColour, kRed);
  // Each object is still drawn with its own settings.
  EXPECT_EQ(Page(115, 115), kBlue);
  EXPECT_EQ(Page(140, 115), kWhite);
  EXPECT_EQ(Page(350, 300), kGreen);
}

TEST_F(PainterTest, PainterLeavesTheLastAlignedTextsAreaAndBackgroundUnlessTheirDialogIsOpen) {
  AddText(kAlignedText, 100, 100, 200, 40, "Uno").backColor = kBlue;
  PageObject& last = AddText(kMemoText, 100, 200, 321, 45, "Dos");
  last.backColor = kGreen;
  FullRepaint();
  EXPECT_EQ(alignedTextWidth, 321);
  EXPECT_EQ(alignedTextHeight, 45);
  EXPECT_EQ(textBackColour, kGreen);
  EXPECT_EQ(Page(101, 201), kGreen);  // each drawn on its own background

  alignedTextDialogOpen = 1;
  textPropertiesDialogOpen = 1;
  alignedTextWidth = 17;
  alignedTextHeight = 18;
  textBackColour = kRed;
  FullRepaint();
  alignedTextDialogOpen = 0;
  textPropertiesDialogOpen = 0;
  EXPECT_EQ(alignedTextWidth, 17);
  EXPECT_EQ(alignedTextHeight, 18);
  EXPECT_EQ(textBackColour, kRed);
  EXPECT_EQ(Page(101, 201), kGreen);

  // An area beyond 16 bits is saturated, and an empty one kept at one pixel.
  last.width = 0;
  last.height = 100000;
  FullRepaint();
  EXPECT_EQ(alignedTextWidth, 1);
  EXPECT_EQ(alignedTextHeight, 32767);
  last.width = INT32_MAX;
  FullRepaint();
  EXPECT_EQ(alignedTextWidth, 32767);
}

}  // namespace
