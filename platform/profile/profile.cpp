#include "platform/profile/profile.h"

#include <errno.h>

#include <optional>
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

std::string Truncated(std::string_view v, int bufferSize) {
  if (bufferSize <= 0) return {};
  return std::string(v.substr(0, static_cast<size_t>(bufferSize - 1)));
}

}  // namespace

std::string GetString(std::string_view section, std::string_view key,
                      std::string_view defaultValue, std::string_view file, int bufferSize) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  std::vector<std::string> lines;
  if (!files::ReadLines(file, lines)) return Truncated(defaultValue, bufferSize);
  bool inSection = false;
  for (const std::string& line : lines) {
    const LineKind k = Classify(line);
    if (k.kind == LineKind::kSection) {
      if (inSection) break;  // only the first section of that name is read
      inSection = SameName(k.name, section);
    } else if (inSection && k.kind == LineKind::kKey && SameName(k.name, key)) {
      return Truncated(Unquoted(k.value), bufferSize);
    }
  }
  return Truncated(defaultValue, bufferSize);
}

int WriteString(std::string_view section, std::string_view key, std::string_view value,
                std::string_view file) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  if (section.empty() || key.empty()) return EINVAL;
  std::vector<std::string> lines;
  errno = 0;
  if (!files::ReadLines(file, lines)) {
    const int error = errno;
    if (files::FileExists(file)) return error ? error : EIO;  // there but unreadable: keep it
  }

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

  std::string data;
  for (const std::string& line : lines) {
    data += line;
    data += "\r\n";
  }
  return files::WriteAllAtomically(file, data);
}

}  // namespace profile
