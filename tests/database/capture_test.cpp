#include "database/capture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
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
    before = testfiles::ReadRaw(valueFile);
  }
  void TearDown() override {
    valueScanStep = nullptr;
    files::testing::ResetFailures();
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
  static std::string Mixed(int64_t record) {
    return "\r\n\r\nEl registro " + std::to_string(record) +
           " puede haberse mezclado con otro grabado a la vez desde otro puesto: compruebe sus "
           "datos ...";
  }
  std::string Notice() const {
    return "\r\n\r\nLa carpeta de la base de datos no admite bloqueos de ficheros ...\r\n" +
           linkedDatabaseFolder +
           "\r\nLas capturas se graban sin bloqueo: dos puestos que capturen a la vez pueden "
           "recibir el mismo n\xFAmero de registro, y en una carpeta de red puede perderse un "
           "registro capturado en el mismo momento desde otro puesto ...";
  }
  // The next capture finds that the folder keeps no locks.
  static void NoLocks() { files::testing::ArmFailure(files::testing::Step::Lock, ENOLCK); }
  // Bytes added at the value file's end, as another desk's write adds them.
  void AppendRaw(const std::string& bytes) {
    std::ofstream(valueFile, std::ios::binary | std::ios::app) << bytes;
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

// With the lock a failed write is cut back, and the message says when that failed too and part
// of the record may have stayed. Without the lock another desk may have written after it:
// nothing is cut back, and the message says when part of the record may have stayed.
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
    EXPECT_EQ(result.message,
              files::ErrorText(c.errnum) +
                  (c.bytesLeft > 0 ? "\r\nEl fichero de valores puede terminar ahora en un "
                                     "registro incompleto ..."
                                   : ""));
    EXPECT_EQ(result.message.substr(0, 5), "Err: ");
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
  for (const auto& [record, customer] : customers) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Cliente", customer}, {"Importe", customer.substr(1)}, {"Pagado", "1"}};
    ASSERT_EQ(ReadRecordValues(valueFile, record), expected) << record;
  }
  EXPECT_EQ(testfiles::ReadRaw(valueFile).size(), before.size() + 54 * characters);
}

