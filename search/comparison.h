// The nine comparison kinds of a search criterion and the test each makes of a field value.
// Texts are 1252 bytes compared as they are: case, accents and blanks count, nothing is
// trimmed. The four order kinds compare the leading numbers of the texts in extended precision.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

enum class ComparisonKind : uint8_t {
  equal,
  greater,
  less,
  notEqual,
  greaterOrEqual,
  lessOrEqual,
  startsWith,
  endsWith,
  contains,
};

struct ComparisonKindEntry {
  ComparisonKind kind;
  const char* symbol;  // as stored in the criteria and joined into the searches' selectors
  int optionNumber;    // SearchOptionNumber: the line of the dialog's comparison list
};

// In chain order, the order in which the searches try their combinations ("=" first, "$" last).
inline constexpr std::array<ComparisonKindEntry, 9> kComparisonKinds{{
    {ComparisonKind::equal, "=", 1},
    {ComparisonKind::greater, ">", 2},
    {ComparisonKind::less, "<", 3},
    {ComparisonKind::notEqual, "<>", 6},
    {ComparisonKind::greaterOrEqual, ">=", 4},
    {ComparisonKind::lessOrEqual, "<=", 5},
    {ComparisonKind::startsWith, "*-", 8},
    {ComparisonKind::endsWith, "-*", 7},
    {ComparisonKind::contains, "$", 9},
}};
static_assert(kComparisonKinds.size() == static_cast<size_t>(ComparisonKind::contains) + 1,
              "every kind has its entry");
// ComparisonSymbol finds a kind's entry by the kind's value.
static_assert(
    [] {
      for (size_t i = 0; i < kComparisonKinds.size(); ++i)
        if (kComparisonKinds[i].kind != static_cast<ComparisonKind>(i)) return false;
      return true;
    }(),
    "entry i is of kind i");

// The kind a stored symbol names; nothing for any other text, the empty one included.
std::optional<ComparisonKind> FindComparisonKind(std::string_view symbol);
// The kind the dialog's comparison line of that number selects; nothing outside 1 to 9.
std::optional<ComparisonKind> ComparisonKindOfOption(int optionNumber);
const char* ComparisonSymbol(ComparisonKind kind);

// ">", "<", ">=" and "<=" compare numbers; the other five compare texts.
bool IsNumericKind(ComparisonKind kind);
// The kinds whose field fetch may stop at the value's first character ("=", "*-", "<>").
bool StopsFetchEarly(ComparisonKind kind);

// Whether a criterion holds: the field's value on the left, the criterion's text on the right.
// A field of a number type (1 or 2) stores "." for thousands and "'" as the decimal mark; on
// such a field the order kinds read the value and the typed text both in that notation
// (ApostropheToDecimalPoint) before they take their numbers, so "1.250'50" is above "1000".
bool TestCriterion(ComparisonKind kind, std::string_view value, std::string_view text,
                   bool numberField = false);
