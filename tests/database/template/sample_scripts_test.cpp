// The sample scripts of examples/ fill a page through the sample databases, bound to the
// record fill as the designer binds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "database/record_fill.h"
#include "database/template/template_language.h"
#include "page/shared_helpers.h"
#include "platform/text/text.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "tests/database/template/fixture_environment.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

std::string Examples(const std::string& name) { return TEMPLATE_EXAMPLES_DIR "/" + name; }

class SampleScripts : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Inscripciones", "Socios", "Saludo", "Cuotas"}) {
      std::filesystem::copy(Examples(name), data + name);
    }
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    linkedDatabaseFolder = data + "Inscripciones/";
    repaintAfterFill = nullptr;
    templateScriptRunner = [this](const std::string& path) -> std::optional<std::string> {
      const templates::TemplateOutcome outcome = templates::RunTemplateScript(path, env);
      if (!outcome.done) return std::nullopt;
      return outcome.result;
    };
  }
  void TearDown() override { templateScriptRunner = nullptr; }

  PageObject& Add(std::string_view binding) {
    PageObject& o = pageObjects[++objectCount];
    o.kind = kAdminControl;
    SetFixedField(o.databaseField, binding);
    return o;
  }

  std::string data = testenv::NewFolder("sample");
  templatetest::FixtureEnvironment env{data};
};

TEST_F(SampleScripts, FillThePageFromTheRecordShown) {
  PageObject& name = Add("Nombre");
  PageObject& greeting = Add("@@Saludo");
  PageObject& fees = Add("@@Cuotas");
  env.browserRecord = 3;
  ASSERT_TRUE(FillObjectsFromRecord(3));

  EXPECT_TRUE(env.shown.empty());
  EXPECT_EQ(FixedFieldText(name.fillText), "Mar\xED" "a");
  EXPECT_EQ(FixedFieldText(greeting.fillText),
            "Estimado/a Mar\xED" "a N\xFA\xF1" "ez L\xF3pez: Paseo de Gracia 45 C.P. 08003");
  EXPECT_EQ(FixedFieldText(fees.fillText), "12.187,2");
  const std::string list = testfiles::ReadRaw(data + "socios.txt");
  EXPECT_TRUE(list.starts_with("Ana P\xE9rez Garc\xED" "a\r\nJos\xE9 Mart\xEDnez Ruiz\r\n"));
  EXPECT_TRUE(list.ends_with("Ra\xFAl Delgado Vega\r\nTotal cuotas: 12,187.2\r\n"));
  EXPECT_EQ(env.opened, std::vector<std::string>{data + "socios.txt"});
}

TEST_F(SampleScripts, AScriptThatFailsEmptiesItsObject) {
  std::filesystem::remove(data + "Inscripciones/Inscripciones.z04");
  PageObject& greeting = Add("@@Saludo");
  SetFixedField(greeting.fillText, "antes");
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(FixedFieldText(greeting.fillText), "");
  ASSERT_EQ(env.shown.size(), 1u);
}

}  // namespace
