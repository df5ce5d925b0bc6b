#include "shell/main_window.h"

#include <algorithm>
#include <string>

#include "database/link_test.h"
#include "page/admin_controls.h"
#include "objects/admin_controls_dialog.h"
#include "page/aligned_text.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/configuration.h"
#include "page/corner_marks.h"
#include "objects/corner_marks_dialog.h"
#include "objects/dialog_skeleton.h"
#include "objects/fill_text_properties.h"
#include "objects/holidays.h"
#include "objects/image_size.h"
#include "objects/insert_text.h"
#include "objects/maths_keyboard_dialog.h"
#include "objects/memo_text.h"
#include "page/month_calendar.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "page/shared_helpers.h"
#include "objects/text_properties.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "objects/about_box.h"
#include "shell/canvas.h"
#include "objects/dialog_focus.h"
#include "objects/file_dialogs.h"
#include "page/document_file.h"
#include "page/drawers.h"
#include "page/images.h"
#include "page/line_text.h"
#include "page/object_clipboard.h"
#include "shell/object_properties.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "objects/print_dialogs.h"
#include "page/settings.h"
#include "shell/startup.h"

int32_t databaseLinked = 0;
int32_t aboutBusy = 0;
int32_t printBusy = 0;

namespace {

ui::Window focusBeforeDeactivation = nullptr;
constexpr int kInsertSound = 151;
constexpr int kUndoSound = 150;
constexpr gfx::Colour kRed = 0x0000FF;

void Tell(const std::string& text) { ui::MessageBox(nullptr, text, kMessageTitle, ui::Buttons::Ok); }

// The database menu is usable only while the linked database passes the link test.
void CheckLinkedDatabase(ui::Window window) {
  databaseLinked = !linkedDatabaseFolder.empty() && IsLinkedDatabaseValid(linkedDatabaseFolder);
  if (databaseLinked == 1) filledTextsShown = 0;
  for (int id = 1091; id <= 1094; ++id) ui::EnableMenuItem(window, id, databaseLinked == 1);
}

// The values the mouse modes, rulers and dialogs start every run with.
void SetInitialValues() {
  leftMouseMode = kLeftMove;
  rulerFlags.fill(0);
  axesOn = 0;   // as unchecked as its menu item

  shapeDialogAccepted = 0;
  shapeTypeChosen = kShapeSquareOrRectangle;
  shapeRoundedCorners = 0;
  shapeFillStyle = 0;
  shapeLineStyle = 0;
  shapeLineWidth = 1;
  shapeTransparentInterior = 0;
  shapeBorderColour = gfx::kBlack;
  shapeInteriorColour = 0xFF0000;
  shapeRoundingPercent = 0;

  textBackColour = workingTextBackColour = gfx::kWhite;
  textForeColour = workingTextForeColour = gfx::kBlack;
  textFontSize = workingTextFontSize = 10;
  textFontName = workingTextFontName = "Times New Roman";

  imageTrueSize = 1;
  objectCount = 1;

  monthBackColour = gfx::kWhite;
  monthBorderColour = gfx::kBlack;
  monthNamePosition = kMonthNameLeft;
  monthIncludeHolidays = 0;
  monthTransparentBackground = 0;
  monthColouredBackground = 0;

  alignedText.clear();
  alignedTextWidth = 0;
  alignedTextHeight = 0;
  alignedTextAlignment = 0;
  alignedTextAccepted = 0;

  currentArrowLength = 100;
  currentArrowColour = gfx::kBlack;
  currentArrowHeads = 1;
  currentArrowLineWidth = 1;
  currentArrowDirection = kArrowUp;
  currentArrowClosedHead = 0;
  currentArrowHeadSize = 10;

  rightMouseMode = kRightCaptureColour;
}

void SetInitialFillTextProperties() {
  fillTextBackColour = workingFillTextBackColour = gfx::kWhite;
  fillTextForeColour = workingFillTextForeColour = gfx::kBlack;
  fillTextFontSize = workingFillTextFontSize = 10;
  fillTextFontName = workingFillTextFontName = "Times New Roman";
}

// A fresh page: an empty store, new bitmaps with the page background, the view at the top.
void StartEmptyPage() {
  AllocateStore();
  objectCount = 1;
  ResetPageRecord();
  MakePageBitmaps();
  DrawPageBackground(*pageBitmap, 1);
  RefreshCanvasView();
}

void SetTitle(ui::Window window) { ui::SetCaption(window, SplitDocumentPath(documentPath)); }

// The insertion pattern: refuse when the store is full, and after the kind drew the new
// object, show it with the page background, sound, and give it the next slot.
bool StoreIsFull() {
  if (objectCount < kMaxObjectCount) return false;
  Tell("No puedo insertar mas objetos ...");
  return true;
}

// The first steps of an insert: a free slot, the kind's dialog not open already, the dialog
// run, and its answer. Some dialogs clear their guard themselves when they close; for the
// others the handler clears it here.
bool RanInsertDialog(int32_t& openFlag, int (*show)(ui::Window), const int32_t& accepted,
                     bool clearGuardHere = false) {
  if (StoreIsFull() || openFlag) return false;
  openFlag = 1;
  show(nullptr);
  if (clearGuardHere) openFlag = 0;
  return accepted == 1;
}

void ShowInsertedObject() {
  DrawPageBackground(*pageBitmap, 1);
  RefreshCanvasView();
  if (soundMuted == 0) desktop::PlaySoundResource(kInsertSound);
}

PageObject& TakeNewSlot(int32_t kind) {
  const int slot = objectCount + 1;
  ClearSlotForInsert(slot);
  ForgetFilledTextsFrom(slot);
  objectCount = slot;
  PageObject& o = pageObjects[slot];
  o.x = insertX;
  o.y = insertY;
  o.kind = kind;
  return o;
}

// The red box over one character cell that marks texts of one line and maths characters.
void MarkCharacterCell(gfx::FontKey font, int32_t& cellWidth, int32_t& cellHeight) {
  gfx::SelectFont(*pageBitmap, font);
  cellWidth = gfx::AverageCharWidth(*pageBitmap);
  cellHeight = gfx::TextHeight(*pageBitmap);
  gfx::SetPen(*pageBitmap, 1, gfx::kSolid);
  gfx::Box(*pageBitmap, insertX, insertY, insertX + cellWidth, insertY + cellHeight, 0, kRed,
           gfx::kTransparent, 0);
}

gfx::FontKey TextPropertiesFont(int charset = 0, int escapement = 0) {
  return MakeSystemFont(textFontName, textFontSize, GetTextStyleFlags(), charset, escapement);
}

void FillTextFields(PageObject& o, gfx::FontKey font, gfx::Colour fore, gfx::Colour back) {
  o.foreColor = fore;
  o.backColor = back;
  o.fontHandle = font;
  o.fontSize = textFontSize;
  SetFixedField(o.fontName, textFontName);
  o.fontStyle = GetTextStyleFlags();
}

void InsertAlignedText(int32_t kind) {
  if (!RanInsertDialog(alignedTextDialogOpen, ShowAlignedTextDialog, alignedTextAccepted)) return;
  std::string text = alignedText;
  if (kind == kAlignedText) {
    if (RefuseEmptyAlignedText()) return;
  } else if (text.empty()) {
    text = MemoFieldNote();
  }
  gfx::FontKey font = TextPropertiesFont();
  DrawAlignedText(*pageBitmap, text, alignedTextAlignment, insertX, insertY, font,
                  workingTextForeColour, workingTextBackColour);
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kind);
  o.width = alignedTextWidth;
  o.height = alignedTextHeight;
  FillTextFields(o, font, workingTextForeColour, workingTextBackColour);
  o.alignment = alignedTextAlignment;
  SetFixedField(o.text, text);
}

