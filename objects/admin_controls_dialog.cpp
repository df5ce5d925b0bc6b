#include "objects/admin_controls_dialog.h"

#include <algorithm>
#include <array>
#include <string>

#include "dialogs/dialog_skeleton.h"
#include "dialogs/fill_text_properties.h"
#include "dialogs/messages.h"
#include "objects/colours.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace admin_dialog_ids;

gfx::Surface* adminPreviewBitmap = nullptr;
int32_t adminDialogAccepted = 0;
int32_t adminDialogOpen = 0;

namespace {

StartValues startValues(adminDialogAccepted, adminDialogOpen);

constexpr int kPreviewWidth = 794, kPreviewHeight = 160;

DialogSkeleton skeleton{&adminDialogOpen, &adminDialogAccepted, kCancelar};

struct NumberField {
  int id;
  AdminPresetKey key;
};
constexpr NumberField kNumberFields[] = {
    {kAreaWidth, AdminPresetKey::AreaWidth}, {kAreaHeight, AdminPresetKey::AreaHeight},
    {kCellWidth, AdminPresetKey::CellWidth}, {kPen, AdminPresetKey::PenWidth},
    {kCount, AdminPresetKey::CellCount},     {kSpacing, AdminPresetKey::CellSpacing},
};

struct AlignmentOption {
  int id;
  int16_t alignment;
};
constexpr AlignmentOption kAlignmentOptions[] = {
    {kRight, kAlignRight}, {kLeft, kAlignLeft}, {kCentre, kAlignCentre}, {kJustified, kAlignJustified}};

// The controls each style uses; the others are greyed.
constexpr std::array<int, 10> kStyleControls = {kText,    kAreaWidth,    kAreaHeight, kCellWidth, kPen,
                                                kCount, kSpacing, kLabelVisible, kRound,      kJustified};
constexpr std::array<const char*, kAdminStyleCount> kEnabling = {
    "EEEEE--E-E",   // 1
    "EEEEE--E-E",   // 2
    "EEEEEEEE-E",   // 3
    "EEEEEEEE-E",   // 4
    "EEEEE----E",   // 5
    "EEE-----EE",   // 6
    "EEE-E-----",   // 7: the box's texts are never justified
    "EEE-E-----",   // 8
    "E--EE----E",   // 9
    "EEEEE--E-E",   // 10
};

// Checks the option of an alignment and clears the others; an unknown alignment changes none.
void CheckAlignmentOption(ui::Window window, int16_t alignment) {
  const auto* found = std::find_if(std::begin(kAlignmentOptions), std::end(kAlignmentOptions),
                                   [&](const AlignmentOption& o) { return o.alignment == alignment; });
  if (found == std::end(kAlignmentOptions)) return;
  for (const AlignmentOption& o : kAlignmentOptions) ui::SetCheck(window, o.id, o.id == found->id);
}

int StyleOfCombo(ui::Window window) { return numbers::ToInt16(ListLineNumber(ui::Text(window, kStyleCombo))); }

void ShowPreview(ui::Window window, int style) {
  if (!adminPreviewBitmap) return;
  ClearGraphicTarget(*adminPreviewBitmap);
  DrawAdminStyle(*adminPreviewBitmap, style, AdminArgsOfPreset(style, 5, 25));
  ShowBitmapIn(window, kPreview, *adminPreviewBitmap);
}

// The fields into the preset of the style the combo shows ("Renderizar" and "Aceptar").
void ReadControls(ui::Window window) {
  currentAdminStyle = static_cast<int16_t>(StyleOfCombo(window));
  AdminStylePreset* p = AdminPresetOf(currentAdminStyle);
  if (!p) return;
  SetAdminPresetText(*p, ui::Text(window, kText));
  // Digits-only fields still take any length: too large a number is held at its field's limit.
  for (const NumberField& f : kNumberFields) SetAdminPresetNumber(*p, f.key, FieldNumber(window, f.id));
  p->labelVisible = ui::Checked(window, kLabelVisible) ? 1 : 0;
  p->optionShape = ui::Checked(window, kRound) ? 1 : 0;
}

void Initialise(ui::Window window) {
  ui::ListClear(window, kStyleCombo);
  for (int style = 1; style <= kAdminStyleCount; ++style)
    ui::ListAdd(window, kStyleCombo, AdminStyleComboText(style));
  // A damaged document may have left no valid style; the dialog then starts on the first.
  if (!AdminPresetOf(currentAdminStyle)) currentAdminStyle = kAdminStyleClosedCell;
  ui::ListSelect(window, kStyleCombo, currentAdminStyle - 1);
  ui::SetTextLimit(window, kText, kAdminLabelMaxChars);
  RemakeDialogBitmap(adminPreviewBitmap, kPreviewWidth, kPreviewHeight);
  CheckAlignmentOption(window, kAlignRight);
  DrawAdminControl(window, currentAdminStyle);
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  AdminStylePreset* p = AdminPresetOf(currentAdminStyle);
  for (const AlignmentOption& o : kAlignmentOptions) {
    if (id == o.id) {
      if (p) p->alignment = o.alignment;
      return;
    }
  }
  switch (id) {
    case kSwatch:
      if (p) TakePickedSwatchColour(window, kSwatch, p->colour);
      break;
    case kChooser:
      if (IsButtonPress(id, code, kChooser)) {
        const gfx::Colour c = ChooseColourFor(window, customColours);
        if (c > -1 && p) {
          p->colour = c;
          PaintSwatch(window, kSwatch, c);
        }
      }
      break;
    case kStyleCombo:
      if (code != ui::kSelChange) break;
      currentAdminStyle = static_cast<int16_t>(StyleOfCombo(window));
      DrawAdminControl(window, currentAdminStyle);
      break;
    case kRenderizar:
      if (!IsButtonPress(id, code, kRenderizar)) break;
      ReadControls(window);
      DrawAdminControl(window, currentAdminStyle);
      break;
    case kAceptar:
      if (!IsButtonPress(id, code, kAceptar)) break;
      ReadControls(window);
      adminDialogOpen = 0;
      ShowMessageIfAny(LoadSaveAdminStylePresets("save"));
      FinishDialog(skeleton, window, true);
      break;
    case kCancelar:
      if (!IsButtonPress(id, code, kCancelar)) break;
      // Colour and alignment chosen meanwhile stay in the preset; only "Aceptar" saves them.
      adminDialogOpen = 0;
      FinishDialog(skeleton, window, false);
      break;
    default:
      break;
  }
}

constexpr DialogHandlers kHandlers{
    .init = Initialise,
    .command = OnCommand,
    .destroy = [](ui::Window) { ReleaseDialogBitmap(adminPreviewBitmap); }};

}  // namespace

