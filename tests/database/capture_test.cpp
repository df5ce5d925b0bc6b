#include "database/capture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
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
    lockFile = valueFile + ".lock";
    before = testfiles::ReadRaw(valueFile);
  }
  void TearDown() override {
    valueScanStep = nullptr;
    files::testing::ResetFailures();
    // The lock file goes with every capture, whatever became of it.
    EXPECT_FALSE(files::FileExists(lockFile));
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
  // What a capture reports: its record, that it may be mixed with another desk's, the notice
  // of the first capture of a run without the lock.
  static std::string Report(int64_t record) {
    return "El formulario ha sido grabado ...\r\nN\xFAmero de Registro " + std::to_string(record);
  }
  std::string Notice() const {
    return "\r\n\r\nLa carpeta de la base de datos no admite bloqueos de ficheros ...\r\n" +
           linkedDatabaseFolder +
           "\r\nLas capturas se graban sin bloqueo: una captura que recibe a la vez el mismo "
           "n\xFAmero de registro que otra de otro puesto se graba de nuevo con otro n\xFAmero, y "
           "en una carpeta de red puede perderse un registro capturado en el mismo momento desde "
           "otro puesto ...";
  }
  // What a capture that cannot write the value file says.
  static std::string NotWritten(int errnum) {
    return "No se ha podido escribir en la base de datos, no se ha grabado el formulario ...\r\n" +
           files::ErrorText(errnum);
  }
  // The next capture finds that the folder keeps no locks and takes no lock file.
  static void NoLocks() {
    files::testing::ArmFailure(files::testing::Step::Lock, ENOLCK);
    files::testing::ArmFailure(files::testing::Step::LockFile, EACCES);
  }
  // The values of Eva's order as every reader reads its record.
  static std::vector<std::pair<std::string, std::string>> Eva() {
    return {{"Cliente", "Eva"}, {"Importe", "8"}, {"Pagado", "1"}};
  }
  // Bytes added at the value file's end, as another desk's write adds them.
  void AppendRaw(const std::string& bytes) {
    std::ofstream(valueFile, std::ios::binary | std::ios::app) << bytes;
  }
  std::string valueFile, lockFile;
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

// With the lock a failed write is cut back, and the message says when that failed too and part
// of the record may have stayed. Without the lock another desk may have written after it:
// nothing is cut back, and the message says when part of the record may have stayed. A record
// whose flush failed after it was written whole may be in the file under its number: the
// message says so, and that it must be checked before capturing again.
TEST_F(Capture, AFailedWriteIsCutBackOnlyWithTheLock) {
  FillOrder("Marta", "45'5", 1);
  const CapturePlan plan = PrepareCapture();
  ASSERT_TRUE(plan.ask);
  using files::testing::Step;
  struct Case {
    Step step;
    int errnum;
    int64_t afterBytes;
    bool locks;
    bool cutBackFails;
    size_t bytesLeft;  // what stays of the record
  };
  for (const Case& c : {Case{Step::Write, ENOSPC, 100, true, true, 100},
                        Case{Step::Flush, EIO, 0, true, true, 54 * 10},
                        Case{Step::Write, EIO, 0, true, true, 0},
                        Case{Step::Write, ENOSPC, 100, true, false, 0},
                        Case{Step::Write, EIO, 0, true, false, 0},
                        Case{Step::Flush, EIO, 0, true, false, 0},
                        Case{Step::Write, ENOSPC, 100, false, false, 100},
                        Case{Step::Flush, EIO, 0, false, false, 54 * 10},
                        Case{Step::Write, EIO, 0, false, false, 0}}) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.step) << " " << c.afterBytes << " "
                                    << c.locks << " " << c.cutBackFails);
    testfiles::WriteRaw(valueFile, before);
    files::testing::FailureScope failing(c.step, c.errnum, c.afterBytes);
    if (c.cutBackFails) files::testing::ArmFailure(Step::Truncate, EIO);
    if (!c.locks) NoLocks();
    const ArchiveResult result = ArchiveCapturedForm(plan.values);
    EXPECT_FALSE(result.written);
    if (c.bytesLeft == 54 * 10) {
      EXPECT_EQ(result.message, files::ErrorText(c.errnum) +
                                    "\r\nEl registro 3 puede haberse grabado con ese n\xFAmero: "
                                    "compruebe sus datos antes de capturar de nuevo ...");
    } else {
      EXPECT_EQ(result.message,
                NotWritten(c.errnum) +
                    (c.bytesLeft > 0 ? "\r\nEl fichero de valores puede terminar ahora en un "
                                       "registro incompleto ..."
                                     : ""));
    }
    const std::string after = testfiles::ReadRaw(valueFile);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.size(), before.size() + c.bytesLeft);
  }
  // The next capture gets the record number the failed one would have had.
  EXPECT_EQ(ArchiveCapturedForm(plan.values).recordNumber, 3);
  EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Marta");
}

