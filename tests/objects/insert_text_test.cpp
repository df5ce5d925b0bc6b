#include "objects/insert_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;

class InsertTextDialogTest : public dialogtest::DialogTest {
 protected:
  InsertTextDialogTest() : DialogTest({&insertTextDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    insertTextBuffer.clear();
    insertTextAccepted = 0;
    insertTextDialogOpen = 1;
  }
};

TEST_F(InsertTextDialogTest, TheNoteIsBoldItalicBesideBoldButtons) {
  OnDialog("Texto a Insertar", [](ui::Window w) {
    const ui::FontChoice note = ui::testing::ControlFont(w, 4015);
    EXPECT_EQ(note.styleFlags, gfx::kBold | gfx::kItalic);
    EXPECT_EQ(note.points, 10);
    for (int button : {4013, 4014})
      EXPECT_EQ(ui::testing::ControlFont(w, button).styleFlags, gfx::kBold) << button;
    Click(w, 4014);
  });
  ShowInsertTextDialog(nullptr);
}

TEST_F(InsertTextDialogTest, AceptarKeepsTheTextAndReopeningShowsIt) {
  OnDialog("Texto a Insertar", [](ui::Window w) {
    TypeText(w, 4012, "Frase inclinada");
    Click(w, 4013);
  });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 1);
  EXPECT_EQ(insertTextBuffer, "Frase inclinada");

  insertTextDialogOpen = 1;
  OnDialog("Texto a Insertar", [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, 4012), "Frase inclinada");
    Click(w, 4014);
  });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 0);
}

TEST_F(InsertTextDialogTest, TheTextIsKeptToNineThousandNineHundredAndNinetyNineCharacters) {
  OnDialog("Texto a Insertar", [](ui::Window w) {
    ui::SetText(w, 4012, std::string(12000, 'a'));
    Click(w, 4013);
  });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 1);
  EXPECT_EQ(insertTextBuffer, std::string(9999, 'a'));
}

TEST_F(InsertTextDialogTest, TheCloseBoxCancelsAStaleAcceptance) {
  insertTextAccepted = 1;
  OnDialog("Texto a Insertar", [](ui::Window w) { ui::testing::CloseBox(w); });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 0);
}

TEST(InsertTextRefusalTest, AnEmptyPhraseIsRefused) {
  ui::testing::Begin();
  insertTextBuffer.clear();
  EXPECT_TRUE(RefuseEmptyInsertText());
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Tiene que escribir una frase para poder insertarla en la imagen ...");
  insertTextBuffer = "x";
  EXPECT_FALSE(RefuseEmptyInsertText());
}

}  // namespace
