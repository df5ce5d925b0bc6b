#include "search/comparison.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using K = ComparisonKind;

TEST(ComparisonKinds, SymbolsOptionsAndChainOrder) {
  const char* chain[] = {"=", ">", "<", "<>", ">=", "<=", "*-", "-*", "$"};
  for (size_t i = 0; i < 9; ++i) {
    EXPECT_STREQ(kComparisonKinds[i].symbol, chain[i]);
    EXPECT_EQ(FindComparisonKind(chain[i]), kComparisonKinds[i].kind);
    EXPECT_EQ(static_cast<size_t>(kComparisonKinds[i].kind), i);
  }
  // The dialog's option numbers run in another order: "<>" is option 6, and option 7 is
  // "ends with" while option 8 is "starts with".
  const char* byOption[] = {"=", ">", "<", ">=", "<=", "<>", "-*", "*-", "$"};
  for (int option = 1; option <= 9; ++option)
    EXPECT_STREQ(ComparisonSymbol(*ComparisonKindOfOption(option)), byOption[option - 1]) << option;
  for (const char* other : {"", " =", "= ", "!", "==", "=>", "*", "$$"})
    EXPECT_FALSE(FindComparisonKind(other)) << other;
  EXPECT_FALSE(ComparisonKindOfOption(0));
  EXPECT_FALSE(ComparisonKindOfOption(10));
}

struct Case {
  const char* value;
  const char* text;
  bool holds;
};

void ExpectTable(K kind, std::initializer_list<Case> cases) {
  for (const Case& c : cases)
    EXPECT_EQ(TestCriterion(kind, c.value, c.text), c.holds)
        << ComparisonSymbol(kind) << " value '" << c.value << "' text '" << c.text << "'";
}

TEST(TestCriterion, EqualAndNotEqualCompareBytes) {
  const std::initializer_list<Case> equal = {
      {"Madrid", "Madrid", true},
      {"madrid", "Madrid", false},
      {"MADRID", "Madrid", false},
      {"Madrid ", "Madrid", false},
      {"", "Madrid", false},
      {"P\xE9rez", "P\xE9rez", true},
      {"Perez", "P\xE9rez", false},
      {"5", "5", true},
      {"55", "5", false},
      {"05", "5", false},
      {"", "", true},
  };
  ExpectTable(K::equal, equal);
  for (const Case& c : equal)
    EXPECT_EQ(TestCriterion(K::notEqual, c.value, c.text), !c.holds) << c.value;
}

TEST(TestCriterion, StartsEndsAndContainsWithTheTextsBytes) {
  constexpr const char* kDias =
      "7 d\xED"
      "as";
  ExpectTable(K::startsWith, {
                                 {"Madrid", "Mad", true},
                                 {"Mad", "Mad", true},
                                 {"mad", "Mad", false},
                                 {" Madrid", "Mad", false},
                                 {"Ma", "Mad", false},
                                 {"Madrid", "Madrid ", false},
                                 {"\xC1rbol", "Ar", false},
                                 {"105", "10", true},
                                 {"010", "10", false},
                                 {kDias, "7 d", true},
                                 {kDias, "7d", false},
                                 {"", "a", false},
                                 {"Ana ", "Ana", true},
                                 {"x", "", true},
                                 {"", "", true},
                             });
  ExpectTable(K::endsWith, {
                               {"Gomez", "ez", true},
                               {"ez", "ez", true},
                               {"GOMEZ", "ez", false},
                               {"Gomez ", "ez", false},
                               {"z", "ez", false},
                               {"eza", "ez", false},
                               {"", "ez", false},
                               {"P\xE9rez", "P\xE9rez", true},
                               {"rez", "P\xE9rez", false},
                               {"Ana ", "Ana", false},
                               {"15", "5", true},
                               {"", "", true},
                           });
  ExpectTable(K::contains, {
                               {"Marzo", "arz", true},
                               {"", "arz", false},
                               {"arzarz", "arz", true},
                               {"MARZO", "arz", false},
                               {"arz", "arz", true},
                               {"Marzo", "arz ", false},
                               {"ar", "arz", false},
                               {"15", "5", true},
                               {"2005", "5", true},
                               {"5.0", "5", true},
                               {"4,99", "5", false},
                               {"Ana ", "Ana", true},
                               {"Ab", "Abc", false},
                               {"x", "", true},
                               {"", "", false},
                               {"a\xE1", "\xE1", true},
                           });
}

