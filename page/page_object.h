// One page object: the fixed record kept in the page-object store, in the object clipboard
// and, byte for byte, in the document file. Packed, little-endian, no gaps; signed integers;
// text fields are 1252 bytes ending with a zero byte (a field of N bytes holds N-1
// characters). Colours are Windows colour values, -2 transparent.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct PageObject {
  int32_t x;  // 0: left edge in page pixels (the insertion position insertX when inserted; moved by dragging)
  int32_t y;  // 4: top edge in page pixels (insertY at insertion); in slot 1 the scroll offset
  int32_t width;  // 8: width in pixels (per kind)
  int32_t height;  // 12: height in pixels (per kind)
  int32_t backColor;  // 16: background colour (per kind)
  int32_t foreColor;  // 20: text or drawing colour (per kind)
  int32_t dragging;  // 24: run-time flag of the canvas: 1 while the object is being dragged
  int32_t kind;  // 28: ObjectKind; 0 = empty slot
  int32_t bitmapHandle;  // 32: run-time handle of the loaded image (kind 1); rebuilt after a read
  char imagePath[260];  // 36: image file path (kind 1)
  int32_t calendarYear;  // 296: year (kind 2)
  int32_t calendarMonth;  // 300: month 1 to 12 (kind 2)
  int32_t borderColor;  // 304: kind 5: the border (pen) colour of the shape; kind 2: the border colour of the month block
  int32_t fontHandle;  // 308: run-time font handle; rebuilt after a read (kinds 3, 4) and by the painter
  int16_t fontSize;  // 312: font size in points
  int32_t optionFlag1;  // 314: kind 2: holidays marked; kind 11: text shown
  int32_t optionFlag2;  // 318: kind 2: transparent background; kind 11: shadow shown
  int32_t optionFlag3;  // 322: kind 2: coloured background; kind 11: corner lines shown
  int16_t alignment;  // 326: kinds 3, 9, 12: TextAlignment 131 to 134; kind 2: MonthNamePosition 1 to 3; kinds 7, 8: the preset's alignment
  char fontName[260];  // 328: font face name
  int32_t fontStyle;  // 588: TextStyleFlags
  char text[1024];  // 592: main text; kinds 7, 8: label text; kind 10: the character; kind 11: the label
  int32_t angle;  // 1616: kinds 4 and 10: text angle in tenths of a degree (10 x the degrees of the text properties)
  int32_t roundedCorners;  // 1620: kind 5
  int32_t shapeType;  // 1624: kind 5: 7001 (&H1B59) square or rectangle, any other value circle or ellipse
  int32_t fillStyle;  // 1628: kind 5: fill style 0 to 6 (HatchStyle)
  int32_t lineStyle;  // 1632: kind 5: LineStyle 0 to 4
  int32_t lineWidth;  // 1636: kind 5: pen width in pixels, 1 to 15
  int16_t roundingPercent;  // 1640: kind 5: corner rounding 0 to 100
  int16_t arrowLength;  // 1642: kind 6
  int32_t arrowColor;  // 1644: kind 6
  uint8_t arrowHeads;  // 1648: kind 6: 0, 1 or 2 heads
  int16_t arrowLineWidth;  // 1649: kind 6
  int16_t arrowDirection;  // 1651: kind 6: ArrowDirection 1 to 8
  int32_t arrowClosedHead;  // 1653: kind 6: 1 = closed heads (a triangle outline, not filled)
  int16_t arrowHeadSize;  // 1657: kind 6
  int32_t cellWidth;  // 1659: kinds 7, 8: preset w
  int32_t penWidth;  // 1663: kinds 7, 8: preset pluma; kind 11: 1
  int32_t labelVisible;  // 1667: kinds 7, 8: preset eti (1 = label drawn)
  char fillText[274];  // 1671: kind 7: the value written into the cells (empty at insertion)
  int32_t cellCount;  // 1945: kinds 7, 8: preset n
  int16_t cellSpacing;  // 1949: kinds 7, 8: preset sepa
  int16_t adminStyle;  // 1951: kinds 7, 8: AdminControlStyle
  int32_t fillBackColor;  // 1953: kind 7: background of the fill text
  int32_t fillForeColor;  // 1957: kind 7: colour of the fill text
  char fillFontName[50];  // 1961: kind 7: font of the fill text
  int16_t fillFontSize;  // 2011: kind 7
  int32_t fillBold;  // 2013: kind 7: 0 or 1
  int32_t fillItalic;  // 2017: kind 7: 0 or 1
  int32_t fillUnderline;  // 2021: kind 7: 0 or 1
  int32_t fillStrikeout;  // 2025: kind 7: 0 or 1
  int32_t fillLeading;  // 2029: kind 7: 0 or 1
  int16_t fillAlignment;  // 2033: kind 7: 131 left (set at insertion), 132 right, 133 centre
  int16_t fillFontStyle;  // 2035: kind 7: TextStyleFlags of the fill text
  int32_t optionShape;  // 2037: kind 8: 0 square mark, 1 round mark (preset shape)
  int32_t optionMarked;  // 2041: kind 8: 1 = marked (set at insertion; toggled by a click in edit mode; cleared by "Resetear Rellenos")
  int32_t controlBackColor;  // 2045: kinds 7, 8: background of the control (&HFFFFFF at insertion)
  char databaseField[31];  // 2049: name of the linked database field that fills or captures this object
  int32_t fillUseY;  // 2080: kind 7: 1 = the fill text is written at the fixed y below
  int16_t fillY;  // 2084: kind 7: that y in pixels
};
#pragma pack(pop)