// Programs capturing `each` records into the linked folder at the same time, with `options`
// (see concurrent_capture.cpp): for each, the lines it printed, "<record number> <customer>",
// every one of them checked to be there.
std::map<std::string, std::vector<std::string>> CaptureAtOnce(
    const std::string& folder, const std::vector<std::string>& names, int each,
    const std::string& options = "") {
  const std::string out = testenv::NewFolder("captures");
  std::string command, waits;
  for (const std::string& name : names) {
    command += std::string("'") + CONCURRENT_CAPTURE + "' '" + folder + "' " + name + " " +
               std::to_string(each) + " " + options + " > '" + out + name + "' & p" + name +
               "=$!; ";
    waits += (waits.empty() ? "" : " && ") + std::string("wait $p") + name;
  }
  std::map<std::string, std::vector<std::string>> lines;
  const int status = std::system((command + waits).c_str());
  std::string printed;
  for (const std::string& name : names) {
    EXPECT_EQ(files::ReadTextLines(out + name, 1 << 20, lines[name]), 0);
    printed += testfiles::ReadRaw(out + name);
  }
  EXPECT_EQ(status, 0) << printed;
  for (const std::string& name : names)
    EXPECT_EQ(lines[name].size(), static_cast<size_t>(each)) << name;
  return lines;
}

// A line "<record number> <customer>" of a capturing program.
std::pair<int64_t, std::string> CapturedLine(const std::string& line) {
  const size_t blank = line.find(' ');
  return {std::stoll(line.substr(0, blank)), line.substr(blank + 1)};
}

// Every record a capturing program was told reads under its number as it captured it.
void ExpectEveryRecordToldReadsAsCaptured(const std::string& valueFile,
                                          const std::map<int64_t, std::string>& customers) {
  for (const auto& [record, customer] : customers) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Cliente", customer}, {"Importe", customer.substr(1)}, {"Pagado", "1"}};
    ASSERT_EQ(ReadRecordValues(valueFile, record), expected) << record;
  }
}

// Two programs capture a few hundred records each into one folder at the same time: every
// record gets a number of its own and reads back whole.
TEST_F(Capture, TwoProgramsCapturingAtOnceNeverShareARecordNumber) {
  constexpr int kEach = 200;
  std::map<int64_t, std::string> customers;
  size_t characters = 0;
  for (const auto& [name, lines] : CaptureAtOnce(linkedDatabaseFolder, {"A", "B"}, kEach)) {
    for (const std::string& line : lines) {
      const auto [record, customer] = CapturedLine(line);
      EXPECT_TRUE(customers.emplace(record, customer).second)
          << "record " << record << " given to " << customer << " and " << customers[record];
      characters += 2 * customer.size();  // the amount has as many digits as the name
    }
  }
  ASSERT_EQ(customers.size(), static_cast<size_t>(2 * kEach));
  EXPECT_EQ(customers.begin()->first, 3);
  EXPECT_EQ(customers.rbegin()->first, 2 + 2 * kEach);
  EXPECT_EQ(GetLastRecordNumber(), 2 + 2 * kEach);
  ExpectEveryRecordToldReadsAsCaptured(valueFile, customers);
  EXPECT_EQ(testfiles::ReadRaw(valueFile).size(), before.size() + 54 * characters);
}

