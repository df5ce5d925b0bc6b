// The settings file as Velprint reads it at start and writes it at the end: the designer's
// file, with the link of the designer's database and everything else Velprint has no key for
// left as it was.
#include "velprint/page_variant.h"

#include <gtest/gtest.h>

#include <string>

#include "page/command_ids.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "tests/velprint/velprint_test.h"

namespace {

using velprinttest::WithVelprint;

void WriteSettings(const std::string& text) { testfiles::WriteRaw(SettingsFilePath(), text); }
std::string SettingsText() { return testfiles::ReadRaw(SettingsFilePath()); }

TEST(VelprintSettings, ARunKeepsTheDesignersKeysAndWritesItsOwn) {
  const std::string designerFile =
      "; escrito por el dise\xF1" "ador\r\n"
      "[Activar]\r\nSonido=0\r\nMargen_NO=1\r\n"
      "[Imprimir]\r\nCopias=2\r\n"
      "[Formato Papel]\r\nAncho=148\r\nAlto=210\r\n"
      "[Base Datos]\r\nVinculado=/datos/clientes/\r\n"
      "[Otra]\r\nclave=valor\r\n";
  WithVelprint(
      [](ui::Window) {
        EXPECT_EQ(soundMuted, 0) << "\"Sonido\" 0: the designer plays its sounds";
        EXPECT_EQ(noMargins, 1);
        EXPECT_EQ(printCopies, 2);
        EXPECT_EQ(gfx::Width(*pageBitmap), 559);
        EXPECT_EQ(gfx::Height(*pageBitmap), 794);
        EXPECT_EQ(linkedDatabaseFolder, "") << "the link is never read";
        printCopies = 3;
        linkedDatabaseFolder = "/otra/";
      },
      {}, [&] { WriteSettings(designerFile); });

  const std::string text = SettingsText();
  for (const char* kept : {"; escrito por el dise\xF1" "ador\r\n", "Sonido= 0\r\n", "Margen_NO= 1\r\n",
                           "Copias= 3\r\n", "Ancho= 148\r\n",
                           "[Base Datos]\r\nVinculado=/datos/clientes/\r\n",
                           "[Otra]\r\nclave=valor\r\n", "Color= 16775408\r\n"})
    EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
}

// With no file, the first run writes the sixteen keys both programs share, and no link.
TEST(VelprintSettings, AFirstRunWritesTheSharedKeysOnly) {
  WithVelprint([](ui::Window) {});
  const std::string text = SettingsText();
  for (const char* key : {"izquierdo= 10", "derecho= 10", "Arriba= 10", "Abajo= 10", "X= 10",
                          "Y= 10", "Formato= 2009", "Sonido= 1", "Margen_NO= 0", "Copias= 1",
                          "Color= 1", "Calidad= 1", "Ancho= 210", "Alto= 297", "Opcion= 0",
                          "Color= 16775408"})
    EXPECT_NE(text.find(std::string(key) + "\r\n"), std::string::npos) << key;
  EXPECT_EQ(text.find("Base Datos"), std::string::npos) << text;
}

// A paper size no page can have is read as the default, so the page bitmap is made.
TEST(VelprintSettings, AnEmptyOrNegativePaperSizeGivesTheDefaultPage) {
  WithVelprint(
      [](ui::Window) {
        EXPECT_EQ(gfx::Width(*pageBitmap), 794);
        EXPECT_EQ(gfx::Height(*pageBitmap), 1123);
      },
      {}, [] { WriteSettings("[Formato Papel]\r\nAncho=\r\nAlto=-5\r\n"); });
}

TEST(VelprintSettings, OnlyGetAndSaveDoAnything) {
  for (const char* mode : {"Get", "SAVE", "", "guardar"}) {
    EXPECT_EQ(VelprintLoadSaveSettings(mode), "");
    EXPECT_FALSE(files::FileExists(SettingsFilePath())) << mode;
  }
  EXPECT_EQ(VelprintLoadSaveSettings("save"), "");
  EXPECT_TRUE(files::FileExists(SettingsFilePath()));
}

}  // namespace
