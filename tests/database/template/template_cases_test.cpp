// Every folder under cases/<group>/ is one script run against the fixture databases:
//   script      the script (UTF-8 here; the run reads it as 1252)
//   tokens      the tokens it cuts into, one a line
//   compiled    the statements it compiles to, one a line
//   out         the OUT result of a run that ends well
//   error       the message of a run that stops (shown once, no result)
//   file-<name> what the run leaves in the output file <name> of the data folder
//   setup       key=value lines: browser=<record>, today=<yyyy-mm-dd>, opened=<output file>
// In out and error, one final line end is dropped; every line end stands for CR LF, as the
// program writes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "database/template/template_error.h"
#include "database/template/template_run.h"
#include "platform/text/text.h"
#include "tests/database/template/fixture_environment.h"
#include "tests/support/test_env.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string WithCrLf(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// An expected text of out or error.
std::string ExpectedText(const fs::path& path) {
  std::string s = ReadBytes(path);
  if (!s.empty() && s.back() == '\n') s.pop_back();
  return text::FromUtf8(WithCrLf(s));
}

std::vector<std::string> ExpectedLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::string s = ReadBytes(path);
  size_t start = 0;
  while (start < s.size()) {
    const size_t end = std::min(s.find('\n', start), s.size());
    lines.push_back(text::FromUtf8(s.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

std::map<std::string, std::string> ReadSetup(const fs::path& folder) {
  std::map<std::string, std::string> setup;
  if (!fs::exists(folder / "setup")) return setup;
  for (const std::string& line : ExpectedLines(folder / "setup")) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) setup[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return setup;
}

std::vector<fs::path> SortedFolders(const fs::path& parent) {
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(parent)) {
    if (entry.is_directory()) folders.push_back(entry.path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::vector<std::string> CaseGroups() {
  std::vector<std::string> groups;
  for (const fs::path& folder : SortedFolders(TEMPLATE_CASES_DIR)) {
    groups.push_back(folder.filename().string());
  }
  return groups;
}

void RunCase(const fs::path& folder, int number) {
  SCOPED_TRACE(folder.string());
  const std::string data = testenv::NewFolder("case" + std::to_string(number));
  templatetest::FixtureEnvironment env(data);
  for (const auto& db : templatetest::FixtureDatabases()) {
    templatetest::WriteFixtureDatabase(data, db);
  }
  const auto setup = ReadSetup(folder);
  if (setup.count("browser")) env.browserRecord = std::stoll(setup.at("browser"));
  if (setup.count("today")) {
    const std::string& t = setup.at("today");
    env.today = {std::stoi(t.substr(0, 4)), std::stoi(t.substr(5, 2)), std::stoi(t.substr(8, 2))};
  }
  std::ofstream(data + "script", std::ios::binary) << text::FromUtf8(ReadBytes(folder / "script"));

  if (fs::exists(folder / "tokens")) {
    EXPECT_EQ(templates::TokenizeTemplateScript(templates::ReadTemplateScriptFile(data + "script")),
              ExpectedLines(folder / "tokens"));
  }
  if (fs::exists(folder / "compiled")) {
    templates::TemplateRun run(env);
    try {
      templates::CompileTemplateScript(run, data + "script");
    } catch (const templates::TemplateError& error) {
      ADD_FAILURE() << error.what();
    }
    EXPECT_EQ(run.statements, ExpectedLines(folder / "compiled"));
  }
  const bool wantsOut = fs::exists(folder / "out");
  const bool wantsError = fs::exists(folder / "error");
  if (!wantsOut && !wantsError) return;

  const templates::TemplateOutcome outcome = templates::RunTemplateScript("script", env);
  if (wantsOut) {
    EXPECT_TRUE(outcome.done) << outcome.error;
    EXPECT_EQ(outcome.result, ExpectedText(folder / "out"));
    EXPECT_TRUE(env.shown.empty());
  }
  if (wantsError) {
    const std::string message = ExpectedText(folder / "error");
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.error, message);
    EXPECT_EQ(outcome.result, "");
    EXPECT_EQ(env.shown, std::vector<std::string>{message});
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("file-")) continue;
    EXPECT_EQ(ReadBytes(data + name.substr(5)), text::FromUtf8(WithCrLf(ReadBytes(entry.path()))))
        << name;
  }
  std::vector<std::string> opened;
  if (setup.count("opened")) opened.push_back(data + setup.at("opened"));
  EXPECT_EQ(env.opened, opened);
}

class TemplateCaseGroup : public testing::TestWithParam<std::string> {};

TEST_P(TemplateCaseGroup, EveryCaseRunsAsExpected) {
  static int number = 0;
  const std::vector<fs::path> cases = SortedFolders(fs::path(TEMPLATE_CASES_DIR) / GetParam());
  ASSERT_FALSE(cases.empty());
  for (const fs::path& folder : cases) RunCase(folder, ++number);
}

INSTANTIATE_TEST_SUITE_P(Cases, TemplateCaseGroup, testing::ValuesIn(CaseGroups()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