// Where the folder's byte-range locks hold off no one and every desk appends at the length it
// saw last (a folder shared by several machines whose clients each keep locks and lengths to
// themselves), four programs capture at once, each pausing between its count and its write: the
// lock file holds them off one another, so that every record gets a number of its own and reads
// back whole, and no copy is ever written again.
TEST_F(Capture, ProgramsCapturingAtOnceHoldOffOneAnotherWhateverTheFoldersLocksDo) {
  constexpr int kEach = 100;
  std::map<int64_t, std::string> customers;
  size_t characters = 0;
  for (const auto& [name, lines] :
       CaptureAtOnce(linkedDatabaseFolder, {"A", "B", "C", "D"}, kEach,
                     "--locks-exclude-nothing --stale-appends --pause 2000")) {
    for (const std::string& line : lines) {
      const auto [record, customer] = CapturedLine(line);
      EXPECT_TRUE(customers.emplace(record, customer).second)
          << "record " << record << " given to " << customer << " and " << customers[record];
      characters += 2 * customer.size();
    }
  }
  ASSERT_EQ(customers.size(), static_cast<size_t>(4 * kEach));
  EXPECT_EQ(customers.begin()->first, 3);
  EXPECT_EQ(customers.rbegin()->first, 2 + 4 * kEach);
  ExpectEveryRecordToldReadsAsCaptured(valueFile, customers);
  EXPECT_EQ(testfiles::ReadRaw(valueFile).size(), before.size() + 54 * characters);
}

// Where the folder keeps no locks, four programs capture at once, each pausing between its
// count and its write so that they overlap there every time: every record told written is in the
// value file whole, its cells one after another as written, and read under the number told.
TEST_F(Capture, ProgramsCapturingAtOnceWithoutLocksLoseNoRecord) {
  constexpr int kEach = 150;
  const std::vector<FieldDefinition> fields = ReadFieldDefinitions(LinkedFieldDefinitionPath());
  const auto cellsOf = [&](int64_t record, const std::string& customer) {
    const std::map<std::string, std::string> values = {
        {"Cliente", customer}, {"Importe", customer.substr(1)}, {"Pagado", "1"}};
    std::string cells;
    for (const FieldDefinition& f : fields) {
      const auto value = values.find(f.fieldName);
      if (value == values.end()) continue;
      for (size_t k = 0; k < value->second.size(); ++k)
        cells += EncodeValueCell(static_cast<uint8_t>(value->second[k]), f.recordKind,
                                 f.fieldName, f.fieldType, f.maxLength, f.spare, record,
                                 k + 1 == value->second.size() ? 1 : 0);
    }
    return cells;
  };
  const auto captured =
      CaptureAtOnce(linkedDatabaseFolder, {"A", "B", "C", "D"}, kEach, "--no-locks --pause 2000");
  // Each customer's cells are unique to its record: they are looked for in the file's bytes.
  const std::string file = testfiles::ReadRaw(valueFile);
  EXPECT_EQ(file.substr(0, before.size()), before);
  size_t bytes = before.size(), lost = 0;
  std::map<int64_t, std::string> customers;
  for (const auto& [name, lines] : captured) {
    for (const std::string& line : lines) {
      const auto [record, customer] = CapturedLine(line);
      if (record == 0) continue;  // not captured: another desk kept taking its numbers
      EXPECT_TRUE(customers.emplace(record, customer).second) << record;
      const std::string cells = cellsOf(record, customer);
      bytes += cells.size();
      const size_t at = file.find(cells);
      if (at == std::string::npos || at % 54 != 0) {
        ++lost;
        ADD_FAILURE() << "record " << record << " of " << customer << " is not in the file whole";
      }
    }
  }
  EXPECT_EQ(lost, 0u);
  // Beside the records told, the copies of those written again, which no reader reads.
  EXPECT_GE(file.size(), bytes);
  EXPECT_EQ(file.size() % 54, 0u);
  ExpectEveryRecordToldReadsAsCaptured(valueFile, customers);
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
  // The wait is one of the values a run starts with.
  RestoreEveryStart();
  EXPECT_EQ(captureLockWaitMs, 3000);
}

// The desk named in a lock file, as a capture names it.
std::string HolderText(const std::string& machine, int64_t process, std::time_t since,
                       const char* when) {
  char date[32] = {};
  std::strftime(date, sizeof date, "%d/%m/%Y a las %H:%M:%S", std::localtime(&since));
  return "el puesto " + machine + " (proceso " + std::to_string(process) + ") " + when + " " +
         date;
}

