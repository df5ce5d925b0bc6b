// The older document file: the same flat sequence of objects as a current document, in records
// of 2080 bytes, OldPageObject. Each is a PageObject without its last two fields, the fixed y of
// an administrative control's fill text (fillUseY, fillY), which read as 0: the fill text sits
// as with "Poner coordenada Y" off. Only read; a save writes the current format.
#pragma once
#include <cstddef>

#include "page/document_file.h"
#include "page/page_object.h"

constexpr int kOldPageObjectLength = 2080;
// Every field of the older record sits at the offset of the PageObject field of its name.
static_assert(offsetof(PageObject, fillUseY) == kOldPageObjectLength);

// Reads the older document named by documentPath into the store, as LoadDocument reads a
// current one, with its refusals and messages.
DocumentReport LoadOldFormatDocument();
