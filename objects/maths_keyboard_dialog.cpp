#include "objects/maths_keyboard_dialog.h"

#include <algorithm>
#include <iterator>

#include "dialogs/dialog_skeleton.h"
#include "objects/insert_text.h"
#include "objects/maths_keyboard.h"
#include "objects/text_properties.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"

char chosenSymbol[4] = {};
int32_t symbolKeyboardAccepted = 0;
gfx::Surface* keyboardBitmap = nullptr;

namespace {

DialogSkeleton skeleton{&insertTextDialogOpen, &symbolKeyboardAccepted, 0};
ui::Proc keyboardOldWindowProc = nullptr;

// Where a choice stands. A release that comes while the press is still being shown waits
// for the end of that step, as it would behind a blocking wait.
enum class Step { Idle, PressShown, Pressed, Closing };
Step step = Step::Idle;
const SymbolKey* pressedKey = nullptr;
const SymbolKey* heldRelease = nullptr;
bool chosenThisOpening = false;

StartValues startValues(symbolKeyboardAccepted, keyboardOldWindowProc, step, pressedKey,
                        heldRelease, chosenThisOpening);

void ShowKeyboard(ui::Window dialog) {
  gfx::Copy(ui::ControlSurface(dialog, kSymbolKeyboardControl), 0, 0, *keyboardBitmap);
  ui::Redraw(dialog, kSymbolKeyboardControl);
}

void Wait(ui::Window dialog, Step next) {
  step = next;
  ui::SetTimer(dialog, kSymbolKeyboardWaitTimer, kSymbolKeyboardWaitMs);
}

void Press(ui::Window dialog, const SymbolKey& key) {
  pressedKey = &key;
  heldRelease = nullptr;
  DrawSymbolKeyPressed(*keyboardBitmap, static_cast<int16_t>(key.left + kSymbolKeyFaceOffset),
                       static_cast<int16_t>(key.top + kSymbolKeyFaceOffset), key.right, key.bottom);
  ShowKeyboard(dialog);
  Wait(dialog, Step::PressShown);
}

// The key under the release point comes up again, whichever key was pressed.
void Release(ui::Window dialog, const SymbolKey& key) {
  DrawSymbolKeyWithCharacter(*keyboardBitmap, key, gfx::kBlack);
  ShowKeyboard(dialog);
  Wait(dialog, Step::Closing);
}

void EndOfWait(ui::Window dialog) {
  ui::KillTimer(dialog, kSymbolKeyboardWaitTimer);
  if (step == Step::PressShown) {
    chosenSymbol[0] = pressedKey->character[0];
    chosenSymbol[1] = '\0';
    chosenThisOpening = true;
    step = Step::Pressed;
    if (heldRelease) Release(dialog, *heldRelease);
  } else if (step == Step::Closing) {
    step = Step::Idle;
    FinishDialog(skeleton, dialog, chosenThisOpening);
  }
}

void Initialise(ui::Window dialog) {
  textFontSize = 12;
  step = Step::Idle;
  pressedKey = heldRelease = nullptr;
  chosenThisOpening = false;
  InitSymbolKeys(kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin);
  RemakeDialogBitmap(keyboardBitmap, kKeyboardBitmapWidth, kKeyboardBitmapHeight);
  ClearGraphicTargetToColour(*keyboardBitmap, kKeyboardBackground);
  DrawSymbolKeyboard(*keyboardBitmap, kSymbolKeyColumns, kSymbolKeyRows, kSymbolKeyOrigin, kSymbolKeyOrigin,
                     gfx::kBlack);
  ClearGraphicTarget(ui::ControlSurface(dialog, kSymbolKeyboardControl));
  ShowKeyboard(dialog);
  keyboardOldWindowProc =
      ui::SubclassControl(ui::Item(dialog, kSymbolKeyboardControl), SymbolKeyboardWindowProc);
}

intptr_t OnTimer(ui::Window window, ui::Msg msg, intptr_t first, intptr_t) {
  if (msg == ui::Msg::Timer && first == kSymbolKeyboardWaitTimer) EndOfWait(window);
  return 0;
}

void OnDestroy(ui::Window window) {
  ui::KillTimer(window, kSymbolKeyboardWaitTimer);
  step = Step::Idle;
  ReleaseDialogBitmap(keyboardBitmap);
}

constexpr DialogHandlers kHandlers{.init = Initialise, .destroy = OnDestroy, .other = OnTimer};

}  // namespace

int ShowSymbolKeyboard(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "keyboard";
  t.captionless = true;
  t.w = 770;
  t.h = 410;
  t.x = 203;
  t.y = 188;
  t.units = ui::Units::Pixels;
  t.controls = {
      {ui::Kind::Graphic, kSymbolKeyboardControl, "", 1, 1, kKeyboardBitmapWidth, kKeyboardBitmapHeight,
       ui::kBorder | ui::kNotify},
  };
  return ui::RunModal(t, parent, SymbolKeyboardDialogProc);
}

intptr_t SymbolKeyboardDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

intptr_t SymbolKeyboardWindowProc(ui::Window control, ui::Msg msg, intptr_t first, intptr_t second) {
  ui::Window dialog = ui::Parent(control);
  // The two places after the last key hold none: presses and releases there do nothing.
  if ((msg == ui::Msg::LeftDown || msg == ui::Msg::LeftUp) && keyboardBitmap) {
    if (const SymbolKey* key = SymbolKeyAt(ui::PointX(second), ui::PointY(second))) {
      if (msg == ui::Msg::LeftDown && (step == Step::Idle || step == Step::Pressed)) {
        Press(dialog, *key);
      } else if (msg == ui::Msg::LeftUp) {
        if (step == Step::PressShown) heldRelease = key;
        else if (step != Step::Closing) Release(dialog, *key);
      }
    }
  }
  return ui::CallOld(keyboardOldWindowProc, control, msg, first, second);
}

void ResetSymbolKeyboardState() {
  std::fill(std::begin(chosenSymbol), std::end(chosenSymbol), 0);
  ReleaseDialogBitmap(keyboardBitmap);
  startValues.Restore();
}
const EnrolledStart enrolled(ResetSymbolKeyboardState);
