// Both programs tell the pictures a document lacks in one message, however it is opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "shell/main_window.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"
#include "tests/velprint/velprint_test.h"
#include "velprint/main_window.h"

namespace {

using ui::testing::AnswerFile;
using ui::testing::ChooseMenu;
using velprinttest::DocumentBytes;
using velprinttest::Messages;
using velprinttest::WithVelprint;

// A form of 498 pictures that were moved away says so in one message, whichever way it is
// opened and in either program; its objects stay with their paths and sizes.
TEST(BothPrograms, ADocumentWhosePicturesAreGoneSaysSoOnceHoweverItOpens) {
  const std::string folder = testenv::NewFolder("sin fotos");
  AllocateStore();
  objectCount = 1;
  for (int k = 0; k < kMaxDocumentRecords - 1; ++k) {
    PageObject& image = velprinttest::AddObject(kImage, 10 + k, 20, 30, 40 + k);
    SetFixedField(image.imagePath, folder + "fotos/" + std::to_string(k) + ".png");
  }
  const std::string current = folder + "actual.qorvex", old = folder + "antiguo.qorvex";
  testfiles::WriteRaw(current, DocumentBytes());
  testfiles::WriteRaw(old, DocumentBytes(kOldPageObjectLength));
  AllocateStore();
  objectCount = 1;

  const auto expectOneMessage = [&](const std::vector<std::string>& shown) {
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("No puedo leer 498 im\xE1genes del documento ...\r\n", 0), 0u);
    EXPECT_NE(shown[0].find("\r\n" + folder + "fotos/19.png (no existe)\r\n... y 478 m\xE1s"),
              std::string::npos)
        << shown[0];
    ASSERT_EQ(objectCount, kMaxDocumentRecords);
    for (int k = 0; k < kMaxDocumentRecords - 1; ++k) {
      const PageObject& o = pageObjects[k + 2];
      EXPECT_EQ(std::string(o.imagePath), folder + "fotos/" + std::to_string(k) + ".png");
      EXPECT_EQ(o.x, 10 + k);
      EXPECT_EQ(o.width, 30);
      EXPECT_EQ(o.height, 40 + k);
    }
  };
  // Past the start-up question.
  const auto afterStart = [] {
    const std::vector<std::string> all = Messages();
    return std::vector<std::string>(all.begin() + 1, all.end());
  };
  for (const ProgramVariant* program : {&kVelprintProgram, &kDesignerProgram}) {
    SCOPED_TRACE(program->name);
    RunProgramWindow(*program, [&](ui::Window) { expectOneMessage(afterStart()); }, {current});
  }
  WithVelprint([&](ui::Window main) {
    ui::testing::Begin();
    AnswerFile(current);
    ChooseMenu(main, kCommandOpenDocument);
    expectOneMessage(Messages());
    ui::testing::Begin();
    AnswerFile(old);
    ChooseMenu(main, kCommandOpenOldDocument);
    expectOneMessage(Messages());
  });
}

}  // namespace