// While the capture counts and writes, the lock file beside the value file names this desk.
TEST_F(Capture, TheLockFileNamesTheDeskThatCaptures) {
  FillOrder("Eva", "8", 1);
  std::vector<std::string> lines;
  files::testing::BeforeNextEndWrite([&] { files::ReadTextLines(lockFile, 4096, lines); });
  EXPECT_EQ(CaptureAnsweringYes(), Report(3));
  ASSERT_EQ(lines.size(), 4u);
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  EXPECT_EQ(lines[0], host);
  EXPECT_EQ(lines[1], std::to_string(getpid()));
}

// A capture that waits in vain for another desk's lock file names that desk; one left behind,
// by a desk of this machine killed while it captured or by another machine once it has been
// left unchanged for longer than any capture holds it, is taken over, and the report says so.
TEST_F(Capture, ALockFileOfAnotherDeskIsWaitedForOrTakenOverWhenLeftBehind) {
  const std::string otherMachine = "otra-maquina\n4242\n1700000000\nb00t\n";
  const std::string byOther = HolderText("otra-maquina", 4242, 1700000000, "desde el");
  const std::string leftByOther =
      "\r\n\r\nSe ha retirado el bloqueo de la base de datos que dej\xF3 " +
      HolderText("otra-maquina", 4242, 1700000000, "el") + " ...";
  struct Case {
    const char* what;
    int agoSeconds;  // since the lock file was written
    int waitMs, staleMs;
    std::string message;
  };
  const Case cases[] = {
      {"just written", 0, 30, 10000,
       "La base de datos esta ocupada por otro programa, no se ha grabado el formulario "
       "...\r\nLa ocupa " + byOther + " ..."},
      {"written an hour ago", 3600, 0, 10000, Report(3) + leftByOther},
      {"unchanged while the capture waits", 0, 60000, 50, Report(3) + leftByOther},
  };
  namespace fs = std::filesystem;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    testfiles::WriteRaw(lockFile, otherMachine);
    fs::last_write_time(lockFile,
                        fs::file_time_type::clock::now() - std::chrono::seconds(c.agoSeconds));
    captureLockWaitMs = c.waitMs;
    captureStaleLockMs = c.staleMs;
    EXPECT_EQ(CaptureAnsweringYes(), c.message);
    if (c.waitMs == 30) {
      EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
      EXPECT_EQ(testfiles::ReadRaw(lockFile), otherMachine);
      fs::remove(lockFile);
    } else {
      EXPECT_EQ(ReadRecordValues(valueFile, 3), Eva());
    }
  }
  // The stale age is one of the values a run starts with.
  RestoreEveryStart();
  EXPECT_EQ(captureStaleLockMs, 10000);

  // A desk of this machine killed as it was about to write, the lock file in its hands: taken
  // over at once.
  SetUp();
  FillOrder("Eva", "8", 1);
  const std::string command = std::string("'") + CONCURRENT_CAPTURE + "' '" +
                              linkedDatabaseFolder + "' K 1 --killed-holding > /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_NE(status, 0);
  std::vector<std::string> killed;
  ASSERT_EQ(files::ReadTextLines(lockFile, 4096, killed), 0);
  ASSERT_EQ(killed.size(), 4u);
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  captureLockWaitMs = 0;
  EXPECT_EQ(CaptureAnsweringYes(),
            Report(3) + "\r\n\r\nSe ha retirado el bloqueo de la base de datos que dej\xF3 " +
                HolderText(killed[0], std::stoll(killed[1]), std::stoll(killed[2]), "el") +
                " ...");
  EXPECT_EQ(ReadRecordValues(valueFile, 3), Eva());
}

