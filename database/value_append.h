// The writer of a value file (.zbd): whole cells appended, and the capture's new record, numbered
// one past the record count and written with the file locked against every other desk.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Appends whole cells (a multiple of 54 bytes) to a value file at cell (length \ 54) + 1 in
// one write and makes them durable, creating the file when missing. On failure the file is
// cut back to its old length, so no part of the new cells stays. Returns 0 or the errno.
int AppendValueCells(std::string_view path, std::string_view cells);

// What became of a record appended by AppendNewRecord.
struct RecordAppend {
  int error = 0;          // 0, EWOULDBLOCK when another program kept the file locked, or the errno
  int64_t record = 0;     // the number the record was given
  bool partLeft = false;  // the write failed and may have left part of the record: the file
                          // may now end in it
  bool lockRefused = false;  // `error` is the lock's: nothing was written
  bool unlocked = false;     // the file system keeps no locks: appended without the lock
  bool mixed = false;        // written without the lock, its cells were not found where they
                             // landed as written, or not on a cell boundary: they may be mixed
                             // with a record another program wrote at the same moment
};
// Appends a new record to a value file: `cellsOf(record)` gives its cells for the number
// (record count + 1). A file that cannot be written gives its errno before any lock is asked
// for, and nothing is written. The value file stays locked against every other program that
// appends this way from the count being read to the cells being written, so that two captures
// into one folder at once never give out one number twice; while another program holds the
// lock it waits for up to `waitMs`, running `whileWaiting`, and then writes nothing. With the
// lock, as AppendValueCells, the record is written whole at the last whole cell (over a part of
// a cell a stopped write left) or not at all, unless cutting back a failed write fails too.
// Where the folder's file system keeps no locks the record is appended without one: two
// programs appending at once may then give out one number twice. The cells then go where the
// file ends at the moment of the write, never at a length read before, and are read back there
// (`mixed`); a part of a cell at the end that stays while it is looked at a few times (running
// `whileWaiting` between looks) is first padded to a whole cell in the same write; a failed
// write is never cut back (`partLeft` when any of it may be in the file).
RecordAppend AppendNewRecord(std::string_view path, int waitMs,
                             const std::function<std::string(int64_t record)>& cellsOf,
                             const std::function<void()>& whileWaiting = {});
