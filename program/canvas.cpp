#include "program/canvas.h"

#include <algorithm>
#include <string>

#include "dialogs/captured_colour_dialog.h"
#include "dialogs/fill_text_properties.h"
#include "dialogs/picked_colours.h"
#include "page/admin_controls.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "program/program_variant.h"
#include "program/startup.h"

ui::Proc oldCanvasProc = nullptr;
int32_t leftMouseMode = kLeftMove;
int32_t savedLeftMouseMode = kLeftMove;
int32_t rightMouseMode = kRightCaptureColour;
int16_t canvasSelectedSlot = 0;
int32_t dragLastX = 0, dragLastY = 0;
int32_t guideX = 0, guideY = 0;
int32_t fillEditOpen = 0;
int32_t favouritesOpen = 0;
int32_t axesOn = 0;
int32_t paintMode = 1;
bool printShownOnCanvas = false;

namespace {

constexpr gfx::Colour kBlue = 0xFF0000;
// The guide lines cross a whole A4 page, whatever the paper.
constexpr int kGuideWidth = 794;
constexpr int kGuideHeight = 1122;

StartValues startValues(oldCanvasProc, leftMouseMode, savedLeftMouseMode, rightMouseMode,
                        canvasSelectedSlot, dragLastX, dragLastY, guideX, guideY, fillEditOpen,
                        favouritesOpen, axesOn, paintMode, printShownOnCanvas);

void Scroll(intptr_t key) {
  int32_t& offset = scrollOffset();
  switch (key) {
    // A step that cannot be taken leaves even the canvas alone.
    case ui::kKeyDown:
      if (offset <= kLowestScrollOffset) return;
      offset -= 1;
      break;
    case ui::kKeyUp:
      if (offset >= 0) return;
      offset += 1;
      break;
    case ui::kKeyPageDown:
      if (offset <= kLowestScrollOffset) return;
      offset = std::max(offset - 100, kLowestScrollOffset);
      break;
    case ui::kKeyPageUp:
      if (offset >= 0) return;
      offset = std::min(offset + 100, 0);
      break;
    case ui::kKeyEnd:
      offset = kLowestScrollOffset;
      break;
    case ui::kKeyHome:
      offset = 0;
      break;
    default:
      return;
  }
  RefreshCanvasView();
}

void Wheel(intptr_t delta) {
  int32_t& offset = scrollOffset();
  if (delta < 0) {
    if (offset > kLowestScrollOffset) offset = std::max(offset - 15, kLowestScrollOffset);
  } else if (offset < 0) {
    offset = std::min(offset + 15, 0);
  }
  RefreshCanvasView();
}

bool ValidSlot(int slot) { return slot >= 2 && slot <= objectCount && slot < kStoreSlots; }

// The accepted fill-text properties into an administrative control.
void StoreFillText(PageObject& o) {
  PutFillTextStyle(o, fillTextStyle);
  SetFixedField(o.fillText, fillTextBuffer);
  o.fillFontStyle = static_cast<int16_t>(GetFillTextStyleFlags());
  o.fillY = fillTextY;
  o.fillUseY = fillTextUseY;
  if (fillAlignLeftChosen == 1) o.fillAlignment = 131;
  if (fillAlignRightChosen == 1) o.fillAlignment = 132;
  if (fillAlignCentreChosen == 1) o.fillAlignment = 133;
}

void MouseMove(int32_t cx, int32_t cy) {
  int32_t px = cx - pageObjects[1].x, py = cy - scrollOffset();
  guideX = cx;
  guideY = cy;
  // While a print or an export has paintMode at 0, the page shows without its outline.
  FullRepaint(paintMode, paintMode, CanvasPoint{guideX, guideY});
  if (leftMouseMode == kLeftMove && ValidSlot(canvasSelectedSlot) &&
      pageObjects[canvasSelectedSlot].dragging != 0) {
    ui::SetCursor(ui::Item(mainDialog, kCanvasId), ui::Cursor::Cross);
    PageObject& o = pageObjects[canvasSelectedSlot];
    o.x += px - dragLastX;
    o.y += py - dragLastY;
    dragLastX = px;
    dragLastY = py;
    RepaintCanvas(paintMode);
  }
}

void LeftDown(int32_t cx, int32_t cy) {
  int32_t px = cx - pageObjects[1].x, py = cy - scrollOffset();
  if (leftMouseMode == kLeftMove) {
    canvasSelectedSlot = HitTest(px, py, canvasSelectedSlot);
    if (ValidSlot(canvasSelectedSlot) && pageObjects[canvasSelectedSlot].dragging == 0) {
      pageObjects[canvasSelectedSlot].dragging = 1;
      ui::SetCursor(ui::Item(mainDialog, kCanvasId), ui::Cursor::Cross);
      dragLastX = px;
      dragLastY = py;
    }
  } else if (leftMouseMode == kLeftEdit) {
    canvasSelectedSlot = HitTest(px, py, canvasSelectedSlot);
  }
}

// An administrative control's filled value is edited through the fill-text properties,
// loaded from the object. The dialog leaves the page usable, so the slot and the page it
// belongs to are taken before it runs: the values go back to that object only, and not at all
// once another document or a new page has replaced it.
void EditFillText(int slot) {
  if (fillEditOpen != 0) return;
  fillEditOpen = 1;
  const uint32_t generation = storeGeneration;
  const PageObject& o = pageObjects[slot];
  currentAdminStyle = o.adminStyle;
  fillTextStyle = workingFillTextStyle = FillTextStyleOfObject(o);
  fillTextBuffer = std::string(FixedFieldText(o.fillText));
  fillTextUseY = o.fillUseY;
  fillTextY = o.fillY;
  if (o.fillAlignment >= 131 && o.fillAlignment <= 133) {
    fillAlignLeftChosen = o.fillAlignment == 131;
    fillAlignRightChosen = o.fillAlignment == 132;
    fillAlignCentreChosen = o.fillAlignment == 133;
  }
  ShowFillTextPropertiesDialog(nullptr);
  // The object may also have been undone meanwhile.
  if (fillTextAccepted == 1 && storeGeneration == generation && ValidSlot(slot) &&
      pageObjects[slot].kind == kAdminControl) {
    StoreFillText(pageObjects[slot]);
    RepaintCanvas(1);
  }
  fillEditOpen = 0;
}

void LeftUp() {
  if (leftMouseMode == kLeftMove) {
    if (ValidSlot(canvasSelectedSlot)) pageObjects[canvasSelectedSlot].dragging = 0;
  } else if (leftMouseMode == kLeftEdit) {
    if (ValidSlot(canvasSelectedSlot)) {
      PageObject& o = pageObjects[canvasSelectedSlot];
      if (o.kind == kAdminOptionCell) {
        // Any mark but 1 (a damaged file may hold one) counts as unmarked and becomes 1.
        o.optionMarked = o.optionMarked == 1 ? 0 : 1;
        RepaintCanvas(1);
      } else if (o.kind == kAdminControl) {
        EditFillText(canvasSelectedSlot);
      }
    }
  } else {
    return;
  }
  canvasSelectedSlot = 0;
  ui::SetCursor(ui::Item(mainDialog, kCanvasId), ui::Cursor::Arrow);
}

// The right button takes the colour shown under the cursor, or opens the favourite colours.
void RightDown(int32_t cx, int32_t cy) {
  if (rightMouseMode == kRightCaptureColour) {
    pickedColour = gfx::Pixel(ui::ControlSurface(mainDialog, kCanvasId), cx, cy);
    ShowCapturedColourDialog(nullptr);
  } else if (rightMouseMode == kRightFavourites && favouritesOpen == 0 && runningProgram &&
             runningProgram->showFavouriteColours) {
    favouritesOpen = 1;
    runningProgram->showFavouriteColours(nullptr);
    favouritesOpen = 0;
  }
}

}  // namespace

