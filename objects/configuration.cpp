#include "objects/configuration.h"

#include <algorithm>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "objects/colours.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace configuration_ids;

int32_t configurationDialogOpen = 0;

namespace {

constexpr int kMarginLists[] = {kLeftList, kRightList, kTopList, kBottomList};
constexpr int kMarginChoices[] = {2, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
constexpr long double k = numbers::kMillimetreToPixel;

DialogSkeleton skeleton{&configurationDialogOpen, nullptr, kSalir};
gfx::Surface* preview = nullptr;

StartValues startValues(configurationDialogOpen);

int32_t* MarginOf(int listId) {
  switch (listId) {
    case kLeftList: return &marginLeft;
    case kRightList: return &marginRight;
    case kTopList: return &marginTop;
    default: return &marginBottom;
  }
}

void ShowPreview(ui::Window window) {
  ClearGraphicTarget(*preview);
  FillMarginAreaPreview(*preview);
  DrawMarginPreview(*preview);
  ShowBitmapIn(window, kPreview, *preview);
}

void EnableMarginLists(ui::Window window) {
  for (int id : kMarginLists) ui::Enable(window, id, noMargins == 0);
}

void Initialise(ui::Window window) {
  preview = gfx::MakeBitmap(MarginPreviewWidth(), MarginPreviewHeight());
  PaintSwatch(window, kAmbientSwatch, ambientColor);
  for (int id : kMarginLists) {
    // One whole line in a list one line high.
    ui::SetItemHeight(window, id, 20);
    for (int mm : kMarginChoices) ui::ListAdd(window, id, numbers::FormatWithMask(mm, "00") + " milimetros");
    const int32_t margin = *MarginOf(id);
    const int* found = std::find(std::begin(kMarginChoices), std::end(kMarginChoices), margin);
    ui::ListSelect(window, id, found == std::end(kMarginChoices) ? -1 : static_cast<int>(found - kMarginChoices));
  }
  ShowPreview(window);
  ui::SetText(window, kX, numbers::NumberText(insertX));
  ui::SetText(window, kY, numbers::NumberText(insertY));
  if (imageFormatOption >= kPng && imageFormatOption <= kBmp) ui::SetCheck(window, imageFormatOption, true);
  ui::SetCheck(window, kSound, soundMuted == 1);
  ui::SetCheck(window, kNoMargins, noMargins == 1);
  ui::SetCheck(window, kAmbientOn, ambientColorOn == 1);
  EnableMarginLists(window);
}

// "Salir", Esc and the close box alike: the dialog is left only with a position on the page.
void Leave(ui::Window window) {
  const long double x = FieldNumber(window, kX);
  const long double y = FieldNumber(window, kY);
  if (!IsInsertPositionAllowed(x, y)) {
    Tell(window, InsertAreaMessage());
    return;
  }
  insertX = static_cast<int32_t>(x);
  insertY = static_cast<int32_t>(y);
  ui::EndDialog(window, ui::kOk);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (id >= kPng && id <= kBmp) {
    imageFormatOption = id;
    return;
  }
  switch (id) {
    case kSound:
      soundMuted = ui::Checked(window, kSound) ? 1 : 0;
      ShowPreview(window);
      break;
    case kNoMargins:
      noMargins = ui::Checked(window, kNoMargins) ? 1 : 0;
      EnableMarginLists(window);
      ShowPreview(window);
      break;
    case kAmbientOn:
      ambientColorOn = ui::Checked(window, kAmbientOn) ? 1 : 0;
      ShowPreview(window);
      break;
    case kAmbientSwatch:
      if (TakePickedSwatchColour(window, kAmbientSwatch, ambientColor)) ShowPreview(window);
      break;
    case kLeftList:
    case kRightList:
    case kTopList:
    case kBottomList: {
      if (code != ui::kSelChange) break;
      const int line = ui::ListSelection(window, id);
      if (line < 0) break;
      *MarginOf(id) = numbers::ToInt32(ListLineNumber(ui::ListText(window, id, line)));
      ShowPreview(window);
      break;
    }
    case kSalir:
      if (IsPressCode(code)) Leave(window);
      break;
    default:
      break;
  }
}

void OnDestroy(ui::Window) {
  ReleaseDialogBitmap(preview);
  ShowMessageIfAny(LoadSaveSettings("save"));
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand, .destroy = OnDestroy};

}  // namespace

int64_t RoundedDiv(long double a, long double b) {
  const auto divisor = static_cast<int64_t>(numbers::RoundHalfEven(b));
  return divisor == 0 ? 0 : static_cast<int64_t>(numbers::RoundHalfEven(a)) / divisor;
}

int MarginPreviewWidth() { return static_cast<int>(std::max<int64_t>(1, RoundedDiv(k * paperWidthMm, 5))); }
int MarginPreviewHeight() { return static_cast<int>(std::max<int64_t>(1, RoundedDiv(k * paperHeightMm, 5))); }

void FillMarginAreaPreview(gfx::Surface& s) {
  if (ambientColorOn != 1) return;
  gfx::SetPen(s, 1, gfx::kSolid);
  gfx::Box(s, RoundedDiv(k * marginLeft, 5), RoundedDiv(k * marginTop, 5),
           RoundedDiv(k * paperWidthMm - k * marginRight - 15, 5),
           RoundedDiv(k * paperHeightMm - k * marginBottom - 15, 5), 0, ambientColor, ambientColor, 0);
}

void DrawMarginPreview(gfx::Surface& s) {
  if (noMargins != 0) return;
  gfx::SetPen(s, 1, gfx::kDot);
  const auto left = RoundedDiv(k * marginLeft, 5);
  const auto right = RoundedDiv(k * paperWidthMm - k * marginRight - 15, 5);
  const auto top = RoundedDiv(k * marginTop, 5);
  const auto bottom = RoundedDiv(k * paperHeightMm - k * marginBottom - 15, 5);
  const auto width = RoundedDiv(k * paperWidthMm, 5);
  const auto height = RoundedDiv(k * paperHeightMm, 5);
  gfx::Line(s, left, 0, left, height, gfx::kBlack);
  gfx::Line(s, right, 0, right, height, gfx::kBlack);
  gfx::Line(s, 0, top, width, top, gfx::kBlack);
  gfx::Line(s, 0, bottom, width, bottom, gfx::kBlack);
  gfx::SetPen(s, 1, gfx::kSolid);
}

bool IsInsertPositionAllowed(long double x, long double y) {
  return x > 0 && x <= k * paperWidthMm && y > 0 && y <= k * paperHeightMm;
}

std::string InsertAreaMessage() {
  return "El area permitida es de " + numbers::SettingsNumberText(k * paperWidthMm) + "x" +
         numbers::SettingsNumberText(k * paperHeightMm) + " pixeles \r\n" +
         "Escriba posicion inicial objetos dentro del area ...";
}

std::string PaperMarginsCaption() {
  return "Margenes papel " + numbers::SettingsNumberText(paperWidthMm) + "x" +
         numbers::SettingsNumberText(paperHeightMm) + " mm";
}

int ShowConfigurationDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Configuracion";
  t.w = 545;
  t.h = 492;
  // Pixels, as the page preview is a bitmap shown pixel for pixel.
  t.units = ui::Units::Pixels;
  t.x = 105;
  t.y = 114;
  const int pw = MarginPreviewWidth(), ph = MarginPreviewHeight();
  t.controls = {
      {ui::Kind::Label, 2001, "Posicion inicial objetos", 8, 8, 180, 24},
      {ui::Kind::Label, 2002, "X:", 8, 34, 22, 24},
      {ui::Kind::Edit, kX, "", 30, 32, 45, 25, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 2005, "Y:", 8, 67, 22, 24},
      {ui::Kind::Edit, kY, "", 30, 65, 45, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::CheckBox, kSound, "Quitar sonido", 8, 98, 134, 24},
      {ui::Kind::Label, 2007, "Elige formato gr\xE1" "fico para grabar", 8, 130, 240, 24},
      {ui::Kind::OptionBox, kPng, "PNG", 8, 154, 60, 24, ui::kGroupStart},
      {ui::Kind::OptionBox, kJpeg, "JPEG", 8, 179, 60, 24},
      {ui::Kind::OptionBox, kGif, "GIF", 8, 203, 60, 25},
      {ui::Kind::OptionBox, kTif, "TIF", 8, 228, 60, 24},
      {ui::Kind::OptionBox, kBmp, "BMP", 8, 252, 60, 24},
      // Wider than the preview it heads (368, 180) so that the whole caption shows.
      {ui::Kind::Label, kPaperLabel, PaperMarginsCaption(), 348, 8, 194, 16, ui::kCentred},
      // The border lies outside the preview bitmap's pixels.
      {ui::Kind::Graphic, kPreview, "", 368, 24, pw + 2, ph + 2, ui::kBorder},
      {ui::Kind::CheckBox, kNoMargins, "No quiero margenes", 368, 256, 160, 16},
      {ui::Kind::Label, kLeftLabel, "Margen Izquierdo", 8, 288, 150, 16},
      {ui::Kind::ListBox, kLeftList, "", 8, 304, 150, 24},
      {ui::Kind::Label, kRightLabel, "Margen Derecho", 8, 328, 150, 16},
      {ui::Kind::ListBox, kRightList, "", 8, 344, 150, 24},
      {ui::Kind::Label, kTopLabel, "Margen Arriba", 8, 368, 150, 16},
      {ui::Kind::ListBox, kTopList, "", 8, 384, 150, 24},
      {ui::Kind::Label, kBottomLabel, "Margen Abajo", 8, 408, 150, 16},
      {ui::Kind::ListBox, kBottomList, "", 8, 424, 150, 24},
      {ui::Kind::CheckBox, kAmbientOn, "Quiero color de ambiente", 268, 304, 199, 16},
      {ui::Kind::Graphic, kAmbientSwatch, "", 268, 324, 32, 32, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kSalir, "Salir", 488, 448, 51, 24},
  };
  return ui::RunModal(t, parent, ConfigurationDialogProc);
}

intptr_t ConfigurationDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void ResetConfigurationState() {
  ReleaseDialogBitmap(preview);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetConfigurationState);
