#include "dialogs/written_file_opener.h"

#include "dialogs/messages.h"

std::string NoApplicationText(std::string_view path) {
  return "No hay ninguna aplicaci\xF3n para abrir el fichero " + std::string(path) + " ...";
}

void OpenWrittenFile(ui::Window owner, std::string_view path, const FileOpener& opener) {
  desktop::OpenerVerdict told = [owner, file = std::string(path)](desktop::Opened opened) {
    // The verdict may come after the window that asked has closed. An opener that ended
    // without a word on the file (killed, or its application closed by a signal) is no news.
    if (opened == desktop::Opened::No)
      Tell(ui::IsWindow(owner) ? owner : nullptr, NoApplicationText(file));
  };
  if (opener) {
    opener(path, std::move(told));
  } else {
    desktop::OpenWithApplication(path, std::move(told));
  }
}