int16_t HitTest(int32_t px, int32_t py, int16_t current, HitSlots slots) {
  int16_t hit = current;
  for (int s = 2; s <= objectCount && s < kStoreSlots; ++s) {
    const PageObject& o = pageObjects[s];
    if (slots == HitSlots::Live && o.kind <= 0) continue;
    if (o.x <= px && px <= int64_t{o.x} + o.width && o.y <= py && py <= int64_t{o.y} + o.height)
      hit = static_cast<int16_t>(s);
  }
  return hit;
}

void RefreshCanvasView() {
  if (!canvasBitmap) return;
  gfx::Clear(*canvasBitmap, gfx::kWhite);
  RefreshCanvas(0, scrollOffset());
  ShowCanvasBitmap();
}

void RepaintCanvas(int32_t mode) { FullRepaint(mode, 1, CanvasPoint{guideX, guideY}); }

intptr_t CanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  const int32_t cx = ui::PointX(second), cy = ui::PointY(second);
  switch (msg) {
    case ui::Msg::KeyDown:
      Scroll(first);
      break;
    case ui::Msg::Wheel:
      Wheel(first);
      break;
    case ui::Msg::MouseMove:
      MouseMove(cx, cy);
      break;
    case ui::Msg::LeftDown:
      LeftDown(cx, cy);
      break;
    case ui::Msg::LeftUp:
      LeftUp();
      break;
    case ui::Msg::RightDown:
      RightDown(cx, cy);
      break;
    default:
      break;
  }
  return ui::CallOld(oldCanvasProc, window, msg, first, second);
}

void RefreshCanvas(int32_t dx, int32_t dy) {
  if (!pageBitmap || !canvasBitmap) return;
  gfx::Select(*canvasBitmap);
  gfx::Copy(*canvasBitmap, HeldCoordinate(dx), HeldCoordinate(dy), *pageBitmap, 0, 0, -1, -1,
            gfx::Rop::And);
}

void DrawPositionGuides(gfx::Surface& target, int32_t cx, int32_t cy) {
  gfx::Select(target);
  gfx::SetPen(target, gfx::PenWidth(target), gfx::kSolid);
  gfx::Line(target, HeldCoordinate(cx), 0, HeldCoordinate(cx), kGuideHeight, kBlue);
  gfx::Line(target, 0, HeldCoordinate(cy), kGuideWidth, HeldCoordinate(cy), kBlue);
}

void ShowCanvasBitmap() {
  if (!mainDialog || !canvasBitmap) return;
  gfx::Surface& control = ui::ControlSurface(mainDialog, kCanvasId);
  gfx::Select(control);
  gfx::Copy(control, 0, 0, *canvasBitmap);
  ui::Redraw(mainDialog, kCanvasId);
}

void FullRepaint(int32_t mode, int32_t withOutline, std::optional<CanvasPoint> guides) {
  if (!pageBitmap || !canvasBitmap) return;
  ClearGraphicTarget(*pageBitmap);
  PaintProgramPage(*pageBitmap, mode);
  DrawPageBackground(*pageBitmap, withOutline, noMargins == 0 && !printShownOnCanvas);
  ClearGraphicTarget(*canvasBitmap);
  RefreshCanvas(0, scrollOffset());
  if (guides && axesOn != 0) DrawPositionGuides(*canvasBitmap, guides->x, guides->y);
  ShowCanvasBitmap();
}

void ResetCanvasState() { startValues.Restore(); }
