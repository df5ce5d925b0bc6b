// The painter over every document the fuzzer makes: the input cut or padded to whole records,
// read as a document and every object painted, with the marks of the editing view.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::Prepare();
  static const bool bitmaps = [] {
    MakePageBitmaps();
    return true;
  }();
  (void)bitmaps;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  const size_t records = std::min<size_t>(std::max<size_t>((size + kDocumentRecordLength - 1) / kDocumentRecordLength, 1),
                                          kMaxDocumentRecords);
  bytes.resize(records * kDocumentRecordLength, '\0');
  documentPath = fuzzing::WriteInput("pintado.qorvex", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!LoadDocument().done) return 0;
  gfx::Clear(*pageBitmap, gfx::kWhite);
  PaintAllObjects(*pageBitmap, 1);
  return 0;
}
