#include "platform/profile/profile.h"

#include <errno.h>

#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace profile {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && text::Upper(a) == text::Upper(b);
}


// What one line of the file is. Lines that are neither (comments, blank lines, stray
// text) are kept as they are and never match.
struct LineKind {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // a key's value, trimmed, quotes still on
  size_t equals = 0;       // where a key line's "=" is
};

LineKind Classify(std::string_view line) {
  LineKind k;
  const std::string_view t = TrimSpaces(line);
  if (t.empty() || t.front() == ';') return k;
  if (t.front() == '[') {
    std::string_view inside = t.substr(1);
    inside = inside.substr(0, inside.find(']'));
    k.kind = LineKind::kSection;
    k.name = TrimSpaces(inside);
    return k;
  }
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return k;
  k.name = TrimSpaces(line.substr(0, equals));
  if (k.name.empty()) return k;
  k.kind = LineKind::kKey;
  k.value = TrimSpaces(line.substr(equals + 1));
  k.equals = equals;
  return k;
}

std::string Unquoted(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

// One settings file as it was read: its lines, and the value of every key of the first
// section of each name (the first key of a name wins), names upper-cased.
struct ParsedFile {
  files::FileStamp stamp;
  bool settled = false;   // its stamp was old enough when read to tell any later change
  int error = 0;          // EFBIG: refused for its length, nothing read
  std::vector<std::string> lines;
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections;
};

std::map<std::string, ParsedFile, std::less<>> parsedFiles;
// A run reads two settings files; tests read many more, and none needs keeping for long.
constexpr size_t kFilesKept = 8;

void IndexSections(ParsedFile& f) {
  std::unordered_set<std::string> seen;
  std::unordered_map<std::string, std::string>* current = nullptr;
  for (const std::string& line : f.lines) {
    const LineKind k = Classify(line);
    if (k.kind == LineKind::kSection) {
      std::string name = text::Upper(k.name);
      current = seen.insert(name).second ? &f.sections[name] : nullptr;
    } else if (current && k.kind == LineKind::kKey) {
      current->emplace(text::Upper(k.name), std::string(k.value));
    }
  }
}

// The file parsed, read again only when it changed. Returns 0 or the read's errno; a file
// refused for its length is not tried again until it changes either.
int LoadFile(std::string_view file, const ParsedFile*& parsed) {
  parsed = nullptr;
  files::FileStamp stamp;
  const bool stamped = files::StampOf(file, stamp);
  auto it = parsedFiles.find(file);
  if (stamped && it != parsedFiles.end() && it->second.settled && it->second.stamp == stamp) {
    parsed = &it->second;
    return it->second.error;
  }
  if (it != parsedFiles.end()) parsedFiles.erase(it);
  std::string data;
  const int error = files::ReadWholeFile(file, kMaxFileBytes, data);
  if (error != 0 && error != EFBIG) return error;
  if (parsedFiles.size() >= kFilesKept) parsedFiles.clear();
  ParsedFile& f = parsedFiles[std::string(file)];
  f.stamp = stamp;
  f.error = error;
  // A file that changed while it was read is taken as it came, and read again next time.
  files::FileStamp after;
  f.settled = stamped && files::IsSettled(stamp) && files::StampOf(file, after) && after == stamp;
  files::SplitLines(data, f.lines);
  IndexSections(f);
  parsed = &f;
  return error;
}

std::string Truncated(std::string_view v, int bufferSize) {
  if (bufferSize <= 0) return {};
  return std::string(v.substr(0, static_cast<size_t>(bufferSize - 1)));
}

}  // namespace

std::string GetString(std::string_view section, std::string_view key,
                      std::string_view defaultValue, std::string_view file, int bufferSize) {
  const ParsedFile* parsed = nullptr;
  if (LoadFile(file, parsed) != 0) return Truncated(defaultValue, bufferSize);
  const auto s = parsed->sections.find(text::Upper(TrimSpaces(section)));
  if (s == parsed->sections.end()) return Truncated(defaultValue, bufferSize);
  const auto k = s->second.find(text::Upper(TrimSpaces(key)));
  if (k == s->second.end()) return Truncated(defaultValue, bufferSize);
  return Truncated(Unquoted(k->second), bufferSize);
}

namespace {

// One write of WriteString applied to the lines of a file in memory.
void ApplyWrite(std::vector<std::string>& lines, std::string_view section, std::string_view key,
                std::string_view value) {
  std::optional<size_t> sectionLine, lastKeyLine, keyLine;
  for (size_t i = 0; i < lines.size(); ++i) {
    const LineKind k = Classify(lines[i]);
    if (k.kind == LineKind::kSection) {
      if (sectionLine) break;
      if (SameName(k.name, section)) sectionLine = i;
    } else if (sectionLine && k.kind == LineKind::kKey) {
      lastKeyLine = i;
      if (SameName(k.name, key)) {
        keyLine = i;
        break;
      }
    }
  }

  const std::string newLine = std::string(key) + "=" + std::string(value);
  if (keyLine) {
    // The key keeps its own spelling and indentation.
    std::string& line = lines[*keyLine];
    const size_t equals = Classify(line).equals;
    std::string_view before(line.data(), equals);
    while (!before.empty() && IsSpace(before.back())) before.remove_suffix(1);
    line = std::string(before) + "=" + std::string(value);
  } else if (sectionLine) {
    const size_t at = (lastKeyLine ? *lastKeyLine : *sectionLine) + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLine);
  } else {
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(newLine);
  }
}

}  // namespace

int WriteString(std::string_view section, std::string_view key, std::string_view value,
                std::string_view file) {
  const Entry entry{section, key, value};
  return WriteStrings(std::span<const Entry>(&entry, 1), file);
}

int WriteStrings(std::span<const Entry> entries, std::string_view file) {
  for (const Entry& e : entries)
    if (TrimSpaces(e.section).empty() || TrimSpaces(e.key).empty()) return EINVAL;
  std::vector<std::string> lines;
  const ParsedFile* parsed = nullptr;
  if (const int error = LoadFile(file, parsed); error != 0) {
    if (error != ENOENT) return error;  // there but unreadable: keep it
  } else {
    lines = parsed->lines;
  }
  for (const Entry& e : entries)
    ApplyWrite(lines, TrimSpaces(e.section), TrimSpaces(e.key), e.value);

  std::string data;
  for (const std::string& line : lines) {
    data += line;
    data += "\r\n";
  }
  // The file as written is read anew: its stamp is too young to be trusted.
  parsedFiles.erase(std::string(file));
  return files::WriteAllAtomically(file, data);
}

int ReadError(std::string_view file) {
  const ParsedFile* parsed = nullptr;
  return LoadFile(file, parsed);
}

}  // namespace profile
