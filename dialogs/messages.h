// What the libraries below report, shown to the user: the refusals and "Err: ..." texts the page
// library and the cores return as values, each in a message box titled kMessageTitle.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.h"

// The text in a message box titled kMessageTitle with an OK button; an empty text shows none.
void ShowMessageIfAny(std::string_view text);
// Each text in its own box, in their order; an empty text shows none.
void ShowMessages(const std::vector<std::string>& texts);
// The text in a message box titled kMessageTitle with an OK button, over `owner`.
void Tell(ui::Window owner, std::string_view text);
