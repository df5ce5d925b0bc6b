#include "objects/corner_marks_dialog.h"

#include "dialogs/dialog_skeleton.h"
#include "objects/colours.h"
#include "page/corner_marks.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace corner_mark_ids;

std::string cornerMarkText = "C\xF3" "digo de barras";
int16_t cornerMarkWidthMm = 73;
int16_t cornerMarkHeightMm = 21;
gfx::Colour cornerMarkColour = 0x0000FF;
int32_t cornerMarkShowText = 1;
int32_t cornerMarkShowShadow = 1;
int32_t cornerMarkShowCorners = 1;
int32_t cornerDialogAccepted = 0;
int32_t cornerDialogOpen = 0;
gfx::Surface* cornerPreviewBitmap = nullptr;

namespace {

StartValues startValues(cornerMarkText, cornerMarkWidthMm, cornerMarkHeightMm, cornerMarkColour,
                        cornerMarkShowText, cornerMarkShowShadow, cornerMarkShowCorners,
                        cornerDialogAccepted, cornerDialogOpen);


DialogSkeleton skeleton{&cornerDialogOpen, &cornerDialogAccepted, kCancelar};

constexpr const char* kFace = "MS Sans Serif";
constexpr const char* kStyleTexts[4] = {"01 - Esquina completa", "02 - Esquina solo texto",
                                        "03 - Esquina solo sombra", "04 - Sombra y texto"};

void DrawPreview(ui::Window window) {
  if (!cornerPreviewBitmap) return;
  DrawCornerMarkAt(*cornerPreviewBitmap, 10, 10);
  gfx::Select(ui::ControlSurface(window, kPreview));
  ShowBitmapIn(window, kPreview, *cornerPreviewBitmap);
}

void SetStyleFlags(long double style) {
  struct Flags {
    int32_t text, shadow, corners;
  };
  static constexpr Flags kFlags[4] = {{1, 1, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 0}};
  if (style < 1 || style > 4) return;
  const Flags& f = kFlags[static_cast<int>(style) - 1];
  cornerMarkShowText = f.text;
  cornerMarkShowShadow = f.shadow;
  cornerMarkShowCorners = f.corners;
}

void Initialise(ui::Window window) {
  cornerMarkText = "C\xF3" "digo de barras";
  cornerMarkWidthMm = 73;
  cornerMarkHeightMm = 21;
  cornerMarkColour = 0x0000FF;
  cornerMarkShowText = cornerMarkShowShadow = cornerMarkShowCorners = 1;
  ui::ListClear(window, kStyle);
  for (const char* s : kStyleTexts) ui::ListAdd(window, kStyle, s);
  ui::ListSelect(window, kStyle, 0);
  ui::SetTextLimit(window, kText, kCornerMarkTextMaxChars);
  ui::SetText(window, kText, cornerMarkText);
  ui::SetText(window, kWidth, numbers::SettingsNumberText(cornerMarkWidthMm));
  ui::SetText(window, kHeight, numbers::SettingsNumberText(cornerMarkHeightMm));
  RemakeDialogBitmap(cornerPreviewBitmap, 772, 236);
  ClearGraphicTarget(*cornerPreviewBitmap);
  DrawPreview(window);
  PaintSwatch(window, kSwatch, cornerMarkColour);
}

void Render(ui::Window window) {
  cornerMarkText = ui::Text(window, kText).substr(0, kCornerMarkTextMaxChars);
  cornerMarkWidthMm = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, kWidth)));
  cornerMarkHeightMm = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, kHeight)));
  ClearGraphicTarget(*cornerPreviewBitmap);
  DrawPreview(window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (id == kStyle) {
    if (code == ui::kSelChange) SetStyleFlags(ListLineNumber(ui::Text(window, kStyle)));
  } else if (id == kSwatch) {
    TakePickedSwatchColour(window, kSwatch, cornerMarkColour);
  } else if (IsButtonPress(id, code, kColour)) {
    ChooseSwatchColour(window, kSwatch, customColours, cornerMarkColour);
  } else if (IsButtonPress(id, code, kRender)) {
    Render(window);
  } else if (IsButtonPress(id, code, kAceptar)) {
    FinishDialog(skeleton, window, true);
  } else if (IsButtonPress(id, code, kCancelar)) {
    FinishDialog(skeleton, window, false);
  }
}

