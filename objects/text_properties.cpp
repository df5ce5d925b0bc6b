#include "objects/text_properties.h"

#include "objects/colours.h"
#include "objects/dialog_skeleton.h"
#include "objects/font_combos.h"
#include "objects/shared_helpers.h"
#include "platform/numbers/numbers.h"

gfx::Colour textBackColour = gfx::kWhite;
gfx::Colour workingTextBackColour = gfx::kWhite;
gfx::Colour textForeColour = gfx::kBlack;
gfx::Colour workingTextForeColour = gfx::kBlack;
std::string textFontName = "Times New Roman";
std::string workingTextFontName = "Times New Roman";
int16_t textFontSize = 10;
int16_t workingTextFontSize = 10;
std::array<int32_t, 5> acceptedTextStyleBits{};
std::array<int32_t, 5> textStyleBits{};
int32_t textBackTransparent = 0;
int32_t textAngleOn = 0;
int16_t textAngle = 0;
int32_t textPropertiesDialogOpen = 0;

namespace {

constexpr int kFace = 10100, kSize = 10120, kPreview = 10200;
constexpr int kBackLabel = 10210, kBackChooser = 10220, kBackSwatch = 10230;
constexpr int kForeChooser = 10240, kForeSwatch = 10260;
constexpr int kCancelar = 10270, kAceptar = 10280;
constexpr int kTransparent = 10290, kAngleOn = 10300, kAngle = 10310;
constexpr std::array<int, 5> kStyleChecks = {10130, 10140, 10150, 10160, 10180};

DialogSkeleton skeleton{&textPropertiesDialogOpen, nullptr, kCancelar};

// What "Cancelar" gives back besides the working copies.
int32_t openingTransparent = 0;
int32_t openingAngleOn = 0;
int16_t openingAngle = 0;

void DrawPreview(ui::Window window) {
  gfx::Surface& s = ui::ControlSurface(window, kPreview);
  ClearGraphicTarget(s);
  gfx::SelectFont(s, MakeSystemFont(workingTextFontName, workingTextFontSize, GetTextStyleFlags()));
  gfx::SetForeColour(s, workingTextForeColour);
  gfx::SetBackColour(s, workingTextBackColour);
  gfx::MoveTo(s, 4, 4);
  gfx::Print(s, "Prueba");
  ui::Redraw(window, kPreview);
}

void EnableBackground(ui::Window window, bool on) {
  for (int id : {kBackLabel, kBackChooser, kBackSwatch}) ui::Enable(window, id, on);
}

int16_t AngleField(ui::Window window) { return numbers::ToInt16(FieldNumber(window, kAngle)); }

void ShowAngle(ui::Window window) {
  if (textAngleOn == 1) {
    ui::Enable(window, kAngle, true);
    ui::SetText(window, kAngle, numbers::NumberText(textAngle));
  } else {
    ui::SetText(window, kAngle, "");
    textAngle = 0;
    ui::Enable(window, kAngle, false);
  }
}

void Initialise(ui::Window window) {
  openingTransparent = textBackTransparent;
  openingAngleOn = textAngleOn;
  openingAngle = textAngle;
  workingTextBackColour = textBackColour;
  workingTextForeColour = textForeColour;
  workingTextFontName = textFontName;
  workingTextFontSize = textFontSize;
  textStyleBits = acceptedTextStyleBits;

  ui::SetItemHeight(window, kFace, FontComboItemHeight());
  FillFontCombo(window, kFace);
  SelectFontFace(window, kFace, workingTextFontName);
  FillFontSizeCombo(window, kSize, 70);
  PaintSwatch(window, kBackSwatch, workingTextBackColour);
  PaintSwatch(window, kForeSwatch, workingTextForeColour);
  for (size_t i = 0; i < kStyleChecks.size(); ++i) ui::SetCheck(window, kStyleChecks[i], acceptedTextStyleBits[i] == 1);
  ui::SetCheck(window, kTransparent, textBackTransparent == 1);
  ui::SetCheck(window, kAngleOn, textAngleOn == 1);
  EnableBackground(window, textBackTransparent != 1);
  ShowAngle(window);
  SelectFontSize(window, kSize, textFontSize);
  DrawPreview(window);
}

void ChooseInto(ui::Window window, gfx::Colour& working, int swatch) {
  gfx::Colour c = ChooseColourFor(window, customColours);
  if (c == -1) return;
  working = c;
  PaintSwatch(window, swatch, working);
  DrawPreview(window);
}

void TakePickedInto(ui::Window window, gfx::Colour& working, int swatch) {
  if (!TakePickedColour(working)) return;
  PaintSwatch(window, swatch, working);
  DrawPreview(window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  for (size_t i = 0; i < kStyleChecks.size(); ++i) {
    if (id == kStyleChecks[i]) {
      textStyleBits[i] = ui::Checked(window, id) ? 1 : 0;
      DrawPreview(window);
      return;
    }
  }
  switch (id) {
    case kFace:
      if (code == ui::kSelChange || code == ui::kSelEndOk) workingTextFontName = ui::Text(window, kFace);
      if (code == ui::kSelEndOk) DrawPreview(window);
      break;
    case kSize:
      if (code != ui::kSelEndOk) break;
      workingTextFontSize = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, kSize)));
      DrawPreview(window);
      break;
    case kTransparent:
      textBackTransparent = ui::Checked(window, kTransparent) ? 1 : 0;
      workingTextBackColour = textBackTransparent == 1 ? gfx::kTransparent : gfx::kWhite;
      // The swatch goes grey with its button, so no picked colour can make the background opaque.
      EnableBackground(window, textBackTransparent != 1);
      if (textBackTransparent != 1) PaintSwatch(window, kBackSwatch, gfx::kWhite);
      DrawPreview(window);
      break;
    case kAngleOn:
      textAngleOn = ui::Checked(window, kAngleOn) ? 1 : 0;
      if (textAngleOn == 1) {
        ui::Enable(window, kAngle, true);
        textAngle = AngleField(window);
      } else {
        textAngle = 0;
        ui::SetText(window, kAngle, "");
        ui::Enable(window, kAngle, false);
      }
      break;
    case kBackChooser:
      if (code == ui::kClicked || code == 1) ChooseInto(window, workingTextBackColour, kBackSwatch);
      break;
    case kForeChooser:
      if (code == ui::kClicked || code == 1) ChooseInto(window, workingTextForeColour, kForeSwatch);
      break;
    case kBackSwatch:
      TakePickedInto(window, workingTextBackColour, kBackSwatch);
      break;
    case kForeSwatch:
      TakePickedInto(window, workingTextForeColour, kForeSwatch);
      break;
    case kCancelar:
      if (code != ui::kClicked && code != 1) break;
      workingTextBackColour = textBackColour;
      workingTextForeColour = textForeColour;
      workingTextFontName = textFontName;
      workingTextFontSize = textFontSize;
      textStyleBits = acceptedTextStyleBits;
      textBackTransparent = openingTransparent;
      textAngleOn = openingAngleOn;
      textAngle = openingAngle;
      ui::EndDialog(window, ui::kCancel);
      break;
    case kAceptar:
      if (code != ui::kClicked && code != 1) break;
      textBackColour = workingTextBackColour;
      textForeColour = workingTextForeColour;
      textFontName = workingTextFontName.substr(0, kTextFontNameMaxChars);
      workingTextFontName = textFontName;
      textFontSize = workingTextFontSize;
      acceptedTextStyleBits = textStyleBits;
      textAngle = AngleField(window);
      ui::EndDialog(window, ui::kOk);
      break;
    default:
      break;
  }
}

}  // namespace

