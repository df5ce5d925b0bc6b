#include "objects/favourite_colours_dialog.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "objects/colours.h"
#include "page/aligned_text.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"

using namespace favourite_colours_ids;

int32_t favouriteColoursDialogOpen = 0;

namespace {

constexpr int kPaletteWidth = 336, kPaletteHeight = 312;

DialogSkeleton skeleton{&favouriteColoursDialogOpen, nullptr, kSalir};
gfx::Surface* palette = nullptr;
ui::Proc oldGridProc = nullptr;

StartValues startValues(favouriteColoursDialogOpen, oldGridProc);

void MakePalette() { RemakeDialogBitmap(palette, kPaletteWidth, kPaletteHeight); }

void ShowPalette(ui::Window dialog) {
  ClearGraphicTarget(*palette);
  DrawColourGrid(*palette, kColourColumns, kColourRows);
  ShowBitmapIn(dialog, kGrid, *palette);
}

void WriteSwatchCaption(ui::Window dialog, gfx::Colour colour) {
  DrawFullWidthText(ui::ControlSurface(dialog, kSwatch), "Color Seleccionado", kAlignCentre, 1, 12,
                    MakeSystemFont("Tahoma", 12, kStyleBold), colour);
  ui::Redraw(dialog, kSwatch);
}

void DeleteFavouriteColoursFile() {
  const std::string path = FavouriteColoursPath();
  if (FileExists(path) == 0) return;
  files::SetNormalAttributes(path);
  files::DeleteFile(path);
}

bool Archive() { return SaveFavouriteColours() == 0; }

void Reset(ui::Window dialog) {
  if (ui::MessageBox(dialog, "Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  DeleteFavouriteColoursFile();
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  MakePalette();
  ShowPalette(dialog);
  pickedColour = gfx::kWhite;
  PaintSwatch(dialog, kSwatch, gfx::kWhite);
  WriteSwatchCaption(dialog, gfx::kBlack);
}

void Initialise(ui::Window window) {
  colourGridModified = 0;
  ui::Enable(window, kArchivar, false);
  // A palette file that cannot be read is said so, and the palette starts white.
  if (std::string refused;
      !FileExists(FavouriteColoursPath()) || !(refused = LoadFavouriteColours()).empty()) {
    if (!refused.empty()) Tell(window, refused);
    InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  }
  MakePalette();
  ShowPalette(window);
  WriteSwatchCaption(window, gfx::kBlack);
  oldGridProc = ui::SubclassControl(ui::Item(window, kGrid), ColourGridWindowProc);
}

void OnCommand(ui::Window dialog, int id, intptr_t code) {
  if (IsButtonPress(id, code, kArchivar)) {
    if (!Archive()) return;
    colourGridModified = 0;
    ui::Enable(dialog, kArchivar, false);
    Tell(dialog, "Mis Colores Favoritos han sido Archivados");
  } else if (IsButtonPress(id, code, kSalir)) {
    if (colourGridModified == 1 &&
        ui::MessageBox(dialog, "Desea guardar los cambios antes de Salir ?", kMessageTitle, ui::Buttons::YesNo) ==
            ui::Answer::Yes)
      Archive();
    ui::EndDialog(dialog, ui::kOk);
  } else if (IsButtonPress(id, code, kReseteo)) {
    Reset(dialog);
  }
}

constexpr DialogHandlers kHandlers{.init = Initialise,
                                   .command = OnCommand,
                                   .destroy = [](ui::Window) { ReleaseDialogBitmap(palette); }};

}  // namespace

int ShowFavouriteColoursDialog(ui::Window parent) {
  if (favouriteColoursDialogOpen) return 0;
  ui::DialogTemplate t;
  t.caption = "Tus Colores Favoritos Cargalos y Guardalos";
  t.w = 350;
  t.h = 357;
  // Pixels: the grid's 25-pixel cells are hit by the mouse's pixel position.
  t.units = ui::Units::Pixels;
  t.controls = {
      {ui::Kind::Graphic, kGrid, "", 8, 8, 336, 260, ui::kBorder | ui::kNotify},
      {ui::Kind::Graphic, kSwatch, "", 8, 270, 336, 50, ui::kBorder},
      {ui::Kind::Button, kArchivar, "Archivar", 8, 328, 72, 24},
      {ui::Kind::Button, kReseteo, "Reseteo", 136, 328, 72, 24},
      {ui::Kind::Button, kSalir, "Salir", 272, 328, 72, 24},
  };
  return ui::RunModal(t, parent, FavouriteColoursDialogProc);
}

intptr_t FavouriteColoursDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

intptr_t ColourGridWindowProc(ui::Window control, ui::Msg msg, intptr_t first, intptr_t second) {
  ui::Window dialog = ui::Parent(control);
  const int x = ui::PointX(second), y = ui::PointY(second);
  // The origin is not taken off: cells are hit by whole 25-pixel steps from the corner.
  const int column = x / kColourCell, row = y / kColourCell;
  const bool onCell = column >= 0 && column < kColourColumns && row >= 0 && row < kColourRows;
  switch (msg) {
    case ui::Msg::MouseMove: {
      if (!onCell || !palette) break;
      ShowPalette(dialog);
      const FavouriteColourRecord& cell = colourGrid[column][row];
      gfx::Surface& grid = ui::ControlSurface(dialog, kGrid);
      gfx::SetPen(grid, 1, gfx::kSolid);
      gfx::Box(grid, cell.left + kColourGap, cell.top + kColourGap, cell.right, cell.bottom, 0, gfx::kWhite,
               cell.colour, 0);
      ui::Redraw(dialog, kGrid);
      return 1;
    }
    case ui::Msg::LeftDown: {
      if (!onCell) break;
      const gfx::Colour c = ChooseColourFor(dialog, customColours);
      if (c != -1) {
        colourGrid[column][row].colour = c;
        colourGridModified = 1;
        ui::Enable(dialog, kArchivar, true);
        if (palette) ShowPalette(dialog);
      }
      return 1;
    }
    case ui::Msg::RightDown:
      pickedColour = gfx::Pixel(ui::ControlSurface(dialog, kGrid), x, y);
      PaintSwatch(dialog, kSwatch, pickedColour);
      WriteSwatchCaption(dialog, pickedColour == 0 ? gfx::kWhite : gfx::kBlack);
      return 1;
    default:
      break;
  }
  return ui::CallOld(oldGridProc, control, msg, first, second);
}

void ResetFavouriteColoursDialogState() {
  ReleaseDialogBitmap(palette);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetFavouriteColoursDialogState);
