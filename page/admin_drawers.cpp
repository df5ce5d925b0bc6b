#include "page/admin_drawers.h"

#include <algorithm>
#include <cstdlib>

#include "page/admin_controls.h"
#include "page/aligned_text.h"
#include "page/shared_helpers.h"
#include "platform/numbers/numbers.h"

namespace {

int32_t Pen(int32_t penWidth) { return std::clamp<int32_t>(penWidth, 0, kAdminMaxPenWidth); }

// Drawers make their fonts with the default character set.
gfx::FontKey DrawerFont(std::string_view face, int points, int32_t styleFlags) {
  return MakeSystemFont(face, points, styleFlags, 1);
}

void StartDrawing(gfx::Surface& target, int32_t penWidth) {
  gfx::Select(target);
  gfx::SetPen(target, Pen(penWidth), gfx::kSolid);
}

// The two texts every style draws: the label in the label font and colour, and the fill text
// in the fill font and colour.
struct Texts {
  std::string_view label;
  gfx::FontKey labelFont;
  gfx::Colour colour;
  int16_t alignment;
  std::string_view fill;
  gfx::FontKey fillFont;
  gfx::Colour fillColour;
  int16_t fillAlignment;
};

void LabelAt(gfx::Surface& t, const Texts& s, int64_t x, int64_t y, int32_t w, int32_t h) {
  DrawLabelText(t, s.label, s.alignment, HeldCoordinate(x), HeldCoordinate(y), s.labelFont, s.colour, 0, 0, w, h);
}

void FillAt(gfx::Surface& t, const Texts& s, int64_t x, int64_t y, int32_t w, int32_t h, int32_t useY = 0,
            int16_t yOffset = 0) {
  DrawLabelText(t, s.fill, s.fillAlignment, HeldCoordinate(x), HeldCoordinate(y), s.fillFont, s.fillColour, useY,
                yOffset, w, h);
}

// The height a one-line text of `points` takes above a line, as the line styles lift it.
int64_t LiftAbove(int16_t points) { return points + 2 * (points / 6) + points / 10 + 1; }

void CellLines(gfx::Surface& target, int64_t x, int64_t y, int64_t w, int64_t h, int32_t penWidth, gfx::Colour colour,
               gfx::Colour back, bool closed) {
  gfx::SetPen(target, Pen(penWidth), gfx::kSolid);
  const double l = HeldCoordinate(x), t = HeldCoordinate(y), r = HeldCoordinate(x + w), b = HeldCoordinate(y + h);
  if (closed) {
    gfx::Box(target, l, t, r, b, 0, colour, back, 0);
    return;
  }
  gfx::Line(target, l, b, r, b, colour);
  gfx::Line(target, l, b, l, t, colour);
  gfx::Line(target, r, b, r, t, colour);
}

void Cell(gfx::Surface& target, int64_t x, int64_t y, int32_t w, int32_t h, int32_t penWidth, gfx::Colour colour,
          std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
          gfx::Colour fillColour, int16_t fillFontStyle, gfx::Colour back, int32_t fillUseY, int16_t fillY,
          bool closed) {
  gfx::Select(target);
  CellLines(target, x, y, w, h, penWidth, colour, back, closed);
  DrawLabelText(target, fillText, fillAlignment, HeldCoordinate(x), HeldCoordinate(y),
                DrawerFont(fillFontName, fillFontSize, fillFontStyle), fillColour, fillUseY, fillY, w, h);
}

// Styles 3 and 4. Past the fill text every cell is the same empty cell, so once one lies
// wholly beyond the target in the direction the row runs, so do all that follow.
void CellRow(gfx::Surface& target, const Texts& s, int64_t cx, int32_t y, int32_t cellWidth, int32_t height,
             int32_t penWidth, int32_t cellCount, int16_t cellSpacing, std::string_view fillFontName,
             int16_t fillFontSize, int16_t fillFontStyle, gfx::Colour back, int32_t fillUseY, int16_t fillY,
             bool closed) {
  const int64_t step = int64_t{cellWidth} + cellSpacing;
  const int64_t reach = Pen(penWidth) + 1;
  const int64_t width = gfx::Width(target);
  for (int64_t i = 1; i <= cellCount; ++i, cx += step) {
    const bool filled = static_cast<size_t>(i) <= s.fill.size();
    const int64_t left = std::min(cx, cx + cellWidth) - reach;
    const int64_t right = std::max(cx, cx + cellWidth) + reach;
    if (!filled) {
      if (step >= 0 && left >= width) break;
      if (step <= 0 && right < 0) break;
    }
    // Empty cells not yet on the target are passed over in one step, however many they are.
    if (!filled && (left >= width || right < 0)) {
      const int64_t gap = step > 0 ? -right : left - width + 1;
      const int64_t pass = (gap + std::abs(step) - 1) / std::abs(step);
      i += pass - 1;
      cx += step * (pass - 1);
      continue;
    }
    const std::string_view ch = filled ? s.fill.substr(static_cast<size_t>(i - 1), 1) : std::string_view();
    Cell(target, cx, y, cellWidth, height, penWidth, s.colour, ch, s.fillAlignment, fillFontName, fillFontSize,
         s.fillColour, fillFontStyle, back, fillUseY, fillY, closed);
    if (!filled && step == 0) break;
  }
}

Texts MakeTexts(std::string_view label, int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                int32_t labelFontStyle, int16_t alignment, std::string_view fillText = {},
                int16_t fillAlignment = 0, std::string_view fillFontName = {}, int16_t fillFontSize = 0,
                gfx::Colour fillColour = 0, int16_t fillFontStyle = 0, bool withFill = false) {
  Texts s{label, DrawerFont(labelFontName, labelFontSize, labelFontStyle), colour, alignment,
          fillText, 0, fillColour, fillAlignment};
  if (withFill) s.fillFont = DrawerFont(fillFontName, fillFontSize, fillFontStyle);
  return s;
}

int64_t CellStart(int32_t x, int32_t areaWidth, int32_t labelVisible) {
  return labelVisible == 1 ? int64_t{x} + areaWidth + 2 : x;
}

// Styles 1 and 2: the label, then one cell. A closed cell starts from a one-pixel pen; the
// cell sets its own either way.
void LabelAndCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                  int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize, gfx::Colour colour,
                  std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment, int32_t labelVisible,
                  std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                  int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle, gfx::Colour back,
                  int32_t fillUseY, int16_t fillY, bool closed) {
  StartDrawing(target, closed ? 1 : penWidth);
  if (labelVisible == 1)
    LabelAt(target, MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment), x, y,
            areaWidth, areaHeight);
  Cell(target, CellStart(x, areaWidth, labelVisible), y, cellWidth, areaHeight, penWidth, colour, fillText,
       fillAlignment, fillFontName, fillFontSize, fillColour, fillFontStyle, back, fillUseY, fillY, closed);
}

