#include "objects/shape_dialog.h"

#include <string>

#include "dialogs/dialog_skeleton.h"
#include "objects/size_fields.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace shape_ids;

ShapeArgs shapeSettings;
int32_t& shapeRoundedCorners = shapeSettings.roundedCorners;
int32_t& shapeTypeChosen = shapeSettings.type;
int32_t& shapeFillStyle = shapeSettings.fillStyle;
int32_t& shapeLineStyle = shapeSettings.lineStyle;
int32_t& shapeLineWidth = shapeSettings.lineWidth;
gfx::Colour& shapeBorderColour = shapeSettings.borderColour;
gfx::Colour& shapeInteriorColour = shapeSettings.interiorColour;
int16_t& shapeRoundingPercent = shapeSettings.roundingPercent;
int16_t& shapeWidth = shapeSettings.width;
int16_t& shapeHeight = shapeSettings.height;
int32_t shapeDialogOpen = 0;
int32_t shapeTransparentInterior = 0;
gfx::Colour shapeSavedInteriorColour = 0;
int32_t shapeDialogAccepted = 0;
std::array<gfx::Colour, 16> shapeCustomColours{};

namespace {

constexpr int kLargestLineWidth = 15;

DialogSkeleton skeleton{&shapeDialogOpen, &shapeDialogAccepted, kCancelar};
ui::Window openDialog = nullptr;

StartValues startValues(shapeSettings, shapeDialogOpen, shapeTransparentInterior,
                        shapeSavedInteriorColour, shapeDialogAccepted, shapeCustomColours,
                        openDialog);

// The value a style line carries in its first two characters.
int32_t ComboValue(ui::Window window, int id) { return numbers::ToInt32(ListLineNumber(ui::Text(window, id))); }

// Rounding applies to squares and rectangles only.
void EnableRounding(ui::Window window) {
  const bool square = shapeTypeChosen == kShapeSquareOrRectangle;
  ui::Enable(window, kRounded, square);
  ui::Enable(window, kPercent, square && shapeRoundedCorners == 1);
}

// Only the chooser goes grey: a colour picked into the swatch still fills the interior, and
// the check box keeps its state.
void EnableInterior(ui::Window window) { ui::Enable(window, kInteriorChooser, shapeTransparentInterior != 1); }

void Initialise(ui::Window window) {
  openDialog = window;
  FillHatchStyleCombo(window, kFillCombo, 0);
  FillLineStyleCombo(window, kLineStyleCombo, 0);
  FillLineWidthCombo(window, kLineWidthCombo, kLargestLineWidth);
  // After a repaint the settings are those of the last shape painted; a transparent
  // interior comes back as -2 without its check box, which the box then shows.
  if (shapeInteriorColour == gfx::kTransparent) shapeTransparentInterior = 1;
  if (shapeTransparentInterior == 1) shapeInteriorColour = gfx::kTransparent;
  PaintSwatch(window, kBorderSwatch, shapeBorderColour);
  PaintSwatch(window, kInteriorSwatch,
              shapeTransparentInterior == 1 ? shapeSavedInteriorColour : shapeInteriorColour);
  ui::SetCheck(window, kTransparent, shapeTransparentInterior == 1);
  EnableInterior(window);
  ui::SetCheck(window, shapeTypeChosen == kShapeSquareOrRectangle ? kSquare : kCircle, true);
  ui::SetCheck(window, kRounded, shapeRoundedCorners == 1);
  EnableRounding(window);
  SelectListLine(window, kFillCombo, shapeFillStyle);
  SelectListLine(window, kLineStyleCombo, shapeLineStyle);
  SelectListLine(window, kLineWidthCombo, shapeLineWidth - 1);
  DrawShapePreview();
}

void ChooseInto(ui::Window window, gfx::Colour& setting, int swatch, gfx::Colour* also = nullptr) {
  if (!ChooseSwatchColour(window, swatch, shapeCustomColours, setting)) return;
  if (also) *also = setting;
  DrawShapePreview();
}

void TakePickedInto(ui::Window window, gfx::Colour& setting, int swatch) {
  if (TakePickedSwatchColour(window, swatch, setting)) DrawShapePreview();
}

void SetTransparent(ui::Window window) {
  shapeTransparentInterior = ui::Checked(window, kTransparent) ? 1 : 0;
  if (shapeTransparentInterior == 1) {
    shapeSavedInteriorColour = shapeInteriorColour;
    shapeInteriorColour = gfx::kTransparent;
  } else {
    shapeInteriorColour = shapeSavedInteriorColour;
    PaintSwatch(window, kInteriorSwatch, shapeInteriorColour);
  }
  EnableInterior(window);
  DrawShapePreview();
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  const bool press = IsPressCode(code);
  switch (id) {
    case kBorderSwatch:
      TakePickedInto(window, shapeBorderColour, kBorderSwatch);
      break;
    case kInteriorSwatch:
      TakePickedInto(window, shapeInteriorColour, kInteriorSwatch);
      break;
    case kSquare:
    case kCircle:
      shapeTypeChosen = id;
      EnableRounding(window);
      DrawShapePreview();
      break;
    case kRounded:
      shapeRoundedCorners = ui::Checked(window, kRounded) ? 1 : 0;
      if (shapeRoundedCorners == 1 && shapeTypeChosen == kShapeSquareOrRectangle)
        shapeRoundingPercent = numbers::ToInt16(FieldNumber(window, kPercent));
      EnableRounding(window);
      DrawShapePreview();
      break;
    case kPercent:
      if (code != ui::kEditChange) break;
      // Beyond 100 draws as 100, so a long number saturates instead of wrapping.
      shapeRoundingPercent = numbers::ToInt16(FieldNumber(window, kPercent));
      DrawShapePreview();
      break;
    case kBorderChooser:
      if (press) ChooseInto(window, shapeBorderColour, kBorderSwatch);
      break;
    case kInteriorChooser:
      if (press) ChooseInto(window, shapeInteriorColour, kInteriorSwatch, &shapeSavedInteriorColour);
      break;
    case kTransparent:
      SetTransparent(window);
      break;
    case kFillCombo:
      if (code != ui::kSelChange) break;
      shapeFillStyle = ComboValue(window, id);
      DrawShapePreview();
      break;
    case kLineStyleCombo:
      if (code != ui::kSelChange) break;
      shapeLineStyle = ComboValue(window, id);
      DrawShapePreview();
      break;
    case kLineWidthCombo:
      if (code != ui::kSelChange) break;
      shapeLineWidth = ComboValue(window, id);
      DrawShapePreview();
      break;
    case kAceptar:
      if (press && ReadSizeFields(window, {kWidthPx, kHeightPx, kWidthMm, kHeightMm}, shapeWidth, shapeHeight))
        FinishDialog(skeleton, window, true);
      break;
    case kCancelar:
      if (press) FinishDialog(skeleton, window, false);
      break;
    default:
      break;
  }
}

constexpr DialogHandlers kHandlers{.init = Initialise,
                                   .command = OnCommand,
                                   .destroy = [](ui::Window) { openDialog = nullptr; }};

}  // namespace