// Where the folder's file system keeps no locks the capture writes without the lock, and the
// first capture of a run that does so says it under its report; each case is a run of its own.
TEST_F(Capture, AFolderWithoutLocksIsCapturedIntoAndToldOnceARun) {
  const auto report = Report;
  const auto warned = [&](int64_t record) { return Report(record) + Notice(); };
  using files::testing::Step;
  // ENOLCK: NFS without its lock service; EINVAL and EOPNOTSUPP: SMB without byte-range locks,
  // FUSE file systems.
  for (const int errnum : {ENOLCK, EINVAL, EOPNOTSUPP}) {
    SCOPED_TRACE(errnum);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    const auto noLocks = [&] {
      files::testing::ArmFailure(Step::Lock, errnum);
      files::testing::ArmFailure(Step::LockFile, EACCES);
    };
    noLocks();
    EXPECT_EQ(CaptureAnsweringYes(), warned(3));
    noLocks();
    EXPECT_EQ(CaptureAnsweringYes(), report(4));
    EXPECT_EQ(CaptureAnsweringYes(), report(5));  // a capture with the lock says nothing either
    EXPECT_EQ(files::testing::FailuresFired(), 4);
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
    files::testing::ArmFailure(Step::LockFile, EACCES);
    files::testing::ArmFailure(Step::Write, EIO);
    EXPECT_EQ(CaptureAnsweringYes(), NotWritten(EIO));
  }
  EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  files::testing::FailureScope noLocks(Step::Lock, ENOLCK);
  files::testing::ArmFailure(Step::LockFile, EACCES);
  EXPECT_EQ(CaptureAnsweringYes(), warned(3));

  // Where either lock holds, the capture is locked and says nothing of it: a folder that takes
  // the lock file but no byte-range locks (a shared folder whose file server keeps none), one
  // that takes byte-range locks but no new file.
  for (const Step refused : {Step::Lock, Step::LockFile}) {
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    files::testing::ArmFailure(refused, refused == Step::Lock ? ENOLCK : EACCES);
    EXPECT_EQ(CaptureAnsweringYes(), report(3));
    EXPECT_EQ(ReadRecordValues(valueFile, 3), Eva());
  }
}

// A value file that ends in part of a cell (a desk killed in the middle of its record's first
// cell, whatever part of it it wrote): with the lock or without, the part is padded to a whole
// cell at its own place and the record goes after it, under a number after the killed desk's,
// which the part's cell is given where the part lacks it. No record before reads otherwise than
// it did, though the last of them has no value of the part's field for the padding to complete.
// Padding is zeros but for that number and the last-character flag.
TEST_F(Capture, APartOfACellAtTheEndIsPaddedAtItsPlaceAndTheRecordTakesANumberAfterIt) {
  using Values = std::vector<std::pair<std::string, std::string>>;
  // Record 3 without an amount, then the killed desk's record 4, whose first value is one.
  FillOrder("Ana", "", 1);
  ASSERT_EQ(CaptureAnsweringYes(), Report(3));
  const std::string base = testfiles::ReadRaw(valueFile);
  const std::vector<Values> records = {ReadRecordValues(valueFile, 1),
                                       ReadRecordValues(valueFile, 2),
                                       ReadRecordValues(valueFile, 3)};
  ASSERT_EQ(records[2], (Values{{"Cliente", "Ana"}, {"Pagado", "1"}}));
  const std::string killed = EncodeValueCell('7', 6, "Importe", 1, 10, 12, 4, 0);
  std::string padding(54, '\0');
  padding[40] = 4;
  padding[50] = 1;
  // Every size of part, with and without the lock in turn.
  for (size_t part = 1; part < 54; ++part) {
    const bool locks = part % 2 == 0;
    SCOPED_TRACE(testing::Message() << part << " bytes, locks " << locks);
    const std::string folder = linkedDatabaseFolder;
    RestoreEveryStart();
    linkedDatabaseFolder = folder;
    testfiles::WriteRaw(valueFile, base + killed.substr(0, part));
    AllocateStore();
    objectCount = 1;
    FillOrder("Eva", "8", 1);
    if (!locks) NoLocks();
    EXPECT_EQ(CaptureAnsweringYes(), Report(5) + (locks ? "" : Notice()));
    const std::string after = testfiles::ReadRaw(valueFile);
    ASSERT_EQ(after.size(), base.size() + 54 * 6);
    EXPECT_EQ(after.substr(base.size(), 54), killed.substr(0, part) + padding.substr(part));
    EXPECT_EQ(after.substr(base.size() + 54, 54),
              EncodeValueCell('E', 5, "Cliente", 3, 20, 11, 5, 0));
    for (int64_t record = 1; record <= 3; ++record)
      EXPECT_EQ(ReadRecordValues(valueFile, record), records[record - 1]) << record;
    EXPECT_EQ(ReadRecordValues(valueFile, 5), Eva());
    if (HasFailure()) return;
  }
}

