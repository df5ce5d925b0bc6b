// The template language: a script file computes one text for a page object from the records
// of a template database. The language has no window; everything a run reads or writes
// outside itself goes through the environment its caller binds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace templates {

struct TemplateDate {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
};

// What a run uses of the program around it.
class TemplateEnvironment {
 public:
  virtual ~TemplateEnvironment() = default;

  // The template database that field reads go to, by name ("" for none); its files are
  // <data folder>/<name>/<name>.z04 and .zbd.
  virtual void UseDatabase(const std::string& name) = 0;
  // The FieldType of the last definition of the field, 0 when there is none.
  virtual int16_t FieldType(const std::string& field) = 0;
  // The choices of a list field ("|" between them), untrimmed; "" when there are none.
  virtual std::string FieldListText(const std::string& field) = 0;
  // The field's value in the record, read from the cell cursor on; "No datos" when the
  // record has none.
  virtual std::string FieldValue(const std::string& field, int64_t record) = 0;
  virtual int64_t RecordCount() = 0;
  // Puts the cell cursor back on the first cell.
  virtual void ResetCellCursor() = 0;

  virtual TemplateDate Today() = 0;
  // The folder of scripts, template databases and output files, ending with "/".
  virtual std::string DataFolder() = 0;
  // The record the record browser shows (in search mode, the found record at its position).
  virtual int64_t BrowserRecord() = 0;

  // Appends the line and CR LF to the file, creating it; returns 0 or the errno. `partLeft`
  // is set when a failed append may have left part of the line at the file's end.
  virtual int AppendOutputLine(const std::string& path, const std::string& line,
                               bool& partLeft) = 0;
  // Opens the file with the application the desktop associates with it; never runs it.
  virtual void OpenOutputFile(const std::string& path) = 0;
  // Shows an error of the language to the user; `scriptMissing` for the message that the
  // script file is not there, which names the script itself.
  virtual void ShowError(const std::string& message, bool scriptMissing) = 0;
};

// How a run ended: with the script's OUT result, or with the error the user was shown.
struct TemplateOutcome {
  bool done = false;
  std::string result;  // the last OUT value, at most 10239 characters ("" without OUT)
  std::string error;   // the message shown when the run stopped
};

// Runs the script file `templateScriptPath`; a path that is not absolute is taken inside the
// data folder. Every error (a missing script included) is shown through the environment
// once and ends the run, never the program.
TemplateOutcome RunTemplateScript(std::string_view templateScriptPath, TemplateEnvironment& env);

// The writer a caller binds for AppendOutputLine: the line and CR LF go to the end of the
// file in one write, so a line costs the same however long the file has grown; a failed
// write is cut back to the length the file had, and `partLeft` (when given) is set when that
// fails too and part of the line stayed. Returns 0 or the errno.
int AppendTemplateOutputLine(std::string_view path, std::string_view line,
                             bool* partLeft = nullptr);

}  // namespace templates