void InsertAngledText() {
  if (!RanInsertDialog(insertTextDialogOpen, ShowInsertTextDialog, insertTextAccepted) ||
      RefuseEmptyInsertText())
    return;
  const int32_t angle = textAngleOn == 1 ? textAngle * 10 : 0;
  gfx::FontKey font = angle == 0 ? TextPropertiesFont() : TextPropertiesFont(1, angle);
  if (angle == 0)
    DrawTextAtPosition(*pageBitmap, insertX, insertY, textForeColour, textBackColour,
                       insertTextBuffer, font);
  else
    DrawTextAtPositionAndFreeFont(*pageBitmap, insertX, insertY, textForeColour, textBackColour,
                                  insertTextBuffer, font);
  int32_t cellWidth = 0, cellHeight = 0;
  MarkCharacterCell(font, cellWidth, cellHeight);
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kAngledText);
  o.width = cellWidth;
  o.height = cellHeight;
  FillTextFields(o, font, textForeColour, textBackColour);
  SetFixedField(o.text, insertTextBuffer);
  o.angle = angle;
}

void InsertLineText(int command) {
  if (StoreIsFull() || alignedTextDialogOpen) return;
  alignedTextDialogOpen = 1;
  const int32_t chosen = ChooseLineTextFile(mainDialog);
  alignedTextDialogOpen = 0;
  if (chosen != 1) return;
  const int16_t alignment = LineTextAlignmentOfCommand(command);
  gfx::FontKey font = TextPropertiesFont();
  DrawLineTextObject(*pageBitmap, lineTextBuffer, insertX, insertY, font, textForeColour,
                     textBackColour, textFontSize, alignment);
  int32_t cellWidth = 0, cellHeight = 0;
  MarkCharacterCell(font, cellWidth, cellHeight);
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kLineText);
  o.width = cellWidth;
  o.height = cellHeight;
  FillTextFields(o, font, textForeColour, textBackColour);
  o.alignment = alignment;
  SetFixedField(o.text, lineTextBuffer);
}

