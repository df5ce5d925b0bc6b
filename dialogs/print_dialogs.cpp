#include "dialogs/print_dialogs.h"

#include <algorithm>
#include <string>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"
#include "platform/print/print.h"

int32_t paperFormatDialogOpen = 0;

namespace {

StartValues startValues(paperFormatDialogOpen);

// "Configura la impresión".
using namespace print_settings_ids;
constexpr gfx::Colour kGrey = 0x808080;

DialogSkeleton printSettingsSkeleton{nullptr, nullptr, 0};

// The stored value's line; none when the value has no line (a settings file written by hand).
void SelectStored(ui::Window window, int id, int64_t line) {
  const bool offered = line >= 0 && line < ui::ListCount(window, id);
  ui::ListSelect(window, id, offered ? static_cast<int>(line) : -1);
}

void InitialisePrintSettings(ui::Window window) {
  for (const char* item : {"01 copia", "02 copias", "03 copias", "04 copias", "05 copias", "10 copias"})
    ui::ListAdd(window, kCopies, item);
  for (const char* item : {"1 - Monocromo", "2 - Color"}) ui::ListAdd(window, kColourMode, item);
  for (const char* item : {"1 - Borrador", "2 - Baja Resoluci\xF3n", "3 - Media Resoluci\xF3n", "4 - Alta Resoluci\xF3n"})
    ui::ListAdd(window, kQuality, item);
  // Any value a settings file holds, the lowest included, counts down to its line.
  SelectStored(window, kCopies, printCopies == 10 ? 5 : int64_t{printCopies} - 1);
  SelectStored(window, kColourMode, int64_t{printColorMode} - 1);
  SelectStored(window, kQuality, int64_t{printQuality} - 1);
  const std::string printer = print::DefaultPrinterName();
  ui::SetTextColour(window, kPrinterName, kGrey);
  ui::SetText(window, kPrinterName,
              printer.empty() ? "No hay ninguna impresora instalada (se puede imprimir en un fichero PDF)" : printer);
}

// The number the chosen line starts with. A list with no line chosen keeps the value it was
// opened on, so a value no line offers is printed with and saved as it was written.
int32_t ChosenNumber(ui::Window window, int id, size_t characters, int32_t stored) {
  if (ui::ListSelection(window, id) < 0) return stored;
  return numbers::ToInt32(numbers::NumericValueOfText(ui::Text(window, id).substr(0, characters)));
}

void OnPrintSettingsCommand(ui::Window window, int id, intptr_t code) {
  if (!IsButtonPress(id, code, kSeguir)) return;
  printCopies = ChosenNumber(window, kCopies, 2, printCopies);
  printColorMode = ChosenNumber(window, kColourMode, 1, printColorMode);
  printQuality = ChosenNumber(window, kQuality, 1, printQuality);
  ui::EndDialog(window, ui::kOk);
}

constexpr DialogHandlers kPrintSettingsHandlers{.init = InitialisePrintSettings,
                                                .command = OnPrintSettingsCommand};

// "Formato Papel".
using namespace paper_format_ids;
constexpr gfx::Colour kLabelColour = gfx::Rgb(192, 0, 128);
constexpr gfx::Colour kRed = 0x0000FF;

DialogSkeleton paperSkeleton{&paperFormatDialogOpen, nullptr, kSalir};

void AcceptPaperFormat(ui::Window window) {
  // Read wide: a long digit string is refused, never wrapped into a valid size.
  const long double w = FieldNumber(window, kPaperWidth);
  const long double h = FieldNumber(window, kPaperHeight);
  if (w > 0 && w <= 210 && h > 0 && h <= 297) {
    paperWidthMm = static_cast<int16_t>(w);
    paperHeightMm = static_cast<int16_t>(h);
    ui::EndDialog(window, ui::kOk);
    return;
  }
  Tell(window, "Tienes que escribir medidas formato papel ...");
}

void InitialisePaperFormat(ui::Window window) {
  for (int id : {1001, 1003, 1004}) ui::SetTextColour(window, id, kLabelColour);
  for (int id : {kPaperWidth, kPaperHeight}) ui::SetTextColour(window, id, kRed);
}

void OnPaperFormatCommand(ui::Window window, int id, intptr_t code) {
  if (IsButtonPress(id, code, kSalir))
    ui::EndDialog(window, ui::kCancel);
  else if (IsButtonPress(id, code, kAceptar))
    AcceptPaperFormat(window);
}

constexpr DialogHandlers kPaperFormatHandlers{.init = InitialisePaperFormat,
                                              .command = OnPaperFormatCommand};

}  // namespace

int ShowPrintSettingsDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Configura la impresi\xF3n";
  t.x = 70;
  t.y = 70;
  t.w = 355;
  t.h = 66;
  t.units = ui::Units::Dialog;
  t.font = "MS Sans Serif";
  t.points = 10;
  t.controls = {
      {ui::Kind::Label, 1001, "N\xFAmero de copias", 5, 5, 115, 15},
      {ui::Kind::DropList, kCopies, "", 5, 20, 115, 40, 0, "MS Sans Serif", 10, false},
      {ui::Kind::Label, 1004, "Modo color", 120, 5, 115, 15},
      {ui::Kind::DropList, kColourMode, "", 120, 20, 115, 40, 0, "MS Sans Serif", 10, false},
      {ui::Kind::Label, 1008, "Resoluci\xF3n de impresi\xF3n", 235, 5, 120, 15},
      {ui::Kind::DropList, kQuality, "", 235, 20, 115, 40, 0, "MS Sans Serif", 10, false},
      {ui::Kind::Button, kSeguir, "Seguir", 5, 45, 50, 15},
      {ui::Kind::Label, kPrinterName, "", 60, 45, 290, 15, ui::kCentred, "Georgia", 10, true},
  };
  return ui::RunModal(t, parent, PrintSettingsDlgProc);
}

intptr_t PrintSettingsDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(printSettingsSkeleton, kPrintSettingsHandlers, window, msg, first,
                           second);
}

int ShowPaperFormatDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Formato Papel";
  t.x = 70;
  t.y = 70;
  t.w = 201;
  t.h = 121;
  t.units = ui::Units::Dialog;
  t.font = "MS Sans Serif";
  t.points = 10;
  t.topmost = true;
  t.controls = {
      {ui::Kind::Label, 1001, "Elija formato papel ...", 5, 5, 190, 15},
      {ui::Kind::Label, 1003, "Ancho en mm.", 5, 21, 75, 15},
      {ui::Kind::Label, 1004, "Alto en mm.", 5, 39, 75, 15},
      {ui::Kind::Edit, kPaperWidth, "", 80, 20, 100, 15, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Edit, kPaperHeight, "", 80, 38, 100, 15, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Button, kSalir, "Salir", 5, 65, 50, 15, 0, "MS Sans Serif", 8, true},
      {ui::Kind::Button, kAceptar, "Aceptar", 140, 95, 50, 15, 0, "MS Sans Serif", 8, true},
  };
  return ui::RunModal(t, parent, PaperFormatDlgProc);
}

intptr_t PaperFormatDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(paperSkeleton, kPaperFormatHandlers, window, msg, first, second);
}

void ResetPrintDialogsState() { startValues.Restore(); }
