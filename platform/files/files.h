// Files as the system uses them: fixed-length record files, sequential text files,
// existence tests and the folders beside the program.
// Paths are 1252 texts; "\" is accepted as a separator wherever a path is taken.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace files {

// The full path of the running program.
std::string ProgramPath();
// The folder of the running program, ending with "/".
std::string ProgramFolder();
// The folder of the files kept "beside the program" (settings, presets, logs): the program
// folder when it is writable, otherwise $XDG_CONFIG_HOME/veluna/ (created when needed).
// Ends with "/".
std::string DataFolder();
// Tests point the data folder somewhere else; an empty text restores the rule above.
void OverrideDataFolder(std::string_view folder);
// The folder the rule above picks for a given program folder (ending with "/").
std::string DataFolderFor(std::string_view programFolder);

// A path as the system stores it ("C:\x\y.jpg", "docs\a.qorvex", "/home/a.qorvex")
// turned into a path this machine can open: "\" becomes "/". An absolute Windows path
// (drive letter or doubled separator) that does not exist is looked up by its last
// component in `documentFolder` (when given), then in the program folder.
std::string LocalPath(std::string_view storedPath, std::string_view documentFolder = {});

// The last component of a path, split at "\" or "/".
std::string LastPathComponent(std::string_view path);
// The folder part of a path, with its trailing separator ("" when there is none).
std::string FolderOf(std::string_view path);

// True when the path names an existing file or folder. An empty path, or one holding
// "*" or "?", is never taken as a pattern: false.
bool FileExists(std::string_view path);
// Deletes a file; a missing file is no error. Returns 0 or the errno.
int DeleteFile(std::string_view path);
// Clears the read-only state (the "normal" attribute). Returns 0 or the errno.
int SetNormalAttributes(std::string_view path);
// Length in bytes of a regular file; -1 when the path names no regular file (missing, a folder,
// a device, a FIFO, a pseudo-file of the system) or cannot be examined.
int64_t FileLength(std::string_view path);

// What tells one state of a file from another: any write changes it, once the clock has moved
// on from the file's last change.
struct FileStamp {
  uint64_t device = 0, inode = 0;
  int64_t size = 0;
  int64_t modifiedNs = 0, changedNs = 0;   // since 1970
  bool operator==(const FileStamp&) const = default;
};
// The stamp of a regular file; false for anything else (missing, a folder, a device...).
bool StampOf(std::string_view path, FileStamp& stamp);
// Whether the file's last change lies `stepMs` or more back, so that any change made from now
// on shows in its stamp: a file's times move on in steps of the clock, so a change within the
// step of the last one could leave the stamp as it was. A second is beyond the step of every
// file system the programs meet; the local ones step in a few milliseconds.
bool IsSettled(const FileStamp& stamp, int64_t stepMs = 1000);

// Beside errno values, the reads of this layer refuse what is not a regular file with these.
// A folder gives EISDIR, a file longer than the caller's bound EFBIG.
constexpr int kNotRegularFile = 1001;   // a device, a FIFO, a socket or a pseudo-file of the
                                        // system (/proc, /sys), or a link to one
// RecordFile::LockExclusive on a file system that keeps no locks (NFS without its lock service,
// SMB mounted without byte-range locks, some FUSE file systems).
constexpr int kLocksUnsupported = 1002;
// LockFile::Take in a folder that takes no new file (one we may only read, a read-only disk, a
// name too long for it) or where something else than a file stands at the lock file's name.
constexpr int kNoLockFiles = 1003;

// "Err: " followed by the error number and its text, as the system's messages show file
// errors. The common file errors have texts of the program's own in Spanish; the others take
// the system's text in the user's language.
std::string ErrorText(int errnum);

// Runs of records to be read ahead: `count` records from `first` on, then as many from every
// `stride` records further on, up to the run that starts at `last`.
struct RunsAhead {
  int64_t first = 0, count = 0, stride = 0, last = -1;
};

class RecordFile;
namespace testing {
int RunsReadAhead(const RecordFile& file);  // a test hook into the read ahead, below
}

// A random-access file of fixed-length records, numbered from 1.
class RecordFile {
 public:
  RecordFile();
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens for reading and writing, never blocking. A missing file is not created by opening:
  // it reads as no records, and the first Put creates it. Returns 0 or the errno (EISDIR or
  // kNotRegularFile for what is not a regular file).
  int Open(std::string_view path, int recordLength);
  void Close();
  bool IsOpen() const { return open_; }

  int RecordLength() const { return recordLength_; }
  int64_t Length() const;          // bytes; 0 for a missing file
  // The stamp of the file as it is open; false for a missing file.
  bool Stamp(FileStamp& stamp) const;
  int64_t RecordCount() const;     // whole records only: a short last record is not counted

