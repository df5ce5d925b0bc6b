#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "page/settings.h"
#include "platform/files/files.h"
#include "tests/support/test_env.h"

namespace {

std::string SettingsText() {
  std::string data;
  files::ReadWholeFile(SettingsFilePath(), 1 << 20, data);
  return data;
}

void WriteSettings(const std::string& content) {
  ASSERT_EQ(files::WriteAllAtomically(SettingsFilePath(), content), 0);
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files::OverrideDataFolder(testenv::NewFolder("settings"));
    ForgetValues();
  }
  // Every global set to a value no key gives by default.
  static void ForgetValues() {
    marginLeft = marginRight = marginTop = marginBottom = -1;
    insertX = insertY = -1;
    imageFormatOption = soundMuted = noMargins = -1;
    printCopies = printColorMode = printQuality = -1;
    paperWidthMm = paperHeightMm = -1;
    linkedDatabaseFolder = "x";
    ambientColorOn = ambientColor = -1;
  }
};

TEST_F(SettingsTest, MissingFileGivesTheDefaults) {
  ASSERT_FALSE(files::FileExists(SettingsFilePath()));
  LoadSaveSettings("get");
  EXPECT_EQ(marginLeft, 10);
  EXPECT_EQ(marginRight, 10);
  EXPECT_EQ(marginTop, 10);
  EXPECT_EQ(marginBottom, 10);
  EXPECT_EQ(insertX, 10);
  EXPECT_EQ(insertY, 10);
  EXPECT_EQ(imageFormatOption, 2009);
  EXPECT_EQ(soundMuted, 1);
  EXPECT_EQ(noMargins, 0);
  EXPECT_EQ(printCopies, 1);
  EXPECT_EQ(printColorMode, 1);
  EXPECT_EQ(printQuality, 1);
  EXPECT_EQ(paperWidthMm, 210);
  EXPECT_EQ(paperHeightMm, 297);
  EXPECT_EQ(linkedDatabaseFolder, "");
  EXPECT_EQ(ambientColorOn, 0);
  EXPECT_EQ(ambientColor, 16775408);
  EXPECT_FALSE(files::FileExists(SettingsFilePath())) << "reading must not create the file";
}

TEST_F(SettingsTest, SaveWritesEveryKeyInOrderWithABlankBeforeNonNegativeNumbers) {
  marginLeft = 10; marginRight = 0; marginTop = -5; marginBottom = 12;
  insertX = 30; insertY = 40;
  imageFormatOption = 2011; soundMuted = 0; noMargins = 1;
  printCopies = 10; printColorMode = 2; printQuality = 4;
  paperWidthMm = 148; paperHeightMm = 210;
  linkedDatabaseFolder = "C:\\datos\\clientes\\";
  ambientColorOn = 1; ambientColor = 16775408;
  EXPECT_EQ(LoadSaveSettings("save"), "");
  EXPECT_EQ(SettingsText(),
            "[Margenes]\r\n"
            "izquierdo= 10\r\n"
            "derecho= 0\r\n"
            "Arriba=-5\r\n"
            "Abajo= 12\r\n"
            "[Posicion]\r\n"
            "X= 30\r\n"
            "Y= 40\r\n"
            "[Graficos]\r\n"
            "Formato= 2011\r\n"
            "[Activar]\r\n"
            "Sonido= 0\r\n"
            "Margen_NO= 1\r\n"
            "[Imprimir]\r\n"
            "Copias= 10\r\n"
            "Color= 2\r\n"
            "Calidad= 4\r\n"
            "[Formato Papel]\r\n"
            "Ancho= 148\r\n"
            "Alto= 210\r\n"
            "[Base Datos]\r\n"
            "Vinculado=C:\\datos\\clientes\\\r\n"
            "[Color Ambiente]\r\n"
            "Opcion= 1\r\n"
            "Color= 16775408\r\n");
}