static_assert(sizeof(PageObject) == 2086);
static_assert(offsetof(PageObject, x) == 0);
static_assert(offsetof(PageObject, y) == 4);
static_assert(offsetof(PageObject, width) == 8);
static_assert(offsetof(PageObject, height) == 12);
static_assert(offsetof(PageObject, backColor) == 16);
static_assert(offsetof(PageObject, foreColor) == 20);
static_assert(offsetof(PageObject, dragging) == 24);
static_assert(offsetof(PageObject, kind) == 28);
static_assert(offsetof(PageObject, bitmapHandle) == 32);
static_assert(offsetof(PageObject, imagePath) == 36);
static_assert(offsetof(PageObject, calendarYear) == 296);
static_assert(offsetof(PageObject, calendarMonth) == 300);
static_assert(offsetof(PageObject, borderColor) == 304);
static_assert(offsetof(PageObject, fontHandle) == 308);
static_assert(offsetof(PageObject, fontSize) == 312);
static_assert(offsetof(PageObject, optionFlag1) == 314);
static_assert(offsetof(PageObject, optionFlag2) == 318);
static_assert(offsetof(PageObject, optionFlag3) == 322);
static_assert(offsetof(PageObject, alignment) == 326);
static_assert(offsetof(PageObject, fontName) == 328);
static_assert(offsetof(PageObject, fontStyle) == 588);
static_assert(offsetof(PageObject, text) == 592);
static_assert(offsetof(PageObject, angle) == 1616);
static_assert(offsetof(PageObject, roundedCorners) == 1620);
static_assert(offsetof(PageObject, shapeType) == 1624);
static_assert(offsetof(PageObject, fillStyle) == 1628);
static_assert(offsetof(PageObject, lineStyle) == 1632);
static_assert(offsetof(PageObject, lineWidth) == 1636);
static_assert(offsetof(PageObject, roundingPercent) == 1640);
static_assert(offsetof(PageObject, arrowLength) == 1642);
static_assert(offsetof(PageObject, arrowColor) == 1644);
static_assert(offsetof(PageObject, arrowHeads) == 1648);
static_assert(offsetof(PageObject, arrowLineWidth) == 1649);
static_assert(offsetof(PageObject, arrowDirection) == 1651);
static_assert(offsetof(PageObject, arrowClosedHead) == 1653);
static_assert(offsetof(PageObject, arrowHeadSize) == 1657);
static_assert(offsetof(PageObject, cellWidth) == 1659);
static_assert(offsetof(PageObject, penWidth) == 1663);
static_assert(offsetof(PageObject, labelVisible) == 1667);
static_assert(offsetof(PageObject, fillText) == 1671);
static_assert(offsetof(PageObject, cellCount) == 1945);
static_assert(offsetof(PageObject, cellSpacing) == 1949);
static_assert(offsetof(PageObject, adminStyle) == 1951);
static_assert(offsetof(PageObject, fillBackColor) == 1953);
static_assert(offsetof(PageObject, fillForeColor) == 1957);
static_assert(offsetof(PageObject, fillFontName) == 1961);
static_assert(offsetof(PageObject, fillFontSize) == 2011);
static_assert(offsetof(PageObject, fillBold) == 2013);
static_assert(offsetof(PageObject, fillItalic) == 2017);
static_assert(offsetof(PageObject, fillUnderline) == 2021);
static_assert(offsetof(PageObject, fillStrikeout) == 2025);
static_assert(offsetof(PageObject, fillLeading) == 2029);
static_assert(offsetof(PageObject, fillAlignment) == 2033);
static_assert(offsetof(PageObject, fillFontStyle) == 2035);
static_assert(offsetof(PageObject, optionShape) == 2037);
static_assert(offsetof(PageObject, optionMarked) == 2041);
static_assert(offsetof(PageObject, controlBackColor) == 2045);
static_assert(offsetof(PageObject, databaseField) == 2049);
static_assert(offsetof(PageObject, fillUseY) == 2080);
static_assert(offsetof(PageObject, fillY) == 2084);

// ObjectKind: the kind field.
enum ObjectKind : int32_t {
  kEmptySlot = 0,
  kImage = 1,
  kMonthCalendar = 2,
  kAlignedText = 3,
  kAngledText = 4,
  kSquareOrCircle = 5,
  kArrow = 6,
  kAdminControl = 7,
  kAdminOptionCell = 8,
  kLineText = 9,
  kMathsCharacter = 10,
  kCornerMarks = 11,
  kMemoText = 12,
};
