// The two programs' painters on one page: Velprint leaves memo texts undrawn and shows aligned
// texts as written, where the designer draws both and shows the filled values.
#include <gtest/gtest.h>

#include "page/page_store.h"
#include "page/painter.h"
#include "program/program_variant.h"
#include "shell/main_window.h"
#include "tests/page/ink.h"
#include "tests/velprint/velprint_test.h"

namespace {

using velprinttest::AddText;
using velprinttest::InkIn;

class VelprintPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    MakePageBitmaps();
    AddText(kAlignedText, 100, 100, 400, 40, "##Campo");
    AddText(kMemoText, 100, 300, 400, 40, "Texto de memoria");
    filledTextsShown = 1;
    savedPlaceholderTexts = {"", "", "W"};
  }
  void TearDown() override { ReleasePageBitmaps(); }

  static ink::Box TextInk() { return ink::InkBox(*pageBitmap, 100, 100, 500, 140); }
  static int MemoInk() { return InkIn(*pageBitmap, 95, 295, 505, 345); }
};

TEST_F(VelprintPainterTest, MemoTextsAreNotDrawnAndPlaceholdersShowAsWritten) {
  for (int32_t mode : {1, 0}) {
    SCOPED_TRACE(mode);
    runningProgram = &kDesignerProgram;
    ClearGraphicTarget(*pageBitmap);
    PaintProgramPage(*pageBitmap, mode);
    const ink::Box filled = TextInk();
    EXPECT_GT(MemoInk(), 0) << "the designer draws memo texts";

    runningProgram = &kVelprintProgram;
    ClearGraphicTarget(*pageBitmap);
    PaintProgramPage(*pageBitmap, mode);
    const ink::Box written = TextInk();
    EXPECT_EQ(MemoInk(), 0);
    ASSERT_FALSE(written.Empty());
    EXPECT_GT(written.right - written.left, 3 * (filled.right - filled.left))
        << "\"##Campo\" is wider than the filled \"W\"";
  }
}

}  // namespace
