// A value file (.zbd) of any content: the record count, the values of records read whole or
// field by field, and the template reads with their cursor never crash, hang or allocate from
// the counts and record numbers the file holds; a record's values read whole are those its
// fields read alone give, and those the scan from the first cell gives, worked out apart from
// the readers (tests/database/value_file_model.h); read in order with its blocks read ahead,
// its cells are those read block by block when asked.
#include <cstddef>
#include <cstdint>
#include <string>

#include "database/database_files.h"
#include "database/linked_database.h"
#include "database/records.h"
#include "database/value_cells.h"
#include "fuzz/database_fuzz.h"
#include "page/page_store.h"
#include "tests/database/value_file_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = DatabaseFuzzFolder("Valores");
  const std::string path = folder + "Valores.zbd";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  WriteFuzzFile(path, bytes);
  programFolder = folder + "../";
  templateDatabaseName = "Valores";
  templateCellCursor = 1;
  cachedRecordNumber = 0;

  const int64_t count = CountValueFileRecords(path);
  // A field read alone gives what the record's read gives.
  for (int64_t record : {int64_t{0}, int64_t{1}, int64_t{2}, count, count + 1}) {
    for (const auto& [name, value] : ReadRecordValues(path, record)) {
      if (ScanRecordFieldValue(path, name, record) != value) __builtin_trap();
      ReadTemplateFieldValue(name, record);
    }
  }
  // Every name of the first cells in the first records and the last, as the scan reads them.
  const std::vector<valuemodel::Cell> cells = valuemodel::CellsOf(bytes);
  const std::vector<int64_t> records = valuemodel::RecordsRead(cells);
  for (int64_t record : {int64_t{1}, int64_t{2}, int64_t{3}, count - 1, count}) {
    for (size_t k = 0; k < cells.size() && k < 8; ++k)
      if (record >= 1 && ScanRecordFieldValue(path, cells[k].name, record) !=
                             valuemodel::ValueOf(cells, records, cells[k].name, record))
        __builtin_trap();
  }
  // The names of the first cells, read for the record numbers the cells claim.
  constexpr size_t kCell = kZbdEntryLength;
  for (size_t at = 0; at + kCell <= bytes.size() && at < kCell * 8; at += kCell) {
    const ValueCell cell = DecodeValueCell(std::string_view(bytes).substr(at, kCell));
    ReadTemplateFieldValue(cell.fieldName, cell.recordNumber);
    ScanRecordFieldValue(path, cell.fieldName, cell.recordNumber, 1);
  }
  CountTemplateRecords();

  // Read in order through small blocks read ahead, every cell is the cell read through blocks
  // read when asked.
  ValueCellFile ahead(path, 3, BlockOrder::inOrder), asked(path, 3);
  for (size_t at = 0; at + kCell <= bytes.size() && at < kCell * 4; at += kCell) {
    const std::string name = DecodeValueCell(std::string_view(bytes).substr(at, kCell)).fieldName;
    if (ahead.NameNumber(name) != asked.NameNumber(name)) __builtin_trap();
  }
  for (int64_t i = 1; i <= ahead.CellCount(); ++i) {
    const ScannedCell& a = ahead.Cell(i);
    const ScannedCell& b = asked.Cell(i);
    if (a.record != b.record || a.character != b.character || a.last != b.last ||
        a.name != b.name || a.stray != b.stray || a.run != b.run)
      __builtin_trap();
  }
  return 0;
}