  // Reads record n (from 1) into `out`, which gets the record length. A record past the end
  // reads as zero bytes and returns false; a short last record is read as far as it goes,
  // zero-padded, and returns false.
  bool Get(int64_t n, std::string& out) const;
  // Reads at most `maxCount` whole records from record `first` on into `out` in one call;
  // returns how many (a short last record is left out).
  int64_t GetMany(int64_t first, int64_t maxCount, std::string& out) const;
  // Reads `count` records from record `first` on into `out`, which gets `count` records' bytes,
  // those past the end zero, without asking the file's length first: for a reader that knows
  // how many records there are and bounds `count` itself. Returns how many whole ones came.
  int64_t GetRun(int64_t first, int64_t count, std::string& out) const;
  // As GetRun, for a reader that passes through the file in order and knows the runs it asks
  // for next: those are then read on a thread of this file's own while the caller works, and
  // a call that asks for the first of them gets it as it was read; asking for it with `next`
  // going on from it keeps the rest. The thread reads the file into buffers of its own and
  // touches nothing else; any other run asked for, a write, a cut or a close waits for the read
  // under way and drops the runs read ahead.
  int64_t GetRunReadingAhead(int64_t first, int64_t count, std::string& out,
                             const RunsAhead& next);
  // Writes record n (from 1); `data` is cut or zero-padded to the record length.
  // Returns 0 or the errno.
  int Put(int64_t n, std::string_view data);
  // Writes `bytes` as they are at byte `offset` (the rest of a part of a record at the end, at
  // its own place). Returns 0 or the errno.
  int WriteAt(int64_t offset, std::string_view bytes);
  // Appends at length / record length + 1. A failed append leaves the file as long as it
  // was. Returns 0 or the errno.
  int Append(std::string_view data);
  // Cuts the file to `bytes` (an undo of appends made since it had that length).
  // Returns 0 or the errno.
  int Truncate(int64_t bytes);
  // Makes the file ready to be written, creating it when missing, as the first write would.
  // Returns 0 or the errno opening it for writing failed with (EACCES for a file we may only
  // read, EROFS on a read-only disk), which every writer of the file then returns as well.
  int ReadyToWrite();
  // Appends whole records (data cut to a whole number of them) at length / record length + 1
  // in one write and flushes them to the disk; a failure cuts the file back to the length it
  // had, so that no part of them stays. When cutting back fails too and the file is left
  // longer than it was, `partLeft` (when given) is set: the file may now end in part of the
  // records. For a file only one program appends to at a time. Returns 0 or the errno.
  int AppendWhole(std::string_view records, bool* partLeft = nullptr);

  // Where the bytes of AppendAtEnd went.
  struct EndAppend {
    int64_t at = -1;        // the offset of the first byte written; -1 when none was
    bool readBack = false;  // written in one piece and read back there as they were written
    bool partLeft = false;  // the append failed after some of them may have reached the file
    bool whole = false;     // every one of them was written: a failure was the flush's
  };
  // Appends `bytes` (any number of them) where the file ends at the moment of the write, as the
  // system places a write on a file open for appending, never at a length read before: for a
  // file other programs append to at the same time. Flushes them to the disk, then reads them
  // back where they landed. A failure never cuts the file back, as another program may have
  // appended after them, unless `cutBackAlone` (for a caller that holds off the other programs
  // of its kind): it is then cut back to where they began as long as nothing follows them.
  // `landing.partLeft` says whether any of them may be in it. Returns 0 or the errno.
  int AppendAtEnd(std::string_view bytes, EndAppend& landing, bool cutBackAlone = false);
  // The length of a file other programs may be appending to. When it ends in part of a record,
  // the write of another may be under way (a write becomes visible a page at a time): looks
  // again, `looks` times in all `intervalMs` apart, running `whileWaiting` between looks, until
  // it ends on a whole record. Returns the last length seen; `partStays` is set when the file
  // still ends in part of a record that did not change since the look before.
  int64_t SettledLength(int looks, int intervalMs, const std::function<void()>& whileWaiting,
                        bool& partStays) const;
  // Takes an exclusive advisory lock on the file, which every program that asks for it
  // honours (another process, or another opening of the file in this one), and holds it until
  // the file is closed; the file is created when missing. While another holds it, tries again
  // every few milliseconds for up to `waitMs`, running `whileWaiting` between tries. Returns 0,
  // EWOULDBLOCK when it is still held then, kLocksUnsupported when the file system cannot lock,
  // or the errno (ReadyToWrite's for a file we may only read).
  int LockExclusive(int waitMs, const std::function<void()>& whileWaiting = {});

