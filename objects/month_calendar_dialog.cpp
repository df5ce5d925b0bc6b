#include "objects/month_calendar_dialog.h"

#include <string>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "objects/colours.h"
#include "objects/holidays.h"
#include "objects/text_properties.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace month_calendar_ids;

MonthSettings monthSettings;
int32_t& monthNamePosition = monthSettings.options.namePosition;
int32_t& monthColouredBackground = monthSettings.options.colouredBackground;
int32_t& monthTransparentBackground = monthSettings.options.transparentBackground;
int32_t& monthIncludeHolidays = monthSettings.options.includeHolidays;
gfx::Colour& monthBackColour = monthSettings.backColour;
gfx::Colour& monthBorderColour = monthSettings.borderColour;
int32_t monthCalendarYear = 0;
int32_t monthCalendarMonth = 1;
int32_t monthDialogAccepted = 0;
int32_t monthDialogOpen = 0;
gfx::Surface* monthPreviewBitmap = nullptr;

namespace {

StartValues startValues(monthSettings, monthCalendarYear, monthCalendarMonth, monthDialogAccepted,
                        monthDialogOpen);


DialogSkeleton skeleton{&monthDialogOpen, &monthDialogAccepted, kCancelar};

constexpr const char* kFace = "MS Sans Serif";

void DrawPreview(ui::Window window) {
  if (!monthPreviewBitmap) return;
  ClearGraphicTarget(*monthPreviewBitmap);
  const gfx::FontKey font = MakeSystemFont("Tahoma", 16, kStyleBold, 1);
  MeasureMonthCalendar(*monthPreviewBitmap, monthCalendarYear, monthCalendarMonth, 12, 10, monthBorderColour,
                       monthBackColour, font, 16);
  DrawMonthCalendar(*monthPreviewBitmap, monthCalendarYear, monthCalendarMonth, 12, 10, monthBorderColour,
                    monthBackColour, font, 16);
  gfx::Select(ui::ControlSurface(window, kPreview));
  ShowBitmapIn(window, kPreview, *monthPreviewBitmap);
}

void EnableBoxControls(ui::Window window) {
  const bool coloured = monthColouredBackground != 0;
  ui::Enable(window, kBorderChooser, coloured);
  ui::Enable(window, kTransparent, coloured);
  ui::Enable(window, kBackChooser, coloured && monthTransparentBackground == 0);
}

void Initialise(ui::Window window) {
  ui::Enable(window, kRight, false);
  // A holidays file that cannot be read is said so, and counts as none.
  std::string refused;
  if (FileExists(HolidaysPath()) != 0 && (refused = LoadHolidays()).empty()) {
    ui::Enable(window, kHolidays, true);
  } else {
    ShowMessageIfAny(refused);
    ui::Enable(window, kHolidays, false);
    for (auto& day : holidayColourTable) day.fill(0);
    monthIncludeHolidays = 0;
  }
  ui::SetCheck(window, kTransparent, monthTransparentBackground != 0);
  ui::SetCheck(window, kHolidays, monthIncludeHolidays != 0);
  ui::SetCheck(window, kColoured, monthColouredBackground != 0);
  EnableBoxControls(window);
  PaintSwatch(window, kBackSwatch, monthBackColour);
  PaintSwatch(window, kBorderSwatch, monthBorderColour);
  ui::ListClear(window, kMonth);
  for (int m = 1; m <= 12; ++m)
    ui::ListAdd(window, kMonth, numbers::FormatWithMask(m, "00") + " - " + GetMonthName(m));
  ui::ListSelect(window, kMonth, monthCalendarMonth - 1);
  if (monthNamePosition >= 1 && monthNamePosition <= 3) ui::SetCheck(window, kLeft + monthNamePosition - 1, true);
  ui::SetTextColour(window, kNote, 0x808080);
  ui::SetBackColour(window, kNote, gfx::kWhite);
  RemakeDialogBitmap(monthPreviewBitmap, 262, 282);
  DrawPreview(window);
}

void Choose(ui::Window window, gfx::Colour& into, int swatch) {
  if (ChooseSwatchColour(window, swatch, customColours, into)) DrawPreview(window);
}

void TakePicked(ui::Window window, gfx::Colour& into, int swatch) {
  TakePickedColour(into);
  PaintSwatch(window, swatch, into);
  DrawPreview(window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  switch (id) {
    case kBackSwatch:
      TakePicked(window, monthBackColour, kBackSwatch);
      break;
    case kBorderSwatch:
      TakePicked(window, monthBorderColour, kBorderSwatch);
      break;
    case kYear:
      if (code != ui::kEditChange) break;
      // Read wide and saturated: the drawing arithmetic is wide, so any year draws.
      monthCalendarYear = numbers::ToInt32(numbers::NumericValueOfText(ui::Text(window, kYear)));
      DrawPreview(window);
      break;
    case kMonth:
      monthCalendarMonth = numbers::ToInt32(ListLineNumber(ui::Text(window, kMonth)));
      DrawPreview(window);
      break;
    case kLeft:
    case kCentre:
    case kRight:
      monthNamePosition = id - kLeft + 1;
      DrawPreview(window);
      break;
    case kColoured:
      monthColouredBackground = ui::Checked(window, kColoured) ? 1 : 0;
      EnableBoxControls(window);
      DrawPreview(window);
      break;
    case kTransparent:
      monthTransparentBackground = ui::Checked(window, kTransparent) ? 1 : 0;
      ui::Enable(window, kBackChooser, monthTransparentBackground == 0);
      DrawPreview(window);
      break;
    case kHolidays:
      monthIncludeHolidays = ui::Checked(window, kHolidays) ? 1 : 0;
      DrawPreview(window);
      break;
    default:
      if (IsButtonPress(id, code, kBackChooser)) {
        Choose(window, monthBackColour, kBackSwatch);
      } else if (IsButtonPress(id, code, kBorderChooser)) {
        Choose(window, monthBorderColour, kBorderSwatch);
      } else if (IsButtonPress(id, code, kAceptar)) {
        FinishDialog(skeleton, window, true);
      } else if (IsButtonPress(id, code, kCancelar)) {
        FinishDialog(skeleton, window, false);
      }
      break;
  }
}

constexpr DialogHandlers kHandlers{
    .init = Initialise,
    .command = OnCommand,
    .destroy = [](ui::Window) { ReleaseDialogBitmap(monthPreviewBitmap); }};

}  // namespace

int ShowMonthCalendarDialog(ui::Window parent) {
  GetTodaysYearAndMonth(monthCalendarYear, monthCalendarMonth);
  ui::DialogTemplate t;
  t.caption = "Configurador de mes";
  t.w = 626;
  t.h = 419;
  t.x = 109;
  t.y = 100;
  t.units = ui::Units::Pixels;
  t.font = kFace;
  t.points = 14;
  // The year goes in with the template, so that opening does not count as typing.
  t.controls = {
      {ui::Kind::Graphic, kPreview, "", 8, 24, 262, 282, ui::kBorder},
      {ui::Kind::Label, 7702, "Renderizacion del mes sin tama\xF1o fuente", 8, 8, 264, 16, 0, kFace, 8},
      // 60 wide: the sans face that stands in for MS Sans Serif needs it for four digits.
      {ui::Kind::Edit, kYear, numbers::NumberText(monthCalendarYear), 280, 24, 60, 32, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 7704, "A\xF1o", 280, 0, 56, 24},
      {ui::Kind::DropList, kMonth, "", 344, 24, 240, 32},
      {ui::Kind::Label, 7706, "Mes del a\xF1o", 344, 0, 240, 24},
      {ui::Kind::OptionBox, kLeft, "Alineamiento del mes a la izquierda", 288, 80, 312, 24, ui::kGroupStart, kFace, 12},
      {ui::Kind::OptionBox, kCentre, "Alineamiento del mes al centro", 288, 104, 312, 24, 0, kFace, 12},
      {ui::Kind::OptionBox, kRight, "Alineamiento del mes a la derecha", 288, 128, 312, 24, 0, kFace, 12},
      {ui::Kind::GroupFrame, 7710, "Posicion nombre del mes", 280, 64, 336, 96, 0, kFace, 8},
      {ui::Kind::CheckBox, kColoured, "Quiero un fondo de color en mes", 280, 168, 336, 24},
      {ui::Kind::Graphic, kBackSwatch, "", 280, 200, 30, 30, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kBackChooser, "...", 320, 204, 40, 24, 0, kFace, 18},
      {ui::Kind::Label, 7714, "Color fondo mes", 368, 204, 248, 24},
      {ui::Kind::Button, kBorderChooser, "...", 320, 240, 40, 24, 0, kFace, 18},
      {ui::Kind::Graphic, kBorderSwatch, "", 280, 236, 30, 30, ui::kBorder | ui::kNotify},
      {ui::Kind::Label, 7717, "Color borde mes", 368, 240, 248, 24},
      {ui::Kind::CheckBox, kTransparent, "Color fondo transparente", 280, 272, 336, 24},
      {ui::Kind::CheckBox, kHolidays, "Incluir dias festivos", 8, 307, 336, 24},
      {ui::Kind::Label, kNote,
       "El tama\xF1o del mes, depende de la configuracion que des al texto. Puedes poner fuente distinta, asi "
       "como cualquier tama\xF1o, en : Personalizar --> Propiedades Texto.",
       8, 336, 336, 72, ui::kBorder, kFace, 10},
      {ui::Kind::Button, kAceptar, "Aceptar", 528, 336, 90, 32},
      {ui::Kind::Button, kCancelar, "Cancelar", 528, 375, 90, 32},
  };
  return ui::RunModal(t, parent, MonthCalendarDialogProc);
}

intptr_t MonthCalendarDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

MonthCalendarOptions MonthOptionsOfSettings() {
  MonthCalendarOptions options = monthSettings.options;
  options.nameColour = textForeColour;
  return options;
}

int16_t DrawMonthCalendar(gfx::Surface& target, int32_t year, int32_t month, int32_t x, int32_t y,
                          gfx::Colour borderColour, gfx::Colour backColour, gfx::FontKey font,
                          int16_t cellSize) {
  DrawMonthBlock(target, year, month, x, y, borderColour, backColour, font, cellSize,
                 MonthOptionsOfSettings());
  return 1;
}

gfx::FontKey MonthCalendarInsertFont() {
  return MakeSystemFont(textFontName, textFontSize, kStyleBold, 1);
}

void DrawMonthCalendarAt(gfx::Surface& target, int32_t x, int32_t y, gfx::FontKey font,
                         int16_t cellSize) {
  MeasureMonthCalendar(target, monthCalendarYear, monthCalendarMonth, x, y, monthBorderColour,
                       monthBackColour, font, cellSize);
  DrawMonthCalendar(target, monthCalendarYear, monthCalendarMonth, x, y, monthBorderColour,
                    monthBackColour, font, cellSize);
}

void StoreMonthCalendarSettings(PageObject& object, gfx::FontKey font) {
  object.width = monthBlockRight;
  object.height = monthBlockBottom;
  object.backColor = monthBackColour;
  object.borderColor = monthBorderColour;
  object.bitmapHandle = 0;
  object.calendarYear = monthCalendarYear;
  object.calendarMonth = monthCalendarMonth;
  object.fontHandle = font;
  object.fontSize = textFontSize;
  PutMonthCalendarOptions(object, monthSettings.options);
  SetFixedField(object.fontName, gfx::FontOf(font).face);
  object.fontStyle = kStyleBold;
}

void LoadMonthCalendarSettings(const PageObject& object) {
  monthSettings.options = MonthOptionsOfObject(object, gfx::kBlack);
}

gfx::FontKey MonthCalendarObjectFont(PageObject& object) {
  return StoredMonthCalendarFont(object, textFontName);
}

void DrawMonthCalendarObject(gfx::Surface& target, PageObject& object) {
  LoadMonthCalendarSettings(object);
  DrawStoredMonthCalendar(target, object, textForeColour, textFontName);
}

void ResetMonthCalendarDialogState() {
  ReleaseDialogBitmap(monthPreviewBitmap);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetMonthCalendarDialogState);
