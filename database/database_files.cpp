#include "database/database_files.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

#include "database/value_scan.h"
#include "objects/shared_helpers.h"
#include "platform/files/files.h"

// Records go to and from the files as the bytes of the packed structs.
static_assert(std::endian::native == std::endian::little,
              "the database files are little-endian and are read into memory as they stand");

namespace {

// Cells are read in aligned blocks of this many, so that a scan costs one file read a block
// instead of one a cell.
constexpr int64_t kCellsPerBlock = 128;

// A value file open for reading cell by cell, with the block of cells last read.
class ValueFileReader {
 public:
  explicit ValueFileReader(std::string_view path) {
    if (file_.Open(path, static_cast<int>(kCellsPerBlock * kZbdEntryLength)) == 0)
      cellCount_ = file_.Length() / kZbdEntryLength;
  }

  int64_t CellCount() const { return cellCount_; }

  // Cell k, from 1 to CellCount(). Lets the windows go on between cells.
  const ZbdEntry& Cell(int64_t k) {
    StepValueScan();
    const int64_t block = (k - 1) / kCellsPerBlock + 1;
    if (block != loadedBlock_) {
      file_.Get(block, blockBytes_);   // a short last block is read as far as it goes
      loadedBlock_ = block;
    }
    std::memcpy(&cell_, blockBytes_.data() + ((k - 1) % kCellsPerBlock) * kZbdEntryLength,
                sizeof cell_);
    return cell_;
  }

  // The first cell from `from` on whose record number is at least `record` (CellCount() + 1
  // when there is none). Records ascend through a value file; in a file where they do not,
  // the search still ends, on some cell.
  int64_t FirstCellFrom(int64_t from, int64_t record) {
    int64_t low = std::max<int64_t>(from, 1), high = cellCount_ + 1;
    while (low < high) {
      const int64_t middle = low + (high - low) / 2;
      if (Cell(middle).recordNumber < record)
        low = middle + 1;
      else
        high = middle;
    }
    return low;
  }

 private:
  files::RecordFile file_;
  int64_t cellCount_ = 0;
  int64_t loadedBlock_ = 0;
  std::string blockBytes_;
  ZbdEntry cell_{};
};

std::string_view NameOf(const ZbdEntry& cell) { return FixedFieldText(cell.fieldName); }

void AppendCharacter(std::string& value, const ZbdEntry& cell) {
  if (value.size() < kMaxValueLength) value += static_cast<char>(cell.character);
}

}  // namespace

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
  FieldDefinition field;
  field.recordKind = record.recordKind;
  field.fieldName = FixedFieldText(record.fieldName);
  field.fieldType = record.fieldType;
  field.maxLength = record.maxLength;
  field.spare = record.spare;
  field.listText = FixedFieldText(record.listText);
  return field;
}

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
  return {cell.character, std::string(NameOf(cell)), cell.recordNumber, cell.lastCharacter};
}

std::vector<FieldDefinition> ReadFieldDefinitions(std::string_view path) {
  std::vector<FieldDefinition> fields;
  files::RecordFile file;
  if (file.Open(path, kZ04RecordLength) != 0) return fields;
  const int64_t count = std::min(file.RecordCount(), kMaxFieldDefinitions);
  fields.reserve(static_cast<size_t>(count));
  std::string bytes;
  for (int64_t i = 1; i <= count; ++i) {
    file.Get(i, bytes);
    fields.push_back(DecodeFieldDefinition(bytes));
  }
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
  ValueFileReader reader(path);
  const int64_t cells = reader.CellCount();
  if (cells == 0) return 0;
  return std::clamp<int64_t>(reader.Cell(cells).recordNumber, 0, cells);
}

std::string ScanRecordFieldValue(std::string_view path, std::string_view fieldName,
                                 int64_t record, int64_t fromCell, int64_t* valueFirstCell) {
  if (record < 1) return {};
  ValueFileReader reader(path);
  std::string partial;
  int64_t first = 0;
  for (int64_t k = reader.FirstCellFrom(fromCell, record); k <= reader.CellCount(); ++k) {
    const ZbdEntry& cell = reader.Cell(k);
    if (cell.recordNumber != record) break;
    if (NameOf(cell) != fieldName) {
      partial.clear();
      continue;
    }
    if (partial.empty()) first = k;
    AppendCharacter(partial, cell);
    if (cell.lastCharacter == 1) {
      if (valueFirstCell) *valueFirstCell = first;
      return partial;
    }
  }
  return {};
}

std::vector<std::pair<std::string, std::string>> ReadRecordValues(std::string_view path,
                                                                  int64_t record) {
  std::vector<std::pair<std::string, std::string>> values;
  if (record < 1) return values;
  std::unordered_map<std::string, size_t> completed;
  ValueFileReader reader(path);
  std::string name, partial;
  for (int64_t k = reader.FirstCellFrom(1, record); k <= reader.CellCount(); ++k) {
    const ZbdEntry& cell = reader.Cell(k);
    if (cell.recordNumber != record) break;
    if (NameOf(cell) != name) {
      name = NameOf(cell);
      partial.clear();
    }
    AppendCharacter(partial, cell);
    if (cell.lastCharacter != 1) continue;
    // Only the first copy of a value counts, as a scan for that field would find it.
    if (completed.emplace(name, values.size()).second) values.emplace_back(name, partial);
    partial.clear();
  }
  return values;
}

std::string ApostropheToDecimalPoint(std::string_view text) {
  std::string number;
  for (char c : text) {
    if (c == '.') continue;
    number += c == '\'' ? '.' : c;
  }
  return number;
}

int AppendValueCells(std::string_view path, std::string_view cells) {
  files::RecordFile file;
  if (const int error = file.Open(path, kZbdEntryLength); error != 0) return error;
  for (size_t at = 0; at + kZbdEntryLength <= cells.size(); at += kZbdEntryLength)
    if (const int error = file.Append(cells.substr(at, kZbdEntryLength)); error != 0) return error;
  return 0;
}
