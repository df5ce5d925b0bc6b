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
// (a read-only file or disk) writes nothing and says so and why ("Err: ..."), before any lock is
// asked for. From the count to the write the database is locked against every other desk: by
// the value file's lock file (`<name>.zbd.lock`), which holds on any folder several machines
// mount, and by a lock on the value file, which older programs take. While another holds either
// the capture waits up to captureLockWaitMs and then writes nothing and says so, naming the desk
// named in the lock file; any other failure of a lock writes nothing and says why ("Err: ...").
// A lock file left behind (its process of this machine no longer runs, or it was left unchanged
// for captureStaleLockMs) is taken over, and the report says so. A part of a cell left at the
// end by a desk stopped in mid-write is first padded to a whole cell, and the record takes a
// number after it. The record goes where the file ends at the moment of the write; a failed
// write says why ("Err: ..."), is cut back while nothing follows it, and says when the file may
// end in part of the record or, where its flush failed, that the record may have been written
// under its number and must be checked before capturing again. Where another desk wrote between
// the count and the write and the record is not read under its number as written, it is written
// again under a fresh number, a few times at most, and the report gives the number it is read
// under; where every try fails the capture says that the form was not captured. Where the
// folder takes neither a lock file nor locks the record is written without a lock, and the first
// such capture of a run adds to its report what then holds, naming the folder. A record without
// a single character is refused, as it would leave no trace in the file. Running out of memory
// writes nothing and says so.
ArchiveResult ArchiveCapturedForm(const std::vector<CapturedValue>& values);

// How long a capture waits for another program's capture into the same value file, in
// milliseconds.
extern int captureLockWaitMs;
// How long a lock file of another machine, or of a process that runs, stays unchanged before a
// capture takes it for one left behind, in milliseconds: longer than any capture holds it.
extern int captureStaleLockMs;