TEST_F(SettingsTest, SaveThenGetGivesEveryValueBack) {
  marginLeft = 11; marginRight = 12; marginTop = 13; marginBottom = 14;
  insertX = 150; insertY = -20;
  imageFormatOption = 2012; soundMuted = 0; noMargins = 1;
  printCopies = 3; printColorMode = 2; printQuality = 3;
  paperWidthMm = 200; paperHeightMm = 280;
  linkedDatabaseFolder = "/home/ana/datos/clientes/";
  ambientColorOn = 1; ambientColor = 0x123456;
  ASSERT_EQ(LoadSaveSettings("save"), "");
  ForgetValues();
  LoadSaveSettings("get");
  EXPECT_EQ(marginLeft, 11);
  EXPECT_EQ(marginRight, 12);
  EXPECT_EQ(marginTop, 13);
  EXPECT_EQ(marginBottom, 14);
  EXPECT_EQ(insertX, 150);
  EXPECT_EQ(insertY, -20);
  EXPECT_EQ(imageFormatOption, 2012);
  EXPECT_EQ(soundMuted, 0);
  EXPECT_EQ(noMargins, 1);
  EXPECT_EQ(printCopies, 3);
  EXPECT_EQ(printColorMode, 2);
  EXPECT_EQ(printQuality, 3);
  EXPECT_EQ(paperWidthMm, 200);
  EXPECT_EQ(paperHeightMm, 280);
  EXPECT_EQ(linkedDatabaseFolder, "/home/ana/datos/clientes/");
  EXPECT_EQ(ambientColorOn, 1);
  EXPECT_EQ(ambientColor, 0x123456);
}

TEST_F(SettingsTest, ValuesWrittenByHandAreReadAsNumbers) {
  WriteSettings(
      "[color ambiente]\r\nColor=&HFFF8F0\r\n"
      "[FORMATO PAPEL]\r\nANCHO=148 mm\r\nAlto=\"200\"\r\n"
      "[Margenes]\r\nizquierdo=12.5\r\nderecho=13.5\r\nArriba=abc\r\nAbajo=\r\n"
      "[Posicion]\r\nX=&H0A\r\n");
  LoadSaveSettings("get");
  EXPECT_EQ(ambientColor, 16775408);
  EXPECT_EQ(paperWidthMm, 148);
  EXPECT_EQ(paperHeightMm, 200);
  EXPECT_EQ(marginLeft, 12) << "halves go to the even neighbour";
  EXPECT_EQ(marginRight, 14);
  EXPECT_EQ(marginTop, 0) << "a text without a number reads as 0";
  EXPECT_EQ(marginBottom, 0) << "a key present with an empty value gives 0, not the default";
  EXPECT_EQ(insertX, 10);
  EXPECT_EQ(insertY, 10) << "a missing key gives its default";
}

// A settings file as the programs write it, every key in its order with the value it has
// when none is written, but for the values given.
struct Line {
  const char* section;
  const char* key;
  std::string value;
};

std::string SettingsFileWith(const std::vector<Line>& values) {
  const Line defaults[] = {
      {"Margenes", "izquierdo", " 10"}, {"Margenes", "derecho", " 10"},
      {"Margenes", "Arriba", " 10"},    {"Margenes", "Abajo", " 10"},
      {"Posicion", "X", " 10"},         {"Posicion", "Y", " 10"},
      {"Graficos", "Formato", " 2009"}, {"Activar", "Sonido", " 1"},
      {"Activar", "Margen_NO", " 0"},   {"Imprimir", "Copias", " 1"},
      {"Imprimir", "Color", " 1"},      {"Imprimir", "Calidad", " 1"},
      {"Formato Papel", "Ancho", " 210"}, {"Formato Papel", "Alto", " 297"},
      {"Base Datos", "Vinculado", "/datos/clientes/"},
      {"Color Ambiente", "Opcion", " 0"}, {"Color Ambiente", "Color", " 16775408"},
  };
  std::string text, section;
  for (const Line& d : defaults) {
    if (d.section != section) text += "[" + (section = d.section) + "]\r\n";
    std::string value = d.value;
    for (const Line& v : values)
      if (std::string(v.section) == d.section && std::string(v.key) == d.key) value = v.value;
    text += std::string(d.key) + "=" + value + "\r\n";
  }
  return text;
}

