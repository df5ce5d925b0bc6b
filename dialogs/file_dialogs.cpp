#include "dialogs/file_dialogs.h"

#include "dialogs/messages.h"
#include "page/document_file.h"
#include "page/images.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

std::string lastImageFolder;

namespace {

// documentPath holds at most this many characters; a longer path would be cut and name
// another file.
constexpr size_t kDocumentPathMaxChars = 259;
// What a line-text object keeps of its file's path.
constexpr size_t kTextFilePathLength = 273;

}  // namespace

void BrowseDocumentFile(ui::Window owner, std::string& path, int32_t mode) {
  std::string folder = files::FolderOf(path);
  if (!folder.empty()) lastDocumentFolder = folder;
  ui::FileDialogSpec spec;
  spec.save = mode != 0;
  spec.initialFolder = lastDocumentFolder;
  spec.initialName = files::LastPathComponent(path);
  spec.filters = {{"Documento", "*.qorvex"}};
  // A document saved without an extension still gets one, and a save may name a new file.
  spec.defaultExtension = "qorvex";
  spec.mustExist = mode == 0;
  path = ui::ChooseFile(owner, spec);
  if (path.size() > kDocumentPathMaxChars) {
    Tell(nullptr, "La ruta del documento es demasiado larga (m\xE1ximo " +
         std::to_string(kDocumentPathMaxChars) + " caracteres):\r\n" + path);
    path.clear();
  }
  folder = files::FolderOf(path);
  if (!folder.empty()) lastDocumentFolder = folder;
}

void BrowseImageFile(ui::Window owner, std::string& path, int32_t mode) {
  std::string folder = files::FolderOf(path);
  if (!folder.empty()) lastImageFolder = folder;
  ui::FileDialogSpec spec;
  spec.save = mode != 0;
  spec.title = "Navegador de ficheros para imagen";
  spec.initialFolder = lastImageFolder;
  spec.initialName = files::LastPathComponent(path);
  spec.filters = {{"Images", "*.jpg;*.png;*.gif;*.bmp;*.tif"}, {"All Files", "*.*"}};
  spec.defaultExtension = "jpg";
  // Only an image to read must exist; an export names a new file.
  spec.mustExist = mode == 0;
  path = ui::ChooseFile(owner, spec);
  // An image object keeps its path in a field of 259 characters: a longer one could not be
  // found again.
  if (path.size() > kImagePathMaxChars) {
    Tell(nullptr, "La ruta del fichero es demasiado larga (m\xE1ximo " + std::to_string(kImagePathMaxChars) +
         " caracteres):\r\n" + path);
    path.clear();
  }
  folder = files::FolderOf(path);
  if (!folder.empty()) lastImageFolder = folder;
}

int32_t BrowseTextFile(ui::Window owner, std::string& path, int32_t mode) {
  path = text::TrimBlanks(path);
  lastDocumentFolder = files::FolderOf(path);
  ui::FileDialogSpec spec;
  spec.save = mode != 0;
  spec.initialFolder = lastDocumentFolder;
  spec.initialName = files::LastPathComponent(path);
  spec.filters = {{"Texto", "*.*"}};
  // No default extension: every name is a text file here, and an open must name one that exists.
  spec.mustExist = true;
  path = text::TrimBlanks(ui::ChooseFile(owner, spec)).substr(0, kTextFilePathLength);
  lastDocumentFolder = files::FolderOf(path);
  return path.empty() ? 0 : 1;
}

void ResetFileDialogsState() { lastImageFolder.clear(); }
const EnrolledStart enrolled(ResetFileDialogsState);
