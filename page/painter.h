// The page half of the painter: every object of the store drawn onto the page it is given by
// its kind, from its own fields, and the page background (outline, margins, ambient colour,
// rulers and graph papers). Each program shows the page on its canvas itself.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "page/page_object.h"
#include "platform/gfx/gfx.h"

constexpr int kCanvasWidth = 794;
constexpr int kCanvasHeight = 955;

// The page (paper size in pixels) and the picture shown by the canvas control.
extern gfx::Surface* pageBitmap;
extern gfx::Surface* canvasBitmap;

// The rulers and graph papers, at most one on, in the order of their commands 1062 to 1067.
enum RulerFlag {
  kRulerMm = 0,          // "Regla Milimetros"
  kPaperMm = 1,          // "Papel Milimetrado"
  kPaperSuperMm = 2,     // "Papel SuperMilimetrado"
  kRulerPx = 3,          // "Regla Pixeles"
  kPaperSquared = 4,     // "Papel Cuadriculado"
  kPaperSuperSquared = 5,  // "Papel SuperCuadriculado"
};
extern std::array<int32_t, 6> rulerFlags;

// While filledTextsShown is 1, an aligned text is drawn with the text the record fill put
// in savedPlaceholderTexts for its slot (slots without an entry keep their own text).
extern int32_t filledTextsShown;
extern std::vector<std::string> savedPlaceholderTexts;
// Drops the filled copies of `slot` and every slot above it: an object inserted or pasted
// there since the record fill shows its own text.
void ForgetFilledTextsFrom(int slot);

// Makes (or makes anew) the page bitmap at the paper size and the canvas bitmap, both white.
void MakePageBitmaps();
void ReleasePageBitmaps();

// What a stored object does not say and the program decides: the colour of month calendars'
// names and the face of a calendar stored without one (the designer gives its current text
// properties); whether memo texts show, and whether aligned texts show the texts the record
// fill gave them (the form-filling program shows neither: its memo texts only hold a place,
// and its aligned texts show their placeholders as written); and whether images are drawn in
// their stored box or at their true size (the form-filling program's, whatever the box).
struct PaintDefaults {
  gfx::Colour monthNameColour = 0;
  std::string fallbackFontName = "Times New Roman";
  bool memoTextsShown = true;
  bool filledTextsUsed = true;
  bool imagesAtTrueSize = false;
};

// Draws slots 2 to objectCount onto `page`, which the caller has cleared, after the ambient
// colour. Mode 1 marks the objects that can be picked with a red outline, mode 7 hides the
// administrative object in currentObjectIndex under a dark block, any other mode draws no
// marks.
void PaintAllObjects(gfx::Surface& page, int32_t mode, const PaintDefaults& defaults = {});
// One object as PaintAllObjects draws it from slot `slot`, marks included; empty slots and
// unknown kinds draw nothing.
void PaintObject(gfx::Surface& page, PageObject& object, int slot, int32_t mode,
                 const PaintDefaults& defaults);
// The ambient colour inside the margins, when it is on.
void FillMarginArea(gfx::Surface& bitmap);
// The page outline (withOutline 1), the margin lines (unless the settings say "no margins")
// and the active ruler or graph paper.
void DrawPageBackground(gfx::Surface& bitmap, int32_t withOutline);
// The same with the margin lines only when `marginLines` is set, whatever the settings say.
void DrawPageBackground(gfx::Surface& bitmap, int32_t withOutline, bool marginLines);
void DrawMarginLines(gfx::Surface& bitmap);

// Rulers and graph papers along one edge: `edge` 1 the left edge (marks along y), 0 the top
// edge (marks along x). The millimetre ones take the unit (1 millimetres, 0 tenths of an
// inch, anything else draws nothing); the pixel ones the length to cover in pixels.
void DrawMillimetreRuler(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawSuperMillimetrePaper(gfx::Surface& target, int32_t unit, int32_t edge);
void DrawPixelRuler(gfx::Surface& target, int32_t length, int32_t edge);
void DrawSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge);
void DrawSuperSquaredPaper(gfx::Surface& target, int32_t length, int32_t edge);

// Puts the bitmaps, the rulers and the filled texts back as the run starts.
void ResetPainterState();
