// The drawers of the ten administrative-control styles. They draw from plain arguments and
// change none of them; they know neither dialogs nor presets, so the printing program links
// them alone. Fonts are made at each call (the graphic layer's cache hands back the same key
// for the same description). Pens wider than 100 pixels are drawn 100 wide, and coordinates
// are held within a million pixels of the origin.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"

// Style 1: the label (when labelVisible is 1), then one closed box cellWidth wide. The box
// is drawn with penWidth, as the cell primitive sets it.
void DrawAdminClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                         int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                         int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                         int32_t labelFontStyle, int16_t alignment, int32_t labelVisible,
                         std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                         int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle,
                         gfx::Colour controlBackColor, int32_t fillUseY, int16_t fillY);
// Style 2: as style 1 with a cell open at the top.
void DrawAdminOpenCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                       int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                       int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                       int32_t labelFontStyle, int16_t alignment, int32_t labelVisible,
                       std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                       int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle,
                       int32_t fillUseY, int16_t fillY);
// Style 3: the label, then cellCount closed cells cellSpacing apart, the i-th holding the
// i-th character of the fill text. Cells past the target's right edge are not drawn.
void DrawAdminClosedCells(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                          int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                          int16_t labelFontSize, int32_t cellCount, gfx::Colour colour,
                          std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                          int16_t cellSpacing, int32_t labelVisible, std::string_view fillText,
                          int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                          gfx::Colour fillColour, int16_t fillFontStyle, gfx::Colour controlBackColor,
                          int32_t fillUseY, int16_t fillY);
// Style 4: as style 3 with open cells; the label sits one pixel lower.
void DrawAdminOpenCells(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                        int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                        int16_t labelFontSize, int32_t cellCount, gfx::Colour colour,
                        std::string_view labelFontName, int32_t labelFontStyle, int16_t alignment,
                        int16_t cellSpacing, int32_t labelVisible, std::string_view fillText,
                        int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                        gfx::Colour fillColour, int16_t fillFontStyle, int32_t fillUseY, int16_t fillY);
// Style 5: the label, then a writing line cellWidth long at half the area's height, the fill
// text standing on it.
void DrawAdminLabelLine(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                        int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                        int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                        int32_t labelFontStyle, int16_t alignment, std::string_view fillText,
                        int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                        gfx::Colour fillColour, int16_t fillFontStyle);
// Style 6: an option mark areaHeight square (round when optionShape is 1), filled inside
// when optionMarked is 1, and the label beside it.
void DrawAdminOptionCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                         int32_t areaWidth, int32_t areaHeight, int16_t labelFontSize,
                         gfx::Colour colour, std::string_view labelFontName, int32_t labelFontStyle,
                         int16_t alignment, int32_t optionShape, int32_t optionMarked);
// Style 7: a box areaWidth x areaHeight with the label and the fill text inside it.
void DrawAdminInnerClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                              int32_t areaWidth, int32_t areaHeight, int32_t penWidth,
                              int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                              int32_t labelFontStyle, int16_t alignment, std::string_view fillText,
                              int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                              gfx::Colour fillColour, int16_t fillFontStyle, gfx::Colour controlBackColor,
                              int32_t fillUseY, int16_t fillY);
// Style 8: as style 7 with the label above the box.
void DrawAdminOuterClosedCell(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                              int32_t areaWidth, int32_t areaHeight, int32_t penWidth,
                              int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                              int32_t labelFontStyle, int16_t alignment, std::string_view fillText,
                              int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                              gfx::Colour fillColour, int16_t fillFontStyle, gfx::Colour controlBackColor,
                              int32_t fillUseY, int16_t fillY);
// Style 9: a writing line cellWidth long at y with the label above it.
void DrawAdminLineLabel(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                        int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                        int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                        int32_t labelFontStyle, int16_t alignment, std::string_view fillText,
                        int16_t fillAlignment, std::string_view fillFontName, int16_t fillFontSize,
                        gfx::Colour fillColour, int16_t fillFontStyle);
// Style 10: the label and the fill text beside it, no lines; nothing at all unless
// labelVisible is 1. The last argument has always been passed and is not read.
void DrawAdminTextLabel(gfx::Surface& target, std::string_view label, int32_t x, int32_t y,
                        int32_t areaWidth, int32_t areaHeight, int32_t cellWidth, int32_t penWidth,
                        int16_t labelFontSize, gfx::Colour colour, std::string_view labelFontName,
                        int32_t labelFontStyle, int16_t alignment, int32_t labelVisible,
                        std::string_view fillText, int16_t fillAlignment, std::string_view fillFontName,
                        int16_t fillFontSize, gfx::Colour fillColour, int16_t fillFontStyle, int32_t unused);

// Every argument any drawer takes, for the callers that choose the drawer by style.
struct AdminControlArgs {
  std::string label;
  int32_t x = 0, y = 0;
  int32_t areaWidth = 0, areaHeight = 0;
  int32_t cellWidth = 0;
  int32_t penWidth = 1;
  int16_t labelFontSize = 10;
  int32_t cellCount = 1;
  gfx::Colour colour = 0;
  std::string labelFontName;
  int32_t labelFontStyle = 0;
  int16_t alignment = 131;
  int16_t cellSpacing = 0;
  int32_t labelVisible = 1;
  std::string fillText;
  int16_t fillAlignment = 0;
  std::string fillFontName = "Tahoma";
  int16_t fillFontSize = 10;
  gfx::Colour fillColour = 0;
  int16_t fillFontStyle = 0;
  gfx::Colour controlBackColor = gfx::kWhite;
  int32_t fillUseY = 0;
  int16_t fillY = 0;
  int32_t optionShape = 0;
  int32_t optionMarked = 1;
};

// The drawer of `style` with its share of the arguments; a style outside 1..10 draws nothing.
void DrawAdminStyle(gfx::Surface& target, int style, const AdminControlArgs& a);

// A stored object of kind 7 or 8 as the painter draws it: its fields, with sizes, counts,
// pens and font sizes a damaged document may hold brought within the ranges the dialogs give.
AdminControlArgs AdminArgsOfObject(const PageObject& object);
// Draws it with its style's drawer, fill text included: kind 7 for every style but 6, kind 8
// for style 6 only; anything else draws nothing.
void DrawAdminObject(gfx::Surface& target, const PageObject& object);