// In a file of more records than a byte counts, a part that holds only the first bytes of its
// record's number is padded to that record, never to one of the same first byte.
TEST_F(Capture, APartHoldingTheFirstBytesOfItsNumberIsPaddedToItsRecord) {
  std::string records;
  for (int64_t record = 1; record <= 300; ++record)
    records += EncodeValueCell('x', 5, "Cliente", 3, 20, 11, record, 1);
  const std::string killed = EncodeValueCell('7', 6, "Importe", 1, 10, 12, 301, 0);
  for (size_t part = 41; part < 48; ++part) {
    SCOPED_TRACE(part);
    testfiles::WriteRaw(valueFile, records + killed.substr(0, part));
    AllocateStore();
    objectCount = 1;
    FillOrder("Eva", "8", 1);
    EXPECT_EQ(CaptureAnsweringYes(), Report(302));
    const std::string after = testfiles::ReadRaw(valueFile);
    ASSERT_EQ(after.size(), records.size() + 54 * 6);
    EXPECT_EQ(DecodeValueCell(after.substr(records.size(), 54)).recordNumber, 301);
    // Record 45 is the one whose number begins with the byte 301 begins with.
    EXPECT_EQ(ReadRecordValues(valueFile, 45),
              (std::vector<std::pair<std::string, std::string>>{{"Cliente", "x"}}));
    EXPECT_EQ(ReadRecordValues(valueFile, 302), Eva());
  }
}

// Two desks find the same part of a cell at the end and pad it: the second pads it with the same
// bytes at its place, after the first desk's record, and its own record lands on the cells.
TEST_F(Capture, TwoDesksThatPadOnePartOfACellBothLandOnTheCells) {
  const std::string part = EncodeValueCell('Z', 5, "Cliente", 3, 20, 11, 3, 0).substr(0, 30);
  AppendRaw(part);
  FillOrder("Eva", "8", 1);
  std::string other;
  // The other desk captures between this one's look at the part and its write.
  files::testing::BeforeNextEndWrite([&] {
    NoLocks();
    other = ArchiveCapturedForm({{"Cliente", "Luz"}, {"Importe", "9"}, {"Pagado", "0"}}).message;
  });
  NoLocks();
  EXPECT_EQ(CaptureAnsweringYes(), Report(5));
  EXPECT_EQ(other, Report(4) + Notice());
  const std::string after = testfiles::ReadRaw(valueFile);
  ASSERT_EQ(after.size(), before.size() + 54 * 11);
  std::string padded = part + std::string(24, '\0');
  padded[40] = 3;
  padded[50] = 1;
  EXPECT_EQ(after.substr(before.size(), 54), padded);
  EXPECT_EQ(ReadRecordValues(valueFile, 4),
            (std::vector<std::pair<std::string, std::string>>{
                {"Cliente", "Luz"}, {"Importe", "9"}, {"Pagado", "0"}}));
  EXPECT_EQ(ReadRecordValues(valueFile, 5), Eva());
}

