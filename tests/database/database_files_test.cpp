#include "database/database_files.h"

#include <gtest/gtest.h>

#include <string>

#include "database/link_test.h"
#include "database/linked_database.h"
#include "tests/database/database_test.h"
#include "tests/support/test_files.h"

namespace {

using databasetest::DatabaseTest;
using databasetest::FixtureFolder;

// Little-endian fields put into hand-made records byte by byte.
void PutLittleEndian(std::string& bytes, size_t at, int64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string HandMadeCell(uint8_t character, int32_t kind, const std::string& name, int16_t type,
                         int16_t maxLength, int64_t record, int16_t spare, int32_t last) {
  std::string bytes(54, '\0');
  PutLittleEndian(bytes, 0, kind, 4);
  bytes[4] = static_cast<char>(character);
  bytes.replace(5, name.size(), name);
  PutLittleEndian(bytes, 36, type, 2);
  PutLittleEndian(bytes, 38, maxLength, 2);
  PutLittleEndian(bytes, 40, record, 8);
  PutLittleEndian(bytes, 48, spare, 2);
  PutLittleEndian(bytes, 50, last, 4);
  return bytes;
}

TEST(DatabaseRecords, ValueCellBytesAtTheirOffsets) {
  EXPECT_EQ(EncodeValueCell('\xF1', -7, "Nombre", 3, 30, -2, 0x0102030405060708LL, 1),
            HandMadeCell(0xF1, -7, "Nombre", 3, 30, 0x0102030405060708LL, -2, 1));
  // A name longer than 30 characters is cut, and the terminator kept.
  const std::string cell = EncodeValueCell('x', 1, std::string(40, 'n'), 1, 1, 0, 1, 0);
  EXPECT_EQ(cell, HandMadeCell('x', 1, std::string(30, 'n'), 1, 1, 1, 0, 0));

  const ValueCell read = DecodeValueCell(HandMadeCell('z', 9, "Alta", 8, 10, 42, 3, 1));
  EXPECT_EQ(read.character, 'z');
  EXPECT_EQ(read.fieldName, "Alta");
  EXPECT_EQ(read.recordNumber, 42);
  EXPECT_EQ(read.lastCharacter, 1);
  // A name of all 31 bytes without a terminator reads as those 31 characters.
  std::string unterminated = HandMadeCell('z', 9, "", 8, 10, 42, 3, 1);
  unterminated.replace(5, 31, std::string(31, 'q'));
  EXPECT_EQ(DecodeValueCell(unterminated).fieldName, std::string(31, 'q'));
  // A short record reads what it holds, the rest as zeros.
  EXPECT_EQ(DecodeValueCell(unterminated.substr(0, 20)).fieldName, std::string(15, 'q'));
  EXPECT_EQ(DecodeValueCell(unterminated.substr(0, 20)).recordNumber, 0);
}

TEST(DatabaseRecords, FieldDefinitionBytesAtTheirOffsets) {
  std::string bytes(12042, '\0');
  PutLittleEndian(bytes, 0, 0x11223344, 4);
  bytes.replace(4, 5, "Color");
  PutLittleEndian(bytes, 35, 9, 2);
  PutLittleEndian(bytes, 37, 3, 2);
  PutLittleEndian(bytes, 39, -5, 2);
  bytes.replace(41, 15, "rojo|verde|azul");

  const FieldDefinition field = DecodeFieldDefinition(bytes);
  EXPECT_EQ(field.recordKind, 0x11223344);
  EXPECT_EQ(field.fieldName, "Color");
  EXPECT_EQ(field.fieldType, 9);
  EXPECT_EQ(field.maxLength, 3);
  EXPECT_EQ(field.spare, -5);
  EXPECT_EQ(field.listText, "rojo|verde|azul");
  EXPECT_EQ(EncodeFieldDefinition(field), bytes);

  // Texts that fill their whole width without a terminator are read to the field's end.
  bytes.replace(4, 31, std::string(31, 'N'));
  bytes.replace(41, 12001, std::string(12001, 'L'));
  EXPECT_EQ(DecodeFieldDefinition(bytes).fieldName, std::string(31, 'N'));
  EXPECT_EQ(DecodeFieldDefinition(bytes).listText, std::string(12001, 'L'));
}

class DatabaseFiles : public DatabaseTest {};

TEST_F(DatabaseFiles, RecordCountIsTheLastCellsRecordNumber) {
  const std::string folder = testenv::NewFolder("count");
  const std::string path = folder + "v.zbd";
  EXPECT_EQ(CountValueFileRecords(path), 0) << "missing";
  struct Case {
    std::string bytes;
    int64_t count;
  };
  const std::string cell1 = EncodeValueCell('a', 1, "A", 3, 5, 0, 1, 1);
  const std::string cell2 = EncodeValueCell('b', 1, "A", 3, 5, 0, 2, 1);
  const Case cases[] = {
      {"", 0},
      {std::string(53, 'x'), 0},
      {cell1, 1},
      {cell1 + cell2 + cell2, 2},
      {cell1 + cell2 + std::string(20, 'x'), 2},   // a trailing partial cell is never read
      // A last cell naming a record its place cannot hold is read as the record before it.
      {cell1 + EncodeValueCell('c', 1, "A", 3, 5, 0, 1LL << 60, 1), 1},
      {cell1 + EncodeValueCell('c', 1, "A", 3, 5, 0, -4, 1), 1},
      {EncodeValueCell('c', 1, "A", 3, 5, 0, 0, 1), 0},
  };
  for (const Case& c : cases) {
    testfiles::WriteRaw(path, c.bytes);
    EXPECT_EQ(CountValueFileRecords(path), c.count) << c.bytes.size() << " bytes";
  }
  EXPECT_EQ(GetLastRecordNumber(), 3);
  EXPECT_EQ(GetLastArchivedRecordNumber(), 3);
}

TEST_F(DatabaseFiles, LinkedValuesOfEveryFieldType) {
  struct Case {
    const char* field;
    int64_t record;
    const char* value;
  };
  const Case cases[] = {
      {"Nom", 1, "Al"},
      {"Nombre", 1, "Ana"},
      {"Apellido", 1, "P\xE9rez"},
      {"Fonetica", 1, "'ana"},
      {"Importe", 1, "1.234'5"},
      {"Unidades", 1, "7"},
      {"Activo", 1, "1"},
      {"Notas", 1, "Cliente preferente"},
      {"Telefono", 1, "912345678"},
      {"Email", 1, "ana@x.es"},
      {"Alta", 1, "15/03/1980"},
      {"Color", 1, "101"},
      {"Raro", 1, "zz"},
      {"Doble", 1, "uno"},    // stored twice: the first copy
      {"CampoConUnNombreDeTreintaYUnoXY", 1, "largo"},
      {"Nombre", 2, "Jos\xE9"},
      {"Apellido", 2, "No datos"},   // no value in that record
      {"Nombre", 3, "Eva"},
      {"Telefono", 3, "No datos"},   // its last cell never comes
      {"Email", 3, "eva@x.es"},
      {"nombre", 1, "No datos"},     // names are compared exactly
      {"Nombre ", 1, "No datos"},
      {"Nombre", 4, "No datos"},
      {"Nombre", 0, "No datos"},
      {"Nombre", -1, "No datos"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadRecordFieldValue(c.field, c.record), c.value) << c.field << " " << c.record;
  }
}

TEST_F(DatabaseFiles, RecordValuesReadInOnePass) {
  const auto values = ReadRecordValues(ValueFilePath(linkedDatabaseFolder), 3);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0], (std::pair<std::string, std::string>("Nombre", "Eva")));
  EXPECT_EQ(values[1], (std::pair<std::string, std::string>("Apellido", "N\xFA\xF1" "ez")));
  EXPECT_EQ(values[2], (std::pair<std::string, std::string>("Importe", "99")));
  EXPECT_EQ(values[3], (std::pair<std::string, std::string>("Email", "eva@x.es")));
  const auto first = ReadRecordValues(ValueFilePath(linkedDatabaseFolder), 1);
  ASSERT_EQ(first.size(), 15u);
  EXPECT_EQ(first[13], (std::pair<std::string, std::string>("Doble", "uno")));
}

