#include "dialogs/messages.h"

#include "page/shared_helpers.h"

void ShowMessageIfAny(std::string_view text) {
  if (!text.empty()) Tell(nullptr, text);
}

void ShowMessages(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) ShowMessageIfAny(text);
}

void Tell(ui::Window owner, std::string_view text) {
  ui::MessageBox(owner, text, kMessageTitle, ui::Buttons::Ok);
}
