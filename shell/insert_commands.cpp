#include "shell/insert_commands.h"

#include <string>

#include "dialogs/file_dialogs.h"
#include "dialogs/messages.h"
#include "objects/admin_controls_dialog.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/corner_marks_dialog.h"
#include "objects/image_size.h"
#include "objects/insert_text.h"
#include "objects/line_text_file.h"
#include "objects/maths_keyboard_dialog.h"
#include "objects/memo_text.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/command_ids.h"
#include "page/drawers.h"
#include "page/images.h"
#include "page/line_text.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/desktop/desktop.h"
#include "program/canvas.h"
#include "program/startup.h"

namespace {

constexpr int kInsertSound = 151;
constexpr gfx::Colour kRed = 0x0000FF;

// The insertion pattern: refuse when the store is full, and after the kind drew the new
// object, show it with the page background, sound, and give it the next slot.
bool StoreIsFull() {
  if (objectCount < kMaxObjectCount) return false;
  Tell(nullptr, "No puedo insertar mas objetos ...");
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

// The new object of a text kind in the next slot, once the kind drew it: shown, of that area,
// with the text fields of the font and colours it was drawn in.
PageObject& TakeTextSlot(int32_t kind, gfx::FontKey font, int32_t width, int32_t height,
                         gfx::Colour fore, gfx::Colour back) {
  ShowInsertedObject();
  PageObject& o = TakeNewSlot(kind);
  o.width = width;
  o.height = height;
  FillTextFields(o, font, fore, back);
  return o;
}

// An angled text, a line text or a maths character, drawn in the text colours: the box over one
// character cell marks it, and the cell is its size.
PageObject& TakeCharacterCellSlot(int32_t kind, gfx::FontKey font) {
  int32_t cellWidth = 0, cellHeight = 0;
  MarkCharacterCell(font, cellWidth, cellHeight);
  return TakeTextSlot(kind, font, cellWidth, cellHeight, textForeColour, textBackColour);
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
  PageObject& o = TakeTextSlot(kind, font, alignedTextWidth, alignedTextHeight,
                               workingTextForeColour, workingTextBackColour);
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
  PageObject& o = TakeCharacterCellSlot(kAngledText, font);
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
  PageObject& o = TakeCharacterCellSlot(kLineText, font);
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
  PageObject& o = TakeCharacterCellSlot(kMathsCharacter, font);
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

}  // namespace

bool RunInsertCommand(ui::Window window, int commandId) {
  switch (commandId) {
    case kCommandInsertImage: InsertImage(window); break;
    case kCommandInsertMonthCalendar: InsertMonthCalendar(); break;
    case kCommandInsertAlignedText: InsertAlignedText(kAlignedText); break;
    case kCommandInsertAngledText: InsertAngledText(); break;
    case kCommandInsertShape: InsertShape(); break;
    case kCommandInsertArrow: InsertArrow(); break;
    case kCommandInsertAdminControl: InsertAdminControl(); break;
    case kCommandInsertLineTextLeft:
    case kCommandInsertLineTextRight:
    case kCommandInsertLineTextCentre: InsertLineText(commandId); break;
    case kCommandInsertMathsCharacter: InsertMathsCharacter(); break;
    case kCommandInsertCornerMarks: InsertCornerMarks(); break;
    case kCommandInsertMemoText: InsertAlignedText(kMemoText); break;
    default: return false;
  }
  return true;
}
