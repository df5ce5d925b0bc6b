#include "page/admin_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

bool SamePreset(const AdminStylePreset& a, const AdminStylePreset& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class AdminPresetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files::DeleteFile(AdminControlsPath());
    for (int s = 1; s <= kAdminStyleCount; ++s) adminStylePresets[s] = DefaultAdminStylePreset(s);
  }
  static std::vector<std::string> FileLines() {
    std::vector<std::string> lines;
    EXPECT_EQ(files::ReadTextLines(AdminControlsPath(), 1 << 20, lines), 0);
    return lines;
  }
};

TEST_F(AdminPresetsTest, TheBuiltInPresetsAreTheFormsCommonFields) {
  struct Row {
    int style;
    const char* text;
    int32_t xarea, yarea, w, pluma, n, cols;
    int16_t ali, sepa;
    int32_t eti, shape;
  };
  const Row rows[] = {
      {1, "Apellidos Cliente", 110, 20, 300, 1, 1, 0, 132, 0, 1, 0},
      {2, "Sexo", 40, 20, 14, 1, 1, 0, 132, 0, 1, 0},
      {3, "N\xFAmero de tel\xE9" "fono", 140, 20, 15, 1, 12, 0, 132, 1, 1, 0},
      {4, "N\xFAmero de cuenta", 130, 20, 15, 1, 20, 0, 132, 0, 1, 0},
      {5, "Apellidos:", 90, 20, 500, 1, 1, 0, 132, 0, 0, 0},
      {6, "Familia numerosa", 97, 15, 0, 0, 1, 0, 133, 0, 0, 0},
      {7, "Apellidos Cliente", 500, 50, 300, 1, 1, 0, 131, 0, 1, 0},
      {8, "Apellidos Cliente", 500, 35, 300, 1, 1, 0, 131, 0, 1, 0},
      {9, "Direcci\xF3n:", 90, 20, 500, 1, 1, 0, 131, 0, 0, 0},
      {10, "Apellidos Alumno:", 110, 20, 300, 1, 1, 0, 132, 0, 1, 0},
  };
  // No file yet: the defaults stand, and the file is written with them.
  InitAdminStylePresets();
  for (const Row& r : rows) {
    SCOPED_TRACE(r.style);
    const AdminStylePreset& p = adminStylePresets[r.style];
    EXPECT_EQ(AdminPresetText(p), r.text);
    EXPECT_EQ(p.labelAreaWidth, r.xarea);
    EXPECT_EQ(p.labelAreaHeight, r.yarea);
    EXPECT_EQ(p.cellWidth, r.w);
    EXPECT_EQ(p.penWidth, r.pluma);
    EXPECT_EQ(p.cellCount, r.n);
    EXPECT_EQ(p.colour, r.cols);
    EXPECT_EQ(p.alignment, r.ali);
    EXPECT_EQ(p.cellSpacing, r.sepa);
    EXPECT_EQ(p.labelVisible, r.eti);
    EXPECT_EQ(p.optionShape, r.shape);
  }
  EXPECT_EQ(AdminObjectKind(6), 8);
  for (int s : {1, 2, 3, 4, 5, 7, 8, 9, 10}) EXPECT_EQ(AdminObjectKind(s), 7) << s;
}

TEST_F(AdminPresetsTest, AFirstRunWritesTenSectionsOfElevenKeysInRecordOrder) {
  ASSERT_FALSE(files::FileExists(AdminControlsPath()));
  InitAdminStylePresets();
  const std::vector<std::string> lines = FileLines();
  const char* sections[] = {"Etiqueta Celda Cerrada", "Etiqueta Celda Abierta", "Etiqueta Celdillas Cerradas",
                            "Etiqueta Celdillas Abiertas", "Etiqueta Linea", "Etiqueta Celda Opcion",
                            "Etiqueta Interior Celda Cerrada", "Etiqueta Exterior Celda Cerrada",
                            "Linea Etiqueta", "Etiqueta Texto"};
  const char* keys[] = {"texto", "xarea", "yarea", "w", "pluma", "n", "cols", "ali", "sepa", "eti", "shape"};
  std::vector<std::string> expected;
  for (const char* s : sections) {
    expected.push_back(std::string("[") + s + "]");
    for (const char* k : keys) expected.push_back(k);
  }
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    found.push_back(line[0] == '[' ? line : line.substr(0, line.find('=')));
  }
  EXPECT_EQ(found, expected);
  // Numbers that are not negative are written after one blank.
  auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
  EXPECT_TRUE(has("texto=N\xFAmero de tel\xE9" "fono"));
  EXPECT_TRUE(has("xarea= 140"));
  EXPECT_TRUE(has("ali= 133"));
  EXPECT_TRUE(has("pluma= 0"));
}

