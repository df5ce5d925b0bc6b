#include "page/painter.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "page/admin_drawers.h"
#include "page/aligned_text.h"
#include "page/corner_marks.h"
#include "page/drawers.h"
#include "page/images.h"
#include "page/line_text.h"
#include "page/month_calendar.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

gfx::Surface* pageBitmap = nullptr;
gfx::Surface* canvasBitmap = nullptr;
std::array<int32_t, 6> rulerFlags = {};
int32_t filledTextsShown = 0;
std::vector<std::string> savedPlaceholderTexts;

namespace {

constexpr double kMm = static_cast<double>(numbers::kMillimetreToPixel);
constexpr gfx::Colour kRed = 0x0000FF;
constexpr gfx::Colour kGrey = 0x808080;
constexpr gfx::Colour kLightGrey = 0xC0C0C0;
constexpr gfx::Colour kDarkRed = gfx::Rgb(139, 0, 0);

// Full graph lines have these lengths whatever the paper, as the canvas shows an A4 page.
constexpr int kFullLineWidth = 794;
constexpr int kFullLineHeight = 1122;

// The paper is judged when read, but it is also set in memory; a bitmap and the ruler loops
// never follow one no page bitmap can be made at, which is drawn as the default paper.
bool UsablePaper() { return IsUsablePaper(paperWidthMm, paperHeightMm); }
int PaperWidthMm() { return UsablePaper() ? paperWidthMm : kDefaultPaperWidthMm; }
int PaperHeightMm() { return UsablePaper() ? paperHeightMm : kDefaultPaperHeightMm; }
// Any margin is kept; beyond the drawers' reach its line is as invisible as at the reach.
double MarginPx(int32_t marginMm) {
  return std::clamp(kMm * marginMm, -double{kCoordinateReach}, double{kCoordinateReach});
}
int PaperWidthPx() { return numbers::MillimetresToPixels(PaperWidthMm()); }
int PaperHeightPx() { return numbers::MillimetresToPixels(PaperHeightMm()); }

// The object's font, found again by the graphic layer's cache on every pass.
gfx::FontKey MakeObjectFont(PageObject& o) {
  o.fontHandle =
      MakeSystemFont(FixedFieldText(o.fontName), o.fontSize, o.fontStyle);
  return o.fontHandle;
}

// The rectangle an object covers, for its marks, in a thin line whatever the object before
// left in the pen.
void MarkBox(gfx::Surface& page, const PageObject& o, gfx::Colour pen, gfx::Colour fill) {
  gfx::SetPen(page, 1, gfx::kSolid);
  int32_t x = HeldCoordinate(o.x), y = HeldCoordinate(o.y);
  gfx::Box(page, x, y, HeldCoordinate(int64_t{x} + o.width),
           HeldCoordinate(int64_t{y} + o.height), 0, pen, fill, 0);
}

void RedOutline(gfx::Surface& page, const PageObject& o, int32_t mode) {
  if (mode == 1) MarkBox(page, o, kRed, gfx::kTransparent);
}

void DarkBlock(gfx::Surface& page, const PageObject& o, int32_t mode, int slot) {
  if (mode == 7 && slot == currentObjectIndex) MarkBox(page, o, gfx::kBlack, kDarkRed);
}

// One function per kind that needs more than its drawer.

void PaintMathsCharacter(gfx::Surface& page, PageObject& o) {
  MakeObjectFont(o);
  DrawSymbolTextAtPosition(page, HeldCoordinate(o.x), HeldCoordinate(o.y), o.foreColor, o.backColor,
                           FixedFieldText(o.text), o.fontHandle);
}

void PaintLineText(gfx::Surface& page, PageObject& o) {
  MakeObjectFont(o);
  DrawLineTextObject(page, FixedFieldText(o.text), HeldCoordinate(o.x), HeldCoordinate(o.y), o.fontHandle,
                     o.foreColor, o.backColor, o.fontSize, o.alignment);
}

// A filled copy exists only for the slots the record fill knew of; an aligned text inserted
// or pasted since then shows its own text.
std::string_view AlignedTextToShow(const PageObject& o, int slot, const PaintDefaults& defaults) {
  if (defaults.filledTextsUsed && filledTextsShown == 1 && slot >= 0 &&
      static_cast<size_t>(slot) < savedPlaceholderTexts.size())
    return savedPlaceholderTexts[slot];
  return FixedFieldText(o.text);
}

void PaintAlignedText(gfx::Surface& page, PageObject& o, std::string_view text) {
  // The area drives the word wrap: saturated to the 16 bits the renderer has always kept it in.
  const int areaWidth = std::clamp(o.width, 1, 32767);
  MakeObjectFont(o);
  DrawTextInArea(page, text, o.alignment, HeldCoordinate(o.x), HeldCoordinate(o.y), areaWidth,
                 o.fontHandle, o.foreColor, o.backColor);
}

void PaintAngledText(gfx::Surface& page, PageObject& o) {
  gfx::SetPen(page, 1, gfx::PenStyleOf(page));
  int32_t x = HeldCoordinate(o.x), y = HeldCoordinate(o.y);
  if (o.angle == 0) {
    MakeObjectFont(o);
    DrawTextAtPosition(page, x, y, o.foreColor, o.backColor, FixedFieldText(o.text), o.fontHandle);
  } else {
    o.fontHandle =
        MakeSystemFont(FixedFieldText(o.fontName), o.fontSize, o.fontStyle, 1, o.angle);
    DrawTextAtPositionAndFreeFont(page, x, y, o.foreColor, o.backColor, FixedFieldText(o.text),
                                  o.fontHandle);
  }
}

// The arrow's pick box goes under the arrow, so it is drawn here rather than after it.
void PaintArrow(gfx::Surface& page, PageObject& o, int32_t mode) {
  gfx::SetPen(page, 1, gfx::PenStyleOf(page));
  RedOutline(page, o, mode);
  DrawArrow(page, HeldCoordinate(o.x), HeldCoordinate(o.y), ArrowArgsOfObject(o));
}

void PaintImage(gfx::Surface& page, PageObject& o, const PaintDefaults& defaults) {
  const int32_t width = defaults.imagesAtTrueSize ? gfx::ImageWidth(o.bitmapHandle) : o.width;
  const int32_t height = defaults.imagesAtTrueSize ? gfx::ImageHeight(o.bitmapHandle) : o.height;
  DrawImageObject(page, o.bitmapHandle, HeldCoordinate(o.x), HeldCoordinate(o.y), width, height);
}

// Rulers and graph papers.

enum class Sheet { Ruler, Paper, SuperPaper };

gfx::FontKey LabelFont() { return MakeSystemFont("Tahoma", 6, kStyleBold, 1); }

void PrintLabel(gfx::Surface& target, int number, double x, double y) {
  gfx::SelectFont(target, LabelFont());
  gfx::SetForeColour(target, gfx::kBlack);
  gfx::SetBackColour(target, gfx::kTransparent);
  gfx::MoveTo(target, x, y);
  gfx::Print(target, std::to_string(number));
}

void Mark(gfx::Surface& target, int p, int length, int32_t edge, gfx::Colour colour) {
  if (edge == 1)
    gfx::Line(target, 0, p, length, p, colour);
  else
    gfx::Line(target, p, 0, p, length, colour);
}

void FullLine(gfx::Surface& target, int p, int32_t edge, gfx::Colour colour) {
  if (edge == 1)
    gfx::Line(target, 0, p, kFullLineWidth, p, colour);
  else
    gfx::Line(target, p, 0, p, kFullLineHeight, colour);
}

void StartMarks(gfx::Surface& target) {
  gfx::Select(target);
  gfx::SetPen(target, 1, gfx::kSolid);
}

// Marks every millimetre (or tenth of an inch) at the target's own resolution.
void DrawMillimetreSheet(gfx::Surface& target, int32_t unit, int32_t edge, Sheet sheet) {
  double dpi = gfx::PixelsPerInch(target);
  if ((unit != 0 && unit != 1) || dpi <= 0) return;
  StartMarks(target);
  gfx::SetForeColour(target, gfx::kBlack);
  gfx::SetBackColour(target, gfx::kTransparent);
  gfx::SelectFont(target, LabelFont());
  double perStep = unit == 1 ? 25.4 : 10.0;
  int bound = edge == 1 ? gfx::Height(target) : gfx::Width(target);
  for (int i = 0;; ++i) {
    int p = static_cast<int>(numbers::RoundHalfEven(dpi * i / perStep));
    if (i % 10 == 0) {
      if (sheet == Sheet::Ruler)
        Mark(target, p, 9, edge, kRed);
      else
        FullLine(target, p, edge, kRed);
      if (i > 0) {
        if (edge == 1)
          PrintLabel(target, i / 10, 11, p - 3);
        else
          PrintLabel(target, i / 10, p - 3, 11);
      }
    } else if (i % 5 == 0) {
      if (sheet == Sheet::Ruler)
        Mark(target, p, 6, edge, gfx::kBlack);
      else
        FullLine(target, p, edge, gfx::kBlack);
    } else if (sheet == Sheet::SuperPaper) {
      FullLine(target, p, edge, kLightGrey);
    } else {
      Mark(target, p, 4, edge, kGrey);
    }
    // The first mark at or beyond the edge of the target is the last one drawn.
    if (p >= bound) break;
  }
}

// Marks every 5 pixels.
void DrawPixelSheet(gfx::Surface& target, int32_t length, int32_t edge, Sheet sheet) {
  StartMarks(target);
  // As far as a 16-bit counter could ever reach.
  int last = std::min<int32_t>(length, 32767);
  for (int p = 0; p <= last; p += 5) {
    if (p % 10 == 0) {
      if (sheet == Sheet::Ruler)
        Mark(target, p, 10, edge, gfx::kBlack);
      else
        FullLine(target, p, edge, gfx::kBlack);
      if (p % 50 == 0 && p > 0) {
        if (edge == 1)
          PrintLabel(target, p, 14, p - 5);
        else
          PrintLabel(target, p, p - 5, 12);
        if (sheet == Sheet::Ruler)
          Mark(target, p, 10, edge, kRed);
        else
          FullLine(target, p, edge, kRed);
      }
    } else if (sheet == Sheet::SuperPaper) {
      FullLine(target, p, edge, gfx::kBlack);
    } else {
      Mark(target, p, 5, edge, gfx::kBlack);
    }
  }
}

}  // namespace