void InsertMonthCalendar() {
  if (!RanInsertDialog(monthDialogOpen, ShowMonthCalendarDialog, monthDialogAccepted)) return;
  gfx::FontKey font = MonthCalendarInsertFont();
  DrawMonthCalendarAt(*pageBitmap, insertX, insertY, font, textFontSize);
  ShowInsertedObject();
  StoreMonthCalendarSettings(TakeNewSlot(kMonthCalendar), font);
}

void InsertImage(ui::Window window) {
  if (StoreIsFull()) return;
  std::string path;
  BrowseImageFile(window, path, 0);
  if (path.empty()) return;
  // An image that cannot be read inserts nothing; the loader has said why.
  gfx::ImageKey image = LoadObjectImage(path);
  if (image == 0) return;
  DrawImageObject(*pageBitmap, image, insertX, insertY, loadedImageWidth, loadedImageHeight);
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kImage);
  o.width = loadedImageWidth;
  o.height = loadedImageHeight;
  o.backColor = gfx::kWhite;
  o.bitmapHandle = image;
  SetFixedField(o.imagePath, path);
}

void InsertAdminControl() {
  if (adminDialogOpen) return;
  adminDialogAccepted = 0;
  if (!RanInsertDialog(adminDialogOpen, ShowAdminControlDialog, adminDialogAccepted)) return;
  gfx::FontKey font = TextPropertiesFont();
  DrawNewAdminControl(*pageBitmap, insertX, insertY);
  ShowInsertedObject();
  StoreAdminSettings(TakeNewSlot(AdminObjectKind(currentAdminStyle)), font);
}

void InsertShape() {
  if (!RanInsertDialog(shapeDialogOpen, ShowShapeDialog, shapeDialogAccepted)) return;
  DrawShapeObject(*pageBitmap, insertX, insertY);
  ShowInsertedObject();
  StoreShapeSettings(TakeNewSlot(kSquareOrCircle));
}

void InsertArrow() {
  if (!RanInsertDialog(arrowDialogOpen, ShowArrowDialog, arrowDialogAccepted)) return;
  gfx::SetPen(*pageBitmap, 1, gfx::kSolid);
  gfx::Box(*pageBitmap, insertX, insertY, insertX + 10, insertY + 10, 0, kRed, gfx::kTransparent,
           0);
  DrawArrowObject(*pageBitmap, insertX, insertY);
  ShowInsertedObject();
  StoreArrowSettings(TakeNewSlot(kArrow));
}

