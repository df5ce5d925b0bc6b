#include "dialogs/fill_text_properties.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/text_style_controls.h"
#include "page/admin_controls.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace fill_text_ids;

// The style of the administrative control being edited, kept by its own dialog.
TextStyle fillTextStyle;
TextStyle workingFillTextStyle;
gfx::Colour& fillTextBackColour = fillTextStyle.backColour;
gfx::Colour& workingFillTextBackColour = workingFillTextStyle.backColour;
gfx::Colour& fillTextForeColour = fillTextStyle.foreColour;
gfx::Colour& workingFillTextForeColour = workingFillTextStyle.foreColour;
std::string& fillTextFontName = fillTextStyle.fontName;
std::string& workingFillTextFontName = workingFillTextStyle.fontName;
int16_t& fillTextFontSize = fillTextStyle.fontSize;
int16_t& workingFillTextFontSize = workingFillTextStyle.fontSize;
std::array<int32_t, 5>& acceptedFillStyleBits = fillTextStyle.styleBits;
std::array<int32_t, 5>& fillStyleBits = workingFillTextStyle.styleBits;
std::string fillTextBuffer;
int32_t fillTextUseY = 0;
int16_t fillTextY = 0;
int32_t fillAlignLeftChosen = 1;
int32_t fillAlignRightChosen = 0;
int32_t fillAlignCentreChosen = 0;
int32_t fillTextAccepted = 0;
std::array<gfx::Colour, 16> fillCustomColours{};

namespace {

StartValues startValues(fillTextStyle, workingFillTextStyle, fillTextBuffer, fillTextUseY,
                        fillTextY, fillAlignLeftChosen, fillAlignRightChosen,
                        fillAlignCentreChosen, fillTextAccepted, fillCustomColours);

DialogSkeleton skeleton{nullptr, &fillTextAccepted, kStyle.cancelar};

const TextStyleEditor editor{
    .base = kBase, .accepted = fillTextStyle, .working = workingFillTextStyle,
    .customColours = fillCustomColours, .fontNameMaxChars = std::string::npos,
    .pickedColourAccepted = true, .previewOnBackColour = true};

int32_t* const kAlignFlags[] = {&fillAlignLeftChosen, &fillAlignRightChosen, &fillAlignCentreChosen};

// Styles whose fill text may sit at a fixed y.
bool StyleTakesFixedY(int style) {
  return style == 1 || style == 2 || style == 3 || style == 4 || style == 7 || style == 8;
}

void Initialise(ui::Window window) {
  OpenTextStyle(editor, window);
  ui::SetText(window, kText, fillTextBuffer);
  if (StyleTakesFixedY(currentAdminStyle)) {
    for (int id : {kUseY, kY, kYLabel}) {
      ui::Show(window, id, true);
      ui::Enable(window, id, true);
    }
    ui::SetCheck(window, kUseY, fillTextUseY == 1);
    if (fillTextUseY == 1) {
      ui::SetText(window, kY, numbers::SettingsNumberText(fillTextY));
    } else {
      ui::SetText(window, kY, "");
      ui::Enable(window, kY, false);
    }
  } else {
    for (int id : {kUseY, kY, kYLabel}) {
      ui::Enable(window, id, false);
      ui::Show(window, id, false);
    }
  }
  for (int i = 0; i < 3; ++i)
    if (*kAlignFlags[i] == 1) ui::SetCheck(window, kLeft + 10 * i, true);
  DrawTextStylePreview(editor, window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (TextStyleCommand(editor, window, id, code)) return;
  switch (id) {
    case kLeft:
    case kRight:
    case kCentre:
      for (int i = 0; i < 3; ++i) *kAlignFlags[i] = kLeft + 10 * i == id ? 1 : 0;
      break;
    case kUseY:
      fillTextUseY = ui::Checked(window, kUseY) ? 1 : 0;
      ui::Enable(window, kY, fillTextUseY == 1);
      break;
    case kStyle.cancelar:
      if (IsPressCode(code)) FinishDialog(skeleton, window, false);
      break;
    case kStyle.aceptar:
      if (!IsPressCode(code)) break;
      AcceptTextStyle(editor);
      fillTextY = fillTextUseY == 1 ? numbers::ToInt16(FieldNumber(window, kY)) : int16_t{0};
      fillTextBuffer = NormaliseFillText(ui::Text(window, kText));
      FinishDialog(skeleton, window, true);
      break;
    default:
      break;
  }
}

constexpr DialogHandlers kHandlers{
    .init = Initialise, .command = OnCommand, .other = DrawTextStyleLines<editor>};

}  // namespace

int32_t GetFillTextStyleFlags() { return StyleFlagsOf(fillStyleBits); }

TextStyle FillTextStyleOfObject(const PageObject& o) {
  return {.backColour = o.fillBackColor,
          .foreColour = o.fillForeColor,
          .fontName = std::string(FixedFieldText(o.fillFontName)),
          .fontSize = o.fillFontSize,
          .styleBits = {o.fillBold, o.fillItalic, o.fillUnderline, o.fillStrikeout, o.fillLeading}};
}

void PutFillTextStyle(PageObject& o, const TextStyle& style) {
  o.fillBackColor = style.backColour;
  o.fillForeColor = style.foreColour;
  SetFixedField(o.fillFontName, style.fontName);
  o.fillFontSize = style.fontSize;
  o.fillBold = style.styleBits[0];
  o.fillItalic = style.styleBits[1];
  o.fillUnderline = style.styleBits[2];
  o.fillStrikeout = style.styleBits[3];
  o.fillLeading = style.styleBits[4];
}

std::string NormaliseFillText(std::string_view typed) {
  return LineBreaksToBlanks(typed.substr(0, kFillTextMaxChars));
}

int ShowFillTextPropertiesDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Propiedades Texto";
  t.w = 442;
  t.h = 502;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  AddTextStyleControls(t.controls, kBase);
  t.controls.insert(t.controls.end(),
                    {
                        {ui::Kind::Edit, kText, "", 5, 290, 320, 120, ui::kMultiLine | ui::kBorder},
                        {ui::Kind::OptionBox, kLeft, "Alineamiento a la Izquierda", 5, 412, 210, 18, ui::kGroupStart},
                        {ui::Kind::OptionBox, kRight, "Alineamiento a la Derecha", 5, 432, 210, 18},
                        {ui::Kind::OptionBox, kCentre, "Alineamiento al Centro", 5, 452, 210, 18},
                        {ui::Kind::CheckBox, kUseY, "Poner coordenada Y", 220, 412, 210, 18},
                        {ui::Kind::Edit, kY, "", 220, 432, 66, 18},
                        {ui::Kind::Label, kYLabel, "pixeles", 288, 433, 150, 18},
                    });
  return ui::RunModal(t, parent, FillTextPropertiesDialogProc);
}

intptr_t FillTextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetFillTextPropertiesState() { startValues.Restore(); }
