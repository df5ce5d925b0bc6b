#include "database/template/template_tokens.h"

#include <algorithm>

#include "database/template/template_error.h"
#include "platform/text/text.h"

namespace templates {

// A byte followed by a character that reads as a hex digit is split off into its own literal.
const std::string_view maskCharacters =
    "%@qwertyuiopasdfghjkl\xF1zxcvbnmQWERTYUIOPASDFGHJKL\xD1ZXCVBNM\xA5\xA3\x80$()#\\/"
    "1234567890_[]{}:,.";
const std::string_view commentCharacters =
    "'QWERTYUIOPASDFGHJKL\xD1ZXCVBNM@\xF1\xE1\xE9\xED\xF3\xFA\xFCqwertyuiopasdfghjklzxcvbnm"
    "1234567890_.:";
const std::string_view variableCharacters =
    "&\xF1\xE1\xE9\xED\xF3\xFA\xFCqwertyuiopasdfghjklzxcvbnm1234567890_.";
const std::string_view functionCharacters =
    "%\xF1\xE1\xE9\xED\xF3\xFA\xFCQWERTYUIOPASDFGHJKLZXCVBNM\xD1qwertyuiopasdfghjklzxcvbnm"
    "1234567890_.";
const std::string_view fieldCharacters =
    "@#\xD1\xE1\xE9\xED\xF3\xFA\xFCqwertyuiopasdfghjklzxcvbnm\xF1"
    "1234567890_.";
const std::string_view atVariableCharacters =
    "@\xF1\xE1\xE9\xED\xF3\xFA\xFCqwertyuiopasdfghjklzxcvbnm1234567890_.";
const std::string_view textLiteralCharacters =
    "^@~\xF1\xD1\xE1\xE9\xED\xF3\xFA\xFCQWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm"
    "1234567890_$\x80.:\xA1!\xBF?/";
const std::string_view textOperandCharacters =
    "@1234567890\xF1\xE1\xE9\xED\xF3\xFA\xFCQWERTYUIOPASDFGHJKLZXCVBNM\xD1"
    "qwertyuiopasdfghjklzxcvbnm_.:/ ";
const std::string_view databaseNameCharacters =
    "1234567890@\xF1\xD1\xE1\xE9\xED\xF3\xFA\xFCqwertyuiopasdfghjklzxcvbnm_[].";
const std::string_view databaseCheckCharacters =
    "@\xF1\xD1"
    "1234567890qwertyuiopasdfghjklzxcvbnm_[]";
const std::string_view recordMarkerCharacters = "1234567890^R";

namespace {

constexpr std::string_view kDigits = "1234567890";
constexpr std::string_view kNumberCharacters = "1234567890.";

bool Contains(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

// The classes written as a sigil, a single one of it, more than the sigil, and every
// character lower-cased in the class's set.
int32_t IsSigilToken(std::string_view t, char sigil, const CharacterTable& table) {
  return t.size() > 1 && t[0] == sigil && CountOf(t, sigil) == 1 && table.AllIn(t, true);
}

}  // namespace

CharacterTable::CharacterTable(std::string_view set) {
  for (char c : set) plain_[static_cast<unsigned char>(c)] = true;
  for (int b = 0; b < 256; ++b) {
    lowered_[b] = plain_[static_cast<unsigned char>(text::LowerChar(static_cast<char>(b)))];
  }
}

bool CharacterTable::AllIn(std::string_view text, bool lowerCased) const {
  const auto& table = lowerCased ? lowered_ : plain_;
  return std::all_of(text.begin(), text.end(),
                     [&](char c) { return table[static_cast<unsigned char>(c)]; });
}

bool IsAllIn(std::string_view text, std::string_view set, bool lowerCased) {
  return CharacterTable(set).AllIn(text, lowerCased);
}

int64_t CountOf(std::string_view text, char c) { return std::count(text.begin(), text.end(), c); }

int32_t IsTemplatePunctuation(std::string_view character) {
  if (character.empty()) return 0;
  switch (static_cast<unsigned char>(character[0])) {
    case '*': case '+': case '-':
    case 0xBA: case 0xAA: case 0x93: case 0x94:  // º ª “ ”
    case 0xAB: case 0xBB:                        // « »
    case ',': case ';': case '"':
    case '|': case 0x85: case 0x96:              // | … –
      return 1;
    default:
      return 0;
  }
}

int32_t IsMaskToken(std::string_view t) {
  static const CharacterTable table(maskCharacters);
  return table.AllIn(t, false) && CountOf(t, '#') >= 2;
}

int32_t IsComparisonToken(std::string_view t) { return IsAllIn(t, "<>=", false); }

int32_t IsArithmeticToken(std::string_view t) {
  return t == "+" || t == "-" || t == "*" || t == "MOD" || t == "DIV";
}

int32_t IsCommentToken(std::string_view t) {
  static const CharacterTable table(commentCharacters);
  return !t.empty() && t[0] == '\'' && CountOf(t, '\'') == 1 && table.AllIn(t, true);
}

int32_t IsVariableToken(std::string_view t) {
  static const CharacterTable table(variableCharacters);
  return IsSigilToken(t, '&', table);
}
int32_t IsFunctionToken(std::string_view t) {
  static const CharacterTable table(functionCharacters);
  return IsSigilToken(t, '%', table);
}
int32_t IsFieldToken(std::string_view t) {
  static const CharacterTable table(fieldCharacters);
  return IsSigilToken(t, '#', table);
}
int32_t IsAtVariableToken(std::string_view t) {
  static const CharacterTable table(atVariableCharacters);
  return IsSigilToken(t, '@', table);
}
int32_t IsTextLiteralToken(std::string_view t) {
  static const CharacterTable table(textLiteralCharacters);
  return IsSigilToken(t, '~', table);
}

int32_t IsIntegerToken(std::string_view t) {
  static const CharacterTable table(kDigits);
  return !t.empty() && table.AllIn(t, false);
}

int32_t IsDecimalToken(std::string_view t) {
  static const CharacterTable table(kNumberCharacters);
  return t.size() >= 3 && table.AllIn(t, false) && CountOf(t, '.') == 1;
}

int32_t IsDatabaseToken(std::string_view t) {
  static const CharacterTable table(databaseNameCharacters);
  return t.size() >= 2 && t.front() == '[' && t.back() == ']' && CountOf(t, '[') == 1 &&
         CountOf(t, ']') == 1 && table.AllIn(t, true);
}

int32_t IsTextOperand(std::string_view value) {
  static const CharacterTable table(textOperandCharacters);
  return !value.empty() && table.AllIn(value, true);
}

ValueKind ClassifyValue(std::string_view value) {
  static const CharacterTable textOperand(textOperandCharacters);
  if (value.empty()) return ValueKind::kOther;
  int64_t points = 0;
  bool numberCharactersOnly = true;
  for (char c : value) {
    if (c == '.') {
      ++points;
    } else if (c < '0' || c > '9') {
      numberCharactersOnly = false;
      break;
    }
  }
  if (numberCharactersOnly) {
    if (points == 0) return ValueKind::kInteger;
    return points == 1 && value.size() >= 3 ? ValueKind::kDecimal : ValueKind::kDigitsAndPoints;
  }
  return textOperand.AllIn(value, true) ? ValueKind::kText : ValueKind::kOther;
}

bool IsTextOperandKind(ValueKind kind) {
  return kind != ValueKind::kOther && kind != ValueKind::kUnknown;
}

std::string DecodeLiteralToken(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '_') {
      out += ' ';
    } else if (c == '^') {
      out += "\r\n";
    } else if (i == 0 && Contains("~#@&%", c)) {
      continue;
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::string> TokenizeTemplateScript(std::string_view script) {
  std::vector<std::string> tokens;
  auto emit = [&](std::string_view word) {
    if (static_cast<int64_t>(tokens.size()) >= kMaxTemplateTokens) {
      throw TemplateError("El c\xF3" "digo tiene m\xE1s de 102400 palabras ..." "\r\n"
                          "NO puedo trabajar ...");
    }
    tokens.emplace_back(word.substr(0, kMaxTemplateTokenLength));
  };
  size_t start = 0;
  for (size_t i = 0; i <= script.size(); ++i) {
    const bool end = i == script.size();
    const bool punctuation = !end && IsTemplatePunctuation(script.substr(i, 1));
    if (!end && !punctuation && script[i] != ' ' && script[i] != '\r' && script[i] != '\n') {
      continue;
    }
    // Only blanks, CR and LF separate, so a pending word holds no blank to trim.
    if (i > start) emit(script.substr(start, i - start));
    if (punctuation) emit(script.substr(i, 1));
    start = i + 1;
  }
  return tokens;
}

}  // namespace templates