// Styles 3 and 4: the label, then the row of cells; beside open cells the label sits one
// pixel lower.
void LabelAndCells(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                   int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize, int32_t cellCount,
                   gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                   int16_t cellSpacing, int32_t labelVisible, std::string_view fillText, int16_t fillAlignment,
                   std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                   int16_t fillFontStyle, gfx::Colour back, int32_t fillUseY, int16_t fillY, bool closed) {
  StartDrawing(target, penWidth);
  const Texts s = MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment, fillText,
                            fillAlignment, {}, 0, fillColour);
  if (labelVisible == 1) LabelAt(target, s, x, closed ? int64_t{y} : int64_t{y} + 1, areaWidth, areaHeight);
  CellRow(target, s, CellStart(x, areaWidth, labelVisible), y, cellWidth, areaHeight, penWidth, cellCount,
          cellSpacing, fillFontName, fillFontSize, fillFontStyle, back, fillUseY, fillY, closed);
}

void BoxWithTexts(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                  int32_t areaHeight, int32_t penWidth, int16_t labelFontSize, gfx::Colour colour,
                  std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                  std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                  int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle,
                  gfx::Colour controlBackColor, int32_t fillUseY, int16_t fillY, bool labelOutside) {
  StartDrawing(target, penWidth);
  const int64_t pw = Pen(penWidth);
  gfx::Box(target, HeldCoordinate(x), HeldCoordinate(y), HeldCoordinate(int64_t{x} + areaWidth),
           HeldCoordinate(int64_t{y} + areaHeight), 0, colour, controlBackColor, 0);
  const Texts s = MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment, fillText,
                            fillAlignment, fillFontName, fillFontSize, fillColour, fillFontStyle, true);
  // Left, right and centred texts sit a pen's width in from the box's side; others are not drawn.
  auto shifted = [&](int16_t a, int64_t& at) {
    switch (a) {
      case kAlignLeft: at = x + pw; return true;
      case kAlignRight: at = x - pw; return true;
      case kAlignCentre: at = x; return true;
      default: return false;
    }
  };
  const int64_t labelY = labelOutside ? int64_t{y} - pw - labelFontSize - 3 : int64_t{y} + pw;
  int64_t at = 0;
  if (shifted(alignment, at)) LabelAt(target, s, at, labelY, areaWidth, areaHeight);
  const int64_t fy = int64_t{y} + pw + areaHeight / 2 - fillFontSize;
  if (shifted(fillAlignment, at)) FillAt(target, s, at, fy, areaWidth, areaHeight, fillUseY, fillY);
}