void DrawAdminControl(ui::Window dialog, int style) {
  const AdminStylePreset* p = AdminPresetOf(style);
  if (!p) return;
  ui::SetText(dialog, kText, AdminPresetText(*p));
  for (const NumberField& f : kNumberFields)
    ui::SetText(dialog, f.id, numbers::SettingsNumberText(static_cast<long double>(AdminPresetNumber(*p, f.key))));
  PaintSwatch(dialog, kSwatch, p->colour);
  ui::SetCheck(dialog, kLabelVisible, p->labelVisible == 1);
  ui::SetCheck(dialog, kRound, p->optionShape == 1);
  CheckAlignmentOption(dialog, p->alignment);
  const char* row = kEnabling[static_cast<size_t>(style - 1)];
  for (size_t i = 0; i < kStyleControls.size(); ++i) ui::Enable(dialog, kStyleControls[i], row[i] == 'E');
  ShowPreview(dialog, style);
}

AdminControlArgs AdminArgsOfPreset(int style, int32_t x, int32_t y) {
  AdminControlArgs a;
  const AdminStylePreset* p = AdminPresetOf(style);
  if (!p) return a;
  a.label = std::string(AdminPresetText(*p));
  a.x = x;
  a.y = y;
  a.areaWidth = p->labelAreaWidth;
  a.areaHeight = p->labelAreaHeight;
  a.cellWidth = p->cellWidth;
  a.penWidth = p->penWidth;
  a.labelFontSize = textFontSize;
  a.cellCount = p->cellCount;
  a.colour = p->colour;
  a.labelFontName = textFontName;
  a.labelFontStyle = GetTextStyleFlags();
  a.alignment = p->alignment;
  a.cellSpacing = p->cellSpacing;
  a.labelVisible = p->labelVisible;
  a.fillText.clear();
  a.fillAlignment = 0;
  a.fillFontName = "Tahoma";
  a.fillFontSize = 10;
  a.fillColour = 0;
  a.fillFontStyle = 0;
  a.controlBackColor = gfx::kWhite;
  a.fillUseY = 0;
  a.fillY = 0;
  a.optionShape = p->optionShape;
  a.optionMarked = 1;
  return a;
}

void DrawNewAdminControl(gfx::Surface& target, int32_t x, int32_t y) {
  if (AdminPresetOf(currentAdminStyle)) DrawAdminStyle(target, currentAdminStyle, AdminArgsOfPreset(currentAdminStyle, x, y));
}

