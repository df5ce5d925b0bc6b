#include "objects/file_dialogs.h"

#include "objects/dialog_skeleton.h"
#include "platform/files/files.h"
#include "page/line_text.h"

namespace {
// documentPath holds at most this many characters; a longer path would be cut and name
// another file.
constexpr size_t kDocumentPathMaxChars = 259;
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
    ui::MessageBox(nullptr,
                   "La ruta del documento es demasiado larga (m\xE1ximo " +
                       std::to_string(kDocumentPathMaxChars) + " caracteres):\r\n" + path,
                   kMessageTitle, ui::Buttons::Ok);
    path.clear();
  }
  folder = files::FolderOf(path);
  if (!folder.empty()) lastDocumentFolder = folder;
}
