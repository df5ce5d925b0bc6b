// The statement executor: assignments, arithmetic, text joins and the built-in functions.
#include <cmath>
#include <limits>

#include "database/template/template_error.h"
#include "database/template/template_functions.h"
#include "database/template/template_run.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/text/text.h"

namespace templates {
namespace {

const std::string kNoField;

const std::string& FieldOf(const StatementFields& statement, size_t k) {
  return k >= 1 && k <= statement.size() ? statement[k - 1] : kNoField;
}

[[noreturn]] void FailArithmetic() { throw TemplateError(kInvalidArithmetic); }

long double ValueOf(std::string_view s) { return numbers::NumericValueOfText(s); }

// A count or a position: the value rounded, never below 0.
size_t WholeCountOf(std::string_view s) {
  const int64_t n = numbers::ToInt64(ValueOf(s));
  return n < 0 ? 0 : static_cast<size_t>(std::min<uint64_t>(n, SIZE_MAX));
}

// The value of an integer (digits only), every digit of it; one an int64 cannot hold is no
// number to compute with.
int64_t IntegerOf(std::string_view digits) {
  int64_t v = 0;
  for (char c : digits) {
    if (__builtin_mul_overflow(v, int64_t{10}, &v) || __builtin_add_overflow(v, c - '0', &v)) {
      FailArithmetic();
    }
  }
  return v;
}

// A decimal value, held in single precision as the language holds decimals.
float DecimalOf(std::string_view s) {
  const float v = static_cast<float>(ValueOf(s));
  if (!std::isfinite(v)) FailArithmetic();
  return v;
}

long double FiniteOrFail(long double v) {
  if (!std::isfinite(v)) FailArithmetic();
  return v;
}

std::string PlainText(long double v) { return numbers::NumberText(v); }
// A decimal's text, read in single precision and written in the 7-digit picture.
std::string FormatSevenDigitDecimal(std::string_view decimal) {
  return FormatTemplateDecimal(DecimalOf(decimal), 7);
}

// x op y when both are numbers, written as the pair of kinds asks: two integers plainly, an
// integer with a decimal in the 15-digit picture, two decimals in the 7-digit one; false when
// they are not both numbers.
bool ComputeArithmetic(std::string_view op, std::string_view x, ValueKind kx, std::string_view y,
                       ValueKind ky, std::string& out) {
  const bool xNumber = kx == ValueKind::kInteger || kx == ValueKind::kDecimal;
  const bool yNumber = ky == ValueKind::kInteger || ky == ValueKind::kDecimal;
  if (!xNumber || !yNumber) return false;
  if (kx == ValueKind::kInteger && ky == ValueKind::kInteger) {
    const int64_t a = IntegerOf(x);
    const int64_t b = IntegerOf(y);
    int64_t r = 0;
    if (op == "DIV") {
      if (b == 0) FailArithmetic();
      out = PlainText(static_cast<long double>(a) / static_cast<long double>(b));
      return true;
    }
    if (op == "MOD") {
      out = b == 0 ? "0" : PlainText(a % b);
      return true;
    }
    const bool overflow = op == "+"   ? __builtin_add_overflow(a, b, &r)
                          : op == "-" ? __builtin_sub_overflow(a, b, &r)
                                      : __builtin_mul_overflow(a, b, &r);
    if (overflow) FailArithmetic();
    out = PlainText(r);
    return true;
  }
  if (op == "MOD" && ValueOf(y) == 0) {
    out = "0";
    return true;
  }
  if (op == "DIV" && ValueOf(y) == 0) FailArithmetic();
  if (kx == ValueKind::kDecimal && ky == ValueKind::kDecimal && op != "MOD") {
    const float a = DecimalOf(x);
    const float b = DecimalOf(y);
    const float r = op == "+" ? a + b : op == "-" ? a - b : op == "*" ? a * b : a / b;
    out = FormatTemplateDecimal(FiniteOrFail(r), 7);
    return true;
  }
  // An integer with a decimal, and the remainder of two decimals: in double precision.
  const long double a = kx == ValueKind::kInteger ? IntegerOf(x) : DecimalOf(x);
  const long double b = ky == ValueKind::kInteger ? IntegerOf(y) : DecimalOf(y);
  const long double r = op == "+"   ? a + b
                        : op == "-" ? a - b
                        : op == "*" ? a * b
                        : op == "DIV" ? a / b
                                      : std::fmod(static_cast<double>(a), static_cast<double>(b));
  out = FormatTemplateDecimal(FiniteOrFail(r), 15);
  return true;
}

// The kind of x followed by tail, x being a text operand of kind kx (of any kind when the
// tail is empty): a text stays one only while what is joined to it is a text operand too (a
// decimal's picture with "," or a number text with "E+" makes it none); digits and points on
// both sides may make a number ("5" and ".3"), so such a value is asked again.
ValueKind JoinedKind(ValueKind kx, std::string_view tail) {
  if (tail.empty()) return kx;
  const ValueKind kt = ClassifyValue(tail);
  if (!IsTextOperandKind(kt)) return ValueKind::kOther;
  if (kx == ValueKind::kText || kt == ValueKind::kText) return ValueKind::kText;
  return ValueKind::kUnknown;
}

// "x followed by tail" into the "&" target; when the target is x's own variable the tail is
// appended in place, so a text built up over many records is not copied at every record.
void StoreJoined(TemplateRun& run, const std::string& target, const std::string& xName,
                 const std::string& x, ValueKind kx, std::string_view tail) {
  // The kind is that of what the working length leaves of the tail.
  tail = tail.substr(0, kMaxTemplateValueLength - std::min(kMaxTemplateValueLength, x.size()));
  const ValueKind kind = JoinedKind(kx, tail);
  if (xName == target) {
    TemplateVariable& variable = run.ampersandVariables.Declare(target);
    // The tail may be the variable's own value ("&s := &s + &s ;").
    variable.value += std::string(tail);
    variable.kind = kind;
    return;
  }
  std::string joined = x;
  joined += tail;
  SetVariableValue(run.ampersandVariables, target, std::move(joined));
  run.ampersandVariables.Declare(target).kind = kind;
}

// Joins of the "&" variable x with a variable or a written number y ("&&+&", "&&+v"), when
// they are not both numbers. Every number is a text as well; a decimal against a text joins
// as its picture, not as the text it is written as. Any other pair leaves x.
void JoinAfterVariable(TemplateRun& run, const std::string& target, const std::string& xName,
                       const std::string& x, ValueKind kx, const std::string& y, ValueKind ky,
                       bool yWritten) {
  const bool xText = IsTextOperandKind(kx);
  const bool yText = IsTextOperandKind(ky);
  if (kx == ValueKind::kDecimal && yText) {
    return SetVariableValue(run.ampersandVariables, target, FormatSevenDigitDecimal(x) + y);
  }
  std::string tail;
  if (xText && ky == ValueKind::kDecimal) {
    tail = FormatSevenDigitDecimal(y);
  } else if (xText && ky == ValueKind::kInteger) {
    tail = yWritten ? PlainText(ValueOf(y)) : y;
  } else if (xText && yText) {
    tail = y;
  } else {
    return StoreJoined(run, target, xName, x, kx, {});
  }
  StoreJoined(run, target, xName, x, kx, tail);
}

// The number text a value stands for before or after a text: plain for an integer, the
// 7-digit picture for a decimal; false for a value that is no number.
bool NumberTextOf(std::string_view v, ValueKind kind, std::string& out) {
  if (kind == ValueKind::kInteger) {
    out = PlainText(ValueOf(v));
  } else if (kind == ValueKind::kDecimal) {
    out = FormatSevenDigitDecimal(v);
  } else {
    return false;
  }
  return true;
}

// Joins of a value with a text literal: x + literal ("&&+~", "&#+~", "&@+~") or literal + y
// ("&~+&", "&~+@"). With a literal that is a text, a number joins as its number text, any
// other text as it is; every other pair leaves the value on the left.
std::string JoinWithLiteral(const std::string& left, const std::string& right, bool literalLeft) {
  const ValueKind literal = ClassifyValue(literalLeft ? left : right);
  const std::string& value = literalLeft ? right : left;
  const ValueKind kind = ClassifyValue(value);
  if (!IsTextOperandKind(literal)) return left;
  std::string number;
  if (NumberTextOf(value, kind, number)) return literalLeft ? left + number : number + right;
  if (IsTextOperandKind(kind)) return left + right;
  return left;
}

bool IsArithmeticPattern(std::string_view pattern, std::string& op) {
  if (pattern.size() < 4 || !pattern.starts_with("&&")) return false;
  if (pattern.back() != 'v' && pattern.back() != '&') return false;
  op = pattern.substr(2, pattern.size() - 3);
  return op == "+" || op == "-" || op == "*" || op == "DIV" || op == "MOD";
}

void ExecuteArithmetic(TemplateRun& run, const StatementFields& s, const std::string& op) {
  const std::string& target = FieldOf(s, 2);
  const std::string& xName = FieldOf(s, 3);
  const bool yWritten = s[0].back() == 'v';
  // Variables stay where they are while the store grows, so both may be held at once.
  TemplateVariable& xVariable = run.ampersandVariables.Declare(xName);
  TemplateVariable* yVariable =
      yWritten ? nullptr : &run.ampersandVariables.Declare(FieldOf(s, 5));
  const std::string& x = xVariable.value;
  const ValueKind kx = KindOf(xVariable);
  const std::string& y = yVariable ? yVariable->value : FieldOf(s, 5);
  const ValueKind ky = yVariable ? KindOf(*yVariable) : ClassifyValue(y);
  std::string result;
  if (ComputeArithmetic(op, x, kx, y, ky, result)) {
    return SetVariableValue(run.ampersandVariables, target, std::move(result));
  }
  if (op == "+") return JoinAfterVariable(run, target, xName, x, kx, y, ky, yWritten);
  StoreJoined(run, target, xName, x, kx, {});
}

std::string ProperCase(std::string_view a) {
  std::string out(a);
  bool wordStart = true;
  for (char& c : out) {
    const bool separator = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    c = wordStart ? text::UpperChar(c) : text::LowerChar(c);
    wordStart = separator;
  }
  return out;
}

std::string MiddleString(std::string_view a, std::string_view b, std::string_view c) {
  const size_t start = std::max<size_t>(WholeCountOf(b), 1);
  if (start > a.size()) return "";
  return std::string(a.substr(start - 1, WholeCountOf(c)));
}

// The c-th piece (from 1) of a cut at each occurrence of b; "" when there is none.
std::string SplitPiece(std::string_view a, std::string_view b, std::string_view c) {
  const size_t wanted = WholeCountOf(c);
  if (wanted < 1) return "";
  if (b.empty()) return wanted == 1 ? std::string(a) : "";
  size_t start = 0;
  for (size_t piece = 1;; ++piece) {
    const size_t at = a.find(b, start);
    if (piece == wanted) return std::string(a.substr(start, at - start));
    if (at == std::string_view::npos) return "";
    start = at + b.size();
  }
}

std::string TodayText(TemplateEnvironment& env) {
  const TemplateDate today = env.Today();
  const std::string date = numbers::FormatWithMask(today.month, "00") + "-" +
                           numbers::FormatWithMask(today.day, "00") + "-" +
                           numbers::FormatWithMask(today.year, "0000");
  return FormatTodayDate(date, "/");
}

// The built-ins of one argument; false for a name that is none of them.
bool CallWithOneArgument(const std::string& name, const std::string& a, std::string& out) {
  if (name == "SIZE") {
    out = PlainText(static_cast<long double>(text::TrimBlanks(a).size()));
  } else if (name == "WEEKDAYNAME") {
    const std::string_view date(a);
    const auto part = [](std::string_view p) { return numbers::ToInt16(ValueOf(p)); };
    const std::string_view year = date.size() >= 4 ? date.substr(date.size() - 4) : date;
    out = GetWeekdayName(part(year), part(date.substr(std::min<size_t>(3, date.size()), 2)),
                         part(date.substr(0, 2)));
  } else if (name == "TAN" || name == "SQR" || name == "SIN" || name == "COS" || name == "ATN") {
    const double v = static_cast<double>(ValueOf(a));
    const double r = name == "TAN"   ? std::tan(v)
                     : name == "SQR" ? std::sqrt(v)
                     : name == "SIN" ? std::sin(v)
                     : name == "COS" ? std::cos(v)
                                     : std::atan(v);
    out = FormatTemplateDecimal(FiniteOrFail(r), 15);
  } else if (name == "ABS") {
    out = PlainText(std::fabs(ValueOf(a)));
  } else if (name == "MONTHNAME") {
    out = GetMonthName(numbers::ToInt32(ValueOf(a)));
  } else if (name == "MAY") {
    out = text::Upper(a);
  } else if (name == "MIN") {
    out = text::Lower(a);
  } else if (name == "PRI") {
    out = ProperCase(a);
  } else if (name == "NUMB") {
    out = StripCommas(a);
  } else if (name == "ENNUMB" || name == "SPNUMB" || name == "ESNUMB") {
    const std::string s = StripCommas(a);
    const bool decimal = IsDecimalToken(s);
    if (!decimal && !IsIntegerToken(s)) {
      out = "0";
    } else if (name == "SPNUMB") {
      out = FormatNumberSP(s);
    } else if (name == "ESNUMB") {
      out = FormatNumberES(s);
    } else {
      const std::string picture = ThousandsPicture(CountTemplateDecimals(s));
      out = numbers::FormatWithMask(ValueOf(s), decimal ? picture
                                                        : picture.substr(0, picture.find('.')));
    }
  } else {
    return false;
  }
  return true;
}

// The built-ins of two arguments; false for a name that is none of them.
bool CallWithTwoArguments(const std::string& name, const std::string& a, const std::string& b,
                          std::string& out) {
  if (name == "PER") {
    out = PlainText(FiniteOrFail(ValueOf(a) * ValueOf(b) / 100));
  } else if (name == "RIGHTSTRING") {
    const size_t n = std::min(WholeCountOf(b), a.size());
    out = a.substr(a.size() - n);
  } else if (name == "LEFTSTRING") {
    out = a.substr(0, WholeCountOf(b));
  } else if (name == "POW") {
    const auto operand = [](std::string_view v) {
      const int64_t n = numbers::ToInt64(ValueOf(v));
      if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max()) {
        FailArithmetic();
      }
      return static_cast<int32_t>(n);
    };
    out = PlainText(static_cast<long double>(PowerOf(operand(a), operand(b))));
  } else if (name == "MASK") {
    out = ApplyMask(a, b);
  } else {
    return false;
  }
  return true;
}

// A call "&x := %NAME &a &b &c ;" and its shorter forms; an unknown name does nothing.
void ExecuteCall(TemplateRun& run, const StatementFields& s, int64_t record) {
  const std::string& pattern = s[0];
  const std::string& name = FieldOf(s, 3);
  auto argument = [&](size_t k) -> const std::string& {
    return GetVariableValue(run.ampersandVariables, FieldOf(s, k));
  };
  std::string out;
  if (pattern == "&%&&&") {
    if (name == "MIDDLESTRING") {
      out = MiddleString(argument(4), argument(5), argument(6));
    } else if (name == "SPLITDATE") {
      out = SplitPiece(argument(4), argument(5), argument(6));
    } else if (name == "WOUT") {
      const std::string path = WriteTemplateOutputFile(run, argument(4), argument(5));
      if (argument(6) == "1") run.env.OpenOutputFile(path);
      out = "1";
    } else {
      return;
    }
  } else if (pattern == "&%&&") {
    if (!CallWithTwoArguments(name, argument(4), argument(5), out)) return;
  } else if (pattern == "&%&") {
    if (!CallWithOneArgument(name, argument(4), out)) return;
  } else if (name == "DEBUG") {
    out = "1";
  } else if (name == "RECORD") {
    out = PlainText(static_cast<long double>(record));
  } else if (name == "TODAY") {
    out = TodayText(run.env);
  } else {
    return;
  }
  if (pattern == "@%") return SetAtVariableValue(run.atVariables, FieldOf(s, 2), std::move(out));
  SetVariableValue(run.ampersandVariables, FieldOf(s, 2), std::move(out));
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32) return false;
  }
  return true;
}

}  // namespace

