// The writer of a value file (.zbd): whole cells appended, and the capture's new record,
// numbered one past the record count, written while every other desk is held off and told by
// the number it is read under.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files/files.h"

// Appends whole cells (a multiple of 54 bytes) to a value file at cell (length \ 54) + 1 in
// one write and makes them durable, creating the file when missing. On failure the file is
// cut back to its old length, so no part of the new cells stays. Returns 0 or the errno.
int AppendValueCells(std::string_view path, std::string_view cells);

// The lock file of a value file: `<name>.zbd.lock` beside it, which no reader reads.
std::string ValueLockFilePath(std::string_view valuePath);

// What became of a record appended by AppendNewRecord.
struct RecordAppend {
  int error = 0;           // 0, EWOULDBLOCK when another program kept the file locked, or the errno
  int64_t record = 0;      // the number the record was given last, and is read under when written
  bool partLeft = false;   // the write failed and may have left part of the record: the file
                           // may now end in it
  bool wholeLeft = false;  // the write failed once the whole record was in the file (its flush
                           // did), which was not cut back: it may be there, read under `record`
  bool lockRefused = false;   // `error` is a lock's: nothing was written
  bool unlocked = false;      // the folder takes neither a lock file nor locks: appended unlocked
  bool numbersTaken = false;  // every try was given a number another desk gave its record at the
                              // same moment, and read under none: as if nothing was written
  std::optional<files::LockHolder> holder;  // who held the lock file waited for in vain
  std::optional<files::LockHolder> leftBy;  // who left the lock file taken over
};
// Appends a new record to a value file: `cellsOf(record)` gives its cells for the number
// (record count + 1). A file that cannot be written gives its errno before any lock is asked
// for, and nothing is written. From the count to the write every other program that appends
// this way is held off by the value file's lock file, whatever the folder's byte-range locks do,
// and older ones by a byte-range lock on the value file; both are waited for up to `waitMs` in
// all, running `whileWaiting`, and then nothing is written. A lock file left behind is taken
// over (LockFile::Take, `staleMs`). A folder that takes no lock file keeps the byte-range lock
// alone, and where that too is refused the record is appended without a lock (`unlocked`).
// A part of a cell at the end that stays while it is looked at a few times (running
// `whileWaiting` between looks), what a write that stopped left, is first padded to a whole cell
// at its own place, so that the count takes it in and desks that find it at once write the same
// bytes there. The record then goes where the file ends at the moment of the write, never at a
// length read before: programs that take no lock may append at any time. A failed write is cut
// back while nothing follows it, where the others are held off, and never without a lock. Where
// another desk wrote between the count and the write, the record is read back under its number:
// when cells of that number came between, or the record does not read as written, it is written
// again under a fresh number, a few times at most (`numbersTaken`); the copies left behind are
// read by no reader.
RecordAppend AppendNewRecord(std::string_view path, int waitMs, int staleMs,
                             const std::function<std::string(int64_t record)>& cellsOf,
                             const std::function<void()>& whileWaiting = {});