int32_t StyleFlagsOf(const std::array<int32_t, 5>& bits) {
  constexpr std::array<int32_t, 5> kValues = {kStyleBold, kStyleItalic, kStyleUnderline, kStyleStrikeOut, kStyleLeading};
  int32_t flags = 0;
  for (size_t i = 0; i < bits.size(); ++i)
    if (bits[i] == 1) flags += kValues[i];
  return flags;
}

int32_t GetTextStyleFlags() { return StyleFlagsOf(textStyleBits); }

int ShowTextPropertiesDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Propiedades Texto";
  t.w = 442;
  t.h = 392;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  t.controls = {
      {ui::Kind::Label, 10090, "Tipo de Fuente", 8, 8, 312, 16, ui::kCentred},
      {ui::Kind::DropList, kFace, "", 8, 24, 304, 24, ui::kOwnerDraw | ui::kSorted | ui::kSunken},
      {ui::Kind::Label, 10110, "Tama\xF1o", 314, 7, 120, 13, ui::kCentred},
      {ui::Kind::DropList, kSize, "", 314, 24, 120, 24, ui::kExtendedUi},
      {ui::Kind::CheckBox, kStyleChecks[0], "Negrita", 32, 72, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[1], "Italica", 32, 96, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[2], "Subrayado", 32, 120, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[3], "Tachado", 32, 144, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[4], "Leading", 32, 168, 96, 24},
      {ui::Kind::GroupFrame, 10190, "Estilos", 8, 56, 136, 144},
      {ui::Kind::Graphic, kPreview, "", 152, 64, 280, 136, ui::kBorder},
      {ui::Kind::Label, kBackLabel, "Color de fondo", 0, 216, 152, 24, 0, "MS Sans Serif", 14},
      {ui::Kind::Button, kBackChooser, "...", 151, 208, 56, 32, 0, "MS Sans Serif", 18},
      {ui::Kind::Graphic, kBackSwatch, "", 216, 208, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kForeChooser, "...", 151, 249, 56, 32, 0, "MS Sans Serif", 18},
      {ui::Kind::Label, 10250, "Color de fuente", 0, 257, 152, 24, 0, "MS Sans Serif", 14},
      {ui::Kind::Graphic, kForeSwatch, "", 216, 249, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kCancelar, "Cancelar", 256, 208, 72, 32},
      {ui::Kind::Button, kAceptar, "Aceptar", 256, 250, 72, 32},
      {ui::Kind::CheckBox, kTransparent, "Color de fondo Transparente", 5, 290, 250, 24},
      {ui::Kind::CheckBox, kAngleOn, "Texto con grado de inclinacion", 5, 320, 230, 24},
      {ui::Kind::Edit, kAngle, "", 5, 350, 60, 24, ui::kDigitsOnly | ui::kBorder},
      {ui::Kind::Label, 10320, "grados de inclinacion", 66, 352, 150, 24},
  };
  return ui::RunModal(t, parent, TextPropertiesDialogProc);
}

intptr_t TextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  if (HandleDialogSkeleton(skeleton, window, msg)) return 1;
  switch (msg) {
    case ui::Msg::Init:
      Initialise(window);
      break;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF), second);
      break;
    case ui::Msg::DrawItem: {
      const auto* item = reinterpret_cast<const ui::DrawItemInfo*>(second);
      if (item && item->controlId == kFace) DrawFontComboItem(*item);
      return 1;
    }
    default:
      break;
  }
  return 0;
}