 private:
  // Opens the file when it exists, or with `create` makes it. Returns 0 or the errno.
  int Attach(bool create) const;
  // Waits for the run being read ahead, and drops it (with `stop`, the thread too).
  void DropReadAhead(bool stop);

  struct ReadAhead;
  std::unique_ptr<ReadAhead> ahead_;
  friend int testing::RunsReadAhead(const RecordFile& file);

  std::string path_;
  int recordLength_ = 0;
  bool open_ = false;
  mutable int fd_ = -1;             // -1 while the file does not exist
  mutable int writeError_ = 0;      // the errno opening it for writing failed with: it only reads
  mutable int64_t seenLength_ = 0;  // the length Length gave last
};

// Who holds a lock file: the machine and the process on it, and when it took the lock.
struct LockHolder {
  std::string machine;  // its host name; empty where the file names none
  int64_t process = 0;
  int64_t since = 0;  // seconds since 1970 by the holder's clock; 0 where unknown
  bool operator==(const LockHolder&) const = default;
};

// A lock file beside a file that programs on several machines write, made exclusively
// (O_CREAT | O_EXCL: atomic on local disks and on the servers of NFS v3 and later and of SMB),
// so that the programs that take it exclude one another on every folder they share, whatever
// the folder's byte-range locks do. It names its holder, and only its holder removes it.
class LockFile {
 public:
  LockFile() = default;
  ~LockFile() { Release(); }
  LockFile(const LockFile&) = delete;
  LockFile& operator=(const LockFile&) = delete;

  // Makes the lock file at `path`, naming this process. While another holds it, tries again
  // every few milliseconds for up to `waitMs`, running `whileWaiting` between tries. A lock file
  // left by a process of this machine that no longer runs is taken over at once; any other once
  // it has been left unchanged for longer than `staleMs`, by the clock of the folder's server.
  // Of programs that find one left behind at the same moment, one takes it. Returns 0,
  // EWOULDBLOCK when another still holds it then (Holder() names it), kNoLockFiles, or the
  // errno making it failed with.
  int Take(std::string_view path, int waitMs, int staleMs,
           const std::function<void()>& whileWaiting = {});
  // Removes the lock file, as long as it is still the one Take made.
  void Release();
  bool Held() const { return held_; }
  // Who holds the lock file Take waited for in vain, or who left the one it took over.
  const LockHolder& Holder() const { return holder_; }
  // Whether Take took over a lock file left behind.
  bool TookOver() const { return tookOver_; }

 private:
  std::string path_;
  FileStamp made_;  // of the lock file as Take made it
  bool held_ = false, tookOver_ = false;
  LockHolder holder_;
};

// Reads a whole regular file of at most `maxBytes` bytes, never blocking. Returns 0 or the
// errno: ENOENT, EISDIR, kNotRegularFile, EFBIG when the file is longer (data is then empty).
int ReadWholeFile(std::string_view path, int64_t maxBytes, std::string& data);
// Every line of the first `maxBytes` bytes of a regular text file, line ends (CR LF, LF or
// CR) dropped; what lies beyond is not read. Returns 0 or the errno as ReadWholeFile does.
int ReadTextLines(std::string_view path, int64_t maxBytes, std::vector<std::string>& lines);
// Every line of a text, line ends (CR LF, LF or CR) dropped.
void SplitLines(std::string_view text, std::vector<std::string>& lines);
// Appends the text followed by CR LF, creating the file; a failed append cuts the file back
// to the length it had. When cutting back fails too and the file is left longer than it was,
// `partLeft` (when given) is set: the file may now end in part of the line. Returns 0 or the
// errno.
int AppendLine(std::string_view path, std::string_view line, bool* partLeft = nullptr);
// Writes a whole file through a temporary file beside it (of a short name of its own, so that
// any name the folder takes can be written) renamed over the target, so that a failure leaves
// the old file as it was. Returns 0 or the errno.
int WriteAllAtomically(std::string_view path, std::string_view data);

// A whole file written piece by piece, as WriteAllAtomically writes it at once: the pieces go
// to a temporary file beside the target and Commit renames it over the target. Until then the
// target stays as it was; a failure, Discard or an end without Commit removes the temporary
// file. At most kBufferBytes of the pieces wait in memory, so a file of any length can be
// written.
class AtomicFileWriter {
 public:
  static constexpr size_t kBufferBytes = 64 * 1024;

  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Refuses what WriteAllAtomically refuses and creates the temporary file. Returns 0 or the
  // errno.
  int Open(std::string_view path);
  // Adds a piece. Returns 0, or the errno of the first failure, which every later call
  // returns as well.
  int Write(std::string_view data);
  // Writes what waits, flushes the file to the disk and renames it over the target. Returns 0
  // or the errno.
  int Commit();
  // Removes the temporary file; the target stays as it was.
  void Discard();