// Where the folder keeps no locks, four programs capture at once, each pausing between its
// count and its write so that they overlap there every time: records may share numbers, but
// every record told written is in the value file whole, its cells one after another as written.
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
  for (const auto& [name, lines] : captured) {
    for (const std::string& line : lines) {
      const auto [record, customer] = CapturedLine(line);
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
  EXPECT_EQ(file.size(), bytes);
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

// A value file that ends in part of a cell (a desk stopped in the middle of its write): with the
// lock the next capture writes over it; without, the part is padded to a whole cell in the same
// write and the record goes after it, whole. Padding is zeros but for the last-character flag.
TEST_F(Capture, APartOfACellAtTheEndIsWrittenOverWithTheLockAndPaddedWithout) {
  // 30 bytes of the first cell of a record 3.
  const std::string part = EncodeValueCell('Z', 5, "Cliente", 3, 20, 11, 3, 0).substr(0, 30);
  std::string padding(24, '\0');
  padding[20] = 1;
  std::string cells;  // those of the record, as the capture with the lock writes them
  for (const bool locks : {true, false}) {
    SCOPED_TRACE(locks);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    AppendRaw(part);
    if (!locks) NoLocks();
    EXPECT_EQ(CaptureAnsweringYes(), Report(3) + (locks ? "" : Notice()));
    const std::string after = testfiles::ReadRaw(valueFile);
    ASSERT_EQ(after.substr(0, before.size()), before);
    if (locks) {
      cells = after.substr(before.size());
      EXPECT_EQ(cells.size(), 54u * 5);
      EXPECT_EQ(cells.substr(0, 54), EncodeValueCell('E', 5, "Cliente", 3, 20, 11, 3, 0));
    } else {
      EXPECT_EQ(after.substr(before.size()), part + padding + cells);
    }
    EXPECT_EQ(ReadRecordFieldValue("Cliente", 3), "Eva");
    EXPECT_EQ(ReadRecordFieldValue("Importe", 3), "8");
  }
}

// Without the lock, a part of a cell at the end that moves while it is looked at is another
// desk's write under way: it is not padded. When it comes to a whole cell the record follows it;
// when it is still moving at the write, the record lands off the cells and is said to be
// perhaps mixed with the other desk's.
TEST_F(Capture, APartOfACellStillBeingWrittenIsNotPadded) {
  const std::string cell = EncodeValueCell('Z', 5, "Cliente", 3, 20, 11, 3, 1);
  for (const bool completes : {true, false}) {
    SCOPED_TRACE(completes);
    RestoreEveryStart();
    SetUp();
    FillOrder("Eva", "8", 1);
    AppendRaw(cell.substr(0, 30));
    size_t written = 30;
    // The other desk writes on while this one looks.
    valueScanStep = [&] {
      const size_t more = completes ? 24 : 1;
      if (written + more > cell.size()) return;
      AppendRaw(cell.substr(written, more));
      written += more;
    };
    NoLocks();
    const std::string message = CaptureAnsweringYes();
    valueScanStep = nullptr;
    const std::string after = testfiles::ReadRaw(valueFile);
    ASSERT_GT(after.size(), before.size() + written);
    const std::string other = after.substr(before.size(), written);
    EXPECT_EQ(other, cell.substr(0, written));
    const std::string cells = after.substr(before.size() + written);
    EXPECT_EQ(cells.size(), 54u * 5);
    EXPECT_EQ(cells.substr(0, 54), EncodeValueCell('E', 5, "Cliente", 3, 20, 11, 3, 0));
    if (completes) {
      EXPECT_EQ(written, 54u);
      EXPECT_EQ(message, Report(3) + Notice());
    } else {
      EXPECT_LT(written, 54u);
      EXPECT_EQ(message, Report(3) + Mixed(3) + Notice());
    }
  }
}

// A record written without the lock is read back where it landed: when another desk's bytes are
// found there, the report says that the record may be mixed and must be checked.
TEST_F(Capture, ARecordNotReadBackAsWrittenIsSaidToBePerhapsMixed) {
  FillOrder("Eva", "8", 1);
  int64_t landedAt = -1;
  files::testing::BeforeAppendReadBack([&](int64_t at, int64_t) {
    landedAt = at;
    std::fstream file(valueFile, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(at + 4);
    file.put('X');  // the first character, as another desk wrote it
  });
  NoLocks();
  EXPECT_EQ(CaptureAnsweringYes(), Report(3) + Mixed(3) + Notice());
  EXPECT_EQ(landedAt, static_cast<int64_t>(before.size()));
  NoLocks();
  EXPECT_EQ(CaptureAnsweringYes(), Report(4) + Mixed(4));
  // Read back as written, nothing is said; with the lock the record is not read back.
  files::testing::BeforeAppendReadBack(nullptr);
  NoLocks();
  EXPECT_EQ(CaptureAnsweringYes(), Report(5));
  landedAt = -1;
  files::testing::BeforeAppendReadBack([&](int64_t at, int64_t) { landedAt = at; });
  EXPECT_EQ(CaptureAnsweringYes(), Report(6));
  EXPECT_EQ(landedAt, -1);
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
    EXPECT_EQ(CaptureAnsweringYes(), "Err: 30 El disco es de solo lectura");
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
    EXPECT_EQ(CaptureAnsweringYes(), "Err: 13 Permiso denegado");
    EXPECT_FALSE(files::FileExists(valueFile));
    fs::permissions(folder, fs::perms::owner_all);
    testfiles::WriteRaw(valueFile, before);
    fs::permissions(valueFile, fs::perms::owner_read | fs::perms::group_read |
                                   fs::perms::others_read);
    fs::permissions(folder, readOnly);
    EXPECT_EQ(CaptureAnsweringYes(), "Err: 13 Permiso denegado");
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