constexpr DialogHandlers kHandlers{
    .init = Initialise,
    .command = OnCommand,
    .destroy = [](ui::Window) { ReleaseDialogBitmap(cornerPreviewBitmap); }};

}  // namespace

int32_t CornerMarkWidthPixels() { return numbers::MillimetresToPixels(cornerMarkWidthMm); }
int32_t CornerMarkHeightPixels() { return numbers::MillimetresToPixels(cornerMarkHeightMm); }

void DrawCornerMarkAt(gfx::Surface& target, int32_t x, int32_t y) {
  DrawCornerMark(target, x, y, CornerMarkWidthPixels(), CornerMarkHeightPixels(), 1, cornerMarkColour,
                 cornerMarkText, kCornerMarkFace, kCornerMarkPoints, 0, kCornerMarkAlignment, cornerMarkShowText,
                 cornerMarkShowShadow, cornerMarkShowCorners);
}

void StoreCornerMarkSettings(PageObject& object) {
  object.width = CornerMarkWidthPixels();
  object.height = CornerMarkHeightPixels();
  object.penWidth = 1;
  SetFixedField(object.text, cornerMarkText);
  object.optionFlag1 = cornerMarkShowText;
  object.optionFlag2 = cornerMarkShowShadow;
  object.optionFlag3 = cornerMarkShowCorners;
  object.backColor = cornerMarkColour;
  SetFixedField(object.fontName, kCornerMarkFace);
  object.fontSize = kCornerMarkPoints;
}

int ShowCornerMarkDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Etiqueta esquinas";
  t.w = 786;
  t.h = 404;
  t.x = 105;
  t.y = 114;
  t.units = ui::Units::Pixels;
  t.font = kFace;
  t.points = 8;
  t.bold = false;
  t.controls = {
      {ui::Kind::DropList, kStyle, "", 6, 6, 774, 28, 0, kFace, 10, true},
      {ui::Kind::Graphic, kPreview, "", 6, 40, 774, 238, ui::kBorder},
      {ui::Kind::Label, 7003, "Ancho en milimetros", 8, 286, 150, 18, 0, kFace, 8, true},
      {ui::Kind::Edit, kWidth, "", 8, 306, 80, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 7004, "Alto en milimetros", 166, 286, 150, 18, 0, kFace, 8, true},
      {ui::Kind::Edit, kHeight, "", 166, 306, 80, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Graphic, kSwatch, "", 326, 294, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kColour, "Color", 364, 298, 64, 26, 0, kFace, 8, true},
      {ui::Kind::Label, 7010, "Texto etiqueta", 440, 286, 200, 18, 0, kFace, 8, true},
      {ui::Kind::Edit, kText, "", 440, 306, 340, 24, ui::kSunken | ui::kHScroll},
      {ui::Kind::Label, 7014,
       "Este control objeto sirve para foto, sello, c\xF3" "digo de barras, firmas y todo lo que se te ocurra. "
       "Para ver como queda dale a render. El tama\xF1o es en milimetros, no acepta decimales.",
       8, 340, 470, 56, ui::kBorder},
      {ui::Kind::Button, kRender, "Render", 488, 352, 92, 32, 0, kFace, 10, true},
      {ui::Kind::Button, kAceptar, "Aceptar", 588, 352, 92, 32, 0, kFace, 10, true},
      {ui::Kind::Button, kCancelar, "Cancelar", 688, 352, 92, 32, 0, kFace, 10, true},
  };
  return ui::RunModal(t, parent, CornerMarkDialogProc);
}

intptr_t CornerMarkDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetCornerMarkDialogState() {
  ReleaseDialogBitmap(cornerPreviewBitmap);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetCornerMarkDialogState);
