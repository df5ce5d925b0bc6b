#include "objects/insert_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;
using namespace insert_text_ids;

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
    const ui::FontChoice note = ui::testing::ControlFont(w, kNote);
    EXPECT_EQ(note.styleFlags, gfx::kBold | gfx::kItalic);
    EXPECT_EQ(note.points, 10);
    for (int button : {kAceptar, kCancelar})
      EXPECT_EQ(ui::testing::ControlFont(w, button).styleFlags, gfx::kBold) << button;
    Click(w, kCancelar);
  });
  ShowInsertTextDialog(nullptr);
}

TEST_F(InsertTextDialogTest, AceptarKeepsTheTextAndReopeningShowsIt) {
  OnDialog("Texto a Insertar", [](ui::Window w) {
    TypeText(w, kText, "Frase inclinada");
    Click(w, kAceptar);
  });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 1);
  EXPECT_EQ(insertTextBuffer, "Frase inclinada");

  insertTextDialogOpen = 1;
  OnDialog("Texto a Insertar", [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kText), "Frase inclinada");
    Click(w, kCancelar);
  });
  ShowInsertTextDialog(nullptr);
  EXPECT_EQ(insertTextAccepted, 0);
}

TEST_F(InsertTextDialogTest, TheTextIsKeptToNineThousandNineHundredAndNinetyNineCharacters) {
  OnDialog("Texto a Insertar", [](ui::Window w) {
    ui::SetText(w, kText, std::string(12000, 'a'));
    Click(w, kAceptar);
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
