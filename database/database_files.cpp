#include "database/database_files.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <span>
#include <unordered_set>

#include "database/value_block_sizes.h"
#include "database/value_cells.h"
#include "database/value_gather.h"
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

// Every name the record's cells carry, as text, cell by cell: the first whole value of each,
// in the order they complete.
struct NamesAsText {
  using Key = std::string;
  static constexpr bool kByRuns = false;
  ValueCellFile& cells;
  std::vector<std::pair<std::string, std::string>> values;
  std::unordered_set<std::string> whole;
  std::string partial;
  std::string Of(const ScannedCell&, int64_t place) const {
    return std::string(cells.CellName(place));
  }
  bool Wants(const std::string& name) const { return !whole.contains(name); }
  std::string& Partial() { return partial; }
  void Complete(const std::string& name, int64_t, int64_t) {
    whole.insert(name);
    values.emplace_back(name, std::move(partial));
  }
  bool Done() const { return false; }
};

}  // namespace

FieldRead ReadFieldFromCursor(ValueCellFile& cells, uint8_t wanted, int64_t record,
                              int64_t mainFirst) {
  FieldRead read;
  if (record < 1) return read;
  // A record with strays is read through all of its cells, as the readers that jump read it.
  if (cells.ReadsWhole(record)) {
    read.value = cells.RecordValues(record, mainFirst)[wanted];
    return read;
  }
  if (mainFirst <= cells.CellCount() && cells.Cell(mainFirst).record == record) {
    // The cursor is inside the record's run. Every value of the field that is whole by the
    // cursor's cell is one the scan from the cursor passes by, or reads cut: where the record's
    // fields are out of their order (two desks gave it one number), such a value is the
    // record's, and is read from the run's first cell with the cursor left where it is.
    const int64_t runFirst = cells.RunFirstCell(record, mainFirst);
    // The run's cells from its first to the cursor's, a stretch of a block at a time.
    const auto visitBehind = [&](auto&& visit) {
      for (int64_t k = runFirst; k <= mainFirst;) {
        std::span<const ScannedCell> run = cells.CellsFrom(k);
        run = run.first(static_cast<size_t>(
            std::min<int64_t>(static_cast<int64_t>(run.size()), mainFirst - k + 1)));
        if (!visit(k, run)) return;
        k += static_cast<int64_t>(run.size());
      }
    };
    // Most records have no cell of the field there, which the first cell of each run tells;
    // only those that have one are looked at for their fields' order.
    bool behind = false;
    if (runFirst < mainFirst)
      visitBehind([&](int64_t, std::span<const ScannedCell> run) {
        for (const ScannedCell* c = run.data(); c < run.data() + run.size() && !behind; c += c->run)
          behind = c->record == record && c->name == wanted;
        return !behind;
      });
    if (behind && !cells.FieldsInOrder(record, runFirst)) {
      OneFieldName field{wanted, read.value};
      ValueGather<OneFieldName> gather(record, true, field);
      visitBehind([&](int64_t k, std::span<const ScannedCell> run) {
        gather.Take(k, run);
        return !field.whole;
      });
      if (field.whole) return read;
      read.value.clear();
    }
  }
  // A record without strays is its run from the cursor on.
  OneFieldName field{wanted, read.value};
  ValueGather<OneFieldName> gather(record, true, field);
  for (int64_t k = mainFirst; k <= cells.CellCount();) {
    const std::span<const ScannedCell> run = cells.CellsFrom(k);
    if (gather.Take(k, run) != CellWalk::goOn) break;
    k += static_cast<int64_t>(run.size());
  }
  if (!field.whole) read.value.clear();
  read.first = field.first;
  read.last = field.last;
  return read;
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
  const uint8_t wanted = cells.NameNumber(fieldName);
  FieldRead read =
      ReadFieldFromCursor(cells, wanted, record, cells.FindRecordFrom(fromCell, record));
  if (valueFirstCell && read.first > 0) *valueFirstCell = read.first;
  return std::move(read.value);
}

std::vector<std::pair<std::string, std::string>> ReadRecordValues(std::string_view path,
                                                                  int64_t record) {
  std::vector<std::pair<std::string, std::string>> none;
  if (record < 1) return none;
  return ReadSettledRecord(path, [record](ValueCellFile& cells) {
    NamesAsText names{cells, {}, {}, {}};
    GatherRecord(cells, record, cells.FindRecordFrom(1, record), names);
    return std::move(names.values);
  });
}
