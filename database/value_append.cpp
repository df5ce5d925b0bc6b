#include "database/value_append.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "database/database_files.h"
#include "database/records.h"

int AppendValueCells(std::string_view path, std::string_view cells) {
  files::RecordFile file;
  if (const int error = file.Open(path, kZbdEntryLength); error != 0) return error;
  return file.AppendWhole(cells);
}

std::string ValueLockFilePath(std::string_view valuePath) {
  return std::string(valuePath) + ".lock";
}

namespace {

// A part of a cell at the end of a value file is looked at this many times, this many
// milliseconds apart, before it is taken for the remains of a write that stopped.
constexpr int kPartLooks = 5;
constexpr int kPartLookIntervalMs = 10;
// How many times a record is written, each time under a fresh number, while other desks give
// their records its number at the same moment.
constexpr int kRecordTries = 5;

constexpr size_t kRecordNumber = offsetof(ZbdEntry, recordNumber);
constexpr size_t kLastCharacter = offsetof(ZbdEntry, lastCharacter);

// The record of a cell padded from its first bytes, where they hold less than its whole number:
// the one after the record count of the whole cells before it, the number a write that stopped
// there gave its record when it counted as the next capture does, so that the count takes the
// padded cell in and the cell completes no value of another record. Where the part holds the
// number's first bytes, the number with those bytes nearest to it among those a cell there may
// hold (1 to its position).
int64_t PaddedRecord(std::string_view part, int64_t recordCount, int64_t position) {
  const int64_t wanted = std::clamp<int64_t>(recordCount, 0, position - 1) + 1;
  const size_t held = part.size() > kRecordNumber ? part.size() - kRecordNumber : 0;
  if (held == 0) return wanted;
  const int64_t step = int64_t{1} << (8 * held);
  int64_t low = 0;
  for (size_t b = 0; b < held; ++b)
    low |= static_cast<int64_t>(static_cast<uint8_t>(part[kRecordNumber + b])) << (8 * b);
  const int64_t near = (wanted & ~(step - 1)) | low;
  int64_t best = near;
  for (const int64_t candidate : {near - step, near, near + step}) {
    const bool possible = candidate >= 1 && candidate <= position;
    const bool bestPossible = best >= 1 && best <= position;
    if (possible && (!bestPossible || std::llabs(candidate - wanted) < std::llabs(best - wanted)))
      best = candidate;
  }
  return best;
}

// The whole cell of which the file holds the first bytes, `part`: zeros, but for the record
// number where the part lacks some of it and a last character flag of 1 where the part does not
// cover it, so that the cell ends a value and the character it may hold never starts the next
// record's first value.
std::string PaddedCell(std::string_view part, int64_t recordCount, int64_t position) {
  std::string cell(part);
  cell.resize(static_cast<size_t>(kZbdEntryLength), '\0');
  if (part.size() < kRecordNumber + sizeof(int64_t)) {
    const auto record = static_cast<uint64_t>(PaddedRecord(part, recordCount, position));
    for (size_t b = std::max(part.size(), kRecordNumber); b < kRecordNumber + sizeof(int64_t); ++b)
      cell[b] = static_cast<char>(record >> (8 * (b - kRecordNumber)));
  }
  if (part.size() <= kLastCharacter) cell[kLastCharacter] = 1;
  return cell;
}

// A part of a cell at the end that stays while it is looked at, what a write that stopped left,
// padded to a whole cell at its own place: desks that find the same part write the same bytes
// there, before or after another's record. Returns 0 or the errno.
int PadPartOfACell(files::RecordFile& file, std::string_view path,
                   const std::function<void()>& whileWaiting) {
  bool partStays = false;
  const int64_t length =
      file.SettledLength(kPartLooks, kPartLookIntervalMs, whileWaiting, partStays);
  if (!partStays) return 0;
  const int64_t position = length / kZbdEntryLength + 1;
  std::string part;
  file.Get(position, part);
  part.resize(static_cast<size_t>(length % kZbdEntryLength));
  const std::string cell = PaddedCell(part, CountValueFileRecords(path), position);
  return file.WriteAt(length, std::string_view(cell).substr(part.size()));
}

using RecordValues = std::vector<std::pair<std::string, std::string>>;

// What a record of these cells alone reads as, as every reader reads it: the first complete
// value of each field, in the order they complete, a value starting again at a cell of another
// field.
RecordValues ValuesOfCells(std::string_view cells) {
  RecordValues values;
  std::string name, partial;
  for (size_t at = 0; at + kZbdEntryLength <= cells.size(); at += kZbdEntryLength) {
    const ValueCell cell = DecodeValueCell(cells.substr(at, kZbdEntryLength));
    if (cell.fieldName != name) {
      name = cell.fieldName;
      partial.clear();
    }
    partial += static_cast<char>(cell.character);
    if (cell.lastCharacter != 1) continue;
    const bool first = std::none_of(values.begin(), values.end(),
                                    [&](const auto& value) { return value.first == name; });
    if (first) values.emplace_back(name, partial);
    partial.clear();
  }
  return values;
}

// Whether a cell from byte `from` to byte `to` of the file carries `record`.
bool CellsCarry(const files::RecordFile& file, int64_t from, int64_t to, int64_t record) {
  const int64_t first = from / kZbdEntryLength + 1;
  const int64_t last = (to + kZbdEntryLength - 1) / kZbdEntryLength;
  std::string cells;
  const int64_t count = file.GetMany(first, last - first + 1, cells);
  for (int64_t k = 0; k < count; ++k) {
    const std::string_view cell =
        std::string_view(cells).substr(static_cast<size_t>(k * kZbdEntryLength), kZbdEntryLength);
    if (DecodeValueCell(cell).recordNumber == record) return true;
  }
  return false;
}

// Whether a record appended where `landing` says is read under its number as it was written.
// On a cell where the file ended when it was counted, and read back as written, nothing came
// between. Otherwise another desk wrote after the count: every reader reads the first of two
// records of one number, cells of another desk's may run through it, and cells off the cells
// read as none.
bool ReadUnderItsNumber(const files::RecordFile& file, std::string_view path, int64_t countedAt,
                        const files::RecordFile::EndAppend& landing, int64_t record,
                        std::string_view cells) {
  if (landing.at == countedAt && landing.at % kZbdEntryLength == 0 && landing.readBack) return true;
  if (landing.at > countedAt && CellsCarry(file, countedAt, landing.at, record)) return false;
  return ReadRecordValues(path, record) == ValuesOfCells(cells);
}

// A pause of a random few milliseconds, longer at every try, so that desks that gave their
// records one number try again at different moments.
void PauseBeforeTryingAgain(int tries, const std::function<void()>& whileWaiting) {
  static std::minstd_rand random(std::random_device{}());
  const auto until = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(random() % static_cast<unsigned>(10 * tries + 1));
  do {
    if (whileWaiting) whileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (std::chrono::steady_clock::now() < until);
}

}  // namespace

RecordAppend AppendNewRecord(std::string_view path, int waitMs, int staleMs,
                             const std::function<std::string(int64_t record)>& cellsOf,
                             const std::function<void()>& whileWaiting) {
  RecordAppend append;
  files::RecordFile file;
  if ((append.error = file.Open(path, kZbdEntryLength)) != 0) return append;
  // A file that cannot be written says so before any lock is asked for.
  if ((append.error = file.ReadyToWrite()) != 0) return append;
  const auto asked = std::chrono::steady_clock::now();
  files::LockFile lockFile;
  const int lockFileError = lockFile.Take(ValueLockFilePath(path), waitMs, staleMs, whileWaiting);
  if (lockFile.TookOver()) append.leftBy = lockFile.Holder();
  if (lockFileError != 0 && lockFileError != files::kNoLockFiles) {
    if (lockFileError == EWOULDBLOCK) append.holder = lockFile.Holder();
    append.error = lockFileError;
    append.lockRefused = true;
    return append;
  }
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - asked);
  const int lockError =
      file.LockExclusive(std::max(waitMs - static_cast<int>(waited.count()), 0), whileWaiting);
  if (lockError != 0 && lockError != files::kLocksUnsupported) {
    append.error = lockError;
    append.lockRefused = true;
    return append;
  }
  append.unlocked = !lockFile.Held() && lockError != 0;
  for (int tries = 1;; ++tries) {
    if ((append.error = PadPartOfACell(file, path, whileWaiting)) != 0) return append;
    const int64_t countedAt = file.Length();
    append.record = CountValueFileRecords(path) + 1;
    const std::string cells = cellsOf(append.record);
    files::RecordFile::EndAppend landing;
    append.error = file.AppendAtEnd(cells, landing, !append.unlocked);
    if (append.error != 0) {
      append.wholeLeft = landing.partLeft && landing.whole &&
                         ReadUnderItsNumber(file, path, countedAt, landing, append.record, cells);
      append.partLeft = landing.partLeft && !landing.whole;
      return append;
    }
    if (ReadUnderItsNumber(file, path, countedAt, landing, append.record, cells)) return append;
    if (tries == kRecordTries) break;
    PauseBeforeTryingAgain(tries, whileWaiting);
  }
  append.numbersTaken = true;
  return append;
}
