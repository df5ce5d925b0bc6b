// A whole record fill from a hostile database onto a hostile page: the fields, the values and
// the page objects all come from the input, and the fill never crashes, hangs or fills past a
// field.
//
// Input: byte 0 the number of fields (low 4 bits), byte 1 the number of objects (low 4 bits),
// bytes 2-9 the record to fill; then 64 bytes a field (the start of its definition, the rest
// zero), 64 bytes an object (kind, binding, the start of its text), and the rest is the value
// file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "database/database_files.h"
#include "database/date_arithmetic.h"
#include "database/record_fill.h"
#include "fuzz/database_fuzz.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"

namespace {

constexpr size_t kChunk = 64;


std::string_view Take(std::string_view& input, size_t n) {
  const std::string_view piece = input.substr(0, std::min(n, input.size()));
  input.remove_prefix(piece.size());
  return piece;
}

// An object from 64 bytes: its kind, a binding that may fill its whole field without a
// terminator, the start of its text, and with the top bit of the kind a text that fills its
// whole field.
void MakeObject(PageObject& o, std::string_view chunk) {
  o = PageObject{};
  if (chunk.empty()) return;
  o.kind = static_cast<uint8_t>(chunk[0]) % 14 - 1;
  if (static_cast<uint8_t>(chunk[0]) & 0x80) std::memset(o.text, '#', sizeof o.text);
  std::memcpy(o.databaseField, chunk.data() + 1, std::min<size_t>(chunk.size() - 1, 31));
  if (chunk.size() > 32) std::memcpy(o.text, chunk.data() + 32, chunk.size() - 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view header = Take(input, 10);
  if (header.size() < 10) return 0;
  const size_t fieldCount = static_cast<uint8_t>(header[0]) & 15;
  const size_t objectTotal = static_cast<uint8_t>(header[1]) & 15;
  int64_t record = 0;
  std::memcpy(&record, header.data() + 2, sizeof record);

  std::string definitions;
  for (size_t i = 0; i < fieldCount; ++i) {
    std::string field(Take(input, kChunk));
    field.resize(kZ04RecordLength, '\0');
    definitions += field;
  }
  objectCount = 1;
  for (size_t i = 0; i < objectTotal; ++i)
    MakeObject(pageObjects[++objectCount], Take(input, kChunk));

  const std::string folder = DatabaseFuzzFolder("Relleno");
  WriteFuzzFile(folder + "Relleno.z04", definitions);
  WriteFuzzFile(folder + "Relleno.zbd", std::string(input));
  linkedDatabaseFolder = folder;
  todaysDate = [] { return CalendarDate{2024, 5, 20}; };
  templateScriptRunner = [](const std::string& path) -> std::optional<std::string> {
    if (path.empty()) return std::nullopt;
    return std::string(20000, path[0]);
  };
  savedPlaceholderTexts.clear();
  filledTextsShown = 0;

  RebuildPlaceholderTexts();
  FillObjectsFromRecord(record);
  FillObjectsFromRecord(1);
  return 0;
}
