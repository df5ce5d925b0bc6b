// The inside of one template run: its tokens, the structure checks, the compiled statements,
// the variable stores and the interpreter's state. All of it lives in one TemplateRun, made
// anew for every run, so nothing of a run outlives it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/template/template_language.h"
#include "database/template/template_tokens.h"

namespace templates {

// A variable's value holds at most what the working texts of the language hold.
constexpr size_t kMaxTemplateValueLength = 102399;
// The result of a run holds at most this much.
constexpr size_t kMaxTemplateResultLength = 10239;

struct TemplateVariable {
  std::string value;
  ValueKind kind = ValueKind::kUnknown;  // of value, once asked
};

// The variables of one sigil, by name (case counts).
class VariableStore {
 public:
  // Creates the variable with the empty value unless it exists, and gives it.
  TemplateVariable& Declare(const std::string& name);
  bool Has(const std::string& name) const { return variables_.count(name) != 0; }
  void Clear() { variables_.clear(); }

 private:
  std::unordered_map<std::string, TemplateVariable> variables_;
};

// The kind of a variable's value, classified once until the value changes.
ValueKind KindOf(TemplateVariable& variable);

// The "&" store takes every write; the "@" store only the first non-empty one.
void DeclareVariable(VariableStore& store, const std::string& name);
const std::string& GetVariableValue(VariableStore& store, const std::string& name);
void SetVariableValue(VariableStore& store, const std::string& name, std::string value);
void SetAtVariableValue(VariableStore& store, const std::string& name, std::string value);

// A compiled statement taken apart at "|": field 1 (index 0) is the pattern.
using StatementFields = std::vector<std::string>;
StatementFields SplitStatement(std::string_view compiled);

struct TemplateRun {
  explicit TemplateRun(TemplateEnvironment& environment) : env(environment) {}
  TemplateEnvironment& env;

  std::vector<std::string> tokens;  // TemplateToken 1..templateTokenCount

  // Structure checks.
  int64_t templateSemicolonCount = 0;
  int32_t templateBlockOpen = 0;
  int32_t templateIfOpen = 0;
  int32_t templateElseSeen = 0;
  int32_t templateOutSeen = 0;
  int32_t templateDatabaseDeclared = 0;

  // Compiler.
  std::vector<std::string> statements;  // CompiledStatement 1..templateStatementCount
  std::string pendingPattern;
  std::string pendingOperands;
  int32_t commentMode = 0;
  VariableStore ampersandVariables;
  VariableStore atVariables;

  // Interpreter.
  std::vector<StatementFields> program;  // the statements taken apart, 1..count at 0..count-1
  int64_t currentRecord = 0;
  std::string templateResult;
  // Field types of the database in use, asked once per field until another database is used.
  std::unordered_map<std::string, int16_t> fieldTypes;
};

// The script as one text: the file's lines joined with nothing between them. Throws
// TemplateError when the file cannot be read or is larger than a script can be.
std::string ReadTemplateScriptFile(std::string_view path);

// Names the template database in use, for the compiler's field check and the reads.
void UseTemplateDatabase(TemplateRun& run, const std::string& name);
int16_t TemplateFieldType(TemplateRun& run, const std::string& field);

// The structure checks of one token, then of the whole script; each throws TemplateError.
void CheckTemplateToken(TemplateRun& run, std::string_view t);
void CheckTemplateScriptEnd(TemplateRun& run);
// Compiles one token; throws TemplateError for a token of no class or an unknown field.
void CompileTemplateToken(TemplateRun& run, std::string_view t);

// Reads, checks and compiles the script, leaving the run ready for RunTemplateProgram.
void CompileTemplateScript(TemplateRun& run, std::string_view path);

// Runs statements 1 to templateSemicolonCount.
void RunTemplateProgram(TemplateRun& run);
// Runs the block's statements from statement `i` (from 1) for record r, and returns with `i`
// on the block's "^R" (or past the last statement).
void RunTemplateRecordBlock(TemplateRun& run, int64_t r, int64_t& i);
void ExecuteTemplateStatement(TemplateRun& run, const StatementFields& statement,
                              int64_t record);
int32_t EvaluateTemplateCondition(TemplateRun& run, const StatementFields& statement,
                                  int64_t record);
// A field's value for a record as statements see it; `forOut` gives numbers as number texts.
std::string ReadTemplateField(TemplateRun& run, const std::string& field, int64_t record,
                              bool forOut);
// Appends the text and CR LF to the named file of the data folder; returns the file's path.
std::string WriteTemplateOutputFile(TemplateRun& run, const std::string& name,
                                    const std::string& text);

// pattern + CR LF + "Instrucción Desconocida ..."
std::string UnknownInstructionMessage(std::string_view pattern);

}  // namespace templates