void ForgetFilledTextsFrom(int slot) {
  if (slot >= 0 && static_cast<size_t>(slot) < savedPlaceholderTexts.size())
    savedPlaceholderTexts.resize(static_cast<size_t>(slot));
}

void MakePageBitmaps() {
  ReleasePageBitmaps();
  pageBitmap = gfx::MakeBitmap(PaperWidthPx(), PaperHeightPx());
  canvasBitmap = gfx::MakeBitmap(kCanvasWidth, kCanvasHeight);
}

void ReleasePageBitmaps() {
  if (pageBitmap) gfx::ReleaseBitmap(pageBitmap);
  if (canvasBitmap) gfx::ReleaseBitmap(canvasBitmap);
  pageBitmap = nullptr;
  canvasBitmap = nullptr;
}

void PaintAllObjects(gfx::Surface& page, int32_t mode, const PaintDefaults& defaults) {
  FillMarginArea(page);
  int last = std::min<int32_t>(objectCount, kStoreSlots - 1);
  for (int s = 2; s <= last; ++s) PaintObject(page, pageObjects[s], s, mode, defaults);
}

void PaintObject(gfx::Surface& page, PageObject& o, int slot, int32_t mode,
                 const PaintDefaults& defaults) {
  // Every renderer draws on the page bitmap; some select other targets on their way.
  gfx::Select(page);
  switch (o.kind) {
    case kMonthCalendar:
      DrawStoredMonthCalendar(page, o, defaults.monthNameColour, defaults.fallbackFontName);
      break;
    case kMathsCharacter:
      PaintMathsCharacter(page, o);
      RedOutline(page, o, mode);
      break;
    case kLineText:
      PaintLineText(page, o);
      RedOutline(page, o, mode);
      break;
    case kAlignedText: PaintAlignedText(page, o, AlignedTextToShow(o, slot, defaults)); break;
    case kMemoText:
      if (defaults.memoTextsShown) PaintAlignedText(page, o, FixedFieldText(o.text));
      break;
    case kAngledText:
      PaintAngledText(page, o);
      RedOutline(page, o, mode);
      break;
    case kCornerMarks:
      DrawCornerMarkObject(page, o);
      DarkBlock(page, o, mode, slot);
      break;
    case kArrow: PaintArrow(page, o, mode); break;
    case kAdminControl:
    case kAdminOptionCell:
      DrawAdminObject(page, o);
      DarkBlock(page, o, mode, slot);
      break;
    case kImage: PaintImage(page, o, defaults); break;
    case kSquareOrCircle:
      DrawShape(page, HeldCoordinate(o.x), HeldCoordinate(o.y), ShapeArgsOfObject(o));
      break;
    default: break;
  }
}