// A part of a cell at the end that moves while it is looked at is another desk's write under
// way: it is not padded. When it comes to a whole cell the record follows it; when it is still
// moving at the write, the record lands off the cells, is not read under its number and is
// written again once the part stays, under a number the reader gives no other record.
TEST_F(Capture, APartOfACellStillBeingWrittenIsNotPadded) {
  const std::string cell = EncodeValueCell('Z', 5, "Cliente", 3, 20, 11, 3, 1);
  for (const bool completes : {true, false}) {
    SCOPED_TRACE(completes);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    AppendRaw(cell.substr(0, 30));
    size_t written = 30;
    bool appended = false;
    files::testing::BeforeNextEndWrite([&] { appended = true; });
    // The other desk writes on while this one looks, until this one has written.
    valueScanStep = [&] {
      const size_t more = completes ? 24 : 1;
      if (appended || written + more > cell.size()) return;
      AppendRaw(cell.substr(written, more));
      written += more;
    };
    NoLocks();
    const std::string message = CaptureAnsweringYes();
    valueScanStep = nullptr;
    const std::string after = testfiles::ReadRaw(valueFile);
    ASSERT_GE(after.size(), before.size() + written + 54 * 5);
    EXPECT_EQ(after.substr(before.size(), written), cell.substr(0, written));
    // The first copy goes right after the other desk's bytes, unpadded, numbered after its
    // record where that came to a whole cell before the count.
    EXPECT_EQ(after.substr(before.size() + written, 54),
              EncodeValueCell('E', 5, "Cliente", 3, 20, 11, completes ? 4 : 3, 0));
    if (completes) {
      EXPECT_EQ(written, 54u);
      EXPECT_EQ(message, Report(4) + Notice());
      EXPECT_EQ(after.size(), before.size() + 54 * 6);
    } else {
      EXPECT_LT(written, 54u);
      const size_t told = message.find("Registro ") + 9;
      const int64_t record = std::stoll(message.substr(told));
      EXPECT_GT(record, 3);
      EXPECT_EQ(message, Report(record) + Notice());
      EXPECT_EQ(ReadRecordValues(valueFile, record), Eva());
      EXPECT_EQ(after.size() % 54, 0u);
    }
  }
}

// A record is read back where it landed: when another desk's bytes are found there, it is
// written again under a fresh number, which the report gives; when no try is read back as
// written, the capture says that the form was not captured.
TEST_F(Capture, ARecordNotReadBackAsWrittenIsWrittenAgainUnderAFreshNumber) {
  FillOrder("Eva", "8", 1);
  int overwritten = 0, times = 1;
  std::vector<int64_t> landedAt;
  files::testing::BeforeAppendReadBack([&](int64_t at, int64_t) {
    landedAt.push_back(at);
    if (overwritten == times) return;
    ++overwritten;
    std::fstream file(valueFile, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(at + 4);
    file.put('X');  // the first character, as another desk wrote it
  });
  for (const bool locks : {false, true}) {
    SCOPED_TRACE(locks);
    const int64_t record = locks ? 6 : 4;
    if (!locks) NoLocks();
    EXPECT_EQ(CaptureAnsweringYes(), Report(record) + (locks ? "" : Notice()));
    EXPECT_EQ(ReadRecordFieldValue("Cliente", record - 1), "Xva");
    EXPECT_EQ(ReadRecordValues(valueFile, record), Eva());
    overwritten = 0;
  }
  EXPECT_EQ(landedAt.size(), 4u);
  EXPECT_EQ(landedAt[0], static_cast<int64_t>(before.size()));
  EXPECT_EQ(landedAt[1], static_cast<int64_t>(before.size() + 54 * 5));

  // Overwritten every time.
  times = 1000;
  const std::string written = testfiles::ReadRaw(valueFile);
  EXPECT_EQ(CaptureAnsweringYes(),
            "Otros puestos han grabado a la vez registros con los mismos n\xFAmeros, no se ha "
            "grabado el formulario ...");
  EXPECT_EQ(overwritten, 5);
  const std::string after = testfiles::ReadRaw(valueFile);
  EXPECT_EQ(after.substr(0, written.size()), written);
  EXPECT_EQ(after.size(), written.size() + 54 * 5 * 5);
}

// Another desk writes after this one counted and before it writes: where cells of this record's
// number came between, the record is written again under a fresh number and told by it, the
// other desk's record kept whole; cells of other numbers leave it as it was. With the lock too,
// as an older program takes none.
TEST_F(Capture, ARecordAnotherDeskNumberedAlikeAtOnceIsWrittenAgainUnderAFreshNumber) {
  using Values = std::vector<std::pair<std::string, std::string>>;
  const std::string luz = EncodeValueCell('L', 5, "Cliente", 3, 20, 11, 3, 0) +
                          EncodeValueCell('z', 5, "Cliente", 3, 20, 11, 3, 1) +
                          EncodeValueCell('9', 6, "Importe", 1, 10, 12, 3, 1) +
                          EncodeValueCell('0', 7, "Pagado", 4, 1, 13, 3, 1);
  const std::string late = EncodeValueCell('1', 7, "Pagado", 4, 1, 13, 2, 1);
  struct Case {
    const char* what;
    std::string between;
    int64_t told;
  };
  const Case cases[] = {{"a record of its number", luz, 4}, {"a late cell of another", late, 3}};
  for (const bool locks : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.what << ", locks " << locks);
      RestoreEveryStart();
      SetUp();
      FillOrder("Eva", "8", 1);
      files::testing::BeforeNextEndWrite([&] { AppendRaw(c.between); });
      if (!locks) NoLocks();
      EXPECT_EQ(CaptureAnsweringYes(), Report(c.told) + (locks ? "" : Notice()));
      const std::string after = testfiles::ReadRaw(valueFile);
      EXPECT_EQ(after.substr(0, before.size() + c.between.size()), before + c.between);
      EXPECT_EQ(ReadRecordValues(valueFile, c.told), Eva());
      if (c.told == 4) {
        EXPECT_EQ(ReadRecordValues(valueFile, 3),
                  (Values{{"Cliente", "Lz"}, {"Importe", "9"}, {"Pagado", "0"}}));
      }
    }
  }
}

