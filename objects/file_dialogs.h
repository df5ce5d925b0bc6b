// The file dialog through which documents are opened and saved.
#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/ui.h"

// Asks for a document (mode 0 open, other modes save), starting in lastDocumentFolder.
// `path` gets the choice ("" when cancelled); lastDocumentFolder follows it.
void BrowseDocumentFile(ui::Window owner, std::string& path, int32_t mode);
