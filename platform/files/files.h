// Files as the system uses them: fixed-length record files, sequential text files,
// existence tests and the folders beside the program.
// Paths are 1252 texts; "\" is accepted as a separator wherever a path is taken.
#pragma once
#include <cstdint>
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
// Length in bytes; -1 when the file cannot be read.
int64_t FileLength(std::string_view path);

// "Err: " followed by the error number and its text, as the system's messages show file errors.
std::string ErrorText(int errnum);

// A random-access file of fixed-length records, numbered from 1.
class RecordFile {
 public:
  RecordFile() = default;
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens for reading and writing. A missing file is not created by opening: it reads as
  // no records, and the first Put creates it. Returns 0 or the errno.
  int Open(std::string_view path, int recordLength);
  void Close();
  bool IsOpen() const { return open_; }

  int RecordLength() const { return recordLength_; }
  int64_t Length() const;          // bytes; 0 for a missing file
  int64_t RecordCount() const;     // whole records only: a short last record is not counted

  // Reads record n (from 1) into `out`, which gets the record length. A record past the end
  // reads as zero bytes and returns false; a short last record is read as far as it goes,
  // zero-padded, and returns false.
  bool Get(int64_t n, std::string& out) const;
  // Writes record n (from 1); `data` is cut or zero-padded to the record length.
  // Returns 0 or the errno.
  int Put(int64_t n, std::string_view data);
  // Appends at length / record length + 1. Returns 0 or the errno.
  int Append(std::string_view data);

 private:
  // Opens the file when it exists, or with `create` makes it. Returns 0 or the errno.
  int Attach(bool create) const;

  std::string path_;
  int recordLength_ = 0;
  bool open_ = false;
  mutable int fd_ = -1;  // -1 while the file does not exist
  mutable bool readOnly_ = false;
};

// Every line of a text file with its line end (CR LF, LF or CR) dropped.
// Returns false when the file cannot be read (lines is then empty).
bool ReadLines(std::string_view path, std::vector<std::string>& lines);
// Appends the text followed by CR LF, creating the file. Returns 0 or the errno.
int AppendLine(std::string_view path, std::string_view line);
// Reads a whole file. Returns false when it cannot be read.
bool ReadAll(std::string_view path, std::string& data);
// Writes a whole file through a temporary file beside it renamed over the target, so that a
// failure leaves the old file as it was. Returns 0 or the errno.
int WriteAllAtomically(std::string_view path, std::string_view data);

}  // namespace files
