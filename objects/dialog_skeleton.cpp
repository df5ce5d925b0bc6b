#include "objects/dialog_skeleton.h"

#include "objects/colours.h"
#include "platform/numbers/numbers.h"
#include "shell/dialog_focus.h"

namespace {
bool chooserOpen = false;
}  // namespace

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

bool IsButtonPress(intptr_t first, intptr_t second, int id) {
  return (first & 0xFFFF) == id && (second == ui::kClicked || second == 1);
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

long double FieldNumber(ui::Window dialog, int id) {
  return numbers::RoundHalfEven(numbers::NumericValueOfText(ui::Text(dialog, id)));
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