TEST_F(AdminPresetsTest, EveryKeyOfEveryStyleIsSavedAndReadBack) {
  std::array<AdminStylePreset, kAdminStyleCount + 1> edited{};
  for (int s = 1; s <= kAdminStyleCount; ++s) {
    AdminStylePreset& p = adminStylePresets[s];
    SetAdminPresetText(p, "Etiqueta \xE1\xF1 " + std::to_string(s));
    p.labelAreaWidth = 100 + s;
    p.labelAreaHeight = 200 + s;
    p.cellWidth = 300 + s;
    p.penWidth = s;
    p.cellCount = 40 + s;
    p.colour = s == 4 ? -2 : 0x102030 * s;
    p.alignment = static_cast<int16_t>(131 + s % 4);
    p.cellSpacing = static_cast<int16_t>(s * 3);
    p.labelVisible = s % 2;
    p.optionShape = s == 6 ? 1 : 7;
    edited[s] = p;
  }
  LoadSaveAdminStylePresets("save");
  for (int s = 1; s <= kAdminStyleCount; ++s) adminStylePresets[s] = DefaultAdminStylePreset(s);
  LoadSaveAdminStylePresets("get");
  for (int s = 1; s <= kAdminStyleCount; ++s) EXPECT_TRUE(SamePreset(adminStylePresets[s], edited[s])) << s;
  // What the file holds is what a later start reads.
  InitAdminStylePresets();
  for (int s = 1; s <= kAdminStyleCount; ++s) EXPECT_TRUE(SamePreset(adminStylePresets[s], edited[s])) << s;
}

TEST_F(AdminPresetsTest, LabelsKeepTheirOuterBlanksAndQuotesThroughTheFile) {
  const std::string labels[] = {"  Nombre", "Nombre  ", "\"Nombre\"", "'x'", "a=b", ""};
  for (const std::string& label : labels) {
    SCOPED_TRACE(label);
    SetAdminPresetText(adminStylePresets[2], label);
    LoadSaveAdminStylePresets("save");
    SetAdminPresetText(adminStylePresets[2], "otro");
    LoadSaveAdminStylePresets("get");
    EXPECT_EQ(AdminPresetText(adminStylePresets[2]), label);
  }
}

