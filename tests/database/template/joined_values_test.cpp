// A value joined onto a variable and the same value joined with a literal are one value:
// the joins and conditions after them take both alike, by the value's own characters.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "database/template/template_language.h"
#include "tests/database/template/fixture_environment.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

struct JoinedValue {
  const char* byVariables;  // statements joining &s onto a variable
  const char* byLiteral;    // statements joining the same &s with a literal
  const char* value;
  const char* joinedWithText;  // &s followed by "abc", where &s is a text operand
  const char* lessThanAbd;     // "si" when @IF &s < &q holds with &q holding "abd"
};

TEST(JoinedValues, TakeTheNextJoinAndConditionAsTheSameValueJoinedWithALiteral) {
  const JoinedValue cases[] = {
      // A decimal's picture with "," and a number text with "E+" make no text.
      {"&x := ~abc ; &y := 1234.5 ; &s := &x + &y ;", "&y := 1234.5 ; &s := ~abc + &y ;",
       "abc1,234.5", "abc1,234.5", "no"},
      {"&x := 1234.5 ; &z := ~abc ; &s := &x + &z ;", "&x := 1234.5 ; &s := &x + ~abc ;",
       "1,234.5abc", "1,234.5abc", "no"},
      {"&x := ~abc ; &s := &x + 12345678901234567890 ;",
       "&y := 12345678901234567890 ; &s := ~abc + &y ;", "abc1.23456789012346E+19",
       "abc1.23456789012346E+19", "no"},
      {"&x := ~abc ; &y := 12.5 ; &s := &x + &y ;", "&y := 12.5 ; &s := ~abc + &y ;", "abc12.5",
       "abc12.5abc", "si"},
      {"&x := ~abc ; &y := 7 ; &s := &x + &y ;", "&y := 7 ; &s := ~abc + &y ;", "abc7", "abc7abc",
       "si"},
      {"&x := 7 ; &z := ~abc ; &s := &x + &z ;", "&x := 7 ; &s := &x + ~abc ;", "7abc", "7abcabc",
       "si"},
      // Digits and a point joined make a decimal, which joins as its picture.
      {"&x := 5 ; &y := ~.3 ; &s := &x + &y ;", "&x := 5 ; &s := &x + ~.3 ;", "5.3", "5.3abc",
       "no"},
  };
  const std::string data = testenv::NewFolder("joined");
  for (const auto& db : templatetest::FixtureDatabases()) {
    templatetest::WriteFixtureDatabase(data, db);
  }
  templatetest::FixtureEnvironment env(data);
  auto run = [&](const std::string& built, const std::string& next) {
    testfiles::WriteRaw(data + "script", "[Socios] ; " + built + " " + next);
    const templates::TemplateOutcome outcome = templates::RunTemplateScript("script", env);
    EXPECT_TRUE(outcome.done) << outcome.error;
    return outcome.result;
  };
  for (const JoinedValue& c : cases) {
    const std::pair<std::string, std::string> nexts[] = {
        {"OUT &s ;", c.value},
        // In place, into another variable, and with a literal.
        {"&t := ~abc ; &s := &s + &t ; OUT &s ;", c.joinedWithText},
        {"&t := ~abc ; &r := &s + &t ; OUT &r ;", c.joinedWithText},
        {"&r := &s + ~abc ; OUT &r ;", c.joinedWithText},
        {"&q := ~abd ; &r := ~no ; @IF &s < &q ; &r := ~si ; @ENDIF ; OUT &r ;", c.lessThanAbd},
    };
    for (const auto& [next, expected] : nexts) {
      EXPECT_EQ(run(c.byVariables, next), expected) << c.byVariables << " " << next;
      EXPECT_EQ(run(c.byLiteral, next), expected) << c.byLiteral << " " << next;
    }
  }
  EXPECT_TRUE(env.shown.empty());
}

}  // namespace
