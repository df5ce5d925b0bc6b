// Settings written by hand survive a run of either program, a print through its dialog too.
#include <gtest/gtest.h>

#include <string>

#include "page/command_ids.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "platform/print/print.h"
#include "shell/main_window.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"
#include "velprint/main_window.h"

namespace {

// A file edited by hand outside what the dialogs offer: both programs draw and print with its
// values and write them back as they were, through a print and its settings dialog too.
TEST(BothPrograms, HandWrittenSettingsSurviveARunOfEither) {
  const std::string written =
      "[Imprimir]\r\nCopias= 7\r\nColor= 3\r\nCalidad= 600\r\n"
      "[Formato Papel]\r\nAncho= 216\r\nAlto= 420\r\n";
  const std::string pdf = testenv::NewFolder("hoja") + "larga.pdf";
  print::testing::PrintToPdf(pdf);
  for (const ProgramVariant* program : {&kVelprintProgram, &kDesignerProgram}) {
    SCOPED_TRACE(program->name);
    RunProgramWindow(
        *program,
        [](ui::Window main) {
          ASSERT_EQ(gfx::Width(*pageBitmap), 816);
          ASSERT_EQ(gfx::Height(*pageBitmap), 1587);
          ui::testing::OnDialog("Configura la impresi\xF3n",
                                [](ui::Window d) { ui::testing::Click(d, 1009); });
          ui::testing::AnswerMessageBox(ui::Answer::Yes);
          ui::testing::ChooseMenu(main, kCommandPrint);
          EXPECT_EQ(printCopies, 7);
          EXPECT_EQ(printColorMode, 3);
          EXPECT_EQ(printQuality, 600);
        },
        {}, [&] { testfiles::WriteRaw(SettingsFilePath(), written); });
    const std::string text = testfiles::ReadRaw(SettingsFilePath());
    for (const char* kept : {"Copias= 7\r\n", "Color= 3\r\n", "Calidad= 600\r\n",
                             "Ancho= 216\r\n", "Alto= 420\r\n"})
      EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
    EXPECT_TRUE(files::FileExists(pdf));
    files::DeleteFile(pdf);
  }
  print::testing::PrintToPdf("");
}

}  // namespace
