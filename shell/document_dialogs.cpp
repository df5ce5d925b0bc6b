#include "shell/document_dialogs.h"

#include "platform/files/files.h"
#include "shell/line_text.h"

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
  folder = files::FolderOf(path);
  if (!folder.empty()) lastDocumentFolder = folder;
}
