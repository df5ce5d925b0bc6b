#include "objects/fill_text_properties.h"

#include "objects/colours.h"
#include "objects/dialog_skeleton.h"
#include "objects/font_combos.h"
#include "objects/shared_helpers.h"
#include "objects/text_properties.h"
#include "platform/numbers/numbers.h"

// The style of the administrative control being edited, kept by its own dialog.
extern int16_t currentAdminStyle;

gfx::Colour fillTextBackColour = gfx::kWhite;
gfx::Colour workingFillTextBackColour = gfx::kWhite;
gfx::Colour fillTextForeColour = gfx::kBlack;
gfx::Colour workingFillTextForeColour = gfx::kBlack;
std::string fillTextFontName = "Times New Roman";
std::string workingFillTextFontName = "Times New Roman";
int16_t fillTextFontSize = 10;
int16_t workingFillTextFontSize = 10;
std::array<int32_t, 5> acceptedFillStyleBits{};
std::array<int32_t, 5> fillStyleBits{};
std::string fillTextBuffer;
int32_t fillTextUseY = 0;
int16_t fillTextY = 0;
int32_t fillAlignLeftChosen = 1;
int32_t fillAlignRightChosen = 0;
int32_t fillAlignCentreChosen = 0;
int32_t fillTextAccepted = 0;
std::array<gfx::Colour, 16> fillCustomColours{};

namespace {

constexpr int kFace = 20100, kSize = 20120, kPreview = 20200;
constexpr int kBackChooser = 20220, kBackSwatch = 20230, kForeChooser = 20240, kForeSwatch = 20260;
constexpr int kCancelar = 20270, kAceptar = 20280;
constexpr int kText = 20310, kLeft = 20330, kRight = 20340, kCentre = 20350;
constexpr int kUseY = 20361, kY = 20362, kYLabel = 20363;
constexpr std::array<int, 5> kStyleChecks = {20130, 20140, 20150, 20160, 20180};

DialogSkeleton skeleton{nullptr, &fillTextAccepted, kCancelar};

int32_t* const kAlignFlags[] = {&fillAlignLeftChosen, &fillAlignRightChosen, &fillAlignCentreChosen};

// Styles whose fill text may sit at a fixed y.
bool StyleTakesFixedY(int style) {
  return style == 1 || style == 2 || style == 3 || style == 4 || style == 7 || style == 8;
}

void DrawPreview(ui::Window window) {
  gfx::Surface& s = ui::ControlSurface(window, kPreview);
  gfx::Select(s);
  // A transparent background is no colour to clear to.
  gfx::Clear(s, workingFillTextBackColour < 0 ? gfx::kWhite : workingFillTextBackColour);
  gfx::SelectFont(s, MakeSystemFont(workingFillTextFontName, workingFillTextFontSize, GetFillTextStyleFlags()));
  gfx::SetForeColour(s, workingFillTextForeColour);
  gfx::SetBackColour(s, gfx::kTransparent);
  gfx::MoveTo(s, 4, 4);
  gfx::Print(s, "Prueba");
  ui::Redraw(window, kPreview);
}

void Initialise(ui::Window window) {
  workingFillTextBackColour = fillTextBackColour;
  workingFillTextForeColour = fillTextForeColour;
  workingFillTextFontName = fillTextFontName;
  workingFillTextFontSize = fillTextFontSize;
  fillStyleBits = acceptedFillStyleBits;

  ui::SetItemHeight(window, kFace, FontComboItemHeight());
  FillFontCombo(window, kFace);
  SelectFontFace(window, kFace, workingFillTextFontName);
  FillFontSizeCombo(window, kSize, 70);
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
  PaintSwatch(window, kBackSwatch, fillTextBackColour);
  PaintSwatch(window, kForeSwatch, fillTextForeColour);
  for (size_t i = 0; i < kStyleChecks.size(); ++i) ui::SetCheck(window, kStyleChecks[i], acceptedFillStyleBits[i] == 1);
  SelectFontSize(window, kSize, fillTextFontSize);
  DrawPreview(window);
}

void ChooseInto(ui::Window window, gfx::Colour& working, int swatch) {
  gfx::Colour c = ChooseColourFor(window, fillCustomColours);
  if (c == -1) return;
  working = c;
  PaintSwatch(window, swatch, working);
  DrawPreview(window);
}

void TakePickedInto(ui::Window window, gfx::Colour& accepted, gfx::Colour& working, int swatch) {
  if (!TakePickedColour(working)) return;
  accepted = working;
  PaintSwatch(window, swatch, working);
  DrawPreview(window);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  for (size_t i = 0; i < kStyleChecks.size(); ++i) {
    if (id == kStyleChecks[i]) {
      fillStyleBits[i] = ui::Checked(window, id) ? 1 : 0;
      DrawPreview(window);
      return;
    }
  }
  const bool pressed = code == ui::kClicked || code == 1;
  switch (id) {
    case kFace:
      if (code == ui::kSelChange || code == ui::kSelEndOk) workingFillTextFontName = ui::Text(window, kFace);
      if (code == ui::kSelEndOk) DrawPreview(window);
      break;
    case kSize:
      if (code != ui::kSelEndOk) break;
      workingFillTextFontSize = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, kSize)));
      DrawPreview(window);
      break;
    case kLeft:
    case kRight:
    case kCentre:
      for (int i = 0; i < 3; ++i) *kAlignFlags[i] = kLeft + 10 * i == id ? 1 : 0;
      break;
    case kUseY:
      fillTextUseY = ui::Checked(window, kUseY) ? 1 : 0;
      ui::Enable(window, kY, fillTextUseY == 1);
      break;
    case kBackChooser:
      if (pressed) ChooseInto(window, workingFillTextBackColour, kBackSwatch);
      break;
    case kForeChooser:
      if (pressed) ChooseInto(window, workingFillTextForeColour, kForeSwatch);
      break;
    case kBackSwatch:
      TakePickedInto(window, fillTextBackColour, workingFillTextBackColour, kBackSwatch);
      break;
    case kForeSwatch:
      TakePickedInto(window, fillTextForeColour, workingFillTextForeColour, kForeSwatch);
      break;
    case kCancelar:
      if (!pressed) break;
      fillTextAccepted = 0;
      ui::EndDialog(window, ui::kCancel);
      break;
    case kAceptar:
      if (!pressed) break;
      fillTextBackColour = workingFillTextBackColour;
      fillTextForeColour = workingFillTextForeColour;
      fillTextFontName = workingFillTextFontName;
      fillTextFontSize = workingFillTextFontSize;
      acceptedFillStyleBits = fillStyleBits;
      fillTextY = fillTextUseY == 1 ? numbers::ToInt16(FieldNumber(window, kY)) : int16_t{0};
      fillTextBuffer = NormaliseFillText(ui::Text(window, kText));
      fillTextAccepted = 1;
      ui::EndDialog(window, ui::kOk);
      break;
    default:
      break;
  }
}

}  // namespace

