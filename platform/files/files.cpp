#include "platform/files/files.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <pwd.h>
#include <signal.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <mutex>
#include <new>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/text/text.h"

namespace files {
namespace {

std::string dataFolderOverride;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string WithSlashes(std::string_view path) {
  std::string p(path);
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  return p;
}

std::string WithTrailingSlash(std::string p) {
  if (!p.empty() && p.back() != '/') p += '/';
  return p;
}

// The name the operating system knows: "/" separators, UTF-8 bytes.
std::string OsPath(std::string_view path) { return text::ToUtf8(WithSlashes(path)); }

// strerror_r comes in two kinds; either way we want the text.
[[maybe_unused]] const char* ErrorMessage(int result, const char* buffer) {
  return result == 0 ? buffer : "";
}
[[maybe_unused]] const char* ErrorMessage(const char* result, const char*) { return result; }

// The failure seam of the tests: each step armed at most once, disarmed when it fires.
struct ArmedFailure {
  bool armed = false;
  int errnum = 0;
  int64_t afterBytes = 0;
};
std::array<ArmedFailure, 8> armedFailures;
int failuresFired = 0;
int appendPauseUs = 0;
std::function<void(int64_t at, int64_t bytes)> beforeAppendReadBack;
std::function<void()> betweenLengthLooks;
std::function<void()> beforeNextEndWrite;
std::function<void()> beforeLeftLockTakenOver;
bool locksExcludeNothing = false;
bool appendsAtLengthSeen = false;
std::atomic<int64_t> wholeFileReads{0};
std::atomic<int64_t> recordBytesAsked{0};

ArmedFailure* Armed(testing::Step step) {
  ArmedFailure& a = armedFailures[static_cast<size_t>(step)];
  return a.armed ? &a : nullptr;
}

// Runs a test's hook once, taking it away first.
void RunOnce(std::function<void()>& hook) {
  if (!hook) return;
  const std::function<void()> run = std::move(hook);
  hook = nullptr;
  run();
}

// What a test put between a look at a file's end and a write there: the pause of an append, and
// another program's write.
void BeforeEndWrite(bool append) {
  if (append && appendPauseUs > 0)
    std::this_thread::sleep_for(std::chrono::microseconds(appendPauseUs));
  RunOnce(beforeNextEndWrite);
}

// 0 when the step may run; otherwise the errno the test armed it with.
int InjectedFailure(testing::Step step) {
  ArmedFailure* a = Armed(step);
  if (!a) return 0;
  a->armed = false;
  ++failuresFired;
  return a->errnum;
}

// Where the pieces of a write at a file's end went: the offset of the first and the end of the
// last, whether each went on where the one before ended, and how many bytes were written.
struct Pieces {
  int64_t first = -1, end = -1;
  bool contiguous = true;
  size_t done = 0;
};

// Writes all of `data` at `at`, or with `at` -1 at the descriptor's offset (the file's end when
// it is open for appending). `pieces`, when given, learns where each piece went.
int WriteFully(int fd, std::string_view data, off_t at, Pieces* pieces = nullptr) {
  size_t done = 0;
  int error = 0;
  while (done < data.size() && error == 0) {
    size_t want = data.size() - done;
    ArmedFailure* failing = Armed(testing::Step::Write);
    if (failing) {
      if (failing->afterBytes <= 0) {
        error = InjectedFailure(testing::Step::Write);
        break;
      }
      want = std::min<size_t>(want, static_cast<size_t>(failing->afterBytes));
    }
    const ssize_t n = at < 0 ? write(fd, data.data() + done, want)
                             : pwrite(fd, data.data() + done, want, at + static_cast<off_t>(done));
    if (n < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    if (failing) failing->afterBytes -= n;
    done += static_cast<size_t>(n);
    if (pieces) {
      // After a write on a file open for appending, the offset is where the piece ended.
      const int64_t end = at < 0 ? lseek(fd, 0, SEEK_CUR) : at + static_cast<int64_t>(done);
      const int64_t start = end - n;
      if (end < 0 || (pieces->first >= 0 && start != pieces->end)) pieces->contiguous = false;
      if (pieces->first < 0) pieces->first = start;
      pieces->end = end;
    }
  }
  if (pieces) pieces->done = done;
  return error;
}

int FlushFile(int fd) {
  if (const int error = InjectedFailure(testing::Step::Flush)) return error;
  return fsync(fd) == 0 ? 0 : errno;
}

int TruncateFile(int fd, int64_t bytes) {
  if (const int error = InjectedFailure(testing::Step::Truncate)) return error;
  return ftruncate(fd, static_cast<off_t>(bytes)) == 0 ? 0 : errno;
}

// File systems whose files are the kernel's views: they claim to be regular files, often of
// length 0, and reading one may block for ever (/proc/kmsg) or take data from someone else.
bool IsPseudoFileSystem(const struct statfs& fs) {
  switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case DEBUGFS_MAGIC: case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC: case SELINUX_MAGIC: case PSTOREFS_MAGIC: case EFIVARFS_MAGIC:
    case CGROUP_SUPER_MAGIC: case CGROUP2_SUPER_MAGIC: case BINFMTFS_MAGIC:
    case DEVPTS_SUPER_MAGIC: case BPF_FS_MAGIC:
      return true;
    default:
      return false;
  }
}

// 0 for a regular file on a real file system; otherwise EISDIR or kNotRegularFile.
int RegularFileCheck(const struct stat& st, const struct statfs& fs) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (!S_ISREG(st.st_mode) || IsPseudoFileSystem(fs)) return kNotRegularFile;
  return 0;
}

// 0 when the path names a regular file (links followed), else the errno, EISDIR or
// kNotRegularFile; nothing is opened.
int ExamineRegularFile(const std::string& osPath, struct stat& st) {
  struct statfs fs;
  if (stat(osPath.c_str(), &st) != 0 || statfs(osPath.c_str(), &fs) != 0) return errno;
  return RegularFileCheck(st, fs);
}

// The same check on an open file, which may have been swapped since the path was examined.
int ExamineOpenFile(int fd, struct stat& st) {
  struct statfs fs;
  if (fstat(fd, &st) != 0 || fstatfs(fd, &fs) != 0) return errno;
  return RegularFileCheck(st, fs);
}

// Opens a regular file for reading without ever blocking on it. Returns the descriptor, or -1
// with `error` set.
int OpenRegularFile(const std::string& osPath, int flags, int& error, struct stat& st) {
  if ((error = ExamineRegularFile(osPath, st)) != 0) return -1;
  const int fd = ::open(osPath.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if ((error = ExamineOpenFile(fd, st)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Reads at most `limit` bytes from the start of an open file `expected` bytes long.
int ReadAtMost(int fd, int64_t limit, int64_t expected, std::string& data) {
  // The length the file claims is only a first guess: it may grow while it is read.
  data.resize(static_cast<size_t>(std::min<int64_t>(limit, std::max<int64_t>(expected, 0) + 1)));
  size_t done = 0;
  while (static_cast<int64_t>(done) < limit) {
    if (done == data.size())
      data.resize(static_cast<size_t>(std::min<int64_t>(limit, std::max<int64_t>(65536, 2 * static_cast<int64_t>(done)))));
    const ssize_t n = read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      data.clear();
      return error;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  data.resize(done);
  return 0;
}

// Reads a whole regular file (or, with `cut`, its first `maxBytes` bytes) into `data`.
int ReadBounded(std::string_view path, int64_t maxBytes, bool cut, std::string& data) {
  data.clear();
  if (maxBytes < 0) return EINVAL;
  ++wholeFileReads;
  int error = 0;
  struct stat st;
  const int fd = OpenRegularFile(OsPath(path), O_RDONLY, error, st);
  if (fd < 0) return error;
  if (!cut && st.st_size > maxBytes) {
    ::close(fd);
    return EFBIG;
  }
  // One byte beyond the bound tells a file that grew too long while it was read.
  error = ReadAtMost(fd, cut ? maxBytes : maxBytes + 1, st.st_size, data);
  ::close(fd);
  if (error == 0 && static_cast<int64_t>(data.size()) > maxBytes) {
    data.clear();
    error = EFBIG;
  }
  return error;
}

std::string ConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  std::string h = home && home[0] ? home : "";
  if (h.empty()) {
    if (const passwd* pw = getpwuid(getuid())) h = pw->pw_dir;
  }
  return h + "/.config";
}

}  // namespace

std::string ProgramPath() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      return text::FromUtf8(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramFolder() { return FolderOf(ProgramPath()); }

std::string DataFolderFor(std::string_view programFolder) {
  const std::string program = WithTrailingSlash(std::string(programFolder));
  if (!program.empty() && access(OsPath(program).c_str(), W_OK) == 0) return program;
  const std::string folder = ConfigHome() + "/veluna/";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return text::FromUtf8(folder);
}

std::string DataFolder() {
  if (!dataFolderOverride.empty()) return dataFolderOverride;
  return DataFolderFor(ProgramFolder());
}

void OverrideDataFolder(std::string_view folder) {
  dataFolderOverride = WithTrailingSlash(WithSlashes(folder));
}

std::string LocalPath(std::string_view storedPath, std::string_view documentFolder) {
  const std::string converted = WithSlashes(storedPath);
  const bool drive = storedPath.size() >= 2 && storedPath[1] == ':' &&
                     ((storedPath[0] >= 'A' && storedPath[0] <= 'Z') ||
                      (storedPath[0] >= 'a' && storedPath[0] <= 'z'));
  const bool share = storedPath.size() >= 2 && IsSeparator(storedPath[0]) && IsSeparator(storedPath[1]);
  if (!(drive || share) || FileExists(converted)) return converted;
  // A path from another machine: the file may have travelled with the document.
  const std::string name = LastPathComponent(storedPath);
  if (name.empty()) return converted;
  if (!documentFolder.empty()) {
    const std::string candidate = WithTrailingSlash(WithSlashes(documentFolder)) + name;
    if (FileExists(candidate)) return candidate;
  }
  const std::string candidate = ProgramFolder() + name;
  if (FileExists(candidate)) return candidate;
  return converted;
}

std::string LastPathComponent(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(i));
}

std::string FolderOf(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(0, i));
}

bool FileExists(std::string_view path) {
  if (path.empty() || path.find_first_of("*?") != std::string_view::npos) return false;
  struct stat st;
  return stat(OsPath(path).c_str(), &st) == 0;
}

int DeleteFile(std::string_view path) {
  if (const int error = InjectedFailure(testing::Step::Delete)) return error;
  if (unlink(OsPath(path).c_str()) == 0 || errno == ENOENT) return 0;
  return errno;
}

int SetNormalAttributes(std::string_view path) {
  const std::string p = OsPath(path);
  struct stat st;
  if (stat(p.c_str(), &st) != 0) return errno;
  if (chmod(p.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) return errno;
  return 0;
}

int64_t FileLength(std::string_view path) {
  struct stat st;
  if (ExamineRegularFile(OsPath(path), st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

namespace {

FileStamp StampOfStat(const struct stat& st) {
  constexpr int64_t kNs = 1000000000;
  return FileStamp{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                   static_cast<int64_t>(st.st_size),
                   static_cast<int64_t>(st.st_mtim.tv_sec) * kNs + st.st_mtim.tv_nsec,
                   static_cast<int64_t>(st.st_ctim.tv_sec) * kNs + st.st_ctim.tv_nsec};
}

}  // namespace

bool StampOf(std::string_view path, FileStamp& stamp) {
  struct stat st;
  if (ExamineRegularFile(OsPath(path), st) != 0) return false;
  stamp = StampOfStat(st);
  return true;
}

bool IsSettled(const FileStamp& stamp, int64_t stepMs) {
  using namespace std::chrono;
  const int64_t now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
  return now - stamp.changedNs > duration_cast<nanoseconds>(milliseconds(stepMs)).count();
}

std::string ErrorText(int errnum) {
  const char* own = nullptr;
  switch (errnum) {
    case ENOENT: own = "No existe el fichero o la carpeta"; break;
    case EACCES: case EPERM: own = "Permiso denegado"; break;
    case ENOSPC: case EDQUOT: own = "No queda espacio en el disco"; break;
    case EROFS: own = "El disco es de solo lectura"; break;
    case EISDIR: own = "Es una carpeta"; break;
    case ENAMETOOLONG: own = "Nombre de fichero demasiado largo"; break;
    case EEXIST: own = "El fichero ya existe"; break;
    case EIO: own = "Error de entrada/salida"; break;
    case EFBIG: own = "Fichero demasiado grande"; break;
    case ENOMEM: own = "No hay memoria suficiente"; break;
    case kNotRegularFile: own = "No es un fichero normal (dispositivo, tuber\xED" "a o fichero del sistema)"; break;
    case kLocksUnsupported: own = "El sistema de ficheros no admite bloqueos"; break;
    default: break;
  }
  std::string message = own ? own : "";
  if (!own) {
    char buffer[256] = {};
    message = text::FromUtf8(ErrorMessage(strerror_r(errnum, buffer, sizeof buffer), buffer));
  }
  return "Err: " + std::to_string(errnum) + " " + message;
}

// RecordFile ---------------------------------------------------------------------------------


int RecordFile::Open(std::string_view path, int recordLength) {
  Close();
  if (recordLength <= 0 || path.empty()) return EINVAL;
  path_ = OsPath(path);
  recordLength_ = recordLength;
  const int error = Attach(false);
  if (error != 0 && error != ENOENT) {
    path_.clear();
    recordLength_ = 0;
    return error;
  }
  open_ = true;
  return 0;
}

int RecordFile::Attach(bool create) const {
  if (fd_ >= 0) return 0;
  int error = 0;
  struct stat st;
  int fd = OpenRegularFile(path_, O_RDWR, error, st);
  int writeError = 0;
  if (fd < 0 && (error == EACCES || error == EROFS) && !create) {
    // A file we may only read still reads; writing it reports the refusal.
    writeError = error;
    fd = OpenRegularFile(path_, O_RDONLY, error, st);
  }
  if (fd < 0 && error == ENOENT && create) {
    if ((error = InjectedFailure(testing::Step::Create)) != 0) return error;
    fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
    } else if ((error = ExamineOpenFile(fd, st)) != 0) {
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) return error;
  fd_ = fd;
  writeError_ = writeError;
  return 0;
}

void RecordFile::Close() {
  DropReadAhead(true);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  writeError_ = 0;
  open_ = false;
  path_.clear();
  recordLength_ = 0;
}

int64_t RecordFile::Length() const {
  if (!open_ || Attach(false) != 0) return 0;
  struct stat st;
  if (fstat(fd_, &st) != 0) return 0;
  seenLength_ = static_cast<int64_t>(st.st_size);
  return seenLength_;
}

bool RecordFile::Stamp(FileStamp& stamp) const {
  if (!open_ || Attach(false) != 0) return false;
  struct stat st;
  if (fstat(fd_, &st) != 0) return false;
  stamp = StampOfStat(st);
  return true;
}

int64_t RecordFile::RecordCount() const {
  return recordLength_ > 0 ? Length() / recordLength_ : 0;
}

namespace {

// Reads up to out.size() bytes at `at`; returns how many came.
size_t ReadAt(int fd, std::string& out, off_t at) {
  recordBytesAsked += static_cast<int64_t>(out.size());
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t got = pread(fd, out.data() + done, out.size() - done, at + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

}  // namespace

// The thread that reads a record file's runs ahead, and the runs it holds: slots from `head`
// on, `filled` of them, in order, the last being read while `reading` is set. The thread alone
// touches that one; the file touches only ready ones, or any once no read is under way.
struct RecordFile::ReadAhead {
  struct Slot {
    int64_t first = 0;
    size_t done = 0;
    bool ready = false, failed = false;  // failed: no room for the run, which the file reads
    std::string run;
  };
  std::mutex mutex;
  std::condition_variable changed;
  bool quit = false, reading = false;
  int fd = -1;
  int recordLength = 0;
  RunsAhead runs;  // runs.first: the next run to read
  std::array<Slot, 4> slots;
  size_t head = 0, filled = 0;
  std::thread thread;  // started last, once the rest is in place

  ReadAhead() : thread([this] { Work(); }) {}
  ~ReadAhead() {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      quit = true;
    }
    changed.notify_all();
    thread.join();
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  void Work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [this] {
        return quit || (filled < slots.size() && runs.count > 0 && runs.first <= runs.last);
      });
      if (quit) return;
      Slot& slot = slots[(head + filled) % slots.size()];
      slot.first = runs.first;
      slot.ready = false;
      ++filled;
      reading = true;
      const int file = fd;
      const off_t at = static_cast<off_t>((runs.first - 1) * recordLength);
      const size_t bytes = static_cast<size_t>(runs.count * recordLength);
      runs.first += runs.stride;
      lock.unlock();
      // As GetRun reads it.
      slot.failed = false;
      try {
        slot.run.resize(bytes);
        slot.done = ReadAt(file, slot.run, at);
        std::fill(slot.run.begin() + static_cast<std::ptrdiff_t>(slot.done), slot.run.end(), '\0');
      } catch (const std::bad_alloc&) {
        slot.failed = true;
      }
      lock.lock();
      slot.ready = true;
      reading = false;
      changed.notify_all();
    }
  }

  // Drops every run; the caller holds `lock`.
  void Drop(std::unique_lock<std::mutex>& lock) {
    changed.wait(lock, [this] { return !reading; });
    head = filled = 0;
    runs = {};
  }
};

RecordFile::RecordFile() = default;
RecordFile::~RecordFile() { Close(); }

bool RecordFile::Get(int64_t n, std::string& out) const {
  out.assign(static_cast<size_t>(std::max(recordLength_, 0)), '\0');
  if (!open_ || n < 1 || Attach(false) != 0) return false;
  const size_t done = ReadAt(fd_, out, static_cast<off_t>((n - 1) * recordLength_));
  return done == out.size();
}

int64_t RecordFile::GetMany(int64_t first, int64_t maxCount, std::string& out) const {
  out.clear();
  if (!open_ || first < 1 || maxCount < 1 || Attach(false) != 0) return 0;
  // Only the records the file holds now are made room for, whatever count was asked.
  const int64_t available = RecordCount() - (first - 1);
  const int64_t count = std::min(maxCount, available);
  if (count <= 0) return 0;
  out.resize(static_cast<size_t>(count * recordLength_));
  const size_t done = ReadAt(fd_, out, static_cast<off_t>((first - 1) * recordLength_));
  out.resize(done - done % static_cast<size_t>(recordLength_));
  return static_cast<int64_t>(out.size()) / recordLength_;
}

int64_t RecordFile::GetRun(int64_t first, int64_t count, std::string& out) const {
  // A reader that reads run after run into one buffer keeps its size, so only what the file
  // did not fill is zeroed.
  out.resize(static_cast<size_t>(std::max<int64_t>(count, 0) * recordLength_));
  if (!open_ || first < 1 || count < 1 || Attach(false) != 0) {
    std::fill(out.begin(), out.end(), '\0');
    return 0;
  }
  const size_t done = ReadAt(fd_, out, static_cast<off_t>((first - 1) * recordLength_));
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), '\0');
  return static_cast<int64_t>(done) / recordLength_;
}

int64_t RecordFile::GetRunReadingAhead(int64_t first, int64_t count, std::string& out,
                                       const RunsAhead& next) {
  int64_t whole = -1;
  bool goesOn = false;
  if (ahead_) {
    std::unique_lock<std::mutex> lock(ahead_->mutex);
    ReadAhead& a = *ahead_;
    ReadAhead::Slot& slot = a.slots[a.head];
    if (a.filled > 0 && a.fd == fd_ && a.runs.count == count && slot.first == first) {
      a.changed.wait(lock, [&slot] { return slot.ready; });
      if (!slot.failed) {
        out.swap(slot.run);
        whole = static_cast<int64_t>(slot.done) / recordLength_;
      }
      a.head = (a.head + 1) % a.slots.size();
      --a.filled;
      goesOn = next.count == a.runs.count && next.stride == a.runs.stride &&
               next.first == first + a.runs.stride;
      if (goesOn) a.runs.last = next.last;
      a.changed.notify_all();
    }
    if (!goesOn) a.Drop(lock);
  }
  if (whole < 0) whole = GetRun(first, count, out);
  if (goesOn || !open_ || next.first < 1 || next.count < 1 || next.stride < 1 ||
      Attach(false) != 0)
    return whole;
  if (!ahead_) {
    // Without a thread of its own the file is read when asked.
    try {
      ahead_ = std::make_unique<ReadAhead>();
    } catch (const std::system_error&) {
      return whole;
    }
  }
  {
    const std::lock_guard<std::mutex> lock(ahead_->mutex);
    ahead_->fd = fd_;
    ahead_->recordLength = recordLength_;
    ahead_->runs = next;
  }
  ahead_->changed.notify_all();
  return whole;
}

void RecordFile::DropReadAhead(bool stop) {
  if (!ahead_) return;
  if (stop) {
    ahead_.reset();
    return;
  }
  std::unique_lock<std::mutex> lock(ahead_->mutex);
  ahead_->Drop(lock);
}

int RecordFile::Put(int64_t n, std::string_view data) {
  DropReadAhead(false);
  if (!open_) return EBADF;
  if (n < 1) return EINVAL;
  if (const int error = Attach(true); error != 0) return error;
  if (writeError_ != 0) return writeError_;
  std::string record(data.substr(0, static_cast<size_t>(recordLength_)));
  record.resize(static_cast<size_t>(recordLength_), '\0');
  return WriteFully(fd_, record, static_cast<off_t>((n - 1) * recordLength_));
}

int RecordFile::WriteAt(int64_t offset, std::string_view bytes) {
  DropReadAhead(false);
  if (!open_) return EBADF;
  if (offset < 0) return EINVAL;
  if (const int error = ReadyToWrite(); error != 0) return error;
  BeforeEndWrite(false);
  return WriteFully(fd_, bytes, static_cast<off_t>(offset));
}

int RecordFile::Append(std::string_view data) {
  if (!open_) return EBADF;
  const int64_t before = Length();
  const int error = Put(before / recordLength_ + 1, data);
  // A record half written would be overwritten by the next append, but a reader that opens
  // the file in between would count it; the file goes back to what it was.
  if (error != 0 && fd_ >= 0 && Length() > before) Truncate(before);
  return error;
}

int RecordFile::Truncate(int64_t bytes) {
  DropReadAhead(false);
  if (!open_) return EBADF;
  if (bytes < 0) return EINVAL;
  if (const int error = Attach(false); error != 0) return error == ENOENT && bytes == 0 ? 0 : error;
  if (writeError_ != 0) return writeError_;
  return TruncateFile(fd_, bytes);
}

int RecordFile::AppendWhole(std::string_view records, bool* partLeft) {
  DropReadAhead(false);
  if (partLeft) *partLeft = false;
  if (!open_) return EBADF;
  const size_t whole = records.size() - records.size() % static_cast<size_t>(recordLength_);
  if (whole == 0) return 0;
  if (const int error = Attach(true); error != 0) return error;
  if (writeError_ != 0) return writeError_;
  const int64_t before = Length();
  BeforeEndWrite(true);
  int error = WriteFully(fd_, records.substr(0, whole),
                         static_cast<off_t>(before / recordLength_ * recordLength_));
  if (error == 0) error = FlushFile(fd_);
  if (error != 0 && TruncateFile(fd_, before) != 0 && partLeft) *partLeft = Length() != before;
  return error;
}

int RecordFile::ReadyToWrite() {
  if (!open_) return EBADF;
  if (const int error = Attach(true); error != 0) return error;
  return writeError_;
}

int RecordFile::AppendAtEnd(std::string_view bytes, EndAppend& landing, bool cutBackAlone) {
  DropReadAhead(false);
  landing = {};
  if (!open_) return EBADF;
  if (bytes.empty()) return 0;
  if (const int error = ReadyToWrite(); error != 0) return error;
  // A test's client with a view of its own of the file's length writes where it saw the end.
  const off_t at = appendsAtLengthSeen ? static_cast<off_t>(seenLength_) : -1;
  // For this write only: Put's writes go where they are asked to.
  const int flags = fcntl(fd_, F_GETFL);
  if (at < 0 && (flags < 0 || fcntl(fd_, F_SETFL, flags | O_APPEND) != 0)) return errno;
  BeforeEndWrite(true);
  Pieces pieces;
  int error = WriteFully(fd_, bytes, at, &pieces);
  if (at < 0) fcntl(fd_, F_SETFL, flags);
  landing.at = pieces.first;
  landing.whole = pieces.done == bytes.size();
  if (error == 0) error = FlushFile(fd_);
  if (error != 0) {
    // Cut back only while they end the file: what follows them is another program's.
    const bool cutBack = cutBackAlone && pieces.done > 0 && pieces.contiguous &&
                         Length() == pieces.end && TruncateFile(fd_, pieces.first) == 0;
    landing.partLeft = pieces.done > 0 && !cutBack;
    return error;
  }
  if (!pieces.contiguous) return 0;
  if (beforeAppendReadBack) beforeAppendReadBack(landing.at, static_cast<int64_t>(bytes.size()));
  // What this program wrote is read from the file, not from what the system kept of it.
  posix_fadvise(fd_, static_cast<off_t>(landing.at), static_cast<off_t>(bytes.size()),
                POSIX_FADV_DONTNEED);
  std::string landed(bytes.size(), '\0');
  landing.readBack = ReadAt(fd_, landed, static_cast<off_t>(landing.at)) == landed.size() &&
                     landed == bytes;
  return 0;
}

int64_t RecordFile::SettledLength(int looks, int intervalMs,
                                  const std::function<void()>& whileWaiting,
                                  bool& partStays) const {
  partStays = false;
  int64_t length = Length();
  for (int look = 2; look <= looks && recordLength_ > 0 && length % recordLength_ != 0; ++look) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(intervalMs, 0)));
    if (whileWaiting) whileWaiting();
    if (betweenLengthLooks) betweenLengthLooks();
    const int64_t now = Length();
    partStays = now == length;
    length = now;
  }
  return length;
}

int RecordFile::LockExclusive(int waitMs, const std::function<void()>& whileWaiting) {
  if (!open_) return EBADF;
  if (const int error = Attach(true); error != 0) return error;
  if (writeError_ != 0) return writeError_;
  // One byte far beyond any end a record file reaches: where a file server makes locks
  // mandatory (folders shared from Windows), no read or write of the records is held up.
  struct flock lock = {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(int64_t{1} << 62);
  lock.l_len = 1;
  // Locks of the open file, not of the process: another opening of it in this program is held
  // off too, and closing some other descriptor of the file keeps the lock.
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
  for (;;) {
    int error = InjectedFailure(testing::Step::Lock);
    if (error == 0 && locksExcludeNothing) return 0;
    if (error == 0 && fcntl(fd_, F_OFD_SETLK, &lock) == 0) return 0;
    if (error == 0) error = errno;
    if (error == EINTR) continue;
    // The request is well formed: EINVAL, as ENOLCK and EOPNOTSUPP (ENOTSUP on Linux), comes
    // from a file system that keeps no locks.
    if (error == ENOLCK || error == EINVAL || error == EOPNOTSUPP) return kLocksUnsupported;
    if (error != EAGAIN && error != EACCES) return error;
    if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
    if (whileWaiting) whileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Lock files ---------------------------------------------------------------------------------

namespace {

// This machine's host name as the system gives it.
std::string HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

// What tells this start of the machine from every other: a lock file's process number means
// something only on the machine and the start it was written on.
const std::string& BootId() {
  static const std::string id = [] {
    std::string text;
    const int fd = ::open("/proc/sys/kernel/random/boot_id", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return text;
    char buffer[64] = {};
    const ssize_t n = read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n > 0) text.assign(buffer, static_cast<size_t>(n));
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
  }();
  return id;
}

bool ProcessRuns(int64_t process) {
  if (process <= 0 || process > std::numeric_limits<pid_t>::max()) return false;
  return kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM;
}

// A lock file's text: the holder's machine, process, time taken and machine start, a line each.
std::string HolderText() {
  using namespace std::chrono;
  const int64_t now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
  return HostName() + "\n" + std::to_string(getpid()) + "\n" + std::to_string(now) + "\n" +
         BootId() + "\n";
}

// A lock file as it was found: its holder, whether that is a process of this machine as it runs
// now, and its stamp.
struct FoundLock {
  LockHolder holder;
  bool thisMachine = false;
  FileStamp stamp;
};

// Reads the lock file at `path`. Returns 0 or the errno (ENOENT once its holder let it go).
int ReadLock(const std::string& path, FoundLock& found) {
  found = {};
  struct stat st;
  int error = 0;
  const int fd = OpenRegularFile(path, O_RDONLY, error, st);
  if (fd < 0) return error;
  std::string content;
  error = ReadAtMost(fd, 4096, st.st_size, content);
  ::close(fd);
  if (error != 0) return error;
  found.stamp = StampOfStat(st);
  std::vector<std::string> lines;
  SplitLines(content, lines);
  lines.resize(4);
  found.holder.machine = text::FromUtf8(lines[0]);
  found.holder.process = std::strtoll(lines[1].c_str(), nullptr, 10);
  found.holder.since = std::strtoll(lines[2].c_str(), nullptr, 10);
  found.thisMachine = !lines[0].empty() && lines[0] == HostName() && lines[3] == BootId();
  return 0;
}

// How long ago, by the clock of the folder's server, the lock file of `stamp` was last written:
// the time of a file made beside it now, less its own. 0 where none can be made.
int64_t AgeOnServerMs(const std::string& path, const FileStamp& stamp) {
  std::string probe = path + ".XXXXXX";
  const int fd = mkostemp(probe.data(), O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat st;
  const bool stated = fstat(fd, &st) == 0;
  ::close(fd);
  unlink(probe.c_str());
  if (!stated) return 0;
  return std::max<int64_t>(StampOfStat(st).modifiedNs - stamp.modifiedNs, 0) / 1000000;
}

// Whether two stamps are of one lock file left as it was: a rename changes its change time, and
// a file made after it may take its inode.
bool SameLockFile(const FileStamp& a, const FileStamp& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modifiedNs == b.modifiedNs;
}

// Moves the lock file left behind at `path` out of the way, as long as it is still the one
// found (`stamp`). Of programs that find it at once, one moves it; one that moved a lock file
// made since puts it back.
bool RemoveLeftLock(const std::string& path, const FileStamp& stamp) {
  RunOnce(beforeLeftLockTakenOver);
  static std::minstd_rand names(std::random_device{}());
  const std::string aside = path + "." + std::to_string(getpid()) + "-" + std::to_string(names());
  if (rename(path.c_str(), aside.c_str()) != 0) return false;
  struct stat st;
  if (stat(aside.c_str(), &st) == 0 && SameLockFile(StampOfStat(st), stamp)) {
    unlink(aside.c_str());
    return true;
  }
  // Where a third program made a lock file meanwhile, the one moved stays away: its holder then
  // writes beside the third, as programs on a folder without locks do.
  if (link(aside.c_str(), path.c_str()) != 0 && errno != EEXIST)
    rename(aside.c_str(), path.c_str());
  unlink(aside.c_str());
  return false;
}

// Makes the lock file exclusively, its holder written in. Returns 0 or the errno.
int MakeLockFile(const std::string& path, std::string_view holder, struct stat& st) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  // A lock file without its holder excludes as well: what is written is for the others to read.
  for (size_t done = 0; done < holder.size();) {
    const ssize_t n = write(fd, holder.data() + done, holder.size() - done);
    if (n <= 0 && errno != EINTR) break;
    if (n > 0) done += static_cast<size_t>(n);
  }
  const int error = fstat(fd, &st) == 0 ? 0 : errno;
  ::close(fd);
  return error;
}

bool TakesNoNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG ||
         error == EOPNOTSUPP || error == EISDIR || error == kNotRegularFile;
}

}  // namespace

int LockFile::Take(std::string_view path, int waitMs, int staleMs,
                   const std::function<void()>& whileWaiting) {
  Release();
  holder_ = {};
  tookOver_ = false;
  path_ = OsPath(path);
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
  const std::string mine = HolderText();
  // The lock file found last, and how old it was then.
  FileStamp seen;
  Clock::time_point seenAt;
  int64_t ageSeenMs = -1;
  bool removedLeft = false;
  LockHolder left;
  for (;;) {
    struct stat st;
    int error = InjectedFailure(testing::Step::LockFile);
    if (error == 0) error = MakeLockFile(path_, mine, st);
    if (error == 0) {
      made_ = StampOfStat(st);
      held_ = true;
      tookOver_ = removedLeft;
      if (removedLeft) holder_ = left;
      return 0;
    }
    if (error == EINTR) continue;
    if (error != EEXIST) return TakesNoNewFiles(error) ? kNoLockFiles : error;
    FoundLock found;
    error = ReadLock(path_, found);
    if (error == ENOENT && Clock::now() < deadline) continue;  // let go meanwhile
    if (error == ENOENT) return EWOULDBLOCK;
    if (error != 0) return TakesNoNewFiles(error) ? kNoLockFiles : error;
    if (ageSeenMs < 0 || !(found.stamp == seen)) {
      seen = found.stamp;
      seenAt = Clock::now();
      ageSeenMs = AgeOnServerMs(path_, seen);
    }
    const int64_t ageMs =
        ageSeenMs +
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - seenAt).count();
    const bool leftBehind =
        (found.thisMachine && !ProcessRuns(found.holder.process)) || ageMs > staleMs;
    if (leftBehind && RemoveLeftLock(path_, found.stamp)) {
      removedLeft = true;
      left = found.holder;
      continue;
    }
    holder_ = found.holder;
    if (Clock::now() >= deadline) return EWOULDBLOCK;
    if (whileWaiting) whileWaiting();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void LockFile::Release() {
  if (!held_) return;
  held_ = false;
  struct stat st;
  if (stat(path_.c_str(), &st) == 0 && SameLockFile(StampOfStat(st), made_)) unlink(path_.c_str());
}

// Text files ---------------------------------------------------------------------------------

int ReadWholeFile(std::string_view path, int64_t maxBytes, std::string& data) {
  return ReadBounded(path, maxBytes, false, data);
}

void SplitLines(std::string_view text, std::vector<std::string>& lines) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
}

int ReadTextLines(std::string_view path, int64_t maxBytes, std::vector<std::string>& lines) {
  lines.clear();
  std::string data;
  if (const int error = ReadBounded(path, maxBytes, true, data); error != 0) return error;
  SplitLines(data, lines);
  return 0;
}

int AppendLine(std::string_view path, std::string_view line, bool* partLeft) {
  if (partLeft) *partLeft = false;
  const std::string p = OsPath(path);
  struct stat st;
  if (stat(p.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
  if (const int error = InjectedFailure(testing::Step::Create)) return error;
  const int fd = ::open(p.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  int error = ExamineOpenFile(fd, st);
  if (error == 0) {
    std::string all(line);
    all += "\r\n";
    error = WriteFully(fd, all, -1);
    if (error != 0 && TruncateFile(fd, st.st_size) != 0 && partLeft) {
      struct stat after;
      *partLeft = fstat(fd, &after) != 0 || after.st_size != st.st_size;
    }
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int WriteAllAtomically(std::string_view path, std::string_view data) {
  AtomicFileWriter writer;
  int error = writer.Open(path);
  if (error == 0) error = writer.Write(data);
  if (error == 0) error = writer.Commit();
  return error;
}

// AtomicFileWriter ---------------------------------------------------------------------------

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

int AtomicFileWriter::Open(std::string_view path) {
  Discard();
  error_ = 0;
  const std::string target = OsPath(path);
  if (target.empty()) return Fail(EINVAL);
  const size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
  name_ = target.substr(slash == std::string::npos ? 0 : slash + 1);
  if (name_.empty()) return Fail(EISDIR);
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  // A device or a FIFO is never replaced by a file of ours.
  if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) return Fail(kNotRegularFile);
  // A read-only file stays as it is, as it would on the system the files come from.
  if (exists && S_ISREG(old.st_mode) && access(target.c_str(), W_OK) != 0) return Fail(errno);
  keepMode_ = exists && S_ISREG(old.st_mode);
  mode_ = old.st_mode & 07777;

  // Names are taken inside the folder, so only the folder's path has to fit a path's limit.
  folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return Fail(errno);
  static std::atomic<unsigned> counter{0};
  int error = InjectedFailure(testing::Step::Create);
  for (int attempt = 0; attempt < 100 && fd_ < 0 && error == 0; ++attempt) {
    // Short whatever the target's name is, so that a name of the folder's longest still saves.
    temp_ = ".veluna" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1)) +
            ".tmp";
    fd_ = openat(folder_, temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) error = errno;
  }
  if (fd_ < 0) {
    temp_.clear();
    return Fail(error != 0 ? error : EEXIST);
  }
  return 0;
}

int AtomicFileWriter::Write(std::string_view data) {
  if (error_ != 0) return error_;
  if (fd_ < 0) return Fail(EBADF);
  if (buffer_.size() + data.size() <= kBufferBytes) {
    if (buffer_.capacity() < kBufferBytes) buffer_.reserve(kBufferBytes);
    buffer_.append(data);
    return 0;
  }
  if (const int error = WriteBuffer()) return Fail(error);
  if (data.size() >= kBufferBytes) {
    if (const int error = WriteFully(fd_, data, -1)) return Fail(error);
    return 0;
  }
  buffer_.append(data);
  return 0;
}

int AtomicFileWriter::Commit() {
  if (error_ != 0) return error_;
  if (fd_ < 0) return Fail(EBADF);
  int error = WriteBuffer();
  if (error == 0 && keepMode_) fchmod(fd_, mode_);
  if (error == 0) error = FlushFile(fd_);
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0) error = InjectedFailure(testing::Step::Rename);
  if (error == 0 && renameat(folder_, temp_.c_str(), folder_, name_.c_str()) != 0) error = errno;
  if (error != 0) return Fail(error);
  temp_.clear();
  // The rename itself is durable only once the folder is.
  fsync(folder_);
  Discard();
  return 0;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (folder_ >= 0) {
    if (!temp_.empty()) unlinkat(folder_, temp_.c_str(), 0);
    ::close(folder_);
  }
  folder_ = -1;
  temp_.clear();
  std::string().swap(buffer_);
}

int AtomicFileWriter::Fail(int error) {
  Discard();
  error_ = error;
  return error;
}

int AtomicFileWriter::WriteBuffer() {
  const int error = WriteFully(fd_, buffer_, -1);
  buffer_.clear();
  return error;
}

namespace testing {

void ArmFailure(Step step, int errnum, int64_t afterBytes) {
  armedFailures[static_cast<size_t>(step)] = ArmedFailure{true, errnum, std::max<int64_t>(afterBytes, 0)};
}

void ResetFailures() {
  armedFailures.fill(ArmedFailure{});
  failuresFired = 0;
  appendPauseUs = 0;
  beforeAppendReadBack = nullptr;
  betweenLengthLooks = nullptr;
  beforeNextEndWrite = nullptr;
  beforeLeftLockTakenOver = nullptr;
  locksExcludeNothing = false;
  appendsAtLengthSeen = false;
}

void BetweenLengthLooks(std::function<void()> hook) { betweenLengthLooks = std::move(hook); }

void PauseBeforeAppendWrites(int microseconds) { appendPauseUs = std::max(microseconds, 0); }

void BeforeNextEndWrite(std::function<void()> hook) { beforeNextEndWrite = std::move(hook); }

void LocksExcludeNothing() { locksExcludeNothing = true; }

void AppendsAtLengthSeen() { appendsAtLengthSeen = true; }

void BeforeLeftLockTakenOver(std::function<void()> hook) {
  beforeLeftLockTakenOver = std::move(hook);
}

void BeforeAppendReadBack(std::function<void(int64_t at, int64_t bytes)> hook) {
  beforeAppendReadBack = std::move(hook);
}

int FailuresFired() { return failuresFired; }

int64_t WholeFileReads() { return wholeFileReads.load(); }

int64_t RecordBytesRead() { return recordBytesAsked.load(); }

int RunsReadAhead(const RecordFile& file) {
  if (!file.ahead_) return 0;
  RecordFile::ReadAhead& a = *file.ahead_;
  std::unique_lock<std::mutex> lock(a.mutex);
  a.changed.wait(lock, [&a] {
    return !a.reading &&
           (a.filled == a.slots.size() || a.runs.count <= 0 || a.runs.first > a.runs.last);
  });
  return static_cast<int>(a.filled);
}

}  // namespace testing
}  // namespace files