bool StoreAdminSettings(PageObject& o, gfx::FontKey labelFont) {
  const AdminStylePreset* p = AdminPresetOf(currentAdminStyle);
  if (!p) return false;
  o.width = p->labelAreaWidth;
  o.height = p->labelAreaHeight;
  o.cellWidth = p->cellWidth;
  o.penWidth = p->penWidth;
  o.cellCount = p->cellCount;
  o.cellSpacing = p->cellSpacing;
  o.alignment = p->alignment;
  o.labelVisible = p->labelVisible;
  o.optionShape = p->optionShape;
  o.foreColor = p->colour;
  o.backColor = gfx::kTransparent;
  o.fontHandle = labelFont;
  o.fontSize = textFontSize;
  SetFixedField(o.fontName, textFontName);
  o.fontStyle = GetTextStyleFlags();
  SetFixedField(o.text, AdminPresetText(*p));
  SetFixedField(o.fillText, "");
  o.adminStyle = currentAdminStyle;
  o.fillBackColor = fillTextBackColour;
  o.fillForeColor = fillTextForeColour;
  SetFixedField(o.fillFontName, fillTextFontName);
  o.fillFontSize = fillTextFontSize;
  o.fillBold = o.fillItalic = o.fillUnderline = o.fillStrikeout = o.fillLeading = 0;
  o.fillAlignment = kAlignLeft;
  o.fillFontStyle = 0;
  o.optionMarked = 1;
  o.controlBackColor = gfx::kWhite;
  return true;
}

int ShowAdminControlDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Objetos para impreso";
  t.w = 816;
  t.h = 520;
  // Pixels, as the preview is drawn pixel for pixel.
  t.units = ui::Units::Pixels;
  t.x = 54;
  t.y = 91;
  const std::string face = "MS Sans Serif";
  constexpr unsigned kDigits = ui::kDigitsOnly | ui::kSunken;
  t.controls = {
      {ui::Kind::Label, 1002, "Renderizaci\xF3n del objeto", 10, 4, 400, 18},
      // One pixel of border on each side leaves the preview its 794 x 160.
      {ui::Kind::Graphic, kPreview, "", 10, 24, kPreviewWidth + 2, kPreviewHeight + 2, ui::kBorder},
      {ui::Kind::DropList, kStyleCombo, "", 10, 198, 400, 240, 0, face, 10, false},
      {ui::Kind::Label, 1005, "Texto de la etiqueta", 10, 236, 400, 18},
      {ui::Kind::Edit, kText, "Texto etiqueta", 10, 256, 400, 26, ui::kSunken, face, 10, false},
      {ui::Kind::Label, 1007, "Ancho area texto", 10, 298, 220, 18},
      {ui::Kind::Edit, kAreaWidth, "1", 230, 294, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1009, "Alto area texto", 10, 330, 220, 18},
      {ui::Kind::Edit, kAreaHeight, "2", 230, 326, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1011, "Ancho celdillas", 10, 362, 220, 18},
      {ui::Kind::Edit, kCellWidth, "3", 230, 358, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1013, "Grosor pluma", 10, 394, 220, 18},
      {ui::Kind::Edit, kPen, "4", 230, 390, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1015, "n\xBA de celdillas", 10, 426, 220, 18},
      {ui::Kind::Edit, kCount, "5", 230, 422, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1020, "Separaci\xF3n entre celdillas", 10, 458, 220, 18},
      {ui::Kind::Edit, kSpacing, "6", 230, 454, 90, 26, kDigits, face, 10, false},
      {ui::Kind::Label, 1017, "Color objeto", 10, 490, 220, 18},
      {ui::Kind::Graphic, kSwatch, "", 230, 486, 24, 24, ui::kBorder | ui::kNotify},
      {ui::Kind::Button, kChooser, "...", 262, 486, 40, 24},
      {ui::Kind::CheckBox, kLabelVisible, "Etiqueta de texto ?", 440, 198, 260, 24},
      {ui::Kind::CheckBox, kRound, "Control Opci\xF3n Redondo", 440, 226, 260, 24},
      {ui::Kind::Label, 1028, "Alineamiento del texto", 440, 262, 260, 18},
      {ui::Kind::OptionBox, kRight, "Derecha", 456, 284, 200, 24, ui::kGroupStart},
      {ui::Kind::OptionBox, kLeft, "Izquierda", 456, 310, 200, 24},
      {ui::Kind::OptionBox, kCentre, "Centro", 456, 336, 200, 24},
      {ui::Kind::OptionBox, kJustified, "Justificado", 456, 362, 200, 24},
      {ui::Kind::Button, kCancelar, "Cancelar", 440, 476, 112, 32},
      {ui::Kind::Button, kRenderizar, "Renderizar", 566, 476, 112, 32},
      {ui::Kind::Button, kAceptar, "Aceptar", 692, 476, 112, 32},
  };
  return ui::RunModal(t, parent, AdminControlDialogProc);
}

intptr_t AdminControlDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

void LoadAdminSettings(const PageObject& object) {
  if (adminDialogOpen == 0) currentAdminStyle = object.adminStyle;
}

void ResetAdminControlDialogState() {
  ReleaseDialogBitmap(adminPreviewBitmap);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetAdminControlDialogState);