TEST_F(AdminPresetsTest, ADamagedValueTakesItsDefaultAndAMissingKeyKeepsTheValueInMemory) {
  struct Case {
    const char* line;
    AdminPresetKey key;
    int64_t expected;
  };
  // Style 3's built-in values: xarea 140, w 15, pluma 1, n 12, ali 132, sepa 1.
  const Case cases[] = {
      {"cols=&HFF", AdminPresetKey::Colour, 255},
      {"cols=-2", AdminPresetKey::Colour, -2},
      {"xarea= 12.5", AdminPresetKey::AreaWidth, 12},
      {"xarea=13.5", AdminPresetKey::AreaWidth, 14},
      {"xarea=\"  77\"", AdminPresetKey::AreaWidth, 77},
      {"xarea=abc", AdminPresetKey::AreaWidth, 140},
      {"xarea=", AdminPresetKey::AreaWidth, 140},
      {"xarea=-5", AdminPresetKey::AreaWidth, 140},
      {"sepa=99999", AdminPresetKey::CellSpacing, 1},
      {"n=99999999999", AdminPresetKey::CellCount, 12},
      {"n=2147483647", AdminPresetKey::CellCount, 12},
      {"n= 30", AdminPresetKey::CellCount, 30},
      {"pluma=500", AdminPresetKey::PenWidth, 1},
      {"ali=7", AdminPresetKey::Alignment, 132},
      {"ali=134", AdminPresetKey::Alignment, 134},
      {"eti=2", AdminPresetKey::LabelVisible, 2},
      {"w=1E+30", AdminPresetKey::CellWidth, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    AdminStylePreset& p = adminStylePresets[3];
    p = DefaultAdminStylePreset(3);
    p.labelAreaHeight = 33;   // not in the file: stays
    testfiles::WriteRaw(AdminControlsPath(), std::string("[etiqueta celdillas cerradas]\r\n") + c.line + "\r\n");
    LoadSaveAdminStylePresets("get");
    EXPECT_EQ(AdminPresetNumber(p, c.key), c.expected);
    EXPECT_EQ(p.labelAreaHeight, 33);
  }
}

TEST_F(AdminPresetsTest, ALongLabelIsCutTo112Characters) {
  testfiles::WriteRaw(AdminControlsPath(), "[Etiqueta Texto]\r\ntexto=" + std::string(150, 'x') + "\r\n");
  LoadSaveAdminStylePresets("get");
  EXPECT_EQ(AdminPresetText(adminStylePresets[10]), std::string(112, 'x'));
  SetAdminPresetText(adminStylePresets[1], std::string(300, 'y'));
  EXPECT_EQ(AdminPresetText(adminStylePresets[1]).size(), 112u);
  EXPECT_EQ(adminStylePresets[1].text[112], '\0');
}

TEST_F(AdminPresetsTest, OnlyTheExactModesReadOrWrite) {
  const std::string original = "[Etiqueta Celda Cerrada]\r\nxarea= 55\r\n";
  testfiles::WriteRaw(AdminControlsPath(), original);
  for (const char* mode : {"Get", "GET", "Save", "SAVE", "", "get ", "load"}) {
    SCOPED_TRACE(mode);
    LoadSaveAdminStylePresets(mode);
    EXPECT_EQ(adminStylePresets[1].labelAreaWidth, 110);
    EXPECT_EQ(testfiles::ReadRaw(AdminControlsPath()), original);
  }
  LoadSaveAdminStylePresets("get");
  EXPECT_EQ(adminStylePresets[1].labelAreaWidth, 55);
}

TEST_F(AdminPresetsTest, AnExistingFileIsReadAtStartAndNotRewritten) {
  const std::string original = "[Etiqueta Celda Opcion]\r\nshape= 1\r\ntexto=S\xED\r\n";
  testfiles::WriteRaw(AdminControlsPath(), original);
  SetAdminPresetText(adminStylePresets[6], "cambiado");
  InitAdminStylePresets();
  EXPECT_EQ(adminStylePresets[6].optionShape, 1);
  EXPECT_EQ(AdminPresetText(adminStylePresets[6]), "S\xED");
  EXPECT_TRUE(SamePreset(adminStylePresets[1], DefaultAdminStylePreset(1)));
  EXPECT_EQ(testfiles::ReadRaw(AdminControlsPath()), original);
}

TEST_F(AdminPresetsTest, AFailedSaveIsReportedAndKeepsTheOldFileWhole) {
  const std::string original = "[Etiqueta Linea]\r\ntexto=Nombre:\r\n; del usuario\r\n";
  testfiles::WriteRaw(AdminControlsPath(), original);
  SetAdminPresetText(adminStylePresets[5], "Apellidos:");
  using files::testing::Step;
  for (Step step : {Step::Create, Step::Write, Step::Flush, Step::Rename}) {
    SCOPED_TRACE(static_cast<int>(step));
    files::testing::FailureScope full(step, ENOSPC, 100);
    EXPECT_EQ(LoadSaveAdminStylePresets("save"), files::ErrorText(ENOSPC));
    EXPECT_EQ(files::testing::FailuresFired(), 1) << "one write for the whole table";
    EXPECT_EQ(testfiles::ReadRaw(AdminControlsPath()), original);
  }
  EXPECT_EQ(LoadSaveAdminStylePresets("save"), "");
  EXPECT_EQ(FileLines().size(), 10u * 12u + 1u) << "ten sections of eleven keys, and the note";
}

// A presets file that is no file to read gives the built-in presets and says why.
TEST_F(AdminPresetsTest, APresetsFileThatCannotBeReadIsReported) {
  files::OverrideDataFolder(testenv::NewFolder("presets"));
  std::filesystem::create_symlink("/dev/zero", AdminControlsPath());
  EXPECT_EQ(InitAdminStylePresets(), "No puedo leer los controles administrativos <" +
                                         AdminControlsPath() + "> ...\r\n" +
                                         files::ErrorText(files::kNotRegularFile));
  EXPECT_TRUE(SamePreset(adminStylePresets[1], DefaultAdminStylePreset(1)));
  files::OverrideDataFolder(testenv::NewFolder("presets-missing"));
  EXPECT_EQ(InitAdminStylePresets(), "");
  EXPECT_EQ(LoadSaveAdminStylePresets("get"), "");
}

TEST(AdminPresetFieldsTest, NumbersAreHeldWithinTheirFieldsRange) {
  struct Case {
    AdminPresetKey key;
    long double value;
    int64_t stored;
  };
  const Case cases[] = {
      {AdminPresetKey::CellCount, 99999999999.0L, kAdminMaxCellCount},
      {AdminPresetKey::CellSpacing, 99999, kAdminMaxSize},
      {AdminPresetKey::PenWidth, 1e9L, kAdminMaxPenWidth},
      {AdminPresetKey::AreaWidth, -3, 0},
      {AdminPresetKey::AreaHeight, 2.5L, 2},
      {AdminPresetKey::Alignment, 0, 131},
      {AdminPresetKey::Colour, 1e12L, INT32_MAX},
  };
  for (const Case& c : cases) {
    AdminStylePreset p = DefaultAdminStylePreset(1);
    SetAdminPresetNumber(p, c.key, c.value);
    EXPECT_EQ(AdminPresetNumber(p, c.key), c.stored) << AdminPresetKeyName(c.key);
  }
  EXPECT_EQ(AdminPresetOf(0), nullptr);
  EXPECT_EQ(AdminPresetOf(11), nullptr);
  EXPECT_EQ(AdminStyleSection(0), "");
  EXPECT_EQ(AdminStyleComboText(6), "06 - Etiqueta Celda Opci\xF3n");
  EXPECT_EQ(AdminStyleComboText(9), "09 - L\xEDnea Etiqueta");
}

}  // namespace
