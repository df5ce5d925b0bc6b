#include "objects/text_properties.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/text_style_controls.h"
#include "objects/colours.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace text_properties_ids;

TextStyle textStyle;
TextStyle workingTextStyle;
gfx::Colour& textBackColour = textStyle.backColour;
gfx::Colour& workingTextBackColour = workingTextStyle.backColour;
gfx::Colour& textForeColour = textStyle.foreColour;
gfx::Colour& workingTextForeColour = workingTextStyle.foreColour;
std::string& textFontName = textStyle.fontName;
std::string& workingTextFontName = workingTextStyle.fontName;
int16_t& textFontSize = textStyle.fontSize;
int16_t& workingTextFontSize = workingTextStyle.fontSize;
std::array<int32_t, 5>& acceptedTextStyleBits = textStyle.styleBits;
std::array<int32_t, 5>& textStyleBits = workingTextStyle.styleBits;
int32_t textBackTransparent = 0;
int32_t textAngleOn = 0;
int16_t textAngle = 0;
int32_t textPropertiesDialogOpen = 0;

namespace {

DialogSkeleton skeleton{&textPropertiesDialogOpen, nullptr, kStyle.cancelar};

const TextStyleEditor editor{
    .base = kBase, .accepted = textStyle, .working = workingTextStyle,
    .customColours = customColours, .fontNameMaxChars = kTextFontNameMaxChars,
    .pickedColourAccepted = false, .previewOnBackColour = false};

// What "Cancelar" gives back besides the working copies.
int32_t openingTransparent = 0;
int32_t openingAngleOn = 0;
int16_t openingAngle = 0;

StartValues startValues(textStyle, workingTextStyle, textBackTransparent, textAngleOn, textAngle,
                        textPropertiesDialogOpen, openingTransparent, openingAngleOn,
                        openingAngle);

void EnableBackground(ui::Window window, bool on) {
  for (int id : {kStyle.backLabel, kStyle.backChooser, kStyle.backSwatch})
    ui::Enable(window, id, on);
}

int16_t AngleField(ui::Window window) { return numbers::ToInt16(FieldNumber(window, kAngle)); }

void ClearAngle(ui::Window window) {
  ui::SetText(window, kAngle, "");
  textAngle = 0;
  ui::Enable(window, kAngle, false);
}

void Initialise(ui::Window window) {
  openingTransparent = textBackTransparent;
  openingAngleOn = textAngleOn;
  openingAngle = textAngle;
  OpenTextStyle(editor, window);
  ui::SetCheck(window, kTransparent, textBackTransparent == 1);
  ui::SetCheck(window, kAngleOn, textAngleOn == 1);
  EnableBackground(window, textBackTransparent != 1);
  if (textAngleOn == 1) {
    ui::Enable(window, kAngle, true);
    ui::SetText(window, kAngle, numbers::NumberText(textAngle));
  } else {
    ClearAngle(window);
  }
  DrawTextStylePreview(editor, window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (TextStyleCommand(editor, window, id, code)) return;
  switch (id) {
    case kTransparent:
      textBackTransparent = ui::Checked(window, kTransparent) ? 1 : 0;
      workingTextBackColour = textBackTransparent == 1 ? gfx::kTransparent : gfx::kWhite;
      // The swatch goes grey with its button, so no picked colour can make the background opaque.
      EnableBackground(window, textBackTransparent != 1);
      if (textBackTransparent != 1) PaintSwatch(window, kStyle.backSwatch, gfx::kWhite);
      DrawTextStylePreview(editor, window);
      break;
    case kAngleOn:
      textAngleOn = ui::Checked(window, kAngleOn) ? 1 : 0;
      if (textAngleOn == 1) {
        ui::Enable(window, kAngle, true);
        textAngle = AngleField(window);
      } else {
        ClearAngle(window);
      }
      break;
    case kStyle.cancelar:
      if (!IsPressCode(code)) break;
      RevertTextStyle(editor);
      textBackTransparent = openingTransparent;
      textAngleOn = openingAngleOn;
      textAngle = openingAngle;
      FinishDialog(skeleton, window, false);
      break;
    case kStyle.aceptar:
      if (!IsPressCode(code)) break;
      AcceptTextStyle(editor);
      textAngle = AngleField(window);
      FinishDialog(skeleton, window, true);
      break;
    default:
      break;
  }
}

constexpr DialogHandlers kHandlers{
    .init = Initialise, .command = OnCommand, .other = DrawTextStyleLines<editor>};

}  // namespace

int32_t GetTextStyleFlags() { return StyleFlagsOf(textStyleBits); }

int ShowTextPropertiesDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Propiedades Texto";
  t.w = 442;
  t.h = 392;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  AddTextStyleControls(t.controls, kBase);
  t.controls.insert(t.controls.end(),
                    {
                        {ui::Kind::CheckBox, kTransparent, "Color de fondo Transparente", 5, 290, 250, 24},
                        {ui::Kind::CheckBox, kAngleOn, "Texto con grado de inclinacion", 5, 320, 230, 24},
                        {ui::Kind::Edit, kAngle, "", 5, 350, 60, 24, ui::kDigitsOnly | ui::kBorder},
                        {ui::Kind::Label, 10320, "grados de inclinacion", 66, 352, 150, 24},
                    });
  return ui::RunModal(t, parent, TextPropertiesDialogProc);
}

intptr_t TextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetTextPropertiesState() { startValues.Restore(); }
