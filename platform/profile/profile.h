// Private-profile settings files ("[Section]" and "key=value" lines), with the behaviour
// the system relies on: section and key names compared without regard to case, values
// trimmed of blanks and of one pair of surrounding quotes, the default when the file,
// section or key is missing, every other line kept on writing, 1252 bytes kept as they are,
// CR LF line ends.
// A file is read once and kept parsed until it changes on disk; a file longer than
// kMaxFileBytes is never read (reads give the defaults, writes refuse with EFBIG).
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace profile {

// The longest settings file read: far beyond what the system's settings files hold (a few
// kilobytes), so that only a damaged or hostile file is refused.
constexpr int64_t kMaxFileBytes = 1 << 20;

// The longest value a read gives (a 260-byte buffer holds 259 characters).
constexpr int kValueBufferSize = 260;

// Reads a value; `defaultValue` when the file, section or key is missing.
// A key present with an empty value gives the empty text.
std::string GetString(std::string_view section, std::string_view key,
                      std::string_view defaultValue, std::string_view file,
                      int bufferSize = kValueBufferSize);

// Writes a value in place, or appends the key at the end of its section, or the section at
// the end of the file; creates the file. Returns 0 or the errno (a file there that cannot be
// read is left as it is).
int WriteString(std::string_view section, std::string_view key, std::string_view value,
                std::string_view file);

// Many values written as WriteString writes them one after another, with the file written
// once: all of them or, on a failure, none. Returns 0 or the errno.
struct Entry {
  std::string_view section, key, value;
};
int WriteStrings(std::span<const Entry> entries, std::string_view file);

// Why the file gives its reads the defaults: 0 when it was read, ENOENT when it is missing,
// otherwise the errno of the refused read (EISDIR, files::kNotRegularFile, EFBIG, ...).
int ReadError(std::string_view file);

}  // namespace profile
