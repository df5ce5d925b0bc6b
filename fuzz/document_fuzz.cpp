// The document reader on any bytes: the records taken, clamped and their fonts and images made.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "page/document_file.h"
#include "page/page_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::Prepare();
  documentPath = fuzzing::WriteInput("documento.qorvex", data, size);
  LoadDocument();
  return 0;
}
