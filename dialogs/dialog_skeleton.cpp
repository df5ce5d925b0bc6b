#include "dialogs/dialog_skeleton.h"

#include "dialogs/dialog_focus.h"
#include "dialogs/picked_colours.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

namespace {
bool chooserOpen = false;

StartValues startValues(chooserOpen);
}  // namespace

namespace {

// True when the message is fully handled (Esc or the close box); Init, Activate, Deactivate
// and Destroy also go on to the dialog's handlers.
bool HandleDialogSkeleton(DialogSkeleton& d, ui::Window window, ui::Msg msg) {
  switch (msg) {
    case ui::Msg::Init:
      if (d.openFlag) *d.openFlag = 1;
      if (d.acceptedFlag) *d.acceptedFlag = 0;
      d.focusBeforeDeactivation = nullptr;
      return false;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, d.focusBeforeDeactivation);
      return false;
    case ui::Msg::Close:
      if (d.cancelId != 0)
        ui::SendMessage(window, ui::Msg::Command, d.cancelId, ui::kClicked);
      else
        ui::EndDialog(window, ui::kCancel);
      return true;
    case ui::Msg::Destroy:
      if (d.openFlag) *d.openFlag = 0;
      d.focusBeforeDeactivation = nullptr;
      return false;
    default:
      return false;
  }
}

}  // namespace

intptr_t RunDialogSkeleton(DialogSkeleton& d, const DialogHandlers& h, ui::Window window,
                           ui::Msg msg, intptr_t first, intptr_t second) {
  if (msg == ui::Msg::Close && h.keepOpen && h.keepOpen(window)) return 1;
  if (HandleDialogSkeleton(d, window, msg)) return 1;
  switch (msg) {
    case ui::Msg::Init:
      if (h.init) h.init(window);
      return 0;
    case ui::Msg::Command:
      // A command's first carries its control's id in the low word.
      if (h.command) h.command(window, static_cast<int>(first & 0xFFFF), second);
      return 0;
    case ui::Msg::Destroy:
      if (h.destroy) h.destroy(window);
      return 0;
    default:
      return h.other ? h.other(window, msg, first, second) : 0;
  }
}

bool IsPressCode(intptr_t code) { return code == ui::kClicked || code == 1; }

bool IsButtonPress(intptr_t first, intptr_t second, int id) { return (first & 0xFFFF) == id && IsPressCode(second); }

void FinishDialog(const DialogSkeleton& d, ui::Window window, bool accepted) {
  if (d.acceptedFlag) *d.acceptedFlag = accepted ? 1 : 0;
  ui::EndDialog(window, accepted ? ui::kOk : ui::kCancel);
}

void PaintSwatch(ui::Window dialog, int id, gfx::Colour colour) {
  gfx::Clear(ui::ControlSurface(dialog, id), colour < 0 ? gfx::kWhite : colour);
  ui::Redraw(dialog, id);
}

bool TakePickedColour(gfx::Colour& into) {
  if (pickedColour < 0) return false;
  into = pickedColour;
  return true;
}

gfx::Colour ChooseColourFor(ui::Window owner, std::array<gfx::Colour, 16>& customTable) {
  if (chooserOpen) return -1;
  chooserOpen = true;
  gfx::Colour c = ui::ChooseColour(owner, 0x808080, customTable);
  chooserOpen = false;
  return c;
}

bool ChooseSwatchColour(ui::Window dialog, int swatch, std::array<gfx::Colour, 16>& customTable,
                        gfx::Colour& into) {
  const gfx::Colour c = ChooseColourFor(dialog, customTable);
  if (c == -1) return false;
  into = c;
  PaintSwatch(dialog, swatch, c);
  return true;
}

bool TakePickedSwatchColour(ui::Window dialog, int swatch, gfx::Colour& into) {
  if (!TakePickedColour(into)) return false;
  PaintSwatch(dialog, swatch, into);
  return true;
}

long double FieldNumber(ui::Window dialog, int id) {
  return numbers::RoundHalfEven(numbers::NumericValueOfText(ui::Text(dialog, id)));
}

long double ListLineNumber(std::string_view line) { return numbers::NumericValueOfText(line.substr(0, 2)); }

void SelectListLine(ui::Window dialog, int id, int index) {
  ui::ListSelect(dialog, id, index >= 0 && index < ui::ListCount(dialog, id) ? index : -1);
}

void RemakeDialogBitmap(gfx::Surface*& bitmap, int width, int height) {
  ReleaseDialogBitmap(bitmap);
  bitmap = gfx::MakeBitmap(width, height);
}

void ReleaseDialogBitmap(gfx::Surface*& bitmap) {
  if (bitmap) gfx::ReleaseBitmap(bitmap);
  bitmap = nullptr;
}

void ShowBitmapIn(ui::Window dialog, int id, const gfx::Surface& bitmap) {
  gfx::Copy(ui::ControlSurface(dialog, id), 0, 0, bitmap);
  ui::Redraw(dialog, id);
}

std::string LineBreaksToBlanks(std::string_view text) {
  // One pass gives what replacing CR LF, then CR, then LF gives.
  std::string s;
  s.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    s.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
  }
  return s;
}

void ResetDialogSkeletonState() { startValues.Restore(); }
