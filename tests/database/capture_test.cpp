#include "database/capture.h"

#include <gtest/gtest.h>

#include <string>

#include "database/dialogs/capture_dialog.h"
#include "tests/database/database_test.h"
#include "tests/support/test_files.h"

namespace {

constexpr const char* kHint =
    "Tienes que crear o leer un documento ...\r\n"
    "Tienes que adjudicar un documento a una base de datos ...\r\n"
    "El n\xFAmero de objetos rellenos tiene que ser igual al n\xFAmero de campos de la Base de "
    "Datos ...\r\n"
    "No se aceptan campos memotext en esta opci\xF3n ...";

class Capture : public databasetest::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    linkedDatabaseFolder = databasetest::CopyOfFixture("Pedidos");
    valueFile = ValueFilePath(linkedDatabaseFolder);
    before = testfiles::ReadRaw(valueFile);
  }
  // The page of an order: a box for each text and number field and an option cell.
  void FillOrder(const char* customer, const char* amount, int32_t paid) {
    SetFixedField(Add(kAdminControl, "Cliente").fillText, customer);
    SetFixedField(Add(kAdminControl, "Importe").fillText, amount);
    Add(kAdminOptionCell, "Pagado").optionMarked = paid;
    Add(kAdminControl, "Vacio");
  }
  std::string valueFile;
  std::string before;
};

TEST_F(Capture, AGoodCaptureIsAskedForAndAppended) {
  Add(kAlignedText, "", "Pedido");   // an object bound to nothing does not count
  FillOrder("Ana", "12'5", 1);
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  EXPECT_EQ(plan.message, "Estos son los datos capturados ...\r\n"
                          "Cliente: Ana\r\nImporte: 12'5\r\nPagado: si\r\nVacio: \r\n"
                          "\r\nDesea archivar en la base de datos ...\r\n" +
                              linkedDatabaseFolder + "\r\n");

  const ArchiveResult result = ArchiveCapturedForm(plan.values);
  EXPECT_TRUE(result.written);
  EXPECT_EQ(result.recordNumber, 3);
  EXPECT_EQ(result.message, "El formulario ha sido grabado ...\r\nN\xFAmero de Registro 3");
  EXPECT_EQ(GetLastRecordNumber(), 3);
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Ana");
  EXPECT_EQ(ReadRecordFieldValue("Importe", 3), "12'5");
  EXPECT_EQ(ReadRecordFieldValue("Pagado", 3), "1");
  EXPECT_EQ(ReadRecordFieldValue("Vacio", 3), "No datos");
  // The earlier records stay byte for byte; each new cell copies its field's definition.
  const std::string after = testfiles::ReadRaw(valueFile);
  ASSERT_EQ(after.size(), before.size() + 54 * 8);
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_EQ(after.substr(before.size() + 3 * 54, 54),
            EncodeValueCell('1', 6, "Importe", 1, 10, 12, 3, 0));
  EXPECT_EQ(after.substr(before.size() + 7 * 54, 54),
            EncodeValueCell('1', 7, "Pagado", 4, 1, 13, 3, 1));
}

TEST_F(Capture, AnOptionCellIsCapturedAsOneOrZero) {
  FillOrder("Luis", "3", 0);
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  EXPECT_NE(plan.message.find("Pagado: no\r\n"), std::string::npos);
  ASSERT_TRUE(ArchiveCapturedForm(plan.values).written);
  EXPECT_EQ(ReadRecordFieldValue("Pagado", 3), "0");
}

TEST_F(Capture, RefusedBeforeAsking) {
  struct Case {
    const char* what;
    std::string folder;
    int objects;   // how many of the order's boxes are on the page
    const char* message;
  };
  const std::string copy = linkedDatabaseFolder;
  const Case cases[] = {
      {"no link", "", 4, "No hay una base de datos vinculada correctamente ..."},
      {"no field definitions", testenv::NewFolder("Nada"), 4,
       "No hay una base de datos vinculada correctamente ..."},
      {"an empty page", copy, 0, kHint},
      {"a field without its object", copy, 3, kHint},
  };
  for (const Case& c : cases) {
    AllocateStore();
    objectCount = 1;
    FillOrder("Ana", "1", 1);
    objectCount = 1 + c.objects;
    linkedDatabaseFolder = c.folder;
    const CapturePlan plan = PrepareCapture();
    EXPECT_FALSE(plan.ask) << c.what;
    EXPECT_EQ(plan.message, c.message) << c.what;
    EXPECT_TRUE(plan.values.empty()) << c.what;
  }
  // A memo field can never be captured: the objects never match the fields one to one.
  linkedDatabaseFolder = databasetest::FixtureFolder("Clientes");
  AllocateStore();
  objectCount = 1;
  for (const char* field : {"Nom", "Nombre", "Apellido", "Fonetica", "Importe", "Unidades",
                            "Activo", "Doble", "Telefono", "Email", "Alta", "Color", "Raro",
                            "Notas", "CampoConUnNombreDeTreintaYUnoXY", "Lleno", "Doble"})
    Add(kAdminControl, field);
  EXPECT_FALSE(PrepareCapture().ask);
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
}

TEST_F(Capture, ValuesLongerThanTheirFieldAreRefusedWhole) {
  FillOrder("Un nombre de cliente muy largo", "12345678901", 1);
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  const ArchiveResult result = ArchiveCapturedForm(plan.values);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.message, "Cliente tiene 30 caracteres, limite 20\r\n"
                            "Importe tiene 11 caracteres, limite 10\r\n"
                            "Sintiendolo mucho no puedo archivar ...");
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);

  // A field of maximum length 0 takes only an empty value.
  const ArchiveResult zero = ArchiveCapturedForm({{"Cliente", "x"}, {"Vacio", "y"}});
  EXPECT_EQ(zero.message,
            "Vacio tiene 1 caracteres, limite 0\r\nSintiendolo mucho no puedo archivar ...");
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
}

TEST_F(Capture, ARecordWithoutACharacterIsRefused) {
  FillOrder("", "", 0);
  pageObjects[objectCount - 1].kind = kAdminControl;   // the option cell as an empty box
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  const ArchiveResult result = ArchiveCapturedForm(plan.values);
  EXPECT_FALSE(result.written);
  EXPECT_EQ(result.message, "No hay datos rellenos que archivar ...");
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
}

TEST_F(Capture, TheCommandAsksAndReports) {
  FillOrder("Eva", "8", 1);
  ui::testing::AnswerMessageBox(ui::Answer::No);
  CaptureFormData();
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);

  ui::testing::AnswerMessageBox(ui::Answer::Yes);
  CaptureFormData();
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Eva");

  linkedDatabaseFolder.clear();
  CaptureFormData();
  const auto& shown = ui::testing::MessagesShown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text.substr(0, 34), "Estos son los datos capturados ...");
  EXPECT_EQ(shown[2].text, "El formulario ha sido grabado ...\r\nN\xFAmero de Registro 3");
  EXPECT_EQ(shown[3].text, "No hay una base de datos vinculada correctamente ...");
  for (const auto& s : shown) EXPECT_EQ(s.title, "Vozurivudoz");

  // While another scan runs the command does nothing.
  ValueScanGuard otherScan;
  CaptureFormData();
  EXPECT_EQ(ui::testing::MessagesShown().size(), 4u);
}

}  // namespace
