// The capture of a filled page as a new record of the linked database ("Capturar datos"): what
// the command asks or says, and the archive of the captured values. The messages come back as
// texts for the caller to show.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct CapturedValue {
  std::string fieldName;
  std::string value;
};

// What the capture command does next.
struct CapturePlan {
  bool ask = false;     // ask `message` with Yes and No, and on Yes archive `values`
  std::string message;  // the question, or else the message shown with OK
  std::vector<CapturedValue> values;
};

// The values of every object bound to a capturable field, in slot order: an option cell gives
// "1" or "0", any other object its fill text. They are offered for archiving only when they
// are as many as the database has fields.
CapturePlan PrepareCapture();

struct ArchiveResult {
  bool written = false;
  int64_t recordNumber = 0;  // the new record's number when written
  std::string message;       // shown with OK
};

// Checks the values against the fields' maximum lengths, then appends them as record
// (record count + 1) in field order, one cell a character. A value file that cannot be written
// (a read-only file or disk) writes nothing and says why ("Err: ..."), before any lock is asked
// for. The value file is locked from the count to the write, so two programs capturing into one
// folder at once never share a number; while another holds it the capture waits up to
// captureLockWaitMs and then writes nothing and says so, and any other failure of the lock
// writes nothing and says why ("Err: ..."). With the lock the record is written whole or not at
// all: a failed write leaves the value file as it was and says why ("Err: ..."), and says too
// when the file could not be cut back and may end in part of the record. Where the folder's
// file system keeps no locks the record is written without the lock at the file's end as the
// system finds it when writing, and the first such capture of a run adds to its report that two
// desks capturing at once may then get the same number, and that on a network folder a record
// captured at the same moment by another desk may be lost. A record that is not read back where
// it landed as it was written is reported as perhaps mixed with another desk's. A failed write
// without the lock is never cut back, as another desk may have written after it: it says why,
// and that the file may end in part of the record when any of it may have been written. A record
// without a single character is refused, as it would leave no trace in the file. Running out of
// memory writes nothing and says so.
ArchiveResult ArchiveCapturedForm(const std::vector<CapturedValue>& values);

// How long a capture waits for another program's capture into the same value file, in
// milliseconds.
extern int captureLockWaitMs;
