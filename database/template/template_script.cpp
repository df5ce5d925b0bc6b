// A template run as a whole: finding and reading the script, the structure checks made token
// by token while the tokens are compiled, the checks of the whole script, then the program.
#include <algorithm>
#include <cerrno>

#include "database/template/template_error.h"
#include "database/template/template_run.h"
#include "database/template/template_tokens.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace templates {
namespace {

// Bare names and relative paths are found in the data folder, never in whatever folder the
// program was started from.
std::string ResolveScriptPath(std::string_view path, const std::string& dataFolder) {
  if (!path.empty() && path[0] == '/') return std::string(path);
  return dataFolder + std::string(path);
}

// "R^", a number, "^", a number.
bool IsIntervalForm(std::string_view t) {
  if (!t.starts_with("R^") || CountOf(t, '^') != 2 || CountOf(t, 'R') != 1) return false;
  if (!IsAllIn(t, recordMarkerCharacters, false)) return false;
  const size_t second = t.find('^', 2);
  const std::string_view middle = t.substr(2, second - 2);
  const std::string_view last = t.substr(second + 1);
  auto holdsDigit = [](std::string_view part) {
    return std::any_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return holdsDigit(middle) && holdsDigit(last);
}

// "R^^" followed by a record number.
bool IsSingleRecordForm(std::string_view t) {
  return t.starts_with("R^^") && CountOf(t, '^') == 2 && CountOf(t, 'R') == 1 &&
         IsAllIn(t, recordMarkerCharacters, false) &&
         std::any_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDatabaseDeclaration(std::string_view t) {
  return t.size() >= 2 && t.front() == '[' && t.back() == ']' && CountOf(t, '[') == 1 &&
         CountOf(t, ']') == 1 && IsAllIn(t, databaseCheckCharacters, true);
}

// A block opener: with no database declared, or inside an open block, it stops the run.
void CheckBlockOpener(TemplateRun& run, std::string_view opener) {
  if (!run.templateDatabaseDeclared) {
    throw TemplateError("Error en " + std::string(opener) + " .. Base datos NO especificada ...");
  }
  if (run.templateBlockOpen) {
    throw TemplateError("Error en " + std::string(opener) + " .. R anterior NO cerrado ...");
  }
  run.templateBlockOpen = 1;
}

}  // namespace

std::string ReadTemplateScriptFile(std::string_view path) {
  std::string data;
  const int error = files::ReadWholeFile(path, kMaxTemplateScriptBytes, data);
  // Named by the line its caller puts above every error of a script that is there.
  if (error == EFBIG) throw TemplateError("El fichero es demasiado grande para una plantilla ..");
  if (error != 0) throw TemplateError(files::ErrorText(error));
  // The lines are joined with nothing between them: a line end separates no words.
  std::erase_if(data, [](char c) { return c == '\r' || c == '\n'; });
  return data;
}

void CheckTemplateToken(TemplateRun& run, std::string_view t) {
  if (t == ";") ++run.templateSemicolonCount;
  if (IsDatabaseDeclaration(t)) run.templateDatabaseDeclared = 1;
  if (t == "R^") CheckBlockOpener(run, "R^");
  if (t == "R^..") CheckBlockOpener(run, "R");
  if (IsIntervalForm(t)) CheckBlockOpener(run, "R intervalo");
  if (IsSingleRecordForm(t)) CheckBlockOpener(run, "R 1 registro");
  if (t == "^R") {
    if (!run.templateBlockOpen) throw TemplateError("Error en ^R .. NO existe ning\xFAn R, ...");
    run.templateBlockOpen = 0;
  }
  if (t == "OUT") run.templateOutSeen = 1;
  if (t == "@IF") {
    if (run.templateIfOpen) throw TemplateError("Error en @IF .. @IF anterior NO cerrado ...");
    run.templateIfOpen = 1;
  }
  if (t == "@ELSE") {
    if (run.templateElseSeen) {
      throw TemplateError("Error en @ELSE .. @ELSE anterior NO cerrado ...");
    }
    run.templateElseSeen = 1;
  }
  if (t == "@ENDIF") {
    if (!run.templateIfOpen) throw TemplateError("Error en @ENDIF .. NO existe @IF ...");
    run.templateIfOpen = 0;
    run.templateElseSeen = 0;
  }
}

void CheckTemplateScriptEnd(TemplateRun& run) {
  if (run.tokens.empty() || text::TrimBlanks(run.tokens.back()) != ";") {
    throw TemplateError("El c\xF3" "digo debe terminar en ;");
  }
  if (!run.templateDatabaseDeclared) {
    throw TemplateError("No has definido una Base de datos ...\r\nNO puedo trabajar ...");
  }
  if (!run.templateOutSeen) {
    throw TemplateError("No devuelve valor con OUT ...\r\nEl c\xF3" "digo esta inservible ...");
  }
  if (run.templateBlockOpen) throw TemplateError("Error en R ..\r\nFalta ^R ...");
  if (run.templateIfOpen) throw TemplateError("Error en @IF ..\r\nFalta @ENDIF ...");
}

void CompileTemplateScript(TemplateRun& run, std::string_view path) {
  run.tokens = TokenizeTemplateScript(ReadTemplateScriptFile(path));
  // A field before the script's own first database token is checked against no database,
  // never against whatever database an earlier run or the record fill left named.
  UseTemplateDatabase(run, "");
  for (const std::string& token : run.tokens) {
    const std::string t = text::TrimBlanks(token);
    CheckTemplateToken(run, t);
    CompileTemplateToken(run, t);
  }
  CheckTemplateScriptEnd(run);
}

TemplateOutcome RunTemplateScript(std::string_view templateScriptPath, TemplateEnvironment& env) {
  TemplateOutcome outcome;
  const std::string path = ResolveScriptPath(templateScriptPath, env.DataFolder());
  if (!files::FileExists(path)) {
    outcome.error = "El fichero " + path + "\r\nNo existe ..";
    env.ShowError(outcome.error, true);
    return outcome;
  }
  try {
    TemplateRun run(env);
    CompileTemplateScript(run, path);
    RunTemplateProgram(run);
    outcome.done = true;
    outcome.result = std::move(run.templateResult);
  } catch (const TemplateError& error) {
    outcome.error = error.what();
    env.ShowError(outcome.error, false);
  }
  return outcome;
}

int AppendTemplateOutputLine(std::string_view path, std::string_view line, bool* partLeft) {
  return files::AppendLine(path, line, partLeft);
}

}  // namespace templates
