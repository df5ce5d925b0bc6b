// The record-list dialog "Configuración listar para tipo de letra monoespaciado": the font
// size of the list, its columns in order with the characters reserved for each, capitals and a
// totals line; "Crear" writes the list file of the found records and opens it.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "dialogs/written_file_opener.h"
#include "platform/ui/ui.h"

// The control that had the focus when the dialog was last left; nullptr when none is kept.
extern ui::Window listDialogFocus;
// Opens a finished list; empty, the desktop's application for RTF does. Tests replace it.
// When it turns out to open nothing, however late, the user is told so, the list's file named.
extern FileOpener recordListOpener;

// The dialog's control ids.
namespace record_list_ids {
inline constexpr int kSizeCombo = 5002, kLineLengthLabel = 5003, kFieldCombo = 5005;
inline constexpr int kWidthField = 5007;
inline constexpr int kAplicar = 5008, kChosenList = 5010, kAvailableLabel = 5012, kSalir = 5013;
inline constexpr int kCrear = 5014, kResetear = 5015, kUpperCaseBox = 5017, kTotalsBox = 5018;
// Notes beside the controls.
inline constexpr int kSizeNote = 5001, kApplyNote = 5009, kChosenListNote = 5011;
}  // namespace record_list_ids

// "Listar": runs the dialog while the last search found records, otherwise says that a search
// must come first. Returns the dialog's end code (0 from "Salir"), 0 when it did not open.
int ShowRecordListDialog(ui::Window parent);
// The menu bar "Menú" with its one item "Resetear".
void BuildListDialogMenu(ui::Window dialog);
intptr_t RecordListDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the dialog's globals and the list's choices back as they are at program start.
void ResetRecordListDialogState();