TEST_F(DatabaseFiles, FieldLookupsTakeTheLastDefinition) {
  EXPECT_EQ(LoadFieldNamesAndTypes(), 17);
  EXPECT_EQ(linkedFieldNames[1], "Nom");
  EXPECT_EQ(linkedFieldNames[16], "CampoConUnNombreDeTreintaYUnoXY");
  EXPECT_EQ(linkedFieldTypes[12], kFieldListChoice);
  EXPECT_EQ(FindLinkedFieldType("Doble"), kFieldYesNo);
  EXPECT_EQ(FindLinkedFieldType("Alta"), kFieldDate);
  EXPECT_EQ(FindLinkedFieldType("NoExiste"), 0);
  EXPECT_EQ(IsCapturableField("Doble"), 1);
  EXPECT_EQ(IsCapturableField("Fonetica"), 1);
  EXPECT_EQ(IsCapturableField("Notas"), 0);
  EXPECT_EQ(IsCapturableField("NoExiste"), 0);

  linkedDatabaseFolder = testenv::NewFolder("missing");
  EXPECT_EQ(LoadFieldNamesAndTypes(), 0);
  EXPECT_EQ(ReadRecordFieldValue("Nombre", 1), "No datos");
  EXPECT_EQ(GetLastRecordNumber(), 0);
}

