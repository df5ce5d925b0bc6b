// "Tus Colores Favoritos Cargalos y Guardalos": the palette of 130 favourite colours. A left
// click on a cell chooses its colour, a right click picks the colour under the cursor.
#pragma once
#include <cstdint>

#include "platform/ui/ui.h"

extern int32_t favouriteColoursDialogOpen;   // 1 while the palette is open; a second opening does nothing

// The dialog's control ids.
namespace favourite_colours_ids {
inline constexpr int kGrid = 31001, kArchivar = 31002, kSalir = 31003, kReseteo = 31004;
inline constexpr int kSwatch = 31005;
}  // namespace favourite_colours_ids

// Runs the palette modally.
int ShowFavouriteColoursDialog(ui::Window parent);
intptr_t FavouriteColoursDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);
// The grid control's own procedure: hover mark, left and right clicks.
intptr_t ColourGridWindowProc(ui::Window control, ui::Msg msg, intptr_t first, intptr_t second);

// Puts the guard back and lets the palette go, as the run starts.
void ResetFavouriteColoursDialogState();
