// The words of a template script: the character sets, the punctuation that cuts words, the
// token classes the compiler, the executor and the condition evaluator share, and the
// tokenizer. Every text is 1252 bytes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace templates {

// The token list holds tokens 1 to this; a longer script is refused.
constexpr int64_t kMaxTemplateTokens = 102400;
// A word keeps its first 255 characters.
constexpr size_t kMaxTemplateTokenLength = 255;
// A script file is read up to what the token list can hold: every token at its longest and
// one separator after it.
constexpr int64_t kMaxTemplateScriptBytes = kMaxTemplateTokens * (kMaxTemplateTokenLength + 1);

// The character sets, byte for byte in 1252.
extern const std::string_view maskCharacters;
extern const std::string_view commentCharacters;
extern const std::string_view variableCharacters;
extern const std::string_view functionCharacters;
extern const std::string_view fieldCharacters;
extern const std::string_view atVariableCharacters;
extern const std::string_view textLiteralCharacters;
extern const std::string_view textOperandCharacters;
extern const std::string_view databaseNameCharacters;
extern const std::string_view databaseCheckCharacters;
extern const std::string_view recordMarkerCharacters;

// A character set as a table of the 256 byte values, for tests over long values.
class CharacterTable {
 public:
  explicit CharacterTable(std::string_view set);
  // True when every character of `text` is in the set; with `lowerCased` each character is
  // taken after the 1252 lower-casing.
  bool AllIn(std::string_view text, bool lowerCased) const;

 private:
  bool plain_[256] = {};
  bool lowered_[256] = {};
};

// The same for a set used once.
bool IsAllIn(std::string_view text, std::string_view set, bool lowerCased);
// How many times `c` stands in `text`.
int64_t CountOf(std::string_view text, char c);

// 1 when the first byte of a one-character text is punctuation (a token of its own).
int32_t IsTemplatePunctuation(std::string_view character);

// The token classes; each takes a token trimmed of blanks.
int32_t IsMaskToken(std::string_view t);
int32_t IsComparisonToken(std::string_view t);
int32_t IsArithmeticToken(std::string_view t);
int32_t IsCommentToken(std::string_view t);
int32_t IsVariableToken(std::string_view t);
int32_t IsFunctionToken(std::string_view t);
int32_t IsFieldToken(std::string_view t);
int32_t IsAtVariableToken(std::string_view t);
int32_t IsTextLiteralToken(std::string_view t);
int32_t IsIntegerToken(std::string_view t);
int32_t IsDecimalToken(std::string_view t);
int32_t IsDatabaseToken(std::string_view t);
// Applied to variable values as well as tokens.
int32_t IsTextOperand(std::string_view value);

// How arithmetic, joins and conditions take a value. Conditions compare as texts only two
// kText values, so a pure number is never a text there.
enum class ValueKind : uint8_t {
  kUnknown,          // not classified yet
  kInteger,          // IsIntegerToken
  kDecimal,          // IsDecimalToken
  kText,             // IsTextOperand, with a character that is neither a digit nor "."
  kDigitsAndPoints,  // only digits and "." yet neither of the numbers: ".5", "1.", "1.2.3"
  kOther,            // anything else: "", "-5", "1,5", "Hola!"
};
ValueKind ClassifyValue(std::string_view value);
// IsTextOperand of a value of that kind: joins take numbers and ".5" as texts too.
bool IsTextOperandKind(ValueKind kind);

// What a token stands for: "_" a blank, "^" CR LF, a leading "~", "#", "@", "&" or "%"
// dropped.
std::string DecodeLiteralToken(std::string_view t);

// The tokens of a script text, each cut to 255 characters. Throws TemplateError when there
// are more than the token list holds.
std::vector<std::string> TokenizeTemplateScript(std::string_view script);

}  // namespace templates