// Where the folder keeps no locks and takes no lock file, two programs capture a few hundred
// records each at once: a record two captures numbered alike is written again, and every record
// is told by the number it is read under, never by one another's record is read under; a capture
// that kept meeting the other's numbers says that it was not captured.
TEST_F(Capture, ProgramsCapturingAtOnceWithoutLocksAreToldTheNumberTheyAreReadUnder) {
  constexpr int kEach = 200;
  std::map<int64_t, std::string> customers;
  int refused = 0;
  for (const auto& [name, lines] :
       CaptureAtOnce(linkedDatabaseFolder, {"A", "B"}, kEach, "--no-locks")) {
    for (const std::string& line : lines) {
      const auto [record, customer] = CapturedLine(line);
      if (record == 0) {
        ++refused;
        continue;
      }
      EXPECT_TRUE(customers.emplace(record, customer).second)
          << "record " << record << " told to " << customer << " and " << customers[record];
    }
  }
  EXPECT_EQ(customers.size() + refused, static_cast<size_t>(2 * kEach));
  ExpectEveryRecordToldReadsAsCaptured(valueFile, customers);
}

// A value file that cannot be written says why as any write does, before any lock is asked for,
// and nothing is written.
TEST_F(Capture, AValueFileThatCannotBeWrittenSaysWhy) {
  FillOrder("Eva", "8", 1);
  using files::testing::Step;
  ASSERT_EQ(files::DeleteFile(valueFile), 0);
  {
    // A missing value file on a read-only disk.
    files::testing::FailureScope readOnlyDisk(Step::Create, EROFS);
    files::testing::ArmFailure(Step::Lock, EIO);
    EXPECT_EQ(CaptureAnsweringYes(),
              "No se ha podido escribir en la base de datos, no se ha grabado el formulario "
              "...\r\nErr: 30 El disco es de solo lectura");
    EXPECT_EQ(files::testing::FailuresFired(), 1);  // the lock was never asked for
  }
  EXPECT_FALSE(files::FileExists(valueFile));

  // A read-only folder, and a read-only file in it, where permissions hold (not for root).
  namespace fs = std::filesystem;
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec |
                             fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec;
  const std::string folder = linkedDatabaseFolder;
  fs::permissions(folder, readOnly);
  const bool permissionsHold = !std::ofstream(folder + "probe");
  if (permissionsHold) {
    EXPECT_EQ(CaptureAnsweringYes(), NotWritten(EACCES));
    EXPECT_FALSE(files::FileExists(valueFile));
    fs::permissions(folder, fs::perms::owner_all);
    testfiles::WriteRaw(valueFile, before);
    fs::permissions(valueFile, fs::perms::owner_read | fs::perms::group_read |
                                   fs::perms::others_read);
    fs::permissions(folder, readOnly);
    EXPECT_EQ(CaptureAnsweringYes(), NotWritten(EACCES));
    EXPECT_EQ(testfiles::ReadRaw(valueFile), before);
  }
  fs::permissions(folder, fs::perms::owner_all);
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
