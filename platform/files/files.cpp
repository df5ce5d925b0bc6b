#include "platform/files/files.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>

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

int WriteFully(int fd, std::string_view data, off_t at) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = at < 0 ? write(fd, data.data() + done, data.size() - done)
                             : pwrite(fd, data.data() + done, data.size() - done,
                                      at + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<size_t>(n);
  }
  return 0;
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
  if (stat(OsPath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

std::string ErrorText(int errnum) {
  char buffer[256] = {};
  const char* message = ErrorMessage(strerror_r(errnum, buffer, sizeof buffer), buffer);
  return "Err: " + std::to_string(errnum) + " " + text::FromUtf8(message);
}

// RecordFile ---------------------------------------------------------------------------------

RecordFile::~RecordFile() { Close(); }

int RecordFile::Open(std::string_view path, int recordLength) {
  Close();
  if (recordLength <= 0 || path.empty()) return EINVAL;
  path_ = OsPath(path);
  recordLength_ = recordLength;
  const int error = Attach(false);
  if (error != 0 && error != ENOENT) {
    recordLength_ = 0;
    return error;
  }
  open_ = true;
  return 0;
}

int RecordFile::Attach(bool create) const {
  if (fd_ >= 0) return 0;
  int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
  bool readOnly = false;
  if (fd < 0 && (errno == EACCES || errno == EROFS) && !create) {
    // A file we may only read still reads; writing it reports the refusal.
    fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    readOnly = true;
  }
  if (fd < 0) return errno;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return EISDIR;
  }
  fd_ = fd;
  readOnly_ = readOnly;
  return 0;
}

void RecordFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  readOnly_ = false;
  open_ = false;
  path_.clear();
  recordLength_ = 0;
}

int64_t RecordFile::Length() const {
  if (!open_ || Attach(false) != 0) return 0;
  struct stat st;
  if (fstat(fd_, &st) != 0) return 0;
  return static_cast<int64_t>(st.st_size);
}

int64_t RecordFile::RecordCount() const {
  return recordLength_ > 0 ? Length() / recordLength_ : 0;
}

bool RecordFile::Get(int64_t n, std::string& out) const {
  out.assign(static_cast<size_t>(std::max(recordLength_, 0)), '\0');
  if (!open_ || n < 1 || Attach(false) != 0) return false;
  const off_t at = static_cast<off_t>((n - 1) * recordLength_);
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t got = pread(fd_, out.data() + done, out.size() - done, at + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done == out.size();
}

int RecordFile::Put(int64_t n, std::string_view data) {
  if (!open_) return EBADF;
  if (n < 1) return EINVAL;
  if (const int error = Attach(true); error != 0) return error;
  if (readOnly_) return EACCES;
  std::string record(data.substr(0, static_cast<size_t>(recordLength_)));
  record.resize(static_cast<size_t>(recordLength_), '\0');
  return WriteFully(fd_, record, static_cast<off_t>((n - 1) * recordLength_));
}

int RecordFile::Append(std::string_view data) {
  if (!open_) return EBADF;
  return Put(Length() / recordLength_ + 1, data);
}

// Text files ---------------------------------------------------------------------------------

bool ReadAll(std::string_view path, std::string& data) {
  data.clear();
  const int fd = ::open(OsPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      data.clear();
      errno = error;
      return false;
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

bool ReadLines(std::string_view path, std::vector<std::string>& lines) {
  lines.clear();
  std::string data;
  if (!ReadAll(path, data)) return false;
  size_t start = 0;
  for (size_t i = 0; i < data.size(); ++i) {
    if (data[i] != '\r' && data[i] != '\n') continue;
    lines.push_back(data.substr(start, i - start));
    if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < data.size()) lines.push_back(data.substr(start));
  return true;
}

int AppendLine(std::string_view path, std::string_view line) {
  const int fd = ::open(OsPath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  std::string all(line);
  all += "\r\n";
  int error = WriteFully(fd, all, -1);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int WriteAllAtomically(std::string_view path, std::string_view data) {
  const std::string target = OsPath(path);
  if (target.empty()) return EINVAL;
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  // A read-only file stays as it is, as it would on the system the files come from.
  if (exists && !S_ISDIR(old.st_mode) && access(target.c_str(), W_OK) != 0) return errno;

  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = target.substr(folder.size());
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + "." + name + ".tmp" + std::to_string(getpid()) + "-" +
           std::to_string(counter.fetch_add(1));
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;

  int error = WriteFully(fd, data, -1);
  if (error == 0 && exists && !S_ISDIR(old.st_mode)) fchmod(fd, old.st_mode & 07777);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    return error;
  }
  // The rename itself is durable only once the folder is.
  const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace files
