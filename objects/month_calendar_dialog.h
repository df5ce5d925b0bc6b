// "Configurador de mes" (command 1061): the year, month, name position, box colours and
// options of a new month calendar, with a live preview. It edits the month settings in
// place; "Cancelar" does not give them back, only the accepted flag tells the caller.
#pragma once
#include <cstdint>

#include "page/month_calendar.h"
#include "page/page_object.h"
#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

// Month settings: the dialog edits them and the insert stores them; after a repaint the
// options hold the last calendar painted, unless the dialog is open. The name's colour is
// not one of them: the text properties give it.
struct MonthSettings {
  MonthCalendarOptions options;
  gfx::Colour backColour = gfx::kWhite;
  gfx::Colour borderColour = gfx::kBlack;
};
extern MonthSettings monthSettings;
// Each month setting by its name, in the value above, and the year and month shown; the
// PageObject field of each is named beside it.
extern int32_t& monthNamePosition;           // alignment
extern int32_t& monthColouredBackground;     // optionFlag3: draw the box
extern int32_t& monthTransparentBackground;  // optionFlag2: the box without filling
extern int32_t& monthIncludeHolidays;        // optionFlag1: colour the listed holidays
extern gfx::Colour& monthBackColour;         // backColor
extern gfx::Colour& monthBorderColour;       // borderColor
extern int32_t monthCalendarYear;           // calendarYear
extern int32_t monthCalendarMonth;          // calendarMonth: 1 to 12

extern int32_t monthDialogAccepted;          // 1 after "Aceptar"
extern int32_t monthDialogOpen;              // re-entry guard
extern gfx::Surface* monthPreviewBitmap;     // 262 x 282, made at each opening

// The dialog's control ids.
namespace month_calendar_ids {
inline constexpr int kPreview = 7701, kYear = 7703, kMonth = 7705;
inline constexpr int kLeft = 7707, kCentre = 7708, kRight = 7709;
inline constexpr int kColoured = 7711, kBackSwatch = 7712, kBackChooser = 7713;
inline constexpr int kBorderChooser = 7715, kBorderSwatch = 7716;
inline constexpr int kTransparent = 7718, kHolidays = 7719, kNote = 7720, kAceptar = 7721;
inline constexpr int kCancelar = 7722;
}  // namespace month_calendar_ids

// Runs the dialog modally; the results are in the month settings.
int ShowMonthCalendarDialog(ui::Window parent);
intptr_t MonthCalendarDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// The first four month settings as the drawer takes them, the name in textForeColour.
MonthCalendarOptions MonthOptionsOfSettings();
// Draws the block MeasureMonthCalendar has just measured with the same arguments, by the
// month settings and with the name in textForeColour. Returns 1.
int16_t DrawMonthCalendar(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                          gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                          int16_t cellSize);

// The insert's side. The font of a new calendar: the text properties' face and size, bold.
gfx::FontKey MonthCalendarInsertFont();
// Measures and draws the calendar of the month settings at (x, y) in `font`, whose size in
// points is also the cell size.
void DrawMonthCalendarAt(gfx::Surface& target, int32_t x, int32_t y, gfx::FontKey font,
                         int16_t cellSize);
// The settings and the block just measured into a new object's fields (position and kind
// are the handler's): width and height are the block's absolute edges, and the face and
// style are kept so that the calendar draws alike after the document is read again.
void StoreMonthCalendarSettings(PageObject& object, gfx::FontKey font);

// A stored calendar's four drawing settings into the month settings.
void LoadMonthCalendarSettings(const PageObject& object);
// A stored calendar's font; an empty face takes the text properties' face. Sets fontHandle.
gfx::FontKey MonthCalendarObjectFont(PageObject& object);
// Loads the settings, makes the font and measures and draws the calendar at its position.
void DrawMonthCalendarObject(gfx::Surface& target, PageObject& object);

// Puts the month settings and the flags back and lets the preview go, as the run starts.
void ResetMonthCalendarDialogState();
