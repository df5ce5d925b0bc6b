// The file dialogs of documents, images and line-text files. Each opens in the folder of the
// last path passed in or chosen.
#pragma once
#include <cstdint>
#include <string>

#include "platform/ui/ui.h"

// Where the image file dialog opens: the folder of the last path passed in or chosen.
extern std::string lastImageFolder;

// Asks for a document (mode 0 open, other modes save), starting in lastDocumentFolder.
// `path` gets the choice ("" when cancelled); lastDocumentFolder follows it.
void BrowseDocumentFile(ui::Window owner, std::string& path, int32_t mode);

// Asks for an image file (mode 0 open, any other mode save), starting in lastImageFolder with
// the file part of `path`. `path` gets the choice ("" when cancelled).
void BrowseImageFile(ui::Window owner, std::string& path, int32_t mode);

// Asks for a text file (mode 0 open, other modes save), starting at the name of `path` in
// lastDocumentFolder. `path` gets the choice with its outer blanks removed ("" when
// cancelled). Returns 1 when a path was chosen, else 0.
int32_t BrowseTextFile(ui::Window owner, std::string& path, int32_t mode);

// Puts lastImageFolder back as the run starts.
void ResetFileDialogsState();
