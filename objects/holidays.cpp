#include "objects/holidays.h"

#include <cerrno>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "objects/colours.h"
#include "page/month_calendar.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"

using namespace holidays_ids;

std::array<HolidayRecord, kHolidayTableSize> holidayList{};
int32_t holidayCount = 0;
int32_t holidaysSaved = -1;
gfx::Colour holidayChosenColour = gfx::Rgb(0, 139, 0);
int32_t holidaysDialogOpen = 0;

namespace {

StartValues startValues(holidayList, holidayCount, holidaysSaved, holidayChosenColour,
                        holidaysDialogOpen);


DialogSkeleton skeleton{&holidaysDialogOpen, nullptr, kSalir};

void PutInt32(std::string& out, int32_t v) { PutLittleEndianField(out, static_cast<uint32_t>(v), 4); }

int32_t GetInt32(std::string_view bytes, size_t at) { return static_cast<int32_t>(LittleEndianField(bytes, at, 4)); }

void ClearHolidayTables() {
  holidayList.fill(HolidayRecord{});
  holidayCount = 0;
  for (auto& day : holidayColourTable) day.fill(0);
}

void FillMonthCombo(ui::Window window) {
  ui::ListClear(window, kMonth);
  for (int m = 1; m <= 12; ++m) ui::ListAdd(window, kMonth, numbers::FormatWithMask(m, "00") + " - " + GetMonthName(m));
}

// The entry a list line stands for: the number its first three characters hold; -1 when
// no line is selected or the number names no entry.
int SelectedEntry(ui::Window window) {
  const int line = ui::ListSelection(window, kList);
  if (line < 0) return -1;
  const long double i = numbers::NumericValueOfText(ui::ListText(window, kList, line).substr(0, 3));
  return i >= 0 && i < holidayCount ? static_cast<int>(i) : -1;
}

bool SaveAndTell(ui::Window window) {
  if (int err = SaveHolidays(); err != 0) {
    Tell(window, files::ErrorText(err));
    return false;
  }
  return true;
}

void Insert(ui::Window window) {
  const long double month = numbers::NumericValueOfText(ui::Text(window, kMonth).substr(0, 2));
  const long double day = FieldNumber(window, kDay);
  int32_t year = 0, thisMonth = 0;
  GetTodaysYearAndMonth(year, thisMonth);
  const bool valid = month > 0 && month <= 12 && day > 0 &&
                     day <= GetDaysInMonth(static_cast<int32_t>(month), year);
  if (!valid) {
    Tell(window, "Tienes que seleccionar mes, escribir dia y seleccionar un color, todo correctamente ...");
    return;
  }
  const auto d = static_cast<int32_t>(day), m = static_cast<int32_t>(month);
  if (IsHolidayListed(d, m) == 1) {
    Tell(window, "Este dia ya esta en la lista de festivos ...");
    return;
  }
  if (holidayCount >= kHolidayTableSize) {
    Tell(window, "No caben mas dias festivos ...");
    return;
  }
  holidayList[holidayCount++] = HolidayRecord{d, m, holidayChosenColour, 0};
  FillHolidayList(window, kList);
  ui::Enable(window, kSaveFile, true);
  ui::Enable(window, kDeleteDay, true);
  holidaysSaved = 0;
}

void DeleteDay(ui::Window window) {
  const int i = SelectedEntry(window);
  if (i < 0) return;
  holidayList[i].deletedMark = 1;
  holidayList[i].colour = 0;
  FillHolidayList(window, kList);
  holidaysSaved = 0;
}

void DeleteHolidaysFile(ui::Window window) {
  files::SetNormalAttributes(HolidaysPath());
  if (int err = files::DeleteFile(HolidaysPath()); err != 0) {
    Tell(window, files::ErrorText(err));
    return;
  }
  Tell(window, "Fichero borrado ...");
}

void Leave(ui::Window window) {
  if (holidaysSaved == 0 &&
      ui::MessageBox(window, "Ha realizado cambios en dias festivos ...\r\nDesea grabar los cambios ?", kMessageTitle,
                     ui::Buttons::YesNo) == ui::Answer::Yes)
    SaveAndTell(window);
  ui::EndDialog(window, ui::kOk);
}

// A line in its holiday's colour on black; a deleted entry (colour 0, text only its
// index) shows as an empty black line.
void DrawHolidayLine(const ui::DrawItemInfo& item) {
  if (item.index < 0 || !item.surface) return;
  gfx::Surface& s = *item.surface;
  gfx::Select(s);
  gfx::Colour back = gfx::kBlack;
  gfx::Colour fore = item.index < holidayCount ? holidayList[item.index].colour : gfx::kBlack;
  if (item.selected) {
    back = ui::SystemColourOf(ui::SystemColour::Highlight);
    fore = ui::SystemColourOf(ui::SystemColour::HighlightText);
  }
  gfx::Clear(s, back);
  gfx::SelectFont(s, MakeSystemFont("MS Sans Serif", 14, kStyleBold));
  gfx::SetForeColour(s, fore);
  gfx::SetBackColour(s, gfx::kTransparent);
  gfx::MoveTo(s, 0, (item.h - gfx::TextHeight(s)) / 2);
  gfx::Print(s, item.text);
  gfx::SetPen(s, 1, gfx::kSolid);
  gfx::Line(s, 0, item.h - 1, item.w, item.h - 1, gfx::kBlack);
}

void Initialise(ui::Window window) {
  ui::SetTextColour(window, 7736, 0xC0C0C0);
  ui::SetBackColour(window, 7736, gfx::kWhite);
  // A file that cannot be read is said so, and the dialog starts as without one.
  std::string refused;
  if (FileExists(HolidaysPath()) != 0 && (refused = LoadHolidays()).empty()) {
    FillHolidayList(window, kList);
  } else {
    if (!refused.empty()) Tell(window, refused);
    // The colours stay: calendars keep showing those of the last reading until the next one.
    holidayList.fill(HolidayRecord{});
    holidayCount = 0;
    ui::ListClear(window, kList);
    for (int id : {kDeleteFile, kSaveFile, kDeleteDay}) ui::Enable(window, id, false);
  }
  FillMonthCombo(window);
  holidayChosenColour = gfx::Rgb(0, 139, 0);
  PaintSwatch(window, kSwatch, holidayChosenColour);
  holidaysSaved = -1;
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (id == kSwatch) {
    TakePickedSwatchColour(window, kSwatch, holidayChosenColour);
  } else if (IsButtonPress(id, code, kChooser)) {
    ChooseSwatchColour(window, kSwatch, customColours, holidayChosenColour);
  } else if (id == kList && code == ui::kListDoubleClick) {
    const int i = SelectedEntry(window);
    if (i < 0) return;
    holidayChosenColour = holidayList[i].colour;
    PaintSwatch(window, kSwatch, holidayChosenColour);
  } else if (IsButtonPress(id, code, kInsert)) {
    Insert(window);
  } else if (IsButtonPress(id, code, kDeleteDay)) {
    DeleteDay(window);
  } else if (IsButtonPress(id, code, kSaveFile)) {
    if (!SaveAndTell(window)) return;
    // A list of deleted days alone leaves no file, and nothing to delete.
    ui::Enable(window, kDeleteFile, FileExists(HolidaysPath()) != 0);
    Tell(window, "Termine de grabar colores dias festivos ...");
    holidaysSaved = 1;
  } else if (IsButtonPress(id, code, kDeleteFile)) {
    DeleteHolidaysFile(window);
  } else if (IsButtonPress(id, code, kSalir)) {
    Leave(window);
  }
}

// The list's owner-drawn lines: 14 pixels taller than its own, in their holidays' colours.
intptr_t OnListLines(ui::Window, ui::Msg msg, intptr_t, intptr_t second) {
  if (msg == ui::Msg::MeasureItem) {
    auto* info = reinterpret_cast<ui::MeasureItemInfo*>(second);
    if (info && info->controlId == kList) info->height += 14;
    return 1;
  }
  if (msg == ui::Msg::DrawItem) {
    const auto* item = reinterpret_cast<const ui::DrawItemInfo*>(second);
    if (item && item->controlId == kList) DrawHolidayLine(*item);
    return 1;
  }
  return 0;
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand, .other = OnListLines};

}  // namespace

