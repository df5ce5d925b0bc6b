// The print dialogs: "Configura la impresión" (copies, colour mode, quality) and "Formato
// Papel", the paper size the page bitmap is made at.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t paperFormatDialogOpen;   // re-entry guard of "Formato Papel"

// The dialogs' control ids.
namespace print_settings_ids {
inline constexpr int kCopies = 1002, kColourMode = 1005, kQuality = 1007, kSeguir = 1009;
inline constexpr int kPrinterName = 1010;
}  // namespace print_settings_ids
namespace paper_format_ids {
inline constexpr int kPaperWidth = 1005, kPaperHeight = 1006, kSalir = 1007, kAceptar = 1008;
}  // namespace paper_format_ids

// Runs "Configura la impresión" modally: "Seguir" stores printCopies, printColorMode and
// printQuality as their lists are chosen (a list with nothing chosen, for a value none of its
// lines offers, keeps the value) and gives ui::kOk; closing it otherwise changes nothing and
// gives ui::kCancel.
int ShowPrintSettingsDialog(ui::Window parent);
intptr_t PrintSettingsDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Runs "Formato Papel" modally: "Aceptar" with a width of 1 to 210 mm and a height of 1 to
// 297 mm stores them in paperWidthMm and paperHeightMm and gives ui::kOk; "Salir" or the close
// box change nothing and give ui::kCancel. Guarded by paperFormatDialogOpen.
int ShowPaperFormatDialog(ui::Window parent);
intptr_t PaperFormatDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the guard back as the run starts.
void ResetPrintDialogsState();
