// The fixture of the painter's tests, page half and view half: a white A4 page with margins
// of 20, 10, 15 and 25 mm, its bitmaps made, and helpers to put objects on it and probe it.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "page/drawers.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/gfx/gfx.h"

namespace paintertest {

constexpr gfx::Colour kWhite = 0xFFFFFF;
constexpr gfx::Colour kBlack = 0x000000;
constexpr gfx::Colour kRed = 0x0000FF;
constexpr gfx::Colour kBlue = 0xFF0000;
constexpr gfx::Colour kGreen = 0x00FF00;
constexpr gfx::Colour kGrey = 0x808080;
constexpr gfx::Colour kLightGrey = 0xC0C0C0;
constexpr gfx::Colour kDarkRed = 0x00008B;

class PainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    paperWidthMm = 210;
    paperHeightMm = 297;
    marginLeft = 20;
    marginRight = 10;
    marginTop = 15;
    marginBottom = 25;
    noMargins = 0;
    ambientColorOn = 0;
    rulerFlags = {};
    filledTextsShown = 0;
    savedPlaceholderTexts.clear();
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    MakePageBitmaps();
  }
  void TearDown() override { ReleasePageBitmaps(); }

  static void PaintPage(int32_t mode = 1, int32_t withOutline = 1) {
    ClearGraphicTarget(*pageBitmap);
    PaintAllObjects(*pageBitmap, mode);
    DrawPageBackground(*pageBitmap, withOutline);
  }
  static gfx::Colour Page(int x, int y) { return gfx::Pixel(*pageBitmap, x, y); }
  static gfx::Colour Canvas(int x, int y) { return gfx::Pixel(*canvasBitmap, x, y); }

  // Pixels of one colour in a column or a row, ends included.
  static int InColumn(int x, int y1, int y2, gfx::Colour c) {
    int n = 0;
    for (int y = y1; y <= y2; ++y) n += Page(x, y) == c;
    return n;
  }
  static int InRow(int y, int x1, int x2, gfx::Colour c) {
    int n = 0;
    for (int x = x1; x <= x2; ++x) n += Page(x, y) == c;
    return n;
  }
  // Anything but white in a box of a surface, ends included.
  static bool Inked(const gfx::Surface& s, int x1, int y1, int x2, int y2) {
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x)
        if (gfx::Pixel(s, x, y) != kWhite) return true;
    return false;
  }

  // A new object in the next slot.
  static PageObject& Add(int32_t kind, int x, int y, int w, int h) {
    ++objectCount;
    PageObject& o = pageObjects[objectCount];
    o = PageObject{};
    o.kind = kind;
    o.x = x;
    o.y = y;
    o.width = w;
    o.height = h;
    return o;
  }
  static PageObject& AddSquare(int x, int y, int size, gfx::Colour inside,
                               gfx::Colour border = kBlack) {
    PageObject& o = Add(kSquareOrCircle, x, y, size, size);
    o.shapeType = kShapeSquareOrRectangle;
    o.lineWidth = 1;
    o.borderColor = border;
    o.backColor = inside;
    return o;
  }
  static PageObject& AddText(int32_t kind, int x, int y, int w, int h, const char* text) {
    PageObject& o = Add(kind, x, y, w, h);
    std::strcpy(o.fontName, "Times New Roman");
    o.fontSize = 12;
    o.foreColor = kBlack;
    o.backColor = -2;
    o.alignment = kAlignLeft;
    std::strcpy(o.text, text);
    return o;
  }
};

}  // namespace paintertest
