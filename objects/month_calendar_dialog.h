// "Configurador de mes" (command 1061): the year, month, name position, box colours and
// options of a new month calendar, with a live preview. It edits the month settings in
// place; "Cancelar" does not give them back, only the accepted flag tells the caller.
#pragma once
#include <cstdint>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern int32_t monthDialogAccepted;          // 1 after "Aceptar"
extern int32_t monthDialogOpen;              // re-entry guard
extern gfx::Surface* monthPreviewBitmap;     // 262 x 282, made at each opening

// Runs the dialog modally; the results are in the month settings (objects/month_calendar.h).
int ShowMonthCalendarDialog(ui::Window parent);
intptr_t MonthCalendarDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
