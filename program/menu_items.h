// The items the programs' menu bars are built of: text, command id, bitmap resource.
#pragma once
#include <utility>
#include <vector>

#include "platform/ui/ui.h"

inline ui::MenuItem MenuCommand(const char* text, int id, const char* bitmap = "") {
  return {text, id, bitmap};
}
// A "-" item: the separator line.
inline ui::MenuItem MenuSeparator() { return {"-"}; }
inline ui::MenuItem MenuSubmenu(const char* text, const char* bitmap,
                                std::vector<ui::MenuItem> items) {
  ui::MenuItem m{text, 0, bitmap};
  m.submenu = std::move(items);
  return m;
}
