#include "database/link_test.h"

#include "platform/files/files.h"
#include "search/search_results.h"
#include "shell/painter.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string GetLastPathComponent(std::string_view path) {
  size_t last = std::string_view::npos, secondLast = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (!IsSeparator(path[i])) continue;
    secondLast = last;
    last = i;
  }
  std::string_view tail = secondLast == std::string_view::npos ? path : path.substr(secondLast + 1);
  if (!tail.empty()) tail.remove_suffix(1);
  return std::string(tail);
}

std::string DatabaseFolderText(std::string_view folder) {
  std::string f(folder);
  if (!f.empty() && !IsSeparator(f.back())) f += '/';
  return f;
}

std::string DatabaseFilePath(std::string_view folder, std::string_view extension) {
  const std::string f = DatabaseFolderText(folder);
  if (f.empty()) return {};
  return files::LocalPath(f + GetLastPathComponent(f) + std::string(extension));
}

std::string FieldDefinitionFilePath(std::string_view folder) {
  return DatabaseFilePath(folder, ".z04");
}

std::string ValueFilePath(std::string_view folder) { return DatabaseFilePath(folder, ".zbd"); }

namespace {

LinkTestResult TestDatabaseLink(std::string_view folder) {
  if (folder.empty()) return LinkTestResult::kNoFolder;
  const std::string path = FieldDefinitionFilePath(folder);
  if (!files::FileExists(path)) return LinkTestResult::kMissing;
  const int64_t length = files::FileLength(path);
  return length > 0 && length % kFieldRecordLength == 0 ? LinkTestResult::kLinked
                                                        : LinkTestResult::kBadFormat;
}

}  // namespace

bool IsLinkedDatabaseValid(std::string_view folder) {
  return TestDatabaseLink(folder) == LinkTestResult::kLinked;
}

LinkTestResult ApplyDatabaseLinkTest(std::string_view folder) {
  const LinkTestResult result = TestDatabaseLink(folder);
  if (result == LinkTestResult::kLinked) {
    filledTextsShown = 0;
    searchFound = 0;
  }
  return result;
}

int32_t DatabaseLinkedAfter(LinkTestResult result, int32_t databaseLinked) {
  if (result == LinkTestResult::kNoFolder) return databaseLinked;
  return result == LinkTestResult::kLinked ? 1 : 0;
}
