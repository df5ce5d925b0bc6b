#include "velprint/old_document.h"

#include <cstring>
#include <string_view>

#include "page/document_file.h"

DocumentReport LoadOldFormatDocument() {
  return LoadDocumentRecords(kOldPageObjectLength, [](std::string_view record, PageObject& into) {
    std::memcpy(&into, record.data(), kOldPageObjectLength);
  });
}
