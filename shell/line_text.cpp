#include "shell/line_text.h"

#include <algorithm>
#include <vector>

#include "objects/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"

std::string lineTextBuffer;
std::string lastDocumentFolder;

namespace {

constexpr std::string_view kCrLf = "\r\n";
// What the line count reads of a file: a hundred lines of any sensible length.
constexpr int64_t kLineTextCountedBytes = 1 << 20;

// The file of the last line-text insert, so the next one opens on it.
std::string lineTextFilePath;

// A cut of the text in the middle of a CR LF leaves a lone CR (or LF) that would print as a
// glyph.
std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

std::vector<std::string_view> SplitAtCrLf(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t end = text.find(kCrLf);
    if (end == std::string_view::npos) break;
    fields.push_back(WithoutLineEnd(text.substr(0, end)));
    text.remove_prefix(end + kCrLf.size());
  }
  fields.push_back(WithoutLineEnd(text));
  return fields;
}

}  // namespace

int32_t BrowseTextFile(ui::Window owner, std::string& path, int32_t mode) {
  path = text::TrimBlanks(path);
  lastDocumentFolder = files::FolderOf(path);
  ui::FileDialogSpec spec;
  spec.save = mode != 0;
  spec.initialFolder = lastDocumentFolder;
  spec.initialName = files::LastPathComponent(path);
  spec.filters = {{"Texto", "*.*"}};
  // No default extension: every name is a text file here, and an open must name one that exists.
  spec.mustExist = true;
  path = text::TrimBlanks(ui::ChooseFile(owner, spec)).substr(0, kTextFilePathLength);
  lastDocumentFolder = files::FolderOf(path);
  return path.empty() ? 0 : 1;
}

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

void DrawLineTextObject(gfx::Surface& target, std::string_view text, int32_t x, int32_t y,
                        gfx::FontKey font, gfx::Colour foreColour, gfx::Colour backColour,
                        int16_t fontSize, int16_t alignment) {
  gfx::Select(target);
  gfx::SelectFont(target, font);
  gfx::SetForeColour(target, foreColour);
  gfx::SetBackColour(target, backColour);
  if (alignment != kAlignLeft && alignment != kAlignRight && alignment != kAlignCentre) return;

  const std::vector<std::string_view> lines = SplitAtCrLf(text.substr(0, text.find('\0')));
  int widest = 0;
  if (alignment == kAlignCentre)
    for (std::string_view line : lines) widest = std::max(widest, gfx::TextWidth(target, line));

  for (size_t i = 0; i < lines.size(); ++i) {
    // The step is the point size taken as pixels, whatever the font's real height.
    const double top = static_cast<double>(y) + static_cast<double>(i + 1) * fontSize;
    double left = x;
    if (alignment == kAlignRight) {
      left = static_cast<double>(x) - gfx::TextWidth(target, lines[i]);
    } else if (alignment == kAlignCentre) {
      const double offset = (widest - gfx::TextWidth(target, lines[i])) / 2.0;
      left = static_cast<double>(x) + static_cast<double>(numbers::RoundHalfEven(offset));
    }
    gfx::MoveTo(target, left, top);
    gfx::Print(target, lines[i]);
  }
}

int16_t LineTextAlignmentOfCommand(int command) {
  switch (command) {
    case 1082: return kAlignLeft;
    case 1083: return kAlignRight;
    case 1084: return kAlignCentre;
    default: return 0;
  }
}

int32_t ChooseLineTextFile(ui::Window owner) {
  if (BrowseTextFile(owner, lineTextFilePath, 0) != 1) return 0;
  if (!files::FileExists(lineTextFilePath)) return 0;
  if (CountTextFileLines(lineTextFilePath) > kLineTextMaxLines) {
    ui::MessageBox(nullptr,
                   "El texto no puede tener mas de " + std::to_string(kLineTextMaxLines) +
                       " l\xEDneas ...",
                   "Vozurivudoz", ui::Buttons::Ok);
    return 0;
  }
  ReadTextFileLines(lineTextFilePath);
  if (lineTextBuffer.size() > kLineTextStoredLength) lineTextBuffer.resize(kLineTextStoredLength);
  return 1;
}
