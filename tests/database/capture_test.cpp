#include "database/capture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "database/dialogs/capture_dialog.h"
#include "page/start_values.h"
#include "platform/files/files.h"
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
  void TearDown() override {
    captureLockWaitMs = savedLockWait;
    valueScanStep = nullptr;
    DatabaseTest::TearDown();
  }
  // "Capturar datos" answered Yes: the message it ends with.
  std::string CaptureAnsweringYes() {
    ui::testing::AnswerMessageBox(ui::Answer::Yes);
    CaptureFormData();
    const auto& shown = ui::testing::MessagesShown();
    return shown.empty() ? std::string() : shown.back().text;
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
  int savedLockWait = captureLockWaitMs;
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

TEST_F(Capture, AFailedWriteLeavesTheValueFileAsItWas) {
  FillOrder("Marta", "45'5", 1);
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  struct Case {
    files::testing::Step step;
    int errnum;
    int64_t afterBytes;
    bool cutBackFails;
    size_t bytesLeft;  // what stays of the record when it cannot be cut back
  };
  // When cutting back fails too, the message says what may have stayed.
  for (const Case& c : {Case{files::testing::Step::Write, ENOSPC, 100, true, 100},
                        Case{files::testing::Step::Flush, EIO, 0, true, 54 * 10},
                        Case{files::testing::Step::Write, EIO, 0, true, 0},
                        Case{files::testing::Step::Write, ENOSPC, 100, false, 0},
                        Case{files::testing::Step::Write, EIO, 0, false, 0},
                        Case{files::testing::Step::Flush, EIO, 0, false, 0}}) {
    testfiles::WriteRaw(valueFile, before);
    files::testing::FailureScope failing(c.step, c.errnum, c.afterBytes);
    if (c.cutBackFails) files::testing::ArmFailure(files::testing::Step::Truncate, EIO);
    const ArchiveResult result = ArchiveCapturedForm(plan.values);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message,
              files::ErrorText(c.errnum) +
                  (c.bytesLeft > 0 ? "\r\nEl fichero de valores puede terminar ahora en un "
                                     "registro incompleto ..."
                                   : ""))
        << c.afterBytes << " " << c.cutBackFails;
    EXPECT_EQ(result.message.substr(0, 5), "Err: ");
    const std::string after = testfiles::ReadRaw(valueFile);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.size(), before.size() + c.bytesLeft);
  }
  // The next capture gets the record number the failed one would have had.
  EXPECT_EQ(ArchiveCapturedForm(plan.values).recordNumber, 3);
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Marta");
}

// Two programs capture a few hundred records each into one folder at the same time: every
// record gets a number of its own and reads back whole.
TEST_F(Capture, TwoProgramsCapturingAtOnceNeverShareARecordNumber) {
  constexpr int kEach = 200;
  const std::string out = testenv::NewFolder("captures");
  std::string command;
  for (const char* name : {"A", "B"})
    command += std::string("'") + CONCURRENT_CAPTURE + "' '" + linkedDatabaseFolder + "' " + name +
               " " + std::to_string(kEach) + " > '" + out + name + "' & p" + name + "=$!; ";
  command += "wait $pA && wait $pB";
  ASSERT_EQ(std::system(command.c_str()), 0)
      << testfiles::ReadRaw(out + "A") << testfiles::ReadRaw(out + "B");

  std::map<int64_t, std::string> customers;
  size_t characters = 0;
  for (const char* name : {"A", "B"}) {
    std::vector<std::string> lines;
    ASSERT_EQ(files::ReadTextLines(out + name, 1 << 20, lines), 0);
    EXPECT_EQ(lines.size(), static_cast<size_t>(kEach));
    for (const std::string& line : lines) {
      const size_t blank = line.find(' ');
      const int64_t record = std::stoll(line.substr(0, blank));
      const std::string customer = line.substr(blank + 1);
      EXPECT_TRUE(customers.emplace(record, customer).second)
          << "record " << record << " given to " << customer << " and " << customers[record];
      characters += 2 * customer.size();  // the amount has as many digits as the name
    }
  }
  ASSERT_EQ(customers.size(), static_cast<size_t>(2 * kEach));
  EXPECT_EQ(customers.begin()->first, 3);
  EXPECT_EQ(customers.rbegin()->first, 2 + 2 * kEach);
  EXPECT_EQ(GetLastRecordNumber(), 2 + 2 * kEach);
  for (const auto& [record, customer] : customers) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Cliente", customer}, {"Importe", customer.substr(1)}, {"Pagado", "1"}};
    ASSERT_EQ(ReadRecordValues(valueFile, record), expected) << record;
  }
  EXPECT_EQ(testfiles::ReadRaw(valueFile).size(), before.size() + 54 * characters);
}