std::string HolidaysPath() { return files::DataFolder() + "Fiestas.log"; }

std::string EncodeHolidayRecord(const HolidayRecord& r) {
  std::string out;
  out.reserve(kHolidayRecordLength);
  PutInt32(out, r.day);
  PutInt32(out, r.month);
  PutInt32(out, r.colour);
  PutInt32(out, r.deletedMark);
  return out;
}

HolidayRecord DecodeHolidayRecord(std::string_view bytes) {
  return HolidayRecord{GetInt32(bytes, 0), GetInt32(bytes, 4), GetInt32(bytes, 8), GetInt32(bytes, 12)};
}

std::string LoadHolidays() {
  ClearHolidayTables();
  files::RecordFile file;
  if (const int error = file.Open(HolidaysPath(), kHolidayRecordLength); error != 0)
    return error == ENOENT ? ""
                           : FileRefusalText("No puedo leer los d\xED" "as festivos", HolidaysPath(), error);
  std::string all;
  const int64_t n = file.GetMany(1, kHolidayTableSize, all);
  for (int64_t i = 0; i < n && holidayCount < kHolidayTableSize; ++i) {
    const HolidayRecord r = DecodeHolidayRecord(std::string_view(all).substr(i * kHolidayRecordLength));
    if (r.day < 1 || r.day > 31 || r.month < 1 || r.month > 12) continue;
    holidayList[holidayCount++] = r;
    holidayColourTable[r.day][r.month] = r.colour;
  }
  return "";
}

