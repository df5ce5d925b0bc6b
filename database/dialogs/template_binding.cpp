#include "database/dialogs/template_binding.h"

#include <optional>
#include <string>

#include "database/date_arithmetic.h"
#include "database/record_browsing.h"
#include "database/record_fill.h"
#include "database/template_database.h"
#include "dialogs/messages.h"
#include "dialogs/written_file_opener.h"
#include "page/shared_helpers.h"
#include "platform/desktop/desktop.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace {

class DesignerTemplateEnvironment : public TemplateDatabaseEnvironment {
 public:
  explicit DesignerTemplateEnvironment(const std::string& scriptPath)
      : scriptName_(files::LastPathComponent(scriptPath)) {}
  templates::TemplateDate Today() override {
    const CalendarDate today = todaysDate();
    return {today.year, today.month, today.day};
  }
  std::string DataFolder() override { return files::DataFolder(); }
  int64_t BrowserRecord() override { return BrowserShownRecord(); }

  int AppendOutputLine(const std::string& path, const std::string& line, bool& partLeft) override {
    return templates::AppendTemplateOutputLine(path, line, &partLeft);
  }
  void OpenOutputFile(const std::string& path) override { OpenWrittenFile(nullptr, path); }
  void ShowError(const std::string& message, bool scriptMissing) override {
    // A page may bind several scripts: the first line says which one failed, unless the
    // message names the script with the path it was looked for at.
    Tell(nullptr, scriptMissing ? message : scriptName_ + "\r\n" + message);
  }

 private:
  std::string scriptName_;
};

}  // namespace

void InstallTemplateRunner() {
  templateScriptRunner = [](const std::string& scriptPath) -> std::optional<std::string> {
    DesignerTemplateEnvironment environment(scriptPath);
    templates::TemplateOutcome outcome = templates::RunTemplateScript(scriptPath, environment);
    if (!outcome.done) return std::nullopt;
    return outcome.result;
  };
}