void InsertMathsCharacter() {
  // Closing the keyboard without choosing a key inserts nothing.
  if (!RanInsertDialog(insertTextDialogOpen, ShowSymbolKeyboard, symbolKeyboardAccepted, true))
    return;
  gfx::FontKey font = MakeSystemFont("Symbol", textFontSize, GetTextStyleFlags());
  DrawSymbolTextAtPosition(*pageBitmap, insertX, insertY, textForeColour, textBackColour,
                           chosenSymbol, font);
  int32_t cellWidth = 0, cellHeight = 0;
  MarkCharacterCell(font, cellWidth, cellHeight);
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kMathsCharacter);
  o.width = cellWidth;
  o.height = cellHeight;
  FillTextFields(o, font, textForeColour, textBackColour);
  SetFixedField(o.fontName, "Symbol");
  SetFixedField(o.text, chosenSymbol);
  o.angle = textAngleOn == 1 ? textAngle * 10 : 0;
}

void InsertCornerMarks() {
  if (!RanInsertDialog(cornerDialogOpen, ShowCornerMarkDialog, cornerDialogAccepted, true)) return;
  DrawCornerMarkAt(*pageBitmap, insertX, insertY);
  ShowInsertedObject();
  StoreCornerMarkSettings(TakeNewSlot(kCornerMarks));
}

void OpenDocument(ui::Window window) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 0);
  if (chosen.empty()) return;
  documentPath = chosen.substr(0, 259);
  if (LoadDocument()) SetTitle(window);
  filledTextsShown = 0;
  FullRepaint();
}

void SaveDocumentAs(ui::Window window) {
  std::string chosen = documentPath;
  BrowseDocumentFile(window, chosen, 1);
  if (chosen.empty()) return;
  if (files::FileExists(chosen) &&
      ui::MessageBox(nullptr, "El fichero Existe, Desea Sobrescribir ?", kMessageTitle,
                     ui::Buttons::YesNo) != ui::Answer::Yes)
    return;
  documentPath = chosen.substr(0, 259);
  // The old file is replaced only once the new one is whole.
  if (SaveDocument()) SetTitle(window);
}

// At most one ruler or graph paper is on; its menu item carries the check mark.
void ToggleRuler(ui::Window window, int command) {
  const int index = command - 1062;
  rulerFlags[index] = 1 - (rulerFlags[index] != 0 ? 1 : 0);
  for (int i = 0; i < 6; ++i) {
    if (i != index && rulerFlags[index] == 1) rulerFlags[i] = 0;
    ui::CheckMenuItem(window, 1062 + i, rulerFlags[i] == 1);
  }
  FullRepaint();
}

void SetLeftMouseMode(ui::Window window, int32_t mode, int command) {
  leftMouseMode = mode;
  for (int id : {1051, 1052, 1074}) ui::CheckMenuItem(window, id, id == command);
}

void SetRightMouseMode(ui::Window window, int32_t mode, int command) {
  rightMouseMode = mode;
  for (int id : {1053, 1054}) ui::CheckMenuItem(window, id, id == command);
}

template <typename Show>
void RunGuarded(int32_t& flag, Show show) {
  if (flag) return;
  flag = 1;
  show(nullptr);
}