 private:
  int Fail(int error);
  int WriteBuffer();

  std::string buffer_;
  std::string temp_, name_;
  int folder_ = -1, fd_ = -1;
  int error_ = 0;
  bool keepMode_ = false;
  unsigned mode_ = 0;
};

// For tests only: makes the writers of this layer fail on demand, as a full disk or a broken
// device would, so that every writer's failure path runs wherever the tests run.
namespace testing {

enum class Step {
  Create,     // opening a file to write it (a new file, a temporary one, a record file)
  Write,      // a write: fails once `afterBytes` bytes have gone to the file since arming
  Flush,      // the flush to the disk of a written file
  Rename,     // the rename of a temporary file over its target
  Truncate,   // cutting a record file or undoing an append
  Delete,     // deleting a file
  Lock,       // a try of RecordFile::LockExclusive, as the file system would refuse it
  LockFile,   // a try at making a lock file (LockFile::Take), as the folder would refuse it
};

// The next `step` of any writer fails with `errnum`; it then fires no more (a later step of
// the same kind succeeds unless armed again). Arming the same step again replaces it.
void ArmFailure(Step step, int errnum, int64_t afterBytes = 0);
// Disarms every step, takes away the pause, the hooks and the ways of a shared folder below,
// and sets the count of failures back to 0.
void ResetFailures();
// How many armed failures have fired since the last reset.
int FailuresFired();
// From now until ResetFailures, every append of a record file (RecordFile::AppendWhole,
// RecordFile::AppendAtEnd) sleeps `microseconds` between its look at the file's length, and so
// the caller's count of its records, and its write: programs appending to one file at once then
// overlap there every time. 0 takes the pause away.
void PauseBeforeAppendWrites(int microseconds);
// The next write of a record file at its end (RecordFile::WriteAt, AppendWhole, AppendAtEnd)
// first runs `hook`, as another program writing between this one's look at the file and its
// write would; the hook is taken away as it runs, so that the writes it makes do not run it.
void BeforeNextEndWrite(std::function<void()> hook);
// From now until ResetFailures, RecordFile::LockExclusive takes a lock that holds off no one
// and succeeds, as on a folder whose every client keeps its locks to itself (NFS mounted with
// nolock, some FUSE file systems).
void LocksExcludeNothing();
// From now until ResetFailures, RecordFile::AppendAtEnd writes at the length its opening last
// saw (Length, SettledLength) instead of where the file ends, as a client of a shared folder
// that keeps its own view of a file's length does.
void AppendsAtLengthSeen();
// The next lock file LockFile::Take finds left behind first runs `hook`, before Take takes it
// over, as another program finding it at the same moment would; the hook is taken away as it
// runs.
void BeforeLeftLockTakenOver(std::function<void()> hook);
// From now until ResetFailures, RecordFile::AppendAtEnd runs `hook` with where its bytes landed
// (the offset of the first, and how many) once they are written and flushed, before it reads
// them back: a test writes other bytes there, as another program writing at the same moment
// would. An empty hook takes it away.
void BeforeAppendReadBack(std::function<void(int64_t at, int64_t bytes)> hook);
// From now until ResetFailures, RecordFile::SettledLength runs `hook` between its looks at the
// file's length, as another program's write would go on there. An empty hook takes it away.
void BetweenLengthLooks(std::function<void()> hook);
// How many whole-file reads (ReadWholeFile, ReadTextLines) ran since the process began.
int64_t WholeFileReads();
// How many bytes the reads of record files (RecordFile's reads, its reads ahead and the reads
// back of its appends) asked for since the process began.
int64_t RecordBytesRead();

// Arms a failure for the life of a scope and resets every failure when it ends:
//   files::testing::FailureScope full(files::testing::Step::Write, ENOSPC, 100);
class FailureScope {
 public:
  FailureScope(Step step, int errnum, int64_t afterBytes = 0) { ArmFailure(step, errnum, afterBytes); }
  ~FailureScope() { ResetFailures(); }
  FailureScope(const FailureScope&) = delete;
  FailureScope& operator=(const FailureScope&) = delete;
};

// Waits until the file's thread of GetRunReadingAhead rests, having read every run it was
// asked for or as many as it holds, and returns how many runs it holds read (0 without one).
int RunsReadAhead(const RecordFile& file);

}  // namespace testing
}  // namespace files