TEST_F(DatabaseFiles, TemplateReadsKeepTheirCursorOnTheFirstCellOfAValue) {
  templateDatabaseName = "Clientes";
  EXPECT_EQ(CountTemplateRecords(), 3);
  EXPECT_EQ(GetTemplateFieldType("Alta"), kFieldDate);
  // The list text comes untrimmed, and only from a list field.
  EXPECT_EQ(GetTemplateFieldListText("Color"), "  rojo|verde|azul  ");
  EXPECT_EQ(GetTemplateFieldListText("Nombre"), "");
  EXPECT_EQ(GetTemplateFieldListText("Lleno").size(), 12001u);

  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "Ana");
  EXPECT_EQ(cachedRecordNumber, 1);
  const int64_t onNombre = templateCellCursor;
  EXPECT_EQ(ReadTemplateFieldValue("Apellido", 1), "P\xE9rez");
  EXPECT_EQ(templateCellCursor, onNombre);
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "Ana");
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "Ana");
  // A field stored before the first one read of the record lies behind the cursor.
  EXPECT_EQ(ReadTemplateFieldValue("Nom", 1), "No datos");
  // The next records, read in order, move the cursor on; an earlier one is then behind it.
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 2), "Jos\xE9");
  EXPECT_GT(templateCellCursor, onNombre);
  EXPECT_EQ(ReadTemplateFieldValue("Activo", 2), "0");
  EXPECT_EQ(ReadTemplateFieldValue("Apellido", 3), "N\xFA\xF1" "ez");
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "No datos");
  templateCellCursor = 1;
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "Ana");

  templateDatabaseName = "NoExiste";
  EXPECT_EQ(CountTemplateRecords(), 0);
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "No datos");
}

TEST_F(DatabaseFiles, TemplateReadsSeeCellsAppendedBetweenThemAndAFileRewrittenFromTheStart) {
  linkedDatabaseFolder = databasetest::CopyOfFixture("Clientes");
  programFolder = linkedDatabaseFolder + "../";
  templateDatabaseName = "Clientes";
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 1), "Ana");
  ASSERT_GT(templateCellCursor, 1);
  // A capture while a record block reads the same database.
  ASSERT_EQ(AppendZbdEntry('Z', 1, "Nombre", 3, 30, 0, 4, 0), 0);
  ASSERT_EQ(AppendZbdEntry('o', 1, "Nombre", 3, 30, 0, 4, 1), 0);
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 4), "Zo");
  EXPECT_EQ(CountTemplateRecords(), 4);
  // The file written anew at the same length, then read again from the first cell, as a run,
  // a record block and a database statement start.
  const std::string path = ValueFilePath(linkedDatabaseFolder);
  std::string bytes = testfiles::ReadRaw(path);
  bytes[bytes.size() - 2 * 54 + 4] = 'Y';
  testfiles::WriteRaw(path, bytes);
  templateCellCursor = 1;
  EXPECT_EQ(ReadTemplateFieldValue("Nombre", 4), "Yo");
}

TEST_F(DatabaseFiles, AppendedCellsGoAfterTheLastWholeCell) {
  linkedDatabaseFolder = testenv::NewFolder("append");
  const std::string path = ValueFilePath(linkedDatabaseFolder);
  ASSERT_EQ(AppendZbdEntry('H', 4, "Campo", 3, 20, 9, 1, 0), 0);
  EXPECT_EQ(testfiles::ReadRaw(path), HandMadeCell('H', 4, "Campo", 3, 20, 1, 9, 0));
  // A partial cell left at the end is written over.
  testfiles::WriteRaw(path, testfiles::ReadRaw(path) + "xyz");
  ASSERT_EQ(AppendZbdEntry('i', 4, "Campo", 3, 20, 9, 1, 1), 0);
  EXPECT_EQ(testfiles::ReadRaw(path), HandMadeCell('H', 4, "Campo", 3, 20, 1, 9, 0) +
                                          HandMadeCell('i', 4, "Campo", 3, 20, 1, 9, 1));
  EXPECT_EQ(ReadRecordFieldValue("Campo", 1), "Hi");
}

}  // namespace