void OnCommand(ui::Window window, int id) {
  switch (id) {
    case 1046:  // "Nuevo"
      filledTextsShown = 0;
      StartEmptyPage();
      break;
    case 1047:  // "Salir"
      ui::EndDialog(window, 0);
      break;
    case 1048:  // "Autor"
      RunGuarded(aboutBusy, ShowAboutDialog);
      break;
    case 1049:
      RunGuarded(textPropertiesDialogOpen, ShowTextPropertiesDialog);
      break;
    case 1050:
      InsertImage(window);
      break;
    case 1051:
      SetLeftMouseMode(window, kLeftNone, id);
      break;
    case 1052:
      SetLeftMouseMode(window, kLeftMove, id);
      break;
    case 1074:
      SetLeftMouseMode(window, kLeftEdit, id);
      break;
    case 1053:
      SetRightMouseMode(window, kRightFavourites, id);
      break;
    case 1054:
      SetRightMouseMode(window, kRightCaptureColour, id);
      break;
    case 1057:  // "Deshacer"
      if (objectCount > 1) {
        --objectCount;
        if (soundMuted == 0) desktop::PlaySoundResource(kUndoSound);
        FullRepaint();
      }
      break;
    case 1058:
      if (configurationDialogOpen) break;
      configurationDialogOpen = 1;
      ShowConfigurationDialog(nullptr);
      FullRepaint();   // margins, ambient colour and insert position may have changed
      break;
    case 1059:
      RunGuarded(imageSizeDialogOpen, ShowImageSizeDialog);
      break;
    case 1060:
      if (holidaysDialogOpen) break;
      holidaysDialogOpen = 1;
      ShowHolidaysDialog(nullptr);
      break;
    case 1061:
      InsertMonthCalendar();
      break;
    case 1062: case 1063: case 1064: case 1065: case 1066: case 1067:
      ToggleRuler(window, id);
      break;
    case 1068:
      InsertAlignedText(kAlignedText);
      break;
    case 1069:
      InsertAngledText();
      break;
    case 1070:
      InsertShape();
      break;
    case 1072:
      InsertArrow();
      break;
    case 1071:
      ExportPageImage(window);
      break;
    case 1073:  // "Ejes"
      axesOn = 1 - (axesOn != 0 ? 1 : 0);
      ui::CheckMenuItem(window, 1073, axesOn == 1);
      FullRepaint();
      break;
    case 1075:
      InsertAdminControl();
      break;
    case 1076:
      OpenDocument(window);
      break;
    case 1077:
      SaveDocumentAs(window);
      break;
    case 1078:
      // The page without editing marks or outline, until the dialog marks its object.
      FullRepaint(0, 0);
      StartObjectProperties(window);
      break;
    case 1079:  // "Resetear Rellenos"
      for (int s = 2; s <= objectCount; ++s) {
        if (pageObjects[s].kind == kAdminControl) SetFixedField(pageObjects[s].fillText, "");
        if (pageObjects[s].kind == kAdminOptionCell) pageObjects[s].optionMarked = 0;
      }
      FullRepaint();
      break;
    case 1080:  // "Imprimir"
      if (printBusy) break;
      printBusy = 1;
      ShowPrintSettingsDialog(nullptr);
      PrintPage();
      printBusy = 0;
      break;
    case 1082: case 1083: case 1084:
      InsertLineText(id);
      break;
    case 1085:
      ClearObjectClipboard();
      break;
    case 1086:
      PasteCopiedObjects();
      break;
    case 1087:
      InsertMathsCharacter();
      break;
    case 1088:
      InsertCornerMarks();
      break;
    case 1089:  // "Formato Papel"
      if (paperFormatDialogOpen) break;
      ShowPaperFormatDialog(nullptr);
      MakePageBitmaps();
      FullRepaint();
      break;
    // "Vincular", "Navegador", "Capturar datos" and "Listar" (1090 to 1092, 1094) wait for the
    // database dialogs and the search, and do nothing until then.
    case 1093:  // "Buscar .."
      // The search needs a database whose field definitions are where the link says.
      if (linkedDatabaseFolder.empty() ||
          !files::FileExists(FieldDefinitionFilePath(linkedDatabaseFolder)))
        Tell("No hay una base de datos vinculada correctamente ...");
      break;
    case 1095:
      InsertAlignedText(kMemoText);
      break;
    default:
      break;
  }
}

void Initialise(ui::Window window) {
  LoadSaveSettings("get");
  CheckLinkedDatabase(window);
  programFolder = files::ProgramFolder();
  SetInitialValues();
  onDocumentStoreReplaced = MakePageBitmaps;
  StartEmptyPage();
  SetInitialFillTextProperties();
  InitAdminStylePresets();
  currentAdminStyle = 1;
  currentObjectIndex = 2;
  printBusy = 0;
  paintMode = 1;

  // A document named on the command line opens at once; quotes around it do not count.
  std::string path;
  for (char c : commandLine)
    if (c != '"') path += c;
  path = path.substr(0, 259);
  if (!path.empty()) {
    documentPath = path;
    if (files::FileExists(path) && LoadDocument()) {
      SetTitle(window);
      FullRepaint();
    }
  }
}

}  // namespace

intptr_t MainDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  switch (msg) {
    case ui::Msg::Init:
      Initialise(window);
      break;
    case ui::Msg::Destroy:
      ReleasePageBitmaps();
      break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, focusBeforeDeactivation);
      break;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF));
      break;
    case ui::Msg::Close:
      // The window manager's close box does what "Salir" does.
      OnCommand(window, 1047);
      return 1;
    default:
      break;
  }
  return 0;
}
