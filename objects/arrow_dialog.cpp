#include "objects/arrow_dialog.h"

#include <string>

#include "dialogs/dialog_skeleton.h"
#include "objects/colours.h"
#include "objects/size_fields.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace arrow_ids;

ArrowArgs arrowSettings;
int16_t& currentArrowDirection = arrowSettings.direction;
int16_t& currentArrowLength = arrowSettings.length;
int16_t& currentArrowHeadSize = arrowSettings.headSize;
gfx::Colour& currentArrowColour = arrowSettings.colour;
int16_t& currentArrowLineWidth = arrowSettings.lineWidth;
int32_t& currentArrowClosedHead = arrowSettings.closedHead;
uint8_t& currentArrowHeads = arrowSettings.heads;
int32_t arrowDialogAccepted = 0;
int32_t arrowDialogOpen = 0;

namespace {

constexpr int kLargestLineWidth = 30;
constexpr int kPreviewAnchor = 150;
constexpr int16_t kPreviewLength = 100;
constexpr int kArrowPickBox = 10;

DialogSkeleton skeleton{&arrowDialogOpen, &arrowDialogAccepted, kCancelar};
ui::Window openDialog = nullptr;

StartValues startValues(arrowSettings, arrowDialogAccepted, arrowDialogOpen, openDialog);

// The value a combo line carries in its first two characters.
long double ComboValue(ui::Window window, int id) { return ListLineNumber(ui::Text(window, id)); }

void Initialise(ui::Window window) {
  openDialog = window;
  FillArrowLineWidthCombo(window, kWidthCombo, kLargestLineWidth);
  FillArrowHeadCountCombo(window, kHeadsCombo, 0);
  FillArrowDirectionCombo(window, kDirectionCombo, 0);
  PaintSwatch(window, kColourSwatch, currentArrowColour);
  SelectListLine(window, kWidthCombo, currentArrowLineWidth - 1);
  SelectListLine(window, kHeadsCombo, currentArrowHeads);
  SelectListLine(window, kDirectionCombo, currentArrowDirection - 1);
  ui::SetCheck(window, kClosed, currentArrowClosedHead == 1);
  DrawArrowPreview();
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  const bool press = IsPressCode(code);
  switch (id) {
    case kColourSwatch:
      if (TakePickedSwatchColour(window, kColourSwatch, currentArrowColour)) DrawArrowPreview();
      break;
    case kColourChooser:
      if (press && ChooseSwatchColour(window, kColourSwatch, customColours, currentArrowColour)) DrawArrowPreview();
      break;
    // The head follows its fields as they are typed; long numbers saturate in the preview
    // and are refused by "Aceptar".
    case kHeadPx:
      if (code != ui::kEditChange) break;
      currentArrowHeadSize = numbers::ToInt16(FieldNumber(window, kHeadPx));
      DrawArrowPreview();
      break;
    case kHeadMm:
      if (code != ui::kEditChange) break;
      currentArrowHeadSize = numbers::MillimetresToPixels(FieldNumber(window, kHeadMm));
      DrawArrowPreview();
      break;
    case kWidthCombo:
      if (code != ui::kSelChange) break;
      currentArrowLineWidth = numbers::ToInt16(ComboValue(window, id));
      DrawArrowPreview();
      break;
    case kHeadsCombo:
      if (code != ui::kSelChange) break;
      currentArrowHeads = static_cast<uint8_t>(numbers::ToInt16(ComboValue(window, id)));
      DrawArrowPreview();
      break;
    case kDirectionCombo:
      if (code != ui::kSelChange) break;
      currentArrowDirection = numbers::ToInt16(ComboValue(window, id));
      DrawArrowPreview();
      break;
    case kClosed:
      currentArrowClosedHead = ui::Checked(window, kClosed) ? 1 : 0;
      DrawArrowPreview();
      break;
    case kAceptar:
      if (press && ReadSizeFields(window, {kLengthPx, kHeadPx, kLengthMm, kHeadMm}, currentArrowLength,
                                  currentArrowHeadSize))
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

void FillArrowLineWidthCombo(ui::Window dialog, int comboId, int largest) {
  for (int w = 1; w <= largest; ++w)
    ui::ListAdd(dialog, comboId, numbers::FormatWithMask(w, "00") + " - Grosor lineas flecha");
}

void FillArrowHeadCountCombo(ui::Window dialog, int comboId, int) {
  for (const char* line : {"0 - Cabezas en la flecha", "1 - Cabeza en la flecha", "2 - Cabezas en la flecha"})
    ui::ListAdd(dialog, comboId, line);
}

void FillArrowDirectionCombo(ui::Window dialog, int comboId, int) {
  for (const char* line : {"1 - 0\xBA   Inclinacion Flecha", "2 - 45\xBA  Inclinacion Flecha",
                           "3 - 90\xBA  Inclinacion Flecha", "4 - 135\xBA Inclinacion Flecha",
                           "5 - 180\xBA Inclinacion Flecha", "6 - 225\xBA Inclinacion Flecha",
                           "7 - 270\xBA Inclinacion Flecha", "8 - 315\xBA Inclinacion Flecha"})
    ui::ListAdd(dialog, comboId, line);
}

void DrawArrowPreview() {
  if (!openDialog) return;
  gfx::Surface& s = ui::ControlSurface(openDialog, kPreview);
  ClearGraphicTarget(s);
  DrawArrowFigure(s, currentArrowDirection, kPreviewAnchor, kPreviewAnchor, kPreviewLength,
                  currentArrowHeadSize, currentArrowColour, currentArrowLineWidth,
                  currentArrowClosedHead, currentArrowHeads);
  ui::Redraw(openDialog, kPreview);
}

int ShowArrowDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Insertar flechas";
  t.w = 613;
  t.h = 426;
  t.x = 105;
  t.y = 114;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  const std::string ms = "MS Sans Serif";
  const unsigned size = ui::kDigitsOnly | ui::kBorder;
  t.controls = {
      {ui::Kind::Label, 8001, "Largo flecha", 22, 19, 98, 24},
      {ui::Kind::Edit, kLengthPx, "", 136, 16, 56, 23, size},
      {ui::Kind::Label, 8003, "en pixeles", 200, 19, 96, 16},
      {ui::Kind::Label, 8005, "Largo flecha", 22, 51, 98, 24},
      {ui::Kind::Edit, kLengthMm, "", 136, 48, 56, 23, size},
      {ui::Kind::Label, 8006, "en milimetros", 200, 51, 96, 16},
      {ui::Kind::Label, 8007, "Tama\xF1o Cabeza", 16, 82, 120, 24},
      // The text goes in with the template, so that opening does not count as typing.
      {ui::Kind::Edit, kHeadPx, numbers::NumberText(currentArrowHeadSize), 136, 80, 56, 23, size},
      {ui::Kind::Label, 8009, "en pixeles", 195, 83, 120, 16},
      {ui::Kind::Label, 8011, "Tama\xF1o Cabeza", 16, 116, 120, 24},
      {ui::Kind::Edit, kHeadMm, "", 136, 114, 56, 23, size},
      {ui::Kind::Label, 8010, "en milimetros", 195, 117, 120, 16},
      {ui::Kind::Label, 8013, "Color Flecha", 33, 149, 95, 14},
      {ui::Kind::Button, kColourChooser, "...", 136, 144, 56, 24, 0, ms, 14},
      {ui::Kind::Graphic, kColourSwatch, "", 200, 144, 88, 24, ui::kNotify},
      {ui::Kind::Label, 8016, "Grosor linea flecha", 16, 176, 144, 24},
      {ui::Kind::DropList, kWidthCombo, "", 16, 200, 192, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::CheckBox, kClosed, "Cabeza cerrada en forma de triangulo", 16, 232, 288, 24},
      {ui::Kind::Label, 8020, "Numero de cabezas", 16, 261, 144, 24},
      {ui::Kind::DropList, kHeadsCombo, "", 16, 285, 192, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::Label, 8026, "Grados de inclinacion", 16, 316, 192, 24},
      {ui::Kind::DropList, kDirectionCombo, "", 16, 338, 192, 24, ui::kExtendedUi, ms, 8},
      {ui::Kind::Graphic, kPreview, "", 304, 8, 300, 300, ui::kBorder},
      {ui::Kind::Button, kCancelar, "Cancelar", 8, 390, 64, 24, 0, ms, 8},
      {ui::Kind::Label, 8024, "El largo flecha no es el exacto en la renderizacion, lo demas si ...", 88, 396,
       424, 16, 0, ms, 8},
      {ui::Kind::Button, kAceptar, "Aceptar", 541, 390, 64, 24, 0, ms, 8},
  };
  return ui::RunModal(t, parent, ArrowDialogProc);
}

intptr_t ArrowDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

ArrowArgs ArrowArgsOfSettings() { return arrowSettings; }

void DrawArrowObject(gfx::Surface& target, int32_t x, int32_t y) {
  DrawArrow(target, x, y, ArrowArgsOfSettings());
}

void LoadArrowSettings(const PageObject& object) { arrowSettings = ArrowArgsOfObject(object); }

void StoreArrowSettings(PageObject& object) {
  object.width = kArrowPickBox;
  object.height = kArrowPickBox;
  PutArrowArgs(object, arrowSettings);
}

void ResetArrowDialogState() { startValues.Restore(); }
