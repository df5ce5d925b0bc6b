#include "database/template/template_tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace templates {
namespace {

TEST(TemplatePunctuation, CutsAtTheListedCharactersOnly) {
  const std::vector<std::string> punctuation = {"*",    "+",    "-",    "\xBA", "\xAA",
                                                "\x93", "\x94", "\xAB", "\xBB", ",",
                                                ";",    "\"",   "|",    "\x85", "\x96"};
  for (const std::string& c : punctuation) {
    EXPECT_EQ(IsTemplatePunctuation(c), 1) << c;
  }
  const std::vector<std::string> others = {
      "",  " ", "\t", "\r",   "\n",   "0", "9", "/", "\\", "#",    "%", "&",    "~", "!",
      "\xA1", "\xBF", "?", ".", ":", "(", "]", "_", "'", "=", "<", ">", "\x80", "$", "\xA3",
      "a", "\xF1", std::string(1, '\0')};
  for (const std::string& c : others) {
    EXPECT_EQ(IsTemplatePunctuation(c), 0) << c;
  }
}

struct PredicateCase {
  int32_t (*predicate)(std::string_view);
  const char* name;
  std::vector<std::string> yes;
  std::vector<std::string> no;
};

TEST(TemplateTokenClasses, TellTokensApart) {
  const std::vector<PredicateCase> cases = {
      {IsMaskToken, "mask", {"##.###", "#_#_#", "\x80##", "\xD1##", "[##]"},
       {"#", "##-#", "\xE1##"}},
      {IsComparisonToken, "comparison", {"==", "<>", ">=", "=", "=<"}, {"=!", "=a"}},
      {IsArithmeticToken, "arithmetic", {"+", "-", "*", "MOD", "DIV"}, {"mod", "/", "++"}},
      {IsCommentToken, "comment", {"'nota", "'NOTA", "'a\xF1o", "'\xD1" "and\xFA", "'a:b.c"},
       {"nota", "'a'b", "'a!"}},
      // Accented capitals count through the 1252 lower-casing.
      {IsVariableToken, "variable", {"&a", "&Total", "&\xC1RBOL", "&a_b.c"},
       {"&", "&a&b", "&a~b", "a&"}},
      {IsFunctionToken, "function", {"%SIZE", "%size", "%\xD1U"}, {"%", "%a%", "%a!"}},
      {IsFieldToken, "field", {"#Nombre", "#Ciudad_natal", "#a@b"}, {"#", "##", "#a&"}},
      {IsAtVariableToken, "at variable", {"@x", "@IF", "@\xE1rbol"}, {"@", "@a@", "@a!"}},
      {IsTextLiteralToken, "text literal", {"~Hola_mundo^", "~\xA1Hola!", "~a$\x80/:"},
       {"~", "~a~", "~a'b", "a~"}},
      {IsIntegerToken, "integer", {"0", "0123"}, {"", "1.5", "-1", "1 "}},
      {IsDecimalToken, "decimal", {"1.5", "12.", ".55", "0.0"}, {".5", "1.", "1.2.3", "1,5", "12"}},
      {IsDatabaseToken, "database", {"[Socios]", "[socios.v2]", "[Mi_base]", "[S\xF3]", "[]"},
       {"Socios", "[a]b]", "[a/b]", "[[a]"}},
      {IsTextOperand, "text operand", {"Hola mundo", "\xC1RBOL", "12", "a:b/c"},
       {"", "a!", "1,5", "-5", "a\tb"}},
  };
  for (const PredicateCase& c : cases) {
    for (const std::string& t : c.yes) EXPECT_EQ(c.predicate(t), 1) << c.name << " " << t;
    for (const std::string& t : c.no) EXPECT_EQ(c.predicate(t), 0) << c.name << " " << t;
  }
}

TEST(TemplateTokenClasses, ValueKinds) {
  const std::vector<std::pair<std::string, ValueKind>> cases = {
      {"12", ValueKind::kInteger},   {"007", ValueKind::kInteger},
      {"1.50", ValueKind::kDecimal}, {"abc", ValueKind::kText},
      {"1.50abc", ValueKind::kText}, {"Ana Mar\xED" "a", ValueKind::kText},
      {".5", ValueKind::kDigitsAndPoints}, {"1.", ValueKind::kDigitsAndPoints},
      {"1.2.3", ValueKind::kDigitsAndPoints}, {"", ValueKind::kOther},
      {"-5", ValueKind::kOther},     {"1,5", ValueKind::kOther},
      {"Hola!", ValueKind::kOther},
  };
  for (const auto& [value, kind] : cases) {
    EXPECT_EQ(ClassifyValue(value), kind) << value;
    // Joins take as a text every value the text-operand test takes, numbers included.
    EXPECT_EQ(IsTextOperandKind(kind), IsTextOperand(value) == 1) << value;
  }
}

TEST(TemplateTokens, DecodeLiterals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"~Hola_mundo^", "Hola mundo\r\n"}, {"&a~b", "a~b"}, {"%SIZE", "SIZE"}, {"a%b", "a%b"},
      {"#x#", "x#"},                       {"", ""},         {"@_", " "},
  };
  for (const auto& [token, decoded] : cases) EXPECT_EQ(DecodeLiteralToken(token), decoded) << token;
}

TEST(TemplateTokens, ListHoldsAtMostItsTokens) {
  std::string script;
  for (int64_t i = 0; i < kMaxTemplateTokens; ++i) script += ";";
  EXPECT_EQ(static_cast<int64_t>(TokenizeTemplateScript(script).size()), kMaxTemplateTokens);
  script += ";";
  try {
    TokenizeTemplateScript(script);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(),
                 "El c\xF3" "digo tiene m\xE1s de 102400 palabras ...\r\nNO puedo trabajar ...");
  }
}

}  // namespace
}  // namespace templates