// While another program holds the value file, the capture waits for it: when it lets go in
// time the record is written, else nothing is and the capture says so.
TEST_F(Capture, ACaptureWaitsForAnotherProgramWritingTheSameFile) {
  FillOrder("Eva", "8", 1);
  captureLockWaitMs = 30;
  files::RecordFile other;
  ASSERT_EQ(other.Open(valueFile, 54), 0);
  ASSERT_EQ(other.LockExclusive(0), 0);
  EXPECT_EQ(CaptureAnsweringYes(),
            "La base de datos esta ocupada por otro programa, no se ha grabado el formulario ...");
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);

  // The other program is done while this one waits.
  captureLockWaitMs = 60000;
  valueScanStep = [&] { other.Close(); };
  EXPECT_EQ(CaptureAnsweringYes(), "El formulario ha sido grabado ...\r\nN\xFAmero de Registro 3");
  EXPECT_FALSE(other.IsOpen());
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Eva");
}

// Where the folder's file system keeps no locks the capture writes without the lock, and the
// first capture of a run that does so says it under its report; each case is a run of its own.
TEST_F(Capture, AFolderWithoutLocksIsCapturedIntoAndToldOnceARun) {
  const auto report = [](int64_t record) {
    return "El formulario ha sido grabado ...\r\nN\xFAmero de Registro " + std::to_string(record);
  };
  const auto warned = [&](int64_t record) {
    return report(record) +
           "\r\n\r\nLa carpeta de la base de datos no admite bloqueos de ficheros ...\r\n" +
           linkedDatabaseFolder +
           "\r\nLas capturas se graban sin bloqueo: dos puestos que capturen a la vez pueden "
           "recibir el mismo n\xFAmero de registro ...";
  };
  using files::testing::Step;
  // ENOLCK: NFS without its lock service; EINVAL and EOPNOTSUPP: SMB without byte-range locks,
  // FUSE file systems.
  for (const int errnum : {ENOLCK, EINVAL, EOPNOTSUPP}) {
    SCOPED_TRACE(errnum);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    files::testing::ArmFailure(Step::Lock, errnum);
    EXPECT_EQ(CaptureAnsweringYes(), warned(3));
    files::testing::ArmFailure(Step::Lock, errnum);
    EXPECT_EQ(CaptureAnsweringYes(), report(4));
    EXPECT_EQ(CaptureAnsweringYes(), report(5));  // a capture with the lock says nothing either
    EXPECT_EQ(files::testing::FailuresFired(), 2);
    files::testing::ResetFailures();
    EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Eva");
    EXPECT_EQ(ReadRecordFieldValue("Cliente", 4), "Eva");
    EXPECT_EQ(ui::testing::MessagesShown().size(), 6u);  // a question and a report each
  }

  // A capture without the lock whose write fails has written no number to warn of.
  RestoreEveryStart();
  SetUp();
  FillOrder("Eva", "8", 1);
  {
    files::testing::FailureScope noLocks(Step::Lock, ENOLCK);
    files::testing::ArmFailure(Step::Write, EIO);
    EXPECT_EQ(CaptureAnsweringYes(), files::ErrorText(EIO));
  }
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  files::testing::FailureScope noLocks(Step::Lock, ENOLCK);
  EXPECT_EQ(CaptureAnsweringYes(), warned(3));
}

TEST_F(Capture, AnyOtherFailureOfTheLockWritesNothingAndSaysWhy) {
  FillOrder("Eva", "8", 1);
  struct Case {
    int errnum;
    const char* why;
  };
  for (const Case& c : {Case{EIO, "Err: 5 Error de entrada/salida"},
                        Case{ENOMEM, "Err: 12 No hay memoria suficiente"}}) {
    files::testing::FailureScope failing(files::testing::Step::Lock, c.errnum);
    EXPECT_EQ(CaptureAnsweringYes(),
              std::string("No se ha podido bloquear la base de datos, no se ha grabado el "
                          "formulario ...\r\n") +
                  c.why);
    EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  }
  EXPECT_EQ(CaptureAnsweringYes(), "El formulario ha sido grabado ...\r\nN\xFAmero de Registro 3");
}

TEST_F(Capture, RunningOutOfMemoryWritesNothingAndSaysSo) {
  FillOrder("Eva", "8", 1);
  valueScanStep = [] { throw std::bad_alloc(); };
  EXPECT_EQ(CaptureAnsweringYes(), "No hay memoria suficiente, no se ha grabado el formulario ...");
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  // Nothing stays locked or busy: the next capture writes.
  valueScanStep = nullptr;
  EXPECT_EQ(CaptureAnsweringYes(), "El formulario ha sido grabado ...\r\nN\xFAmero de Registro 3");
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Eva");
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
