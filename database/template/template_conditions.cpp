// The condition of an @IF: one comparison of two "&" variables, or two joined by "*".
#include <array>

#include "database/template/template_run.h"
#include "platform/numbers/numbers.h"

namespace templates {
namespace {

constexpr std::array<std::string_view, 6> kOperators = {"==", ">", "<", ">=", "<=", "<>"};

bool IsOperator(std::string_view op) {
  for (std::string_view known : kOperators) {
    if (op == known) return true;
  }
  return false;
}

// The comparison operators of a pattern "IF&op&" or "IF&op1&*&op2&"; false for any other.
bool ParseConditionPattern(std::string_view pattern, std::string_view& op1,
                           std::string_view& op2) {
  if (!pattern.starts_with("IF&") || !pattern.ends_with("&")) return false;
  const std::string_view inner = pattern.substr(3, pattern.size() - 4);
  const size_t join = inner.find("&*&");
  op1 = inner.substr(0, join);
  op2 = join == std::string_view::npos ? std::string_view() : inner.substr(join + 3);
  return IsOperator(op1) && (join == std::string_view::npos || IsOperator(op2));
}

bool Holds(int order, std::string_view op) {
  if (op == "==") return order == 0;
  if (op == ">") return order > 0;
  if (op == "<") return order < 0;
  if (op == ">=") return order >= 0;
  if (op == "<=") return order <= 0;
  return order != 0;
}

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

bool IsNumber(ValueKind kind) {
  return kind == ValueKind::kInteger || kind == ValueKind::kDecimal;
}

long double NumberOf(const std::string& v, ValueKind kind) {
  if (kind == ValueKind::kDecimal) return static_cast<float>(numbers::NumericValueOfText(v));
  return kind == ValueKind::kInteger ? numbers::NumericValueOfText(v) : 0;
}

// A pair compares as texts when both are texts, as decimals when both are numbers and one of
// them is a decimal ("2.5" against "2"), and as whole numbers otherwise, where a value that is
// no integer counts as 0 ("abc" < "7", "-5" < "3").
bool ComparePair(const std::string& a, ValueKind ka, const std::string& b, ValueKind kb,
                 std::string_view op) {
  if (ka == ValueKind::kText && kb == ValueKind::kText) return Holds(a.compare(b), op);
  if (!IsNumber(ka) || !IsNumber(kb)) {
    if (ka != ValueKind::kInteger) ka = ValueKind::kOther;
    if (kb != ValueKind::kInteger) kb = ValueKind::kOther;
  }
  return Holds(Order(NumberOf(a, ka), NumberOf(b, kb)), op);
}

}  // namespace

int32_t EvaluateTemplateCondition(TemplateRun& run, const StatementFields& statement,
                                  int64_t /*record*/) {
  std::string_view op1;
  std::string_view op2;
  if (!ParseConditionPattern(statement[0], op1, op2)) return 0;
  const size_t operands = op2.empty() ? 2 : 4;
  std::array<TemplateVariable*, 4> variables{};
  for (size_t k = 0; k < operands; ++k) {
    const size_t field = 2 + 2 * k;  // fields 2, 4, 6 and 8
    static const std::string kNone;
    const std::string& name = field <= statement.size() ? statement[field - 1] : kNone;
    variables[k] = &run.ampersandVariables.Declare(name);
  }
  auto compare = [&](size_t first, std::string_view op) {
    TemplateVariable& a = *variables[first];
    TemplateVariable& b = *variables[first + 1];
    return ComparePair(a.value, KindOf(a), b.value, KindOf(b), op);
  };
  const bool holds = compare(0, op1) && (operands == 2 || compare(2, op2));
  return holds ? 1 : 0;
}

}  // namespace templates