void LineWithTexts(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                   int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                   gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                   std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                   int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle, bool labelFirst) {
  StartDrawing(target, penWidth);
  const Texts s = MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment, fillText,
                            fillAlignment, fillFontName, fillFontSize, fillColour, fillFontStyle, true);
  if (labelFirst) {
    LabelAt(target, s, x, y, areaWidth, areaHeight);
    const int64_t lx = int64_t{x} + areaWidth + 2;
    const int64_t ly = int64_t{y} + static_cast<int64_t>(numbers::RoundHalfEven(areaHeight / 2.0L));
    gfx::Line(target, HeldCoordinate(lx), HeldCoordinate(ly), HeldCoordinate(lx + cellWidth), HeldCoordinate(ly),
              colour);
    // The fill text's own size lifts it, as style 9 lifts its label.
    FillAt(target, s, lx, ly - LiftAbove(fillFontSize), cellWidth, areaHeight);
    return;
  }
  gfx::Line(target, HeldCoordinate(x), HeldCoordinate(y), HeldCoordinate(int64_t{x} + cellWidth), HeldCoordinate(y),
            colour);
  LabelAt(target, s, x, int64_t{y} - LiftAbove(labelFontSize), cellWidth, areaHeight);
  FillAt(target, s, x, y, cellWidth, areaHeight);
}

}  // namespace

void DrawAdminClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                         int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                         gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                         int16_t alignment, int32_t labelVisible, std::string_view fillText, int16_t fillAlignment,
                         std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                         int16_t fillFontStyle, gfx::Colour controlBackColor, int32_t fillUseY, int16_t fillY) {
  LabelAndCell(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, colour, labelFontName,
               labelFontStyle, alignment, labelVisible, fillText, fillAlignment, fillFontName, fillFontSize,
               fillColour, fillFontStyle, controlBackColor, fillUseY, fillY, true);
}

void DrawAdminOpenCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                       int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                       gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                       int32_t labelVisible, std::string_view fillText, int16_t fillAlignment,
                       std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                       int16_t fillFontStyle, int32_t fillUseY, int16_t fillY) {
  LabelAndCell(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, colour, labelFontName,
               labelFontStyle, alignment, labelVisible, fillText, fillAlignment, fillFontName, fillFontSize,
               fillColour, fillFontStyle, gfx::kTransparent, fillUseY, fillY, false);
}

void DrawAdminClosedCells(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                          int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                          int32_t cellCount, gfx::Colour colour, std::string_view labelFontName,
                          int32_t labelFontStyle, int16_t alignment, int16_t cellSpacing, int32_t labelVisible,
                          std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                          int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle,
                          gfx::Colour controlBackColor, int32_t fillUseY, int16_t fillY) {
  LabelAndCells(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, cellCount, colour,
                labelFontName, labelFontStyle, alignment, cellSpacing, labelVisible, fillText, fillAlignment,
                fillFontName, fillFontSize, fillColour, fillFontStyle, controlBackColor, fillUseY, fillY, true);
}

void DrawAdminOpenCells(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                        int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                        int32_t cellCount, gfx::Colour colour, std::string_view labelFontName,
                        int32_t labelFontStyle, int16_t alignment, int16_t cellSpacing, int32_t labelVisible,
                        std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                        int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle, int32_t fillUseY,
                        int16_t fillY) {
  LabelAndCells(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, cellCount, colour,
                labelFontName, labelFontStyle, alignment, cellSpacing, labelVisible, fillText, fillAlignment,
                fillFontName, fillFontSize, fillColour, fillFontStyle, gfx::kTransparent, fillUseY, fillY, false);
}

void DrawAdminLabelLine(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                        int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                        gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                        int16_t alignment, std::string_view fillText, int16_t fillAlignment,
                        std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                        int16_t fillFontStyle) {
  LineWithTexts(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, colour, labelFontName,
                labelFontStyle, alignment, fillText, fillAlignment, fillFontName, fillFontSize, fillColour,
                fillFontStyle, true);
}

void DrawAdminOptionCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                         int32_t areaHeight, int16_t labelFontSize, gfx::Colour colour,
                         std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                         int32_t optionShape, int32_t optionMarked) {
  StartDrawing(target, 1);
  auto mark = [&](int64_t inset, gfx::Colour fill) {
    const double l = HeldCoordinate(int64_t{x} + inset), t = HeldCoordinate(int64_t{y} + inset);
    const double r = HeldCoordinate(int64_t{x} + areaHeight - inset),
                 b = HeldCoordinate(int64_t{y} + areaHeight - inset);
    if (optionShape == 1)
      gfx::Ellipse(target, l, t, r, b, colour, fill, 0);
    else
      gfx::Box(target, l, t, r, b, 0, colour, fill, 0);
  };
  mark(0, gfx::kTransparent);
  if (optionMarked == 1) mark(2, colour);
  LabelAt(target, MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment),
          int64_t{x} + areaHeight + 2, y, areaWidth, areaHeight);
}

void DrawAdminInnerClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                              int32_t areaWidth, int32_t areaHeight, int32_t penWidth, int16_t labelFontSize,
                              gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                              int16_t alignment, std::string_view fillText, int16_t fillAlignment,
                              std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                              int16_t fillFontStyle, gfx::Colour controlBackColor, int32_t fillUseY,
                              int16_t fillY) {
  BoxWithTexts(target, label, x, y, areaWidth, areaHeight, penWidth, labelFontSize, colour, labelFontName,
               labelFontStyle, alignment, fillText, fillAlignment, fillFontName, fillFontSize, fillColour,
               fillFontStyle, controlBackColor, fillUseY, fillY, false);
}

void DrawAdminOuterClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                              int32_t areaWidth, int32_t areaHeight, int32_t penWidth, int16_t labelFontSize,
                              gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                              int16_t alignment, std::string_view fillText, int16_t fillAlignment,
                              std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                              int16_t fillFontStyle, gfx::Colour controlBackColor, int32_t fillUseY,
                              int16_t fillY) {
  BoxWithTexts(target, label, x, y, areaWidth, areaHeight, penWidth, labelFontSize, colour, labelFontName,
               labelFontStyle, alignment, fillText, fillAlignment, fillFontName, fillFontSize, fillColour,
               fillFontStyle, controlBackColor, fillUseY, fillY, true);
}

void DrawAdminLineLabel(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                        int32_t areaHeight, int32_t cellWidth, int32_t penWidth, int16_t labelFontSize,
                        gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                        int16_t alignment, std::string_view fillText, int16_t fillAlignment,
                        std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                        int16_t fillFontStyle) {
  LineWithTexts(target, label, x, y, areaWidth, areaHeight, cellWidth, penWidth, labelFontSize, colour, labelFontName,
                labelFontStyle, alignment, fillText, fillAlignment, fillFontName, fillFontSize, fillColour,
                fillFontStyle, false);
}

void DrawAdminTextLabel(gfx::Surface& target, std::string_view label, int32_t x, int32_t y, int32_t areaWidth,
                        int32_t areaHeight, int32_t cellWidth, int32_t, int16_t labelFontSize, gfx::Colour colour,
                        std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                        int32_t labelVisible, std::string_view fillText, int16_t fillAlignment,
                        std::string_view fillFontName, int16_t fillFontSize, gfx::Colour fillColour,
                        int16_t fillFontStyle, int32_t) {
  StartDrawing(target, 1);
  if (labelVisible != 1) return;
  const Texts s = MakeTexts(label, labelFontSize, colour, labelFontName, labelFontStyle, alignment, fillText,
                            fillAlignment, fillFontName, fillFontSize, fillColour, fillFontStyle, true);
  LabelAt(target, s, x, y, areaWidth, areaHeight);
  FillAt(target, s, int64_t{x} + areaWidth - 2, y, cellWidth, areaHeight);
}