void FillMarginArea(gfx::Surface& bitmap) {
  if (ambientColorOn != 1) return;
  gfx::Select(bitmap);
  gfx::SetPen(bitmap, 1, gfx::kSolid);
  gfx::Box(bitmap, MarginPx(marginLeft), MarginPx(marginTop),
           kMm * PaperWidthMm() - MarginPx(marginRight),
           kMm * PaperHeightMm() - MarginPx(marginBottom), 0, ambientColor, ambientColor, 0);
}

void DrawPageBackground(gfx::Surface& bitmap, int32_t withOutline) {
  DrawPageBackground(bitmap, withOutline, noMargins == 0);
}

void DrawPageBackground(gfx::Surface& bitmap, int32_t withOutline, bool marginLines) {
  gfx::Select(bitmap);
  gfx::SetPen(bitmap, 1, gfx::kSolid);
  // The outline runs round the bitmap's own last row and column, so that all four of its
  // sides show (a corner on the paper's edge would fall just off the bitmap).
  if (withOutline == 1)
    gfx::Box(bitmap, 0, 0, PaperWidthPx() - 1, PaperHeightPx() - 1, 0, gfx::kBlack,
             gfx::kTransparent, 0);
  if (marginLines) DrawMarginLines(bitmap);
  gfx::SetPen(bitmap, 1, gfx::kSolid);
  using Drawer = void (*)(gfx::Surface&, int32_t, int32_t);
  static constexpr Drawer kDrawers[6] = {DrawMillimetreRuler, DrawMillimetrePaper,
                                         DrawSuperMillimetrePaper, DrawPixelRuler,
                                         DrawSquaredPaper, DrawSuperSquaredPaper};
  for (int f = 0; f < 6; ++f) {
    if (rulerFlags[f] != 1) continue;
    bool millimetres = f <= kPaperSuperMm;
    kDrawers[f](bitmap, millimetres ? 1 : PaperHeightPx(), 1);
    kDrawers[f](bitmap, millimetres ? 1 : PaperWidthPx(), 0);
  }
}

