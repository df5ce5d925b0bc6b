#include "shell/object_properties.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "database/dialogs/database_commands.h"
#include "dialogs/dialog_focus.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/font_combos.h"
#include "objects/colours.h"
#include "objects/object_combo_item.h"
#include "objects/size_fields.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/command_ids.h"
#include "page/object_clipboard.h"
#include "page/object_kinds.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"
#include "program/canvas.h"
#include "program/startup.h"
#include "shell/main_window.h"

ui::Window objectPropertiesDialog = nullptr;
ui::Window propertiesDialogFocus = nullptr;

namespace {

using namespace properties_ids;

struct FieldControls {
  PropertyField field;
  int ids[4];
};
constexpr FieldControls kFieldControls[] = {
    {kPropertyX, {kX}},
    {kPropertyY, {kY}},
    {kPropertyWidth, {kWidth}},
    {kPropertyHeight, {kHeight}},
    {kPropertyFontSize, {kFontSize}},
    {kPropertyTransparent, {kTransparent}},
    {kPropertyAlignment, {kAlignment}},
    {kPropertyFace, {kFace}},
    {kPropertyText, {kText}},
    {kPropertyAngle, {kAngle}},
    {kPropertyCellWidth, {kCellWidth}},
    {kPropertyPenWidth, {kPenWidth}},
    {kPropertyLabel, {kLabelVisible}},
    {kPropertyCellCount, {kCellCount}},
    {kPropertyCellSpacing, {kCellSpacing}},
    {kPropertyOptionShape, {kOptionShape}},
    {kPropertyStyles, {kBold, kItalic, kUnderline, kStrikeOut}},
    {kPropertyDatabase, {kDatabaseField}},
};

// Nothing for a kind that keeps the enabling of the object shown before it.
std::optional<unsigned> EnabledFields(const PageObject& o) {
  if (const ObjectKindInfo* info = FindObjectKind(o.kind); info && info->keepsShownEnabling)
    return std::nullopt;
  return PropertyFieldsOf(o).edited;
}

bool SizeInMillimetres(const PageObject& o) {
  const ObjectKindInfo* info = FindObjectKind(o.kind);
  return info && info->sizeInMillimetres;
}

// Typed numbers are kept within what the page and the renderers can take: coordinates as
// far as the painter reaches, sizes within 16 bits, and the administrative controls' measures
// as their dialog allows. Font sizes and angles take any value of their fields.
constexpr long double kCoordinateLimit = kCoordinateReach;

int32_t Bounded(long double v, long double low, long double high) {
  return numbers::ToInt32(std::clamp(v, low, high));
}


// Slots past objectCount keep what an undo left there; they are not on the page.
PageObject* CurrentObject() {
  if (currentObjectIndex < 2 || currentObjectIndex >= kStoreSlots || currentObjectIndex > objectCount)
    return nullptr;
  return &pageObjects[currentObjectIndex];
}

// The list: one line per live object, "005 - " and the start of its text.
void FillObjectList(ui::Window window) {
  ui::ListClear(window, kObjectList);
  const int last = std::min<int32_t>(objectCount, kStoreSlots - 1);
  for (int slot = 2; slot <= last; ++slot) {
    const PageObject& o = pageObjects[slot];
    if (o.kind <= 0) continue;
    std::string line = numbers::FormatWithMask(slot, "000") + " - ";
    line += FixedFieldText(o.text).substr(0, 40);
    line += " ...";
    ui::ListAdd(window, kObjectList, line);
  }
}

// The line of the current object is chosen, found by its number since empty slots have no
// line. When the current slot is empty the first object becomes the current one, so the
// fields, the list and the buttons all speak of the same object.
void SelectCurrentInList(ui::Window window) {
  const std::string number = numbers::FormatWithMask(currentObjectIndex, "000") + " - ";
  if (ui::ListSelectByPrefix(window, kObjectList, number) >= 0) return;
  if (ui::ListCount(window, kObjectList) == 0) {
    ui::ListSelect(window, kObjectList, -1);
    return;
  }
  ui::ListSelect(window, kObjectList, 0);
  currentObjectIndex =
      numbers::ToInt16(numbers::NumericValueOfText(ui::ListText(window, kObjectList, 0).substr(0, 3)));
}

void AddChoices(ui::Window window, int id, std::initializer_list<const char*> items) {
  for (const char* item : items) ui::ListAdd(window, id, item);
}

void FillFixedCombos(ui::Window window) {
  for (int id : {kTransparent, kLabelVisible, kBold, kItalic, kUnderline, kStrikeOut})
    AddChoices(window, id, {"0 - no", "1 - s\xED"});
  AddChoices(window, kAlignment, {"1 - Izquierda", "2 - Derecha", "3 - Centro", "4 - Justificado"});
  AddChoices(window, kOptionShape, {"0 - Cuadrado", "1 - C\xEDrculo"});
}

// Selects line `index` when the combo has it, otherwise none (so "Aplicar" keeps the value).
void SelectLine(ui::Window window, int id, long long index) {
  ui::ListSelect(window, id, index >= 0 && index < ui::ListCount(window, id) ? static_cast<int>(index) : -1);
}

// The object's face; a face this machine does not offer is added to the list, so that it is
// shown and "Aplicar" writes it back unchanged.
void SelectFace(ui::Window window, std::string_view face) {
  FillFontCombo(window, kFace);
  if (face.empty()) {
    ui::ListSelect(window, kFace, -1);
    return;
  }
  for (int i = 0, n = ui::ListCount(window, kFace); i < n; ++i) {
    if (ui::ListText(window, kFace, i) == face) {
      ui::ListSelect(window, kFace, i);
      return;
    }
  }
  if (ui::ListSelectByPrefix(window, kFace, face) >= 0) return;
  ui::ListSelect(window, kFace, ui::ListAdd(window, kFace, face));
}

void SetNumber(ui::Window window, int id, long double v) { ui::SetText(window, id, numbers::NumberText(v)); }

void LoadFields(ui::Window window, const PageObject& o) {
  ui::SetText(window, kKindName, ObjectKindName(o.kind));
  SetNumber(window, kX, o.x);
  SetNumber(window, kY, o.y);
  if (SizeInMillimetres(o)) {
    ui::SetText(window, kWidth, numbers::FormatWithMask(o.width * numbers::kPixelToMillimetre, "####"));
    ui::SetText(window, kHeight, numbers::FormatWithMask(o.height * numbers::kPixelToMillimetre, "####"));
    ui::SetText(window, kWidthLabel, "Ancho en mm");
    ui::SetText(window, kHeightLabel, "Alto en mm");
  } else {
    SetNumber(window, kWidth, o.width);
    SetNumber(window, kHeight, o.height);
    ui::SetText(window, kWidthLabel, "Ancho");
    ui::SetText(window, kHeightLabel, "Alto");
  }
  const ObjectKindInfo* info = FindObjectKind(o.kind);
  ui::SetText(window, kBackSwatchLabel,
              info && info->backColourLabel ? info->backColourLabel : "Color Fondo Texto");
  SetNumber(window, kFontSize, o.fontSize);
  ui::SetText(window, kText, FixedFieldText(o.text));
  SetNumber(window, kAngle, o.angle);
  SetNumber(window, kCellWidth, o.cellWidth);
  SetNumber(window, kPenWidth, o.penWidth);
  SetNumber(window, kCellCount, o.cellCount);
  SetNumber(window, kCellSpacing, o.cellSpacing);
  ui::SetText(window, kDatabaseField, FixedFieldText(o.databaseField));
  ui::SetText(window, kFillText, FixedFieldText(o.fillText));
  SelectLine(window, kTransparent, o.backColor == gfx::kTransparent ? 1 : 0);
  SelectLine(window, kAlignment, static_cast<long long>(o.alignment) - 131);
  SelectFace(window, FixedFieldText(o.fontName));
  SelectLine(window, kLabelVisible, o.labelVisible);
  SelectLine(window, kOptionShape, o.optionShape);
  const int styleIds[4] = {kBold, kItalic, kUnderline, kStrikeOut};
  for (int i = 0; i < 4; ++i) SelectLine(window, styleIds[i], IsPropertyApplicable(o.fontStyle, int16_t(1 << i)));
  PaintSwatch(window, kBackSwatch, o.backColor == gfx::kTransparent ? gfx::kWhite : o.backColor);
  PaintSwatch(window, kForeSwatch, o.foreColor);
  PaintSwatch(window, kBorderSwatch, o.borderColor);
  PaintSwatch(window, kControlBackSwatch, o.controlBackColor);
}

// The value in the first character of a combo's chosen line; none while no line is chosen.
std::optional<int32_t> ComboValue(ui::Window window, int id) {
  if (ui::ListSelection(window, id) < 0) return std::nullopt;
  return numbers::ToInt32(numbers::NumericValueOfText(ui::Text(window, id).substr(0, 1)));
}

long double EditValue(ui::Window window, int id) { return FieldNumber(window, id); }

void WriteFields(ui::Window window, PageObject& o, unsigned written) {
  if (written & kPropertyX)
    o.x = Bounded(EditValue(window, kX), -kCoordinateLimit, kCoordinateLimit);
  if (written & kPropertyY)
    o.y = Bounded(EditValue(window, kY), -kCoordinateLimit, kCoordinateLimit);
  if (SizeInMillimetres(o)) {
    // Millimetres as typed, fractions included, become pixels.
    auto pixels = [&](int id) {
      const long double mm = numbers::NumericValueOfText(ui::Text(window, id));
      return Bounded(numbers::RoundHalfEven(mm * numbers::kMillimetreToPixel), 0, kLargestSizePixels);
    };
    if (written & kPropertyWidth) o.width = pixels(kWidth);
    if (written & kPropertyHeight) o.height = pixels(kHeight);
  } else {
    if (written & kPropertyWidth)
      o.width = Bounded(EditValue(window, kWidth), 0, kLargestSizePixels);
    if (written & kPropertyHeight)
      o.height = Bounded(EditValue(window, kHeight), 0, kLargestSizePixels);
  }
  if (written & kPropertyFontSize)
    o.fontSize = numbers::ToInt16(EditValue(window, kFontSize));
  if (written & kPropertyTransparent) {
    if (std::optional<int32_t> v = ComboValue(window, kTransparent)) {
      if (*v == 1)
        o.backColor = gfx::kTransparent;
      else if (*v == 0 && o.backColor == gfx::kTransparent)
        o.backColor = gfx::kWhite;
    }
  }
  if (written & kPropertyAlignment)
    if (std::optional<int32_t> v = ComboValue(window, kAlignment)) o.alignment = static_cast<int16_t>(130 + *v);
  if (written & kPropertyFace) SetFixedField(o.fontName, ui::Text(window, kFace));
  if (written & kPropertyText) SetFixedField(o.text, ui::Text(window, kText));
  if (written & kPropertyAngle) o.angle = numbers::ToInt32(EditValue(window, kAngle));
  if (written & kPropertyCellWidth)
    o.cellWidth = Bounded(EditValue(window, kCellWidth), 0, kAdminMaxSize);
  if (written & kPropertyPenWidth)
    o.penWidth = Bounded(EditValue(window, kPenWidth), 0, kAdminMaxPenWidth);
  if (written & kPropertyCellCount)
    o.cellCount = Bounded(EditValue(window, kCellCount), 0, kAdminMaxCellCount);
  if (written & kPropertyCellSpacing)
    o.cellSpacing = static_cast<int16_t>(Bounded(EditValue(window, kCellSpacing), 0, kAdminMaxSize));
  if (written & kPropertyLabel)
    if (std::optional<int32_t> v = ComboValue(window, kLabelVisible)) o.labelVisible = *v;
  if (written & kPropertyOptionShape)
    if (std::optional<int32_t> v = ComboValue(window, kOptionShape)) o.optionShape = *v;
  if (written & kPropertyDatabase) SetFixedField(o.databaseField, ui::Text(window, kDatabaseField));
  if (written & kPropertyStyles) {
    // The four combos set the bits 1 to 8; any other bit of the style (the leading) stays.
    const int ids[4] = {kBold, kItalic, kUnderline, kStrikeOut};
    int32_t style = o.fontStyle & ~15;
    for (int i = 0; i < 4; ++i) {
      std::optional<int32_t> v = ComboValue(window, ids[i]);
      const bool on = v ? *v == 1 : (o.fontStyle & (1 << i)) != 0;
      if (on) style |= 1 << i;
    }
    o.fontStyle = style;
  }
  if (written & kPropertyFont) {
    // Angled texts take the same font rule as when they are inserted and painted.
    const ObjectKindInfo* info = FindObjectKind(o.kind);
    const bool angled = info && info->angleTurnsFont && o.angle != 0;
    o.fontHandle =
        MakeSystemFont(FixedFieldText(o.fontName), o.fontSize, o.fontStyle, angled ? 1 : 0, angled ? o.angle : 0);
  }
}

// The page with the current object marked, shown on the canvas.
void RepaintWithCurrentMarked() {
  if (!pageBitmap || !canvasBitmap) return;
  ClearGraphicTarget(*pageBitmap);
  PaintDesignerPage(*pageBitmap, 7);
  DrawPageBackground(*pageBitmap, 0);
  ClearGraphicTarget(*canvasBitmap);
  RefreshCanvas(0, scrollOffset());
  ShowCanvasBitmap();
}

void ShowCopiedCount(ui::Window window) {
  ui::SetText(window, kCopiedCount, "Objetos copiados " + numbers::NumberText(clipboardCount));
}

void TakeSwatchColour(ui::Window window, int swatch, gfx::Colour PageObject::*field) {
  PageObject* o = CurrentObject();
  if (!o || o->kind <= 0) return;
  gfx::Colour c = o->*field;
  if (!TakePickedColour(c)) return;
  o->*field = c;
  PaintSwatch(window, swatch, c);
  RepaintWithCurrentMarked();
}

void DeleteAfterAsking(ui::Window window) {
  const PageObject* o = CurrentObject();
  if (!o || o->kind <= 0) return;
  if (ui::MessageBox(window, "Esta seguro que quiere borrar el objeto actual ... ?", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  DeleteCurrentObject();
  ApplyObjectProperties(window);
  // The deleted object leaves the page at once, and the fields show the object now current.
  ShowPropertyControlsForKind(window);
  RepaintWithCurrentMarked();
}

// Back to the main window as it was: its mouse mode, its menu bar with the marks and the
// greyed items the commands had set.
void RestoreMainWindow(ui::Window mainWindow) {
  leftMouseMode = savedLeftMouseMode;
  if (!mainWindow || !ui::IsWindow(mainWindow)) return;
  BuildMainMenu(mainWindow);
  ui::CheckMenuItem(mainWindow, kCommandLeftNone, leftMouseMode == kLeftNone);
  ui::CheckMenuItem(mainWindow, kCommandLeftMove, leftMouseMode == kLeftMove);
  ui::CheckMenuItem(mainWindow, kCommandLeftEdit, leftMouseMode == kLeftEdit);
  ui::CheckMenuItem(mainWindow, kCommandRightFavourites, rightMouseMode == kRightFavourites);
  ui::CheckMenuItem(mainWindow, kCommandRightCaptureColour, rightMouseMode == kRightCaptureColour);
  for (int i = 0; i < 6; ++i)
    ui::CheckMenuItem(mainWindow, kCommandRulerMm + i, rulerFlags[i] == 1);
  ui::CheckMenuItem(mainWindow, kCommandAxes, axesOn == 1);
  EnableDatabaseMenuItems(mainWindow);
}

void Initialise(ui::Window window) {
  objectPropertiesDialog = window;
  propertiesDialogFocus = nullptr;
  ui::SetBackColour(window, 0, gfx::kWhite);
  ui::SetItemHeight(window, kObjectList, FontComboItemHeight());
  ui::SetItemHeight(window, kFace, FontComboItemHeight());
  FillObjectList(window);
  FillFixedCombos(window);
  SelectCurrentInList(window);
  ShowPropertyControlsForKind(window);
  ShowCopiedCount(window);
  RepaintWithCurrentMarked();
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  switch (id) {
    case kObjectList:
      if (code != ui::kSelChange) break;
      currentObjectIndex = numbers::ToInt16(numbers::NumericValueOfText(ui::Text(window, kObjectList).substr(0, 3)));
      ShowPropertyControlsForKind(window);
      RepaintWithCurrentMarked();
      break;
    case kFace:
      if (code == ui::kSelChange || code == ui::kSelEndOk) workingTextFontName = ui::Text(window, kFace);
      break;
    case kBackSwatch:
      if (code == ui::kClicked) TakeSwatchColour(window, kBackSwatch, &PageObject::backColor);
      break;
    case kForeSwatch:
      if (code == ui::kClicked) TakeSwatchColour(window, kForeSwatch, &PageObject::foreColor);
      break;
    case kBorderSwatch:
      if (code == ui::kClicked) TakeSwatchColour(window, kBorderSwatch, &PageObject::borderColor);
      break;
    case kControlBackSwatch:
      if (code == ui::kClicked) TakeSwatchColour(window, kControlBackSwatch, &PageObject::controlBackColor);
      break;
    case kApply:
      if (!IsButtonPress(id, code, kApply)) break;
      ApplyObjectProperties(window);
      RepaintWithCurrentMarked();
      ShowPropertyControlsForKind(window);
      break;
    case kCopy:
      if (!IsButtonPress(id, code, kCopy)) break;
      if (const PageObject* o = CurrentObject(); o && o->kind > 0) CopyCurrentObjectToClipboard();
      ShowCopiedCount(window);
      break;
    case kDelete:
      if (IsButtonPress(id, code, kDelete)) DeleteAfterAsking(window);
      break;
    default:
      break;
  }
}

ui::Window propertiesOwner = nullptr;

StartValues startValues(objectPropertiesDialog, propertiesDialogFocus, propertiesOwner);

}  // namespace

const char* ObjectKindName(int32_t kind) {
  const ObjectKindInfo* info = FindObjectKind(kind);
  return info ? info->name : "";
}

int32_t IsPropertyApplicable(int32_t mask, int16_t bit) { return bit > 0 && (mask & bit) != 0 ? 1 : 0; }

void StartObjectProperties(ui::Window mainWindow) {
  if (objectPropertiesDialog) return;
  // Without its menu bar the main window cannot start a second one.
  ui::SetMenuBar(mainWindow, {});
  savedLeftMouseMode = leftMouseMode;
  leftMouseMode = kLeftProperties;
  ShowObjectPropertiesDialog(mainWindow);
}

ui::Window ShowObjectPropertiesDialog(ui::Window parent) {
  propertiesOwner = parent ? parent : mainDialog;
  ui::DialogTemplate t;
  t.caption = "Propiedades objetos";
  t.x = 227;
  t.y = 128;
  t.w = 376;
  t.h = 716;
  t.units = ui::Units::Pixels;
  t.font = "MS Sans Serif";
  t.points = 9;
  t.topmost = true;
  t.toolWindow = true;

  struct Row {
    int labelId;
    const char* label;
    int fieldId;
    ui::Kind kind;
  };
  static const Row kRows[] = {
      {7702, "Objeto", kKindName, ui::Kind::Label},
      {7704, "Posici\xF3n X", kX, ui::Kind::Edit},
      {7706, "Posici\xF3n Y", kY, ui::Kind::Edit},
      {kWidthLabel, "Ancho", kWidth, ui::Kind::Edit},
      {kHeightLabel, "Alto", kHeight, ui::Kind::Edit},
      {7712, "Tama\xF1o Fuente", kFontSize, ui::Kind::Edit},
      {7714, "Transparente", kTransparent, ui::Kind::DropList},
      {7720, "Alineamiento", kAlignment, ui::Kind::DropList},
      {7722, "Fuente", kFace, ui::Kind::DropList},
      {7724, "Texto Principal", kText, ui::Kind::Edit},
      {7726, "Grado Inclinaci\xF3n", kAngle, ui::Kind::Edit},
      {7728, "Ancho Celdillas", kCellWidth, ui::Kind::Edit},
      {7730, "Tama\xF1o pluma", kPenWidth, ui::Kind::Edit},
      {7732, "Etiqueta", kLabelVisible, ui::Kind::DropList},
      {7734, "N\xFAmero de celdillas", kCellCount, ui::Kind::Edit},
      {7736, "Separaci\xF3n Celdillas", kCellSpacing, ui::Kind::Edit},
      {7738, "Tipo Forma Opci\xF3n", kOptionShape, ui::Kind::DropList},
      {7740, "Relleno Control Adm.", kFillText, ui::Kind::Label},
      {kBackSwatchLabel, "Color Fondo Texto", kBackSwatch, ui::Kind::Graphic},
      {7748, "Color Fuente Texto", kForeSwatch, ui::Kind::Graphic},
      {7750, "Color Borde ", kBorderSwatch, ui::Kind::Graphic},
      {7752, "Negrita", kBold, ui::Kind::DropList},
      {7754, "It\xE1lica", kItalic, ui::Kind::DropList},
      {7756, "Subrayado", kUnderline, ui::Kind::DropList},
      {7758, "Tachado", kStrikeOut, ui::Kind::DropList},
      {7761, "Color Fondo Control", kControlBackSwatch, ui::Kind::Graphic},
      {7763, "Etiqueta Base Datos", kDatabaseField, ui::Kind::Edit},
  };
  constexpr int kLabelX = 6, kLabelW = 168, kFieldX = 178, kFieldW = 192, kFirstRow = 44, kRowStep = 22;
  t.controls.push_back({ui::Kind::DropList, kObjectList, "", 6, 6, 364, 240, ui::kSorted | ui::kOwnerDraw,
                        "MS Sans Serif", 12, true});
  int y = kFirstRow;
  for (const Row& r : kRows) {
    t.controls.push_back({ui::Kind::Label, r.labelId, r.label, kLabelX, y + 2, kLabelW, 18});
    switch (r.kind) {
      case ui::Kind::Edit:
        // The fields take the system's plain font.
        t.controls.push_back({ui::Kind::Edit, r.fieldId, "", kFieldX, y, kFieldW, 20, ui::kBorder, "MS Sans Serif", 8,
                              false});
        break;
      case ui::Kind::DropList:
        t.controls.push_back({ui::Kind::DropList, r.fieldId, "", kFieldX, y, kFieldW, 160,
                              r.fieldId == kFace ? ui::kOwnerDraw | ui::kSorted : 0u});
        break;
      case ui::Kind::Graphic:
        t.controls.push_back({ui::Kind::Graphic, r.fieldId, "", kFieldX, y + 1, 60, 18, ui::kBorder | ui::kNotify});
        break;
      default:
        t.controls.push_back({ui::Kind::Label, r.fieldId, "", kFieldX, y + 2, kFieldW, 18});
        break;
    }
    y += kRowStep;
  }
  y += 8;
  t.controls.push_back({ui::Kind::Button, kCopy, "Copiar Objeto", 6, y, 150, 26});
  t.controls.push_back({ui::Kind::Label, kCopiedCount, "Objetos copiados ", 166, y + 4, 204, 18});
  y += 34;
  t.controls.push_back({ui::Kind::Button, kApply, "Aplicar", 6, y, 150, 28});
  t.controls.push_back({ui::Kind::Button, kDelete, "Borrar un objeto", 220, y, 150, 28});
  return ui::ShowModeless(t, propertiesOwner, ObjectPropertiesDlgProc);
}

intptr_t ObjectPropertiesDlgProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  switch (msg) {
    case ui::Msg::Init:
      Initialise(window);
      break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, propertiesDialogFocus);
      break;
    case ui::Msg::Close:
      RestoreMainWindow(propertiesOwner);
      return 0;   // the window closes
    case ui::Msg::Destroy:
      if (objectPropertiesDialog == window) objectPropertiesDialog = nullptr;
      propertiesDialogFocus = nullptr;
      break;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF), second);
      break;
    case ui::Msg::DrawItem: {
      const auto* item = reinterpret_cast<const ui::DrawItemInfo*>(second);
      if (!item) break;
      if (item->controlId == kFace) DrawFontComboItem(*item);
      if (item->controlId == kObjectList) DrawObjectComboItem(*item);
      return 1;
    }
    default:
      break;
  }
  return 0;
}

void ShowPropertyControlsForKind(ui::Window dialog) {
  const PageObject* o = CurrentObject();
  const PageObject empty{};
  const PageObject& object = o ? *o : empty;
  if (std::optional<unsigned> enabled = EnabledFields(object)) {
    for (const FieldControls& f : kFieldControls)
      for (int id : f.ids)
        if (id != 0) ui::Enable(dialog, id, (*enabled & f.field) != 0);
  }
  LoadFields(dialog, object);
}

void ApplyObjectProperties(ui::Window dialog) {
  if (PageObject* o = CurrentObject(); o && o->kind > 0)
    WriteFields(dialog, *o, PropertyFieldsOf(*o).written);
  FillObjectList(dialog);
  SelectCurrentInList(dialog);
}

void ResetObjectPropertiesState() { startValues.Restore(); }
