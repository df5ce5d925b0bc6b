#include "database/record_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/database/database_test.h"

namespace {

class RecordFill : public databasetest::DatabaseTest {};

std::string FillTextOf(const PageObject& o) { return std::string(FixedFieldText(o.fillText)); }

TEST_F(RecordFill, EachFieldTypeReachesItsObject) {
  struct Case {
    const char* field;
    const char* fillText;
  };
  const Case cases[] = {
      {"Nombre", "Ana"},       {"Importe", "1.234'5"},  {"Unidades", "7"},
      {"Telefono", "912345678"}, {"Email", "ana@x.es"},
      {"Alta", "44 a\xF1os 2 meses 5 dias  (15/03/1980)"},
      {"Color", "verde"},      // the second item of the trimmed list
      {"Raro", "antes"},       // a type that fills nothing
      {"NoEsCampo", "antes"},  // a binding that names no field
  };
  std::vector<PageObject*> objects;
  for (const Case& c : cases) {
    objects.push_back(&Add(kAdminControl, c.field));
    SetFixedField(objects.back()->fillText, "antes");
  }
  PageObject& phonetic = Add(kAdminControl, "Fonetica");
  PageObject& yes = Add(kAdminOptionCell, "Activo");
  PageObject& memo = Add(kMemoText, "Notas", "texto propio");

  ASSERT_TRUE(FillObjectsFromRecord(1));
  for (size_t i = 0; i < objects.size(); ++i)
    EXPECT_EQ(FillTextOf(*objects[i]), cases[i].fillText) << cases[i].field;
  EXPECT_EQ(FillTextOf(phonetic), "'ana");
  EXPECT_EQ(FixedFieldText(phonetic.fillFontName), kPhoneticFontName);
  EXPECT_EQ(yes.optionMarked, 1);
  EXPECT_EQ(FillTextOf(yes), "");
  EXPECT_EQ(FixedFieldText(memo.text), "Cliente preferente");
}

TEST_F(RecordFill, ValuesMissingFromTheRecord) {
  PageObject& surname = Add(kAdminControl, "Apellido");
  PageObject& yes = Add(kAdminOptionCell, "Activo");
  PageObject& date = Add(kAdminControl, "Alta");
  PageObject& colour = Add(kAdminControl, "Color");
  PageObject& memo = Add(kMemoText, "Notas", "texto propio");
  yes.optionMarked = 1;

  ASSERT_TRUE(FillObjectsFromRecord(2));
  EXPECT_EQ(FillTextOf(surname), "No datos");
  EXPECT_EQ(yes.optionMarked, 0);
  EXPECT_EQ(FillTextOf(date), "31/04/2020");   // no such day: shown as stored
  EXPECT_EQ(FillTextOf(colour), "");            // "105": past the list's end
  EXPECT_EQ(FixedFieldText(memo.text), "No datos");

  ASSERT_TRUE(FillObjectsFromRecord(3));
  EXPECT_EQ(FillTextOf(date), "No datos");
  EXPECT_EQ(FillTextOf(colour), "");
}

TEST_F(RecordFill, ListChoices) {
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", 2), "verde");
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", 3), "azul");
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", 1.5L), "verde");
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", 4), "");
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", 0), "");
  EXPECT_EQ(ListChoiceItem("rojo|verde|azul", -99), "");
  EXPECT_EQ(ListChoiceItem("rojo||azul", 2), "");
  EXPECT_EQ(ListChoiceItem("", 1), "");
}

TEST_F(RecordFill, PlaceholdersFillAShownCopy) {
  const char* own = "Sr. ##Apellido, #Nombre (#Alta, #Color)";
  PageObject& letter = Add(kAlignedText, "", own);
  Add(kAlignedText, "", "Sin marcas");
  RebuildPlaceholderTexts();

  // "Nom" is defined before "Nombre", so its value takes the start of "#Nombre".
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(savedPlaceholderTexts[2],
            "Sr. P\xC9REZ, Albre (44 a\xF1os 2 meses 5 dias  (15/03/1980), verde)");
  EXPECT_EQ(savedPlaceholderTexts[3], "Sin marcas");
  EXPECT_EQ(FixedFieldText(letter.text), own);
  EXPECT_EQ(filledTextsShown, 1);

  // Every fill starts again from the object's own text.
  ASSERT_TRUE(FillObjectsFromRecord(2));
  EXPECT_EQ(savedPlaceholderTexts[2], "Sr. NO DATOS, No datosbre (31/04/2020, )");
}

TEST_F(RecordFill, PlaceholderRules) {
  // A field whose name begins another's, defined first, takes the longer placeholder.
  EXPECT_EQ(FillPlaceholderText("Nom", "#Nombre y ##Nom", "Al"), "Albre y AL");
  // A value holding a placeholder of its own field is not filled again.
  EXPECT_EQ(FillPlaceholderText("Nombre", "<#Nombre>", "#Nombre"), "<#Nombre>");
  EXPECT_EQ(FillPlaceholderText("Nombre", "##Nombre", "\xE1\xF1\xFF\x9A"), "\xC1\xD1\x9F\x8A");
  EXPECT_EQ(FillPlaceholderText("Nombre", "Sin marcas", "Ana"), "Sin marcas");

  // With more "#" than twice the field count, a text is left as it is.
  PageObject& decorated = Add(kAlignedText, "", std::string(40, '#') + "#Nombre");
  RebuildPlaceholderTexts();
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(savedPlaceholderTexts[2], FixedFieldText(decorated.text));
  EXPECT_EQ(filledTextsShown, 0);
}

TEST_F(RecordFill, ObjectsInsertedAfterTheBrowserOpenedGetACopy) {
  Add(kAlignedText, "", "Hola #Apellido");
  RebuildPlaceholderTexts();
  Add(kAlignedText, "", "Nuevo #Apellido");
  Add(kAlignedText, "", "Otro");
  ASSERT_TRUE(FillObjectsFromRecord(1));
  ASSERT_EQ(savedPlaceholderTexts.size(), 5u);
  EXPECT_EQ(savedPlaceholderTexts[3], "Nuevo P\xE9rez");
  EXPECT_EQ(savedPlaceholderTexts[4], "Otro");
}

TEST_F(RecordFill, ScriptBindingsTakeTheScriptsResult) {
  std::vector<std::string> scripts;
  templateScriptRunner = [&](const std::string& path) -> std::optional<std::string> {
    scripts.push_back(path);
    if (path == "No existe") return std::nullopt;
    return std::string(300, 'r');
  };
  PageObject& letter = Add(kAdminControl, "@@Carta_aviso");
  PageObject& missing = Add(kAdminControl, "@@No_existe");
  SetFixedField(missing.fillText, "antes");

  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(scripts, (std::vector<std::string>{"Carta aviso", "No existe"}));
  EXPECT_EQ(FillTextOf(letter), std::string(273, 'r'));
  EXPECT_EQ(FillTextOf(missing), "");

  templateScriptRunner = nullptr;
  SetFixedField(missing.fillText, "antes");
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(FillTextOf(missing), "antes");
  EXPECT_EQ(DecodeScriptReference("@@Informe_mensual"), "Informe mensual");
  EXPECT_EQ(DecodeScriptReference("@@a~b#c@d&e_f"), "abcde f");
}

TEST_F(RecordFill, RepaintsAtTheEndAndWaitsForNoOtherScan) {
  int repaints = 0;
  int busyDuringRepaint = -1;
  repaintAfterFill = [&] {
    ++repaints;
    busyDuringRepaint = valueScanBusy;
  };
  PageObject& name = Add(kAdminControl, "Nombre");
  ASSERT_TRUE(FillObjectsFromRecord(1));
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(busyDuringRepaint, 1);

  // A fill that comes in while another scan runs does nothing.
  SetFixedField(name.fillText, "antes");
  {
    ValueScanGuard otherScan;
    EXPECT_FALSE(FillObjectsFromRecord(1));
  }
  EXPECT_EQ(FillTextOf(name), "antes");
  EXPECT_EQ(repaints, 1);
}

}  // namespace
