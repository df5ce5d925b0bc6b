// The sample databases of examples/ with the sample form: its boxes bound to the fields of
// "Inscripciones" browse, fill and capture; "Socios" fills a box of every field type.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "database/capture.h"
#include "page/document_file.h"
#include "tests/database/database_test.h"

namespace {

class SampleDatabases : public databasetest::DatabaseTest {
 protected:
  // The sample form, each box bound to the field its label names (the greeting box to the
  // sample script, which fills it from the record the browser shows).
  void LoadBoundSampleForm() {
    documentPath = std::string(VELUNA_SOURCE_DIR) + "/examples/sample.qorvex";
    ASSERT_TRUE(LoadDocument().done);
    const std::map<std::string, std::string> bindings = {
        {"Nombre:", "Nombre"},         {"Apellidos:", "Apellidos"},
        {"D.N.I.:", "DNI"},            {"C\xF3" "digo postal:", "CodigoPostal"},
        {"Domicilio:", "Domicilio"},   {"Hombre", "Hombre"},
        {"Mujer", "Mujer"},            {"Observaciones:", "Observaciones"},
        {"Saludo:", "@@Saludo"},
    };
    for (int slot = 2; slot <= objectCount; ++slot) {
      PageObject& o = pageObjects[slot];
      if (o.kind != kAdminControl && o.kind != kAdminOptionCell) continue;
      const auto bound = bindings.find(std::string(FixedFieldText(o.text)));
      ASSERT_NE(bound, bindings.end()) << FixedFieldText(o.text);
      EXPECT_EQ(FixedFieldText(o.databaseField), bound->second);
      boxes[bound->second] = &o;
    }
    ASSERT_EQ(boxes.size(), bindings.size());
  }
  std::string Fill(const std::string& field) {
    return std::string(FixedFieldText(boxes.at(field)->fillText));
  }
  std::map<std::string, PageObject*> boxes;
};

TEST_F(SampleDatabases, TheSampleFormBrowsesFillsAndCaptures) {
  ASSERT_NO_FATAL_FAILURE(LoadBoundSampleForm());
  linkedDatabaseFolder =
      databasetest::CopyOfFolder(std::string(VELUNA_SOURCE_DIR) + "/examples/Inscripciones/");
  EXPECT_EQ(GetLastRecordNumber(), 12);

  ASSERT_TRUE(FillObjectsFromRecord(3));
  EXPECT_EQ(Fill("Nombre"), "Mar\xED" "a");
  EXPECT_EQ(Fill("CodigoPostal"), "08003");
  EXPECT_EQ(boxes.at("Hombre")->optionMarked, 0);
  EXPECT_EQ(boxes.at("Mujer")->optionMarked, 1);

  SetFixedField(boxes.at("Nombre")->fillText, "Irene");
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask) << plan.message;
  const ArchiveResult result = ArchiveCapturedForm(plan.values);
  ASSERT_TRUE(result.written) << result.message;
  EXPECT_EQ(result.recordNumber, 13);
  EXPECT_EQ(ReadRecordFieldValue("Nombre", 13), "Irene");
  EXPECT_EQ(ReadRecordFieldValue("Apellidos", 13), "N\xFA\xF1" "ez L\xF3pez");
}

TEST_F(SampleDatabases, SociosHasAFieldOfEveryType) {
  linkedDatabaseFolder = std::string(VELUNA_SOURCE_DIR) + "/examples/Socios/";
  EXPECT_EQ(GetLastRecordNumber(), 12);
  EXPECT_EQ(LoadFieldNamesAndTypes(), 11);
  for (int16_t type = kFieldPhonetic; type <= kFieldListChoice; ++type) {
    int found = 0;
    for (int16_t t : linkedFieldTypes) found += t == type;
    EXPECT_GE(found, 1) << type;
  }
  PageObject& date = Add(kAdminControl, "Alta");
  PageObject& province = Add(kAdminControl, "Provincia");
  PageObject& member = Add(kAdminOptionCell, "Socio");
  PageObject& notes = Add(kMemoText, "Notas");
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(FixedFieldText(date.fillText), "44 a\xF1os 2 meses 5 dias  (15/03/1980)");
  EXPECT_EQ(FixedFieldText(province.fillText), "Madrid");
  EXPECT_EQ(member.optionMarked, 1);
  EXPECT_EQ(FixedFieldText(notes.text), "Socia fundadora.");
  EXPECT_EQ(ApostropheToDecimalPoint(ReadRecordFieldValue("Cuota", 1)), "1250.50");
}

}  // namespace
