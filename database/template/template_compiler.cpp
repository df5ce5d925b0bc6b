// The compiler turns tokens into statements "pattern|operand|operand..." and owns the two
// variable stores.
#include <utility>

#include "database/template/template_error.h"
#include "database/template/template_run.h"
#include "database/template/template_tokens.h"

namespace templates {
namespace {

void CutToValueLength(std::string& value) {
  if (value.size() > kMaxTemplateValueLength) value.resize(kMaxTemplateValueLength);
}

void AppendCode(TemplateRun& run, std::string_view code) { run.pendingPattern += code; }

void AppendOperand(TemplateRun& run, std::string_view operand) {
  run.pendingOperands += '|';
  run.pendingOperands += operand;
}

// The field check: a field the template database in use does not define, or defines as
// phonetic text (type 0), cannot be read by a script.
void CheckTemplateField(TemplateRun& run, const std::string& name) {
  if (TemplateFieldType(run, name) == 0) {
    throw TemplateError("El Campo " + name + " NO existe ...\r\n" +
                        "Sintiendolo mucho NO podemos seguir ...");
  }
}

// Rows 19 to 23: a sigil and the token class it opens.
bool CompileSigilToken(TemplateRun& run, std::string_view t) {
  int32_t (*isClass)(std::string_view) = nullptr;
  switch (t[0]) {
    case '&': isClass = IsVariableToken; break;
    case '#': isClass = IsFieldToken; break;
    case '@': isClass = IsAtVariableToken; break;
    case '~': isClass = IsTextLiteralToken; break;
    case '%': isClass = IsFunctionToken; break;
    default: return false;
  }
  if (!isClass(t)) return false;
  const std::string decoded = DecodeLiteralToken(t);
  if (t[0] == '#') CheckTemplateField(run, decoded);
  AppendCode(run, t.substr(0, 1));
  AppendOperand(run, decoded);
  return true;
}

}  // namespace

TemplateVariable& VariableStore::Declare(const std::string& name) { return variables_[name]; }

ValueKind KindOf(TemplateVariable& variable) {
  if (variable.kind == ValueKind::kUnknown) variable.kind = ClassifyValue(variable.value);
  return variable.kind;
}

void DeclareVariable(VariableStore& store, const std::string& name) { store.Declare(name); }

const std::string& GetVariableValue(VariableStore& store, const std::string& name) {
  return store.Declare(name).value;
}

void SetVariableValue(VariableStore& store, const std::string& name, std::string value) {
  TemplateVariable& variable = store.Declare(name);
  CutToValueLength(value);
  variable.value = std::move(value);
  variable.kind = ValueKind::kUnknown;
}

void SetAtVariableValue(VariableStore& store, const std::string& name, std::string value) {
  if (!store.Declare(name).value.empty()) return;
  SetVariableValue(store, name, std::move(value));
}

StatementFields SplitStatement(std::string_view compiled) {
  StatementFields fields;
  size_t start = 0;
  for (;;) {
    const size_t bar = compiled.find('|', start);
    fields.emplace_back(compiled.substr(start, bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return fields;
}

void UseTemplateDatabase(TemplateRun& run, const std::string& name) {
  run.env.UseDatabase(name);
  run.fieldTypes.clear();
}

int16_t TemplateFieldType(TemplateRun& run, const std::string& field) {
  const auto known = run.fieldTypes.find(field);
  if (known != run.fieldTypes.end()) return known->second;
  const int16_t type = run.env.FieldType(field);
  run.fieldTypes.emplace(field, type);
  return type;
}

void CompileTemplateToken(TemplateRun& run, std::string_view t) {
  if (t.empty()) throw TemplateError("\r\nEsta expresi\xF3n es ERRONEA !!");
  if (t == ":=") return;
  if (t == "IN") return AppendCode(run, "IN");
  if (t == "OUT") {
    run.pendingPattern = "OUT";
    return;
  }
  if (t == ";") {
    run.statements.push_back(run.pendingPattern + run.pendingOperands);
    run.pendingPattern.clear();
    run.pendingOperands.clear();
    run.commentMode = 0;
    return;
  }
  static constexpr std::pair<std::string_view, std::string_view> kMarkers[] = {
      {"@IF", "IF"}, {"@ELSE", "ELSE"}, {"@ENDIF", "ENDIF"}, {"^R", "^R"}};
  for (const auto& [marker, code] : kMarkers) {
    if (t == marker) {
      run.pendingPattern = code;
      return;
    }
  }
  if (t == "R^" || t == "R^.." || t.starts_with("R^^")) {
    run.pendingPattern = t == "R^" ? "R" : t == "R^.." ? "R.." : "R.";
    AppendOperand(run, t == "R^" ? "*" : t == "R^.." ? ".." : t.substr(3));
    return;
  }
  if (IsComparisonToken(t) || IsArithmeticToken(t)) {
    AppendCode(run, t);
    return AppendOperand(run, t);
  }
  if (IsIntegerToken(t) || IsDecimalToken(t)) {
    AppendCode(run, "v");
    return AppendOperand(run, t);
  }
  if (run.commentMode == 1 && IsTextOperand(t)) return AppendCode(run, "c");
  if (IsMaskToken(t)) {
    AppendCode(run, "m");
    return AppendOperand(run, t);
  }
  if (IsDatabaseToken(t)) {
    const std::string name = DecodeLiteralToken(t.substr(1, t.size() - 2));
    run.pendingPattern = "BD";
    AppendOperand(run, name);
    return UseTemplateDatabase(run, name);
  }
  if (t[0] == '\'' && IsCommentToken(t)) {
    run.pendingPattern = "'v";
    run.commentMode = 1;
    return;
  }
  if (CompileSigilToken(run, t)) return;
  throw TemplateError(std::string(t) + "\r\nEsta expresi\xF3n es ERRONEA !!");
}

}  // namespace templates
