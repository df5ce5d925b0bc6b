#include "objects/line_text_file.h"

#include <algorithm>
#include <vector>

#include "dialogs/file_dialogs.h"
#include "dialogs/messages.h"
#include "page/command_ids.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"

std::string lineTextBuffer;

namespace {

constexpr std::string_view kCrLf = "\r\n";
// What the line count reads of a file: a hundred lines of any sensible length.
constexpr int64_t kLineTextCountedBytes = 1 << 20;

// The file of the last line-text insert, so the next one opens on it.
std::string lineTextFilePath;

}  // namespace

int32_t CountTextFileLines(std::string_view path) {
  std::vector<std::string> lines;
  files::ReadTextLines(path, kLineTextCountedBytes, lines);
  return static_cast<int32_t>(
      std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); }));
}

void ReadTextFileLines(std::string_view path) {
  lineTextBuffer.clear();
  std::vector<std::string> lines;
  // Every line end becomes CR LF, never shorter, so the kept characters all come from the
  // file's first kLineTextBufferLength bytes.
  files::ReadTextLines(path, kLineTextBufferLength, lines);
  for (const std::string& line : lines) {
    if (lineTextBuffer.size() >= kLineTextBufferLength) break;
    lineTextBuffer += line;
    lineTextBuffer += kCrLf;
  }
  if (lineTextBuffer.size() > kLineTextBufferLength) lineTextBuffer.resize(kLineTextBufferLength);
}

int16_t LineTextAlignmentOfCommand(int command) {
  switch (command) {
    case kCommandInsertLineTextLeft: return kAlignLeft;
    case kCommandInsertLineTextRight: return kAlignRight;
    case kCommandInsertLineTextCentre: return kAlignCentre;
    default: return 0;
  }
}

int32_t ChooseLineTextFile(ui::Window owner) {
  if (BrowseTextFile(owner, lineTextFilePath, 0) != 1) return 0;
  if (!files::FileExists(lineTextFilePath)) return 0;
  if (CountTextFileLines(lineTextFilePath) > kLineTextMaxLines) {
    Tell(nullptr,
         "El texto no puede tener mas de " + std::to_string(kLineTextMaxLines) + " l\xEDneas ...");
    return 0;
  }
  ReadTextFileLines(lineTextFilePath);
  if (lineTextBuffer.size() > kLineTextStoredLength) lineTextBuffer.resize(kLineTextStoredLength);
  return 1;
}

void ResetLineTextFileState() {
  lineTextBuffer.clear();
  lineTextFilePath.clear();
}
const EnrolledStart enrolled(ResetLineTextFileState);
