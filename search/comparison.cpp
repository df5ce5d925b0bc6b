#include "search/comparison.h"

#include <algorithm>

#include "database/database_files.h"
#include "platform/numbers/numbers.h"

namespace {

// The first occurrence of `sought` in `searched`, counted from 1; 0 when absent. An empty text
// searched holds nothing, and an empty text sought stands at position 1 of any other.
size_t PositionOf(std::string_view searched, std::string_view sought) {
  if (searched.empty()) return 0;
  if (sought.empty()) return 1;
  const size_t at = searched.find(sought);
  return at == std::string_view::npos ? 0 : at + 1;
}

long double NumberOf(std::string_view text, bool numberField) {
  return numberField ? numbers::NumericValueOfText(ApostropheToDecimalPoint(text))
                     : numbers::NumericValueOfText(text);
}

}  // namespace

std::optional<ComparisonKind> FindComparisonKind(std::string_view symbol) {
  for (const ComparisonKindEntry& e : kComparisonKinds)
    if (symbol == e.symbol) return e.kind;
  return std::nullopt;
}

std::optional<ComparisonKind> ComparisonKindOfOption(int optionNumber) {
  for (const ComparisonKindEntry& e : kComparisonKinds)
    if (optionNumber == e.optionNumber) return e.kind;
  return std::nullopt;
}

const char* ComparisonSymbol(ComparisonKind kind) {
  return kComparisonKinds[static_cast<size_t>(kind)].symbol;
}

bool IsNumericKind(ComparisonKind kind) {
  return kind == ComparisonKind::greater || kind == ComparisonKind::less ||
         kind == ComparisonKind::greaterOrEqual || kind == ComparisonKind::lessOrEqual;
}

bool StopsFetchEarly(ComparisonKind kind) {
  return kind == ComparisonKind::equal || kind == ComparisonKind::startsWith ||
         kind == ComparisonKind::notEqual;
}

bool TestCriterion(ComparisonKind kind, std::string_view value, std::string_view text,
                   bool numberField) {
  const size_t length = text.size();
  switch (kind) {
    case ComparisonKind::equal:
      return value == text;
    case ComparisonKind::notEqual:
      return value != text;
    case ComparisonKind::startsWith:
      return value.substr(0, std::min(length, value.size())) == text;
    case ComparisonKind::endsWith:
      return value.substr(value.size() - std::min(length, value.size())) == text;
    case ComparisonKind::contains:
      return PositionOf(value, text) > 0;
    default:
      break;
  }
  // Both numbers stay in the extended format up to the comparison.
  const long double t = NumberOf(text, numberField);
  const long double v = NumberOf(value, numberField);
  switch (kind) {
    case ComparisonKind::greater:
      return v > t;
    case ComparisonKind::less:
      return v < t;
    case ComparisonKind::greaterOrEqual:
      return v >= t;
    case ComparisonKind::lessOrEqual:
      return v <= t;
    default:
      return false;
  }
}