void DrawAdminStyle(gfx::Surface& target, int style, const AdminControlArgs& a) {
  switch (style) {
    case kAdminStyleClosedCell:
      DrawAdminClosedCell(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                          a.labelFontSize, a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.labelVisible,
                          a.fillText, a.fillAlignment, a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle,
                          a.controlBackColor, a.fillUseY, a.fillY);
      break;
    case kAdminStyleOpenCell:
      DrawAdminOpenCell(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                        a.labelFontSize, a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.labelVisible,
                        a.fillText, a.fillAlignment, a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle,
                        a.fillUseY, a.fillY);
      break;
    case kAdminStyleClosedCells:
      DrawAdminClosedCells(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                           a.labelFontSize, a.cellCount, a.colour, a.labelFontName, a.labelFontStyle, a.alignment,
                           a.cellSpacing, a.labelVisible, a.fillText, a.fillAlignment, a.fillFontName,
                           a.fillFontSize, a.fillColour, a.fillFontStyle, a.controlBackColor, a.fillUseY, a.fillY);
      break;
    case kAdminStyleOpenCells:
      DrawAdminOpenCells(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                         a.labelFontSize, a.cellCount, a.colour, a.labelFontName, a.labelFontStyle, a.alignment,
                         a.cellSpacing, a.labelVisible, a.fillText, a.fillAlignment, a.fillFontName, a.fillFontSize,
                         a.fillColour, a.fillFontStyle, a.fillUseY, a.fillY);
      break;
    case kAdminStyleLabelLine:
      DrawAdminLabelLine(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                         a.labelFontSize, a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.fillText,
                         a.fillAlignment, a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle);
      break;
    case kAdminStyleOptionCell:
      DrawAdminOptionCell(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.labelFontSize, a.colour,
                          a.labelFontName, a.labelFontStyle, a.alignment, a.optionShape, a.optionMarked);
      break;
    case kAdminStyleInnerClosedCell:
      DrawAdminInnerClosedCell(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.penWidth, a.labelFontSize,
                               a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.fillText, a.fillAlignment,
                               a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle, a.controlBackColor,
                               a.fillUseY, a.fillY);
      break;
    case kAdminStyleOuterClosedCell:
      DrawAdminOuterClosedCell(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.penWidth, a.labelFontSize,
                               a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.fillText, a.fillAlignment,
                               a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle, a.controlBackColor,
                               a.fillUseY, a.fillY);
      break;
    case kAdminStyleLineLabel:
      DrawAdminLineLabel(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                         a.labelFontSize, a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.fillText,
                         a.fillAlignment, a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle);
      break;
    case kAdminStyleLabelText:
      DrawAdminTextLabel(target, a.label, a.x, a.y, a.areaWidth, a.areaHeight, a.cellWidth, a.penWidth,
                         a.labelFontSize, a.colour, a.labelFontName, a.labelFontStyle, a.alignment, a.labelVisible,
                         a.fillText, a.fillAlignment, a.fillFontName, a.fillFontSize, a.fillColour, a.fillFontStyle, 0);
      break;
    default:
      break;
  }
}

namespace {

int32_t Size(int32_t v) { return std::clamp<int32_t>(v, 0, kAdminMaxSize); }

}  // namespace

AdminControlArgs AdminArgsOfObject(const PageObject& o) {
  AdminControlArgs a;
  a.label = FixedFieldText(o.text);
  a.x = HeldCoordinate(o.x);
  a.y = HeldCoordinate(o.y);
  a.areaWidth = Size(o.width);
  a.areaHeight = Size(o.height);
  a.cellWidth = Size(o.cellWidth);
  a.penWidth = Pen(o.penWidth);
  a.labelFontSize = o.fontSize;
  a.cellCount = std::clamp<int32_t>(o.cellCount, 0, kAdminMaxCellCount);
  a.colour = o.foreColor;
  a.labelFontName = FixedFieldText(o.fontName);
  a.labelFontStyle = o.fontStyle;
  a.alignment = o.alignment;
  a.cellSpacing = static_cast<int16_t>(Size(o.cellSpacing));
  a.labelVisible = o.labelVisible;
  a.fillText = FixedFieldText(o.fillText);
  a.fillAlignment = o.fillAlignment;
  a.fillFontName = FixedFieldText(o.fillFontName);
  a.fillFontSize = o.fillFontSize;
  a.fillColour = o.fillForeColor;
  a.fillFontStyle = o.fillFontStyle;
  a.controlBackColor = o.controlBackColor;
  a.fillUseY = o.fillUseY;
  a.fillY = o.fillY;
  a.optionShape = o.optionShape;
  a.optionMarked = o.optionMarked;
  return a;
}

void DrawAdminObject(gfx::Surface& target, const PageObject& o) {
  const bool optionCell = o.adminStyle == kAdminStyleOptionCell;
  if ((o.kind == kAdminControl && !optionCell) || (o.kind == kAdminOptionCell && optionCell))
    DrawAdminStyle(target, o.adminStyle, AdminArgsOfObject(o));
}