void FillHatchStyleCombo(ui::Window dialog, int comboId, int) {
  for (const char* line : {"0 - Solido", "1 - Lineas Horizontales", "2 - Lineas Verticales",
                           "3 - Lineas Diagonales hacia arriba", "4 - Lineas Diagonales hacia abajo",
                           "5 - Cruce de Lineas", "6 - Cruce de Lineas Diagonales"})
    ui::ListAdd(dialog, comboId, line);
}

void FillLineStyleCombo(ui::Window dialog, int comboId, int) {
  for (const char* line : {"0 - Solido", "1 - Raya", "2 - Punto", "3 - RayaPunto", "4 - RayaPuntoPunto"})
    ui::ListAdd(dialog, comboId, line);
}

void FillLineWidthCombo(ui::Window dialog, int comboId, int largest) {
  for (int w = 1; w <= largest; ++w)
    ui::ListAdd(dialog, comboId, numbers::FormatWithMask(w, "00") + " - Grosor de linea");
}

void DrawShapePreview() {
  if (!openDialog) return;
  gfx::Surface& s = ui::ControlSurface(openDialog, kPreview);
  ClearGraphicTarget(s);
  // The preview keeps its own box whatever size the shape will have.
  ShapeArgs preview = shapeSettings;
  preview.width = preview.height = 90;
  DrawShape(s, 30, 30, preview);
  ui::Redraw(openDialog, kPreview);
}

int ShowShapeDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Insertar cuadrados y circulos";
  t.w = 358;
  t.h = 616;
  t.x = 105;
  t.y = 114;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  const std::string ms = "MS Sans Serif";
  const unsigned size = ui::kDigitsOnly | ui::kBorder;
  t.controls = {
      {ui::Kind::OptionBox, kSquare, "Insertar Cuadrado o Rectangulo", 22, 16, 240, 25, ui::kGroupStart},
      {ui::Kind::OptionBox, kCircle, "Insertar Circulo o Elipse", 22, 41, 240, 24},
      {ui::Kind::GroupFrame, 7009, "Pixeles", 24, 72, 152, 80},
      {ui::Kind::Label, 7003, "Ancho", 42, 93, 52, 17},
      {ui::Kind::Label, 7004, "x", 94, 88, 22, 25, ui::kCentred, ms, 14},
      {ui::Kind::Label, 7006, "Alto", 114, 93, 54, 16},
      {ui::Kind::Edit, kWidthPx, "", 41, 116, 48, 24, size},
      {ui::Kind::Edit, kHeightPx, "", 108, 116, 48, 24, size},
      {ui::Kind::GroupFrame, 7015, "Milimetros", 24, 153, 152, 80},
      {ui::Kind::Label, 7011, "Ancho", 42, 174, 52, 17},
      {ui::Kind::Label, 7012, "x", 94, 169, 22, 25, ui::kCentred, ms, 14},
      {ui::Kind::Label, 7013, "Alto", 114, 174, 54, 16},
      {ui::Kind::Edit, kWidthMm, "", 41, 197, 48, 24, size},
      {ui::Kind::Edit, kHeightMm, "", 108, 197, 48, 24, size},
      {ui::Kind::CheckBox, kRounded, "Borde Cuadrado o Rectangulo Redondeado", 24, 240, 328, 24},
      {ui::Kind::Label, 7017, "Valor Redondeo en porcentaje de 0 % a 100 %", 23, 264, 328, 24},
      // The text goes in with the template, so that opening does not count as typing.
      {ui::Kind::Edit, kPercent, numbers::NumberText(shapeRoundingPercent), 23, 288, 48, 24, size},
      {ui::Kind::Label, 7026, "Redondeo esquinas", 72, 292, 152, 20},
      {ui::Kind::Label, 7019, "Color borde", 24, 320, 104, 24},
      {ui::Kind::Button, kBorderChooser, "...", 136, 318, 48, 24, 0, ms, 14},
      {ui::Kind::Graphic, kBorderSwatch, "", 192, 312, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Label, 7023, "Color interior", 24, 363, 104, 24},
      {ui::Kind::Button, kInteriorChooser, "...", 136, 361, 48, 24, 0, ms, 14},
      {ui::Kind::Graphic, kInteriorSwatch, "", 192, 355, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::CheckBox, kTransparent, "Color Interior Transparente", 26, 393, 206, 24},
      {ui::Kind::Label, 7027, "Estilo Relleno", 24, 424, 104, 16},
      {ui::Kind::DropList, kFillCombo, "", 23, 442, 200, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::Label, 7030, "Estilo linea", 24, 472, 104, 16},
      {ui::Kind::DropList, kLineStyleCombo, "", 23, 490, 200, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::Label, 7032, "Grosor linea", 25, 522, 104, 16},
      {ui::Kind::DropList, kLineWidthCombo, "", 24, 540, 200, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::Graphic, kPreview, "", 184, 80, 160, 152, ui::kBorder},
      {ui::Kind::Button, kCancelar, "Cancelar", 8, 584, 72, 24},
      {ui::Kind::Button, kAceptar, "Aceptar", 278, 584, 72, 24},
  };
  return ui::RunModal(t, parent, ShapeDialogProc);
}

intptr_t ShapeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

ShapeArgs ShapeArgsOfSettings() { return shapeSettings; }

void DrawShapeObject(gfx::Surface& target, int32_t x, int32_t y) {
  DrawShape(target, x, y, ShapeArgsOfSettings());
}

void LoadShapeSettings(const PageObject& object) { shapeSettings = ShapeArgsOfObject(object); }

void StoreShapeSettings(PageObject& object) { PutShapeArgs(object, shapeSettings); }

void ResetShapeDialogState() { startValues.Restore(); }