std::string WriteTemplateOutputFile(TemplateRun& run, const std::string& name,
                                    const std::string& text) {
  // The name comes from the script: only a file of the data folder itself may be written.
  if (!IsPlainFileName(name)) {
    throw TemplateError("Error en WOUT .. " + name + "\r\nNO es un nombre de fichero valido ...");
  }
  const std::string path = run.env.DataFolder() + name;
  bool partLeft = false;
  const int error = run.env.AppendOutputLine(path, text, partLeft);
  if (error == 0) return path;
  std::string message = files::ErrorText(error);
  if (partLeft) {
    message +=
        "\r\nEl fichero de salida " + path + " puede terminar ahora en una l\xEDnea incompleta ...";
  }
  throw TemplateError(message);
}

void ExecuteTemplateStatement(TemplateRun& run, const StatementFields& s, int64_t record) {
  const std::string& pattern = s[0];
  const std::string& target = FieldOf(s, 2);
  VariableStore& ampersand = run.ampersandVariables;
  std::string op;
  if (pattern == "&m" || pattern == "&v" || pattern == "&~") {
    SetVariableValue(ampersand, target, FieldOf(s, 3));
  } else if (pattern == "&#") {
    SetVariableValue(ampersand, target, ReadTemplateField(run, FieldOf(s, 3), record, false));
  } else if (pattern == "&&") {
    SetVariableValue(ampersand, target, GetVariableValue(ampersand, FieldOf(s, 3)));
  } else if (pattern == "@v" || pattern == "@~") {
    SetAtVariableValue(run.atVariables, target, FieldOf(s, 3));
  } else if (pattern == "@#") {
    SetAtVariableValue(run.atVariables, target,
                       ReadTemplateField(run, FieldOf(s, 3), record, false));
  } else if (pattern == "&%&&&" || pattern == "&%&&" || pattern == "&%&" || pattern == "&%" ||
             pattern == "@%") {
    ExecuteCall(run, s, record);
  } else if (IsArithmeticPattern(pattern, op)) {
    ExecuteArithmetic(run, s, op);
  } else if (pattern == "&&+~" || pattern == "&#+~" || pattern == "&@+~") {
    const std::string x = pattern[1] == '&' ? GetVariableValue(ampersand, FieldOf(s, 3))
                          : pattern[1] == '@'
                              ? GetVariableValue(run.atVariables, FieldOf(s, 3))
                              : ReadTemplateField(run, FieldOf(s, 3), record, false);
    SetVariableValue(ampersand, target, JoinWithLiteral(x, FieldOf(s, 5), false));
  } else if (pattern == "&~+&" || pattern == "&~+@") {
    VariableStore& store = pattern[3] == '&' ? ampersand : run.atVariables;
    const std::string& y = GetVariableValue(store, FieldOf(s, 5));
    SetVariableValue(ampersand, target, JoinWithLiteral(FieldOf(s, 3), y, true));
  } else if (pattern == "&~+~") {
    SetVariableValue(ampersand, target, FieldOf(s, 3) + FieldOf(s, 5));
  } else {
    throw TemplateError(UnknownInstructionMessage(pattern));
  }
}

}  // namespace templates