// A value a user may write by hand survives a get and a save byte for byte, in both programs,
// whatever the dialogs offer; only a value that would break the page, or that its global
// cannot hold, takes its default.
TEST_F(SettingsTest, HandWrittenValuesSurviveAGetAndASaveUnlessTheyBreakThePage) {
  struct Case {
    std::vector<Line> written;
    std::vector<Line> saved;   // empty: the file comes back as written
  };
  const Case cases[] = {
      // Kept: the program draws and prints with them.
      {{{"Formato Papel", "Ancho", " 216"}, {"Formato Papel", "Alto", " 420"}}, {}},
      {{{"Imprimir", "Calidad", " 600"}}, {}},
      {{{"Imprimir", "Calidad", " 9"}}, {}},
      {{{"Imprimir", "Calidad", "-1"}}, {}},
      {{{"Imprimir", "Copias", " 7"}}, {}},
      {{{"Imprimir", "Copias", " 150"}}, {}},
      {{{"Imprimir", "Color", " 3"}}, {}},
      {{{"Imprimir", "Color", " 0"}}, {}},
      {{{"Margenes", "izquierdo", "-1"}}, {}},
      {{{"Margenes", "Abajo", " 5000"}}, {}},
      {{{"Margenes", "Arriba", " 0"}, {"Margenes", "derecho", " 2147483647"}}, {}},
      {{{"Posicion", "X", " 70000"}, {"Posicion", "Y", "-20"}}, {}},
      {{{"Posicion", "X", " 1000000"}, {"Posicion", "Y", "-1000000"}}, {}},
      {{{"Graficos", "Formato", " 1"}}, {}},
      {{{"Graficos", "Formato", " 2013"}}, {}},
      {{{"Activar", "Sonido", " 7"}, {"Activar", "Margen_NO", "-1"}}, {}},
      {{{"Color Ambiente", "Opcion", " 2"}, {"Color Ambiente", "Color", "-1"}}, {}},
      {{{"Formato Papel", "Ancho", " 1"}, {"Formato Papel", "Alto", " 8669"}}, {}},
      {{{"Formato Papel", "Ancho", " 8669"}}, {}},
      {{{"Formato Papel", "Alto", " 297"}}, {}},
      // Fallen back: no page bitmap, no copies, coordinates beyond the drawers' reach, or a
      // number the global cannot hold.
      {{{"Formato Papel", "Ancho", " 0"}}, {{"Formato Papel", "Ancho", " 210"}}},
      {{{"Formato Papel", "Alto", "-3"}}, {{"Formato Papel", "Alto", " 297"}}},
      {{{"Formato Papel", "Alto", ""}}, {{"Formato Papel", "Alto", " 297"}}},
      {{{"Formato Papel", "Ancho", " 8670"}}, {{"Formato Papel", "Ancho", " 210"}}},
      {{{"Formato Papel", "Ancho", " 99999"}}, {{"Formato Papel", "Ancho", " 210"}}},
      {{{"Formato Papel", "Ancho", " 8000"}, {"Formato Papel", "Alto", " 8000"}},
       {{"Formato Papel", "Ancho", " 210"}, {"Formato Papel", "Alto", " 297"}}},
      {{{"Formato Papel", "Ancho", " 0"}, {"Formato Papel", "Alto", " 420"}},
       {{"Formato Papel", "Ancho", " 210"}, {"Formato Papel", "Alto", " 420"}}},
      {{{"Imprimir", "Copias", " 0"}}, {{"Imprimir", "Copias", " 1"}}},
      {{{"Imprimir", "Copias", "-2"}}, {{"Imprimir", "Copias", " 1"}}},
      {{{"Posicion", "X", " 1000001"}, {"Posicion", "Y", "-1000001"}},
       {{"Posicion", "X", " 10"}, {"Posicion", "Y", " 10"}}},
      {{{"Margenes", "izquierdo", " 2147483648"}}, {{"Margenes", "izquierdo", " 10"}}},
      {{{"Color Ambiente", "Color", " 4294967296"}}, {{"Color Ambiente", "Color", " 16775408"}}},
  };
  for (SettingsKeys keys : {SettingsKeys::Designer, SettingsKeys::Shared}) {
    for (const Case& c : cases) {
      const std::string written = SettingsFileWith(c.written);
      SCOPED_TRACE(written);
      WriteSettings(written);
      ForgetValues();
      EXPECT_EQ(LoadSaveSettings("get", keys), "");
      ASSERT_EQ(LoadSaveSettings("save", keys), "");
      EXPECT_EQ(SettingsText(), c.saved.empty() ? written : SettingsFileWith(c.saved));
    }
  }
  // The two examples of a hand-edited file, as the globals hold them.
  WriteSettings(SettingsFileWith({{"Formato Papel", "Ancho", "216"},
                                  {"Formato Papel", "Alto", "420"},
                                  {"Imprimir", "Calidad", "600"}}));
  LoadSaveSettings("get");
  EXPECT_EQ(paperWidthMm, 216);
  EXPECT_EQ(paperHeightMm, 420);
  EXPECT_EQ(printQuality, 600);
}

TEST_F(SettingsTest, SaveKeepsOtherSectionsAndKeys) {
  WriteSettings("; notas\r\n[Velprint]\r\nUltimo=a.qorvex\r\n[Margenes]\r\nOtro=1\r\nizquierdo=3\r\n");
  LoadSaveSettings("get");
  ASSERT_EQ(LoadSaveSettings("save"), "");
  std::string text = SettingsText();
  EXPECT_NE(text.find("; notas\r\n[Velprint]\r\nUltimo=a.qorvex\r\n"), std::string::npos);
  EXPECT_NE(text.find("Otro=1\r\nizquierdo= 3\r\n"), std::string::npos);
}

