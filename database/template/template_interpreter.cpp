// The interpreter walks the compiled statements once, runs record blocks once per record,
// takes @IF and @ELSE parts, and leaves the OUT value in the run's result.
#include <algorithm>

#include "database/template/template_error.h"
#include "database/template/template_functions.h"
#include "database/template/template_run.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"

namespace templates {
namespace {

const std::string kNoField;

int64_t StatementCount(const TemplateRun& run) {
  return std::min<int64_t>(run.templateSemicolonCount, static_cast<int64_t>(run.program.size()));
}

const StatementFields& StatementAt(const TemplateRun& run, int64_t i) {
  return run.program[static_cast<size_t>(i - 1)];
}

const std::string& FieldOf(const StatementFields& statement, size_t k) {
  return k >= 1 && k <= statement.size() ? statement[k - 1] : kNoField;
}

bool StartsWith(const TemplateRun& run, int64_t i, std::string_view prefix) {
  return i <= StatementCount(run) && StatementAt(run, i)[0].starts_with(prefix);
}

// Every scan of an @IF or @ELSE part ends at the last statement at the latest.
void CheckPartEnd(const TemplateRun& run, int64_t i) {
  if (i > StatementCount(run)) throw TemplateError("Error en @IF ..\r\nFalta @ENDIF ...");
}

void SetResult(TemplateRun& run, std::string_view value) {
  run.templateResult = value.substr(0, kMaxTemplateResultLength);
}

// An @IF statement: a part that runs is run statement by statement by the executor up to its
// end; an empty part runs nothing.
void RunCondition(TemplateRun& run, int64_t& i, int64_t record) {
  const bool holds = EvaluateTemplateCondition(run, StatementAt(run, i), record) == 1;
  ++i;
  for (;; ++i) {
    CheckPartEnd(run, i);
    if (StartsWith(run, i, "ELSE") || StartsWith(run, i, "ENDIF")) break;
    if (holds) ExecuteTemplateStatement(run, StatementAt(run, i), record);
  }
  if (holds && StartsWith(run, i, "ELSE")) {
    for (++i;; ++i) {
      CheckPartEnd(run, i);
      if (StartsWith(run, i, "ENDIF")) break;
    }
  }
}

// An @ELSE met by the walk: its part runs up to the "ENDIF".
void RunElsePart(TemplateRun& run, int64_t& i, int64_t record) {
  for (++i;; ++i) {
    CheckPartEnd(run, i);
    if (StartsWith(run, i, "ENDIF")) break;
    ExecuteTemplateStatement(run, StatementAt(run, i), record);
  }
}

void RunDatabaseStatement(TemplateRun& run, const StatementFields& statement) {
  run.env.ResetCellCursor();
  const std::string& name = FieldOf(statement, 2);
  UseTemplateDatabase(run, name);
  if (!files::FileExists(run.env.DataFolder() + name + "/" + name + ".z04")) {
    throw TemplateError("La base de datos " + name + " NO existe ..\r\n" +
                        "Sintiendolo mucho NO podemos seguir ...");
  }
}

// The rows a record block shares with the top level, for `record`; false when none applies.
bool RunSharedStatement(TemplateRun& run, int64_t& i, int64_t record) {
  const StatementFields& statement = StatementAt(run, i);
  const std::string& pattern = statement[0];
  if (pattern.starts_with("BD")) {
    RunDatabaseStatement(run, statement);
  } else if (pattern.starts_with("IF")) {
    RunCondition(run, i, record);
    return true;
  } else if (pattern.starts_with("ELSE")) {
    RunElsePart(run, i, record);
    return true;
  } else if (pattern.starts_with("ENDIF") || pattern.starts_with("'v")) {
    // nothing to do
  } else if (pattern.starts_with("&") || pattern.starts_with("@") ||
             pattern.starts_with("#") || pattern.starts_with("%")) {
    ExecuteTemplateStatement(run, statement, record);
  } else if (pattern == "OUT&") {
    SetResult(run, GetVariableValue(run.ampersandVariables, FieldOf(statement, 2)));
  } else if (pattern == "OUT@") {
    SetResult(run, GetVariableValue(run.atVariables, FieldOf(statement, 2)));
  } else if (pattern == "OUT#") {
    SetResult(run, ReadTemplateField(run, FieldOf(statement, 2), record, true));
  } else {
    return false;
  }
  ++i;
  return true;
}

// "R^ ; ... ^R ;": the block once per record, then on after its "^R". Over a database
// without records the block runs for none.
void RunAllRecords(TemplateRun& run, int64_t& i) {
  run.env.ResetCellCursor();
  const int64_t n = run.env.RecordCount();
  int64_t end = i + 1;
  while (n < 1 && end <= StatementCount(run) && !StartsWith(run, end, "^R")) ++end;
  for (int64_t r = 1; r <= n; ++r) {
    end = i + 1;
    RunTemplateRecordBlock(run, r, end);
  }
  i = end + 1;
}

void SetRecordNumber(TemplateRun& run, const StatementFields& statement) {
  const long double n = numbers::NumericValueOfText(FieldOf(statement, 2));
  if (n > static_cast<long double>(run.env.RecordCount())) {
    throw TemplateError("El n\xFAmero de registro " + numbers::NumberText(n) +
                        " NO es valido ...");
  }
  run.currentRecord = numbers::ToInt64(n);
}

}  // namespace

std::string UnknownInstructionMessage(std::string_view pattern) {
  return std::string(pattern) + "\r\nInstrucci\xF3n Desconocida ...";
}

void RunTemplateProgram(TemplateRun& run) {
  run.program.clear();
  for (const std::string& statement : run.statements) {
    run.program.push_back(SplitStatement(statement));
  }
  run.env.ResetCellCursor();
  run.currentRecord = 0;
  int64_t i = 1;
  while (i <= StatementCount(run)) {
    const StatementFields& statement = StatementAt(run, i);
    const std::string& pattern = statement[0];
    if (pattern == "R") {
      RunAllRecords(run, i);
    } else if (pattern == "R.") {
      SetRecordNumber(run, statement);
      ++i;
    } else if (pattern.starts_with("R..")) {
      run.currentRecord = run.env.BrowserRecord();
      ++i;
    } else if (pattern.starts_with("^R")) {
      ++i;
    } else if (!RunSharedStatement(run, i, run.currentRecord)) {
      throw TemplateError(UnknownInstructionMessage(pattern));
    }
  }
}

void RunTemplateRecordBlock(TemplateRun& run, int64_t r, int64_t& i) {
  while (i <= StatementCount(run) && !StartsWith(run, i, "^R")) {
    if (!RunSharedStatement(run, i, r)) {
      throw TemplateError(UnknownInstructionMessage(StatementAt(run, i)[0]));
    }
  }
}

std::string ReadTemplateField(TemplateRun& run, const std::string& field, int64_t record,
                              bool forOut) {
  const int16_t type = TemplateFieldType(run, field);
  const bool number = type == 1 || type == 2 || type == 4;
  if (forOut && number) run.env.ResetCellCursor();
  const std::string value = run.env.FieldValue(field, record);
  if (number) {
    const std::string converted = ApostropheToDecimalPoint(value);
    return forOut ? numbers::NumberText(numbers::NumericValueOfText(converted)) : converted;
  }
  if (type == 3 || type == 5 || type == 8) return value;
  if (type != 9) return "";
  // A list choice is stored as 99 + the number of its item.
  const long double k = numbers::RoundHalfEven(numbers::NumericValueOfText(value)) - 99;
  const StatementFields items = SplitStatement(text::TrimBlanks(run.env.FieldListText(field)));
  if (k < 1 || k > static_cast<long double>(items.size())) return "";
  return items[static_cast<size_t>(k) - 1];
}

}  // namespace templates
