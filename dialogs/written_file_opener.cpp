#include "dialogs/written_file_opener.h"

#include "dialogs/messages.h"
#include "page/shared_helpers.h"
#include "platform/desktop/desktop.h"

std::string NoApplicationText(std::string_view path) {
  return "No hay ninguna aplicaci\xF3n para abrir el fichero " + std::string(path) + " ...";
}

bool OpenWrittenFile(ui::Window owner, std::string_view path,
                     const std::function<bool(std::string_view)>& opener) {
  const bool opened = opener ? opener(path) : desktop::OpenWithApplication(path);
  if (!opened) Tell(owner, NoApplicationText(path));
  return opened;
}