// The form-filling program shares the file: it keeps every key but the designer's link.
TEST_F(SettingsTest, TheSharedKeysLeaveTheLinkedDatabaseAlone) {
  WriteSettings("[Base Datos]\r\nVinculado=/datos/clientes/\r\n[Imprimir]\r\nCopias=2\r\n");
  LoadSaveSettings("get", SettingsKeys::Shared);
  EXPECT_EQ(printCopies, 2);
  EXPECT_EQ(marginLeft, 10);
  EXPECT_EQ(linkedDatabaseFolder, "x");

  printCopies = 3;
  linkedDatabaseFolder = "/otra/";
  ASSERT_EQ(LoadSaveSettings("save", SettingsKeys::Shared), "");
  const std::string text = SettingsText();
  EXPECT_NE(text.find("Vinculado=/datos/clientes/\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Copias= 3\r\n"), std::string::npos) << text;
  LoadSaveSettings("get");
  EXPECT_EQ(linkedDatabaseFolder, "/datos/clientes/");
}

TEST_F(SettingsTest, OtherModesDoNothing) {
  EXPECT_EQ(LoadSaveSettings("GET"), "");
  EXPECT_EQ(marginLeft, -1);
  EXPECT_EQ(LoadSaveSettings("load"), "");
  EXPECT_FALSE(files::FileExists(SettingsFilePath()));
}

TEST_F(SettingsTest, AFailedSaveIsReportedAndKeepsTheOldFileWhole) {
  const std::string old = "[Margenes]\r\nizquierdo= 25\r\n; a note of the user's\r\n";
  WriteSettings(old);
  marginLeft = 1;
  using files::testing::Step;
  for (Step step : {Step::Create, Step::Write, Step::Flush, Step::Rename}) {
    SCOPED_TRACE(static_cast<int>(step));
    files::testing::FailureScope full(step, ENOSPC, 100);
    EXPECT_EQ(LoadSaveSettings("save"), files::ErrorText(ENOSPC));
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    EXPECT_EQ(SettingsText(), old);
  }
  // A folder that is not there.
  files::OverrideDataFolder(testenv::NewFolder("readonly") + "missing/deeper/");
  EXPECT_EQ(LoadSaveSettings("save").rfind("Err: ", 0), 0u);
}

// One save writes the file once: a failure of its one write leaves no key written.
TEST_F(SettingsTest, ASaveWritesTheFileOnce) {
  marginLeft = 33;
  paperWidthMm = 148;
  {
    files::testing::FailureScope full(files::testing::Step::Create, ENOSPC);
    EXPECT_FALSE(LoadSaveSettings("save").empty());
  }
  EXPECT_FALSE(files::FileExists(SettingsFilePath()));
  EXPECT_EQ(LoadSaveSettings("save"), "");
  ForgetValues();
  LoadSaveSettings("get");
  EXPECT_EQ(marginLeft, 33);
  EXPECT_EQ(paperWidthMm, 148);
}

// A settings file that is no file to read (a folder, a device, a pipe, one far too long)
// gives the defaults and says why; a missing one gives them in silence.
TEST_F(SettingsTest, ASettingsFileThatCannotBeReadIsReportedAndGivesTheDefaults) {
  EXPECT_EQ(LoadSaveSettings("get"), "");
  struct Case {
    const char* name;
    int error;
    std::function<void(const std::string& path)> make;
  };
  const Case cases[] = {
      {"folder", EISDIR, [](const std::string& p) { std::filesystem::create_directory(p); }},
      {"device", files::kNotRegularFile,
       [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
      {"pipe", files::kNotRegularFile, [](const std::string& p) { mkfifo(p.c_str(), 0600); }},
      {"huge", EFBIG, [](const std::string&) {
         WriteSettings("[Margenes]\r\nizquierdo= 25\r\n" + std::string(2 << 20, ';'));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    files::OverrideDataFolder(testenv::NewFolder(c.name));
    const std::string path = SettingsFilePath();
    c.make(path);
    ForgetValues();
    EXPECT_EQ(LoadSaveSettings("get"), "No puedo leer la configuraci\xF3n <" + path + "> ...\r\n" +
                                           files::ErrorText(c.error));
    EXPECT_EQ(marginLeft, 10);
    EXPECT_EQ(paperWidthMm, 210);
  }
}

}  // namespace
