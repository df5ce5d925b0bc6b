#include "database/value_append.h"

#include <cstddef>

#include "database/database_files.h"
#include "database/records.h"
#include "platform/files/files.h"

int AppendValueCells(std::string_view path, std::string_view cells) {
  files::RecordFile file;
  if (const int error = file.Open(path, kZbdEntryLength); error != 0) return error;
  return file.AppendWhole(cells);
}

namespace {

// A part of a cell at the end of a value file is looked at this many times, this many
// milliseconds apart, before it is taken for the remains of a write that stopped.
constexpr int kPartLooks = 5;
constexpr int kPartLookIntervalMs = 10;

// The rest of a cell of which the file holds the first `part` bytes: zeros, but for a last
// character flag of 1 where it covers it, so that the cell ends a value and the character it
// may hold never starts the next record's first value.
std::string CellPadding(size_t part) {
  std::string padding(static_cast<size_t>(kZbdEntryLength) - part, '\0');
  constexpr size_t kLastCharacter = offsetof(ZbdEntry, lastCharacter);
  if (part <= kLastCharacter) padding[kLastCharacter - part] = 1;
  return padding;
}

// Without the lock another program may append at the same moment: the cells go where the file
// ends when they are written, after the padding of a part of a cell left by a write that
// stopped, and are read back there. A failed write is never cut back, as another program's
// record may follow it.
void AppendUnlocked(files::RecordFile& file, std::string_view cells,
                    const std::function<void()>& whileWaiting, RecordAppend& append) {
  bool partStays = false;
  const int64_t length =
      file.SettledLength(kPartLooks, kPartLookIntervalMs, whileWaiting, partStays);
  std::string bytes =
      partStays ? CellPadding(static_cast<size_t>(length % kZbdEntryLength)) : std::string();
  const int64_t padding = static_cast<int64_t>(bytes.size());
  bytes += cells;
  files::RecordFile::EndAppend landing;
  append.error = file.AppendAtEnd(bytes, landing);
  append.partLeft = append.error != 0 && landing.partLeft;
  append.mixed =
      append.error == 0 && (!landing.readBack || (landing.at + padding) % kZbdEntryLength != 0);
}

}  // namespace

RecordAppend AppendNewRecord(std::string_view path, int waitMs,
                             const std::function<std::string(int64_t record)>& cellsOf,
                             const std::function<void()>& whileWaiting) {
  RecordAppend append;
  files::RecordFile file;
  if ((append.error = file.Open(path, kZbdEntryLength)) != 0) return append;
  // A file that cannot be written says so before any lock is asked for.
  if ((append.error = file.ReadyToWrite()) != 0) return append;
  const int lockError = file.LockExclusive(waitMs, whileWaiting);
  append.unlocked = lockError == files::kLocksUnsupported;
  if (lockError != 0 && !append.unlocked) {
    append.error = lockError;
    append.lockRefused = true;
    return append;
  }
  append.record = CountValueFileRecords(path) + 1;
  const std::string cells = cellsOf(append.record);
  if (append.unlocked)
    AppendUnlocked(file, cells, whileWaiting, append);
  else
    append.error = file.AppendWhole(cells, &append.partLeft);
  return append;
}
