#include "database/database_files.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <span>
#include <unordered_map>

#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"

// Records go to and from the files as the bytes of the packed structs.
static_assert(std::endian::native == std::endian::little,
              "the database files are little-endian and are read into memory as they stand");

std::string EncodeFieldDefinition(const FieldDefinition& field) {
  Z04Record record{};
  record.recordKind = field.recordKind;
  SetFixedField(record.fieldName, field.fieldName);
  record.fieldType = field.fieldType;
  record.maxLength = field.maxLength;
  record.spare = field.spare;
  SetFixedField(record.listText, field.listText);
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

FieldDefinition DecodeFieldDefinition(std::string_view bytes) {
  Z04Record record{};
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  return DecodeFieldDefinition(record);
}

FieldDefinition DecodeFieldDefinition(const Z04Record& record) {
  FieldDefinition field;
  field.recordKind = record.recordKind;
  field.fieldName = FieldNameOf(record);
  field.fieldType = record.fieldType;
  field.maxLength = record.maxLength;
  field.spare = record.spare;
  field.listText = FixedFieldText(record.listText);
  return field;
}

std::string_view FieldNameOf(const Z04Record& record) { return FixedFieldText(record.fieldName); }

std::string EncodeValueCell(uint8_t character, int32_t recordKind, std::string_view fieldName,
                            int16_t fieldType, int16_t maxLength, int16_t spare,
                            int64_t recordNumber, int32_t lastCharacter) {
  ZbdEntry cell{};
  cell.entryKind = recordKind;
  cell.character = character;
  SetFixedField(cell.fieldName, fieldName);
  cell.fieldType = fieldType;
  cell.maxLength = maxLength;
  cell.recordNumber = recordNumber;
  cell.spare = spare;
  cell.lastCharacter = lastCharacter;
  return std::string(reinterpret_cast<const char*>(&cell), sizeof cell);
}

ValueCell DecodeValueCell(std::string_view bytes) {
  ZbdEntry cell{};
  std::memcpy(&cell, bytes.data(), std::min(bytes.size(), sizeof cell));
  return {cell.character, std::string(FixedFieldText(cell.fieldName)), cell.recordNumber,
          cell.lastCharacter};
}

void VisitFieldDefinitions(std::string_view path,
                           const std::function<void(const Z04Record&)>& visit, int64_t limit) {
  if (path.empty()) return;
  files::RecordFile file;
  if (file.Open(path, kZ04RecordLength) != 0) return;
  const int64_t count = std::min(file.RecordCount(), limit);
  std::string bytes;
  Z04Record record;
  for (int64_t k = 1; k <= count; ++k) {
    if (!file.Get(k, bytes)) break;
    std::memcpy(&record, bytes.data(), sizeof record);
    visit(record);
  }
}

std::vector<FieldDefinition> ReadFieldDefinitions(std::string_view path) {
  std::vector<FieldDefinition> fields;
  VisitFieldDefinitions(
      path, [&](const Z04Record& record) { fields.push_back(DecodeFieldDefinition(record)); },
      kMaxFieldDefinitions);
  return fields;
}

const FieldDefinition* LastFieldDefinition(const std::vector<FieldDefinition>& fields,
                                           std::string_view fieldName) {
  const FieldDefinition* last = nullptr;
  for (const FieldDefinition& field : fields)
    if (field.fieldName == fieldName) last = &field;
  return last;
}

int16_t LastFieldType(const std::vector<FieldDefinition>& fields, std::string_view fieldName) {
  const FieldDefinition* field = LastFieldDefinition(fields, fieldName);
  return field ? field->fieldType : 0;
}

bool HasCapturableDefinition(const std::vector<FieldDefinition>& fields,
                             std::string_view fieldName) {
  for (const FieldDefinition& field : fields)
    if (field.fieldName == fieldName && field.fieldType <= kFieldYesNo) return true;
  return false;
}

int64_t CountValueFileRecords(std::string_view path) {
  ValueCellFile cells(path, kCountBlockCells);
  return std::clamp<int64_t>(cells.LastRecordNumber(), 0, cells.CellCount());
}

namespace {

// A reader of a value file that may be growing while it is read (another desk's capture
// becomes visible a page at a time): read again while the file's length moves under the read.
constexpr int kReadsOfAGrowingFile = 8;

template <typename Read>
auto ReadSettledRecord(std::string_view path, Read read) {
  for (int attempt = 1;; ++attempt) {
    ValueCellFile cells(path, kRecordBlockCells);
    auto value = read(cells);
    if (cells.KeepsItsLength() || attempt == kReadsOfAGrowingFile) return value;
  }
}

// Where a record's cells lie: its run in the main sequence from `fromCell` on, ending at the
// first cell of a later record in it; or, for a record read whole, the cells from its first to
// its last.
struct RecordCells {
  int64_t first = 1, last = 0;
  bool untilLaterRecord = true;
  bool whole = false;  // read whole from a cursor inside the record: the cursor stays
};

RecordCells CellsToRead(ValueCellFile& cells, int64_t record, int64_t fromCell) {
  if (cells.ReadsWhole(record)) {
    const ValueCellFile::Span span = cells.SpanOfRecord(record);
    return {span.first, span.last, false, true};
  }
  return {cells.FindRecordFrom(fromCell, record), cells.CellCount(), true};
}

}  // namespace

std::string GatherRecordFieldValue(ValueCellFile& cells, std::string_view fieldName, int64_t record,
                                   int64_t first, int64_t last, bool untilLaterRecord,
                                   int64_t* valueFirst, int64_t* valueLast) {
  return GatherRecordFieldValue(cells, cells.NameNumber(fieldName), record, first, last,
                                untilLaterRecord, valueFirst, valueLast);
}

std::string GatherRecordFieldValue(ValueCellFile& cells, uint8_t wanted, int64_t record,
                                   int64_t first, int64_t last, bool untilLaterRecord,
                                   int64_t* valueFirst, int64_t* valueLast) {
  if (record < 1) return {};
  last = std::min(last, cells.CellCount());
  std::string partial;
  int64_t firstOfValue = 0;
  for (int64_t k = std::max<int64_t>(first, 1); k <= last;) {
    // The cells of k's block from k on, to `last` at the most.
    const std::span<const ScannedCell> block = cells.CellsFrom(k);
    const ScannedCell* const start = block.data();
    const ScannedCell* const end =
        start + std::min<int64_t>(static_cast<int64_t>(block.size()), last - k + 1);
    for (const ScannedCell* c = start; c != end;) {
      // The cells of a run all do what the first does, up to the first last character.
      const ScannedCell* const next = c + std::min<int64_t>(c->run, end - c);
      if (c->record != record) {
        if (untilLaterRecord && c->record > record && c->stray == 0) return {};
      } else if (c->name != wanted) {
        partial.clear();
      } else {
        const ScannedCell* stop = c;
        while (stop != next && stop->last != 1) ++stop;
        const bool whole = stop != next;
        const size_t before = partial.size();
        const size_t taken = std::min(static_cast<size_t>((whole ? stop + 1 : next) - c),
                                      kMaxValueLength - std::min(before, kMaxValueLength));
        if (before == 0) firstOfValue = k + (c - start);
        partial.resize(before + taken);
        for (size_t n = 0; n < taken; ++n) partial[before + n] = static_cast<char>(c[n].character);
        if (whole) {
          if (valueFirst) *valueFirst = firstOfValue;
          if (valueLast) *valueLast = k + (stop - start);
          return partial;
        }
      }
      c = next;
    }
    k += end - start;
  }
  return {};
}

std::vector<std::string> GatherRecordValues(ValueCellFile& cells, int64_t record, int64_t first,
                                            int64_t last) {
  std::vector<std::string> values(static_cast<size_t>(cells.NameCount()) + 1);
  std::vector<bool> whole(values.size(), false);
  if (record < 1) return values;
  last = std::min(last, cells.CellCount());
  // The value being gathered is of the name of the record's last cell met.
  uint8_t name = 0;
  std::string partial;
  size_t left = values.size() - 1;  // names without a whole value yet
  for (int64_t k = std::max<int64_t>(first, 1); k <= last && left > 0;) {
    const ScannedCell& cell = cells.Cell(k);
    const int64_t size = std::min<int64_t>(cell.run, last - k + 1);
    k += size;
    if (cell.record != record) continue;
    if (cell.name != name) {
      name = cell.name;
      partial.clear();
    }
    if (name == 0 || whole[name]) continue;
    const ScannedCell* const run = &cell;
    int64_t end = 0;
    while (end < size && run[end].last != 1) ++end;
    for (int64_t n = 0; n < std::min(end + 1, size) && partial.size() < kMaxValueLength; ++n)
      partial += static_cast<char>(run[n].character);
    if (end < size) {
      values[name] = std::move(partial);
      whole[name] = true;
      partial.clear();
      --left;
    }
  }
  return values;
}

std::string ScanRecordFieldValue(std::string_view path, std::string_view fieldName, int64_t record,
                                 int64_t fromCell, int64_t* valueFirstCell) {
  if (record < 1) return {};
  return ReadSettledRecord(path, [&](ValueCellFile& cells) {
    return ScanRecordFieldValue(cells, fieldName, record, fromCell, valueFirstCell);
  });
}

std::string ScanRecordFieldValue(ValueCellFile& cells, std::string_view fieldName, int64_t record,
                                 int64_t fromCell, int64_t* valueFirstCell) {
  if (record < 1) return {};
  const RecordCells where = CellsToRead(cells, record, fromCell);
  if (where.untilLaterRecord && where.first <= cells.CellCount() &&
      cells.Cell(where.first).record == record) {
    // From a cursor inside the record, a value of the field that ends before it is one the scan
    // passes by: where the record's fields are out of their order, that value is the record's,
    // and the cursor stays.
    const int64_t runFirst = cells.RunFirstCell(record, where.first);
    if (runFirst < where.first) {
      std::string before =
          GatherRecordFieldValue(cells, fieldName, record, runFirst, where.first - 1, true);
      if (!before.empty() && !cells.FieldsInOrder(record, runFirst)) return before;
    }
  }
  return GatherRecordFieldValue(cells, fieldName, record, where.first, where.last,
                                where.untilLaterRecord, where.whole ? nullptr : valueFirstCell);
}

std::vector<std::pair<std::string, std::string>> ReadRecordValues(std::string_view path,
                                                                  int64_t record) {
  std::vector<std::pair<std::string, std::string>> none;
  if (record < 1) return none;
  return ReadSettledRecord(path, [record](ValueCellFile& cells) {
    std::vector<std::pair<std::string, std::string>> values;
    std::unordered_map<std::string, size_t> completed;
    // The value being read is of the name of the record's last cell met: a cell of the record
    // with another name starts it again.
    std::string name, partial;
    const RecordCells where = CellsToRead(cells, record, 1);
    const int64_t last = std::min(where.last, cells.CellCount());
    for (int64_t k = where.first; k <= last;) {
      const ScannedCell& cell = cells.Cell(k);
      if (cell.record != record) {
        if (where.untilLaterRecord && cell.record > record && cell.stray == 0) break;
        // Cells of another record change nothing.
        k += cell.run;
        continue;
      }
      if (const std::string_view cellName = cells.CellName(k); cellName != name) {
        name = cellName;
        partial.clear();
      }
      if (partial.size() < kMaxValueLength) partial += static_cast<char>(cell.character);
      if (cell.last == 1) {
        // Only the first copy of a value counts, as a scan for that field would find it.
        if (completed.emplace(name, values.size()).second) values.emplace_back(name, partial);
        partial.clear();
      }
      ++k;
    }
    return values;
  });
}