TEST(TestCriterion, OrderKindsCompareLeadingNumbers) {
  ExpectTable(K::greater, {
                              {"100.5", "100", true},
                              {"101", "100", true},
                              {"100", "100", false},
                              {"100.0", "100", false},
                              {"1E2", "100", false},
                              {"0100", "100", false},
                              {"12 palabras", "9", true},
                              {"3,75", "3", false},
                              {"3.75", "3", true},
                              {"", "-1", true},
                              {"", "0", false},
                              {"", "5", false},
                              {"&H10", "15", true},
                              {"12,5", "12", false},
                              {"12.5", "12", true},
                              {"1e5000", "1e39", false},
                              {"abc", "-0.5", true},
                          });
  ExpectTable(K::less, {
                           {"", "0", false},
                           {"", "1", true},
                           {"1e5000", "1e39", true},
                           {" 7 kg", "8", true},
                           {"abc", "0.1", true},
                           {"-5", "-3", true},
                       });
  ExpectTable(K::greaterOrEqual, {
                                     {"5", "5", true},
                                     {"5.0", "5", true},
                                     {"5.001", "5", true},
                                     {"4.999", "5", false},
                                     {"10", "9", true},
                                     {"9", "10", false},
                                     {"12 kg", "12", true},
                                     {"3,9", "3,5", true},
                                     {"3,1", "3,5", true},
                                     {"-3", "-5", true},
                                     {"-5", "-3", false},
                                     {"", "0", true},
                                     {"", "-1", true},
                                     {"", "abc", true},
                                     {"", "7", false},
                                     {"1e3", "1000", true},
                                     {"  12", "12", true},
                                 });
  ExpectTable(K::lessOrEqual, {
                                  {"5", "5", true},
                                  {"4.999", "5", true},
                                  {"5.001", "5", false},
                                  {"9", "10", true},
                                  {"-5", "-3", true},
                                  {"", "0", true},
                                  {"", "7", true},
                                  {"", "-1", false},
                                  {"0.1", "1e-1", true},
                                  {"3,5", "3", true},
                              });
}

TEST(TestCriterion, ANumberFieldIsReadInTheDatabasesNotation) {
  struct NumberCase {
    K kind;
    const char* value;
    const char* text;
    bool holds;       // on a field of a number type
    bool holdsPlain;  // on any other field
  };
  const NumberCase cases[] = {
      {K::greater, "1.250'50", "1000", true, false},
      {K::greater, "1.250'50", "1.000", true, true},
      {K::greater, "1.000", "999'99", true, false},
      {K::less, "999'4", "999'5", true, false},
      {K::less, "1.000'01", "1000'5", true, true},
      {K::greaterOrEqual, "1.000", "1000", true, false},
      {K::lessOrEqual, "1.000.000", "1000000", true, true},
      {K::greater, "-12'50 EUR", "-13", true, true},
      // A point typed as the decimal mark is a thousands separator there: 1000.5 is 10005.
      {K::greater, "20.000", "1000.5", true, false},
      {K::greater, "", "-0'5", true, false},
      // The text kinds compare the stored bytes on every field.
      {K::equal, "1.000", "1000", false, false},
      {K::equal, "1.000", "1.000", true, true},
      {K::notEqual, "1.000", "1000", true, true},
      {K::startsWith, "1.250'50", "1.2", true, true},
      {K::endsWith, "1.250'50", ".50", false, false},
      {K::contains, "1.250'50", "'", true, true},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(TestCriterion(c.kind, c.value, c.text, true), c.holds)
        << ComparisonSymbol(c.kind) << " value '" << c.value << "' text '" << c.text << "'";
    EXPECT_EQ(TestCriterion(c.kind, c.value, c.text), c.holdsPlain)
        << ComparisonSymbol(c.kind) << " value '" << c.value << "' text '" << c.text << "'";
  }
}

TEST(TestCriterion, NumbersKeepEveryDigitOfTheExtendedFormat) {
  // Both share the nearest double; the extended format keeps them apart.
  const char* larger = "10000000000000001";
  const char* smaller = "10000000000000000";
  EXPECT_TRUE(TestCriterion(K::greater, larger, smaller));
  EXPECT_FALSE(TestCriterion(K::less, larger, smaller));
  EXPECT_TRUE(TestCriterion(K::greaterOrEqual, larger, smaller));
  EXPECT_FALSE(TestCriterion(K::greaterOrEqual, smaller, larger));
  EXPECT_FALSE(TestCriterion(K::lessOrEqual, larger, smaller));
  EXPECT_TRUE(TestCriterion(K::lessOrEqual, smaller, larger));
  // Texts of the same number are equal numbers.
  EXPECT_TRUE(TestCriterion(K::greaterOrEqual, "0.1", "1e-1"));
  EXPECT_TRUE(TestCriterion(K::lessOrEqual, "0.1", "1e-1"));
  EXPECT_FALSE(TestCriterion(K::equal, "1e3", "1000"));
  EXPECT_TRUE(TestCriterion(K::lessOrEqual, "1e3", "1000"));
}

}  // namespace