int AppendHolidayRecord(int32_t day, int32_t month, gfx::Colour colour) {
  files::RecordFile file;
  if (int err = file.Open(HolidaysPath(), kHolidayRecordLength); err != 0) return err;
  return file.Append(EncodeHolidayRecord(HolidayRecord{day, month, colour, 0}));
}

int SaveHolidays() {
  std::string bytes;
  for (int i = 0; i < holidayCount && i < kHolidayTableSize; ++i) {
    const HolidayRecord& r = holidayList[i];
    if (r.deletedMark == 0) bytes += EncodeHolidayRecord(HolidayRecord{r.day, r.month, r.colour, 0});
  }
  files::SetNormalAttributes(HolidaysPath());
  // A list with no live day leaves no file, as deleting it and appending nothing would.
  if (bytes.empty()) return files::DeleteFile(HolidaysPath());
  return files::WriteAllAtomically(HolidaysPath(), bytes);
}

int32_t IsHolidayListed(int32_t day, int32_t month) {
  if (day <= 0 || month <= 0) return 0;
  for (int i = 0; i < holidayCount && i < kHolidayTableSize; ++i) {
    const HolidayRecord& r = holidayList[i];
    if (r.deletedMark == 0 && r.day == day && r.month == month) return 1;
  }
  return 0;
}

std::string FormatHolidayIndex(int32_t n) {
  if (n < 0 || n > 999) return "";
  return numbers::FormatWithMask(n, "000");
}

void FillHolidayList(ui::Window dialog, int listId) {
  ui::ListClear(dialog, listId);
  for (int i = 0; i < holidayCount && i < kHolidayTableSize; ++i) {
    const HolidayRecord& r = holidayList[i];
    if (r.deletedMark == 0)
      ui::ListAdd(dialog, listId, FormatHolidayIndex(i) + " dia " + std::to_string(r.day) + " de " + GetMonthName(r.month));
    else
      ui::ListAdd(dialog, listId, FormatHolidayIndex(i) + " ");
  }
  if (ui::ListCount(dialog, listId) > 6) ui::ListSelect(dialog, listId, ui::ListCount(dialog, listId) - 1);
}

int ShowHolidaysDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Configurador Dias Festivos";
  t.w = 746;
  // Taller than the list's bottom edge (8 + 214), which a 197-pixel dialog would cut off.
  t.h = 230;
  t.x = 105;
  t.y = 114;
  t.units = ui::Units::Pixels;
  t.points = 14;
  t.controls = {
      {ui::Kind::Label, 7723, "Dia", 8, 8, 40, 24},
      // 36 wide: the sans face that stands in for MS Sans Serif needs it for "31".
      {ui::Kind::Edit, kDay, "", 8, 32, 36, 32, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 7725, "Mes del a\xF1o", 48, 8, 192, 24},
      {ui::Kind::DropList, kMonth, "", 48, 32, 192, 24},
      {ui::Kind::Label, 7727, "Color del dia festivo", 96, 80, 192, 24},
      {ui::Kind::Graphic, kSwatch, "", 8, 76, 30, 30, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kChooser, "...", 48, 80, 40, 24, 0, "MS Sans Serif", 18},
      {ui::Kind::ListBox, kList, "", 288, 8, 260, 214, ui::kOwnerDraw | ui::kNotify | ui::kSunken | ui::kVScroll},
      {ui::Kind::Button, kSalir, "Salir", 8, 152, 56, 32},
      {ui::Kind::Button, kDeleteFile, "Borrar fichero", 552, 8, 184, 32},
      {ui::Kind::Button, kSaveFile, "Grabar fichero", 552, 40, 184, 32},
      {ui::Kind::Button, kInsert, "Insertar dia festivo", 552, 88, 184, 32},
      {ui::Kind::Button, kDeleteDay, "Borrar dia festivo", 552, 120, 184, 32},
      {ui::Kind::Label, 7736, "Para captar el color de un dia insertado, doble click en listbox", 92, 112, 190, 75,
       ui::kBorder, "MS Sans Serif", 12},
  };
  return ui::RunModal(t, parent, HolidaysDialogProc);
}

intptr_t HolidaysDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetHolidaysState() { startValues.Restore(); }