void DrawMarginLines(gfx::Surface& bitmap) {
  gfx::Select(bitmap);
  gfx::SetPen(bitmap, 1, gfx::kDot);
  gfx::SetForeColour(bitmap, gfx::kBlack);
  gfx::SetBackColour(bitmap, gfx::kTransparent);
  double width = kMm * PaperWidthMm(), height = kMm * PaperHeightMm();
  double left = MarginPx(marginLeft), right = width - MarginPx(marginRight);
  double top = MarginPx(marginTop), bottom = height - MarginPx(marginBottom);
  gfx::Line(bitmap, left, 0, left, height, gfx::kBlack);
  gfx::Line(bitmap, right, 0, right, height, gfx::kBlack);
  gfx::Line(bitmap, 0, top, width, top, gfx::kBlack);
  gfx::Line(bitmap, 0, bottom, width, bottom, gfx::kBlack);
}

void DrawMillimetreRuler(gfx::Surface& target, int32_t unit, int32_t edge) {
  DrawMillimetreSheet(target, unit, edge, Sheet::Ruler);
}
void DrawMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge) {
  DrawMillimetreSheet(target, unit, edge, Sheet::Paper);
}
void DrawSuperMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge) {
  DrawMillimetreSheet(target, unit, edge, Sheet::SuperPaper);
}
void DrawPixelRuler(gfx::Surface& target, int32_t length, int32_t edge) {
  DrawPixelSheet(target, length, edge, Sheet::Ruler);
}
void DrawSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge) {
  DrawPixelSheet(target, length, edge, Sheet::Paper);
}
void DrawSuperSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge) {
  DrawPixelSheet(target, length, edge, Sheet::SuperPaper);
}

void ResetPainterState() {
  ReleasePageBitmaps();
  rulerFlags = {};
  filledTextsShown = 0;
  savedPlaceholderTexts.clear();
}
const EnrolledStart enrolled(ResetPainterState);