int32_t GetFillTextStyleFlags() { return StyleFlagsOf(fillStyleBits); }

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
  t.controls = {
      {ui::Kind::Label, 20090, "Tipo de Fuente", 8, 8, 312, 16, ui::kCentred},
      {ui::Kind::DropList, kFace, "", 8, 24, 304, 24, ui::kOwnerDraw | ui::kSorted | ui::kSunken},
      {ui::Kind::Label, 20110, "Tama\xF1o", 314, 7, 120, 13, ui::kCentred},
      {ui::Kind::DropList, kSize, "", 314, 24, 120, 24, ui::kExtendedUi},
      {ui::Kind::CheckBox, kStyleChecks[0], "Negrita", 32, 72, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[1], "Italica", 32, 96, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[2], "Subrayado", 32, 120, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[3], "Tachado", 32, 144, 96, 24},
      {ui::Kind::CheckBox, kStyleChecks[4], "Leading", 32, 168, 96, 24},
      {ui::Kind::GroupFrame, 20190, "Estilos", 8, 56, 136, 144},
      {ui::Kind::Graphic, kPreview, "", 152, 64, 280, 136, ui::kBorder},
      {ui::Kind::Label, 20210, "Color de fondo", 0, 216, 152, 24, 0, "MS Sans Serif", 14},
      {ui::Kind::Button, kBackChooser, "...", 151, 208, 56, 32, 0, "MS Sans Serif", 18},
      {ui::Kind::Graphic, kBackSwatch, "", 216, 208, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kForeChooser, "...", 151, 249, 56, 32, 0, "MS Sans Serif", 18},
      {ui::Kind::Label, 20250, "Color de fuente", 0, 257, 152, 24, 0, "MS Sans Serif", 14},
      {ui::Kind::Graphic, kForeSwatch, "", 216, 249, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kCancelar, "Cancelar", 256, 208, 72, 32},
      {ui::Kind::Button, kAceptar, "Aceptar", 256, 250, 72, 32},
      {ui::Kind::Edit, kText, "", 5, 290, 320, 120, ui::kMultiLine | ui::kBorder},
      {ui::Kind::OptionBox, kLeft, "Alineamiento a la Izquierda", 5, 412, 210, 18, ui::kGroupStart},
      {ui::Kind::OptionBox, kRight, "Alineamiento a la Derecha", 5, 432, 210, 18},
      {ui::Kind::OptionBox, kCentre, "Alineamiento al Centro", 5, 452, 210, 18},
      {ui::Kind::CheckBox, kUseY, "Poner coordenada Y", 220, 412, 210, 18},
      {ui::Kind::Edit, kY, "", 220, 432, 66, 18},
      {ui::Kind::Label, kYLabel, "pixeles", 288, 433, 150, 18},
  };
  return ui::RunModal(t, parent, FillTextPropertiesDialogProc);
}

intptr_t FillTextPropertiesDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
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
