#include "objects/aligned_text_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/memo_text.h"
#include "page/aligned_text.h"
#include "page/shared_helpers.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"

namespace {

using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using namespace aligned_text_ids;
using ui::testing::TypeText;

constexpr const char* kCaption = "Insertar texto alineado";
constexpr const char* kRefusal = "Datos Incorrectos ...\r\nTama\xF1o demasiado grande o faltan datos ...";

class AlignedTextDialogTest : public dialogtest::DialogTest {
 protected:
  AlignedTextDialogTest() : DialogTest({&alignedTextDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    alignedText.clear();
    alignedTextWidth = alignedTextHeight = alignedTextAlignment = 0;
    alignedTextAccepted = 0;
    alignLeftChosen = 1;
    alignRightChosen = alignCentreChosen = alignJustifiedChosen = 0;
    alignedTextDialogOpen = 1;   // as the command sets it
  }
};

TEST_F(AlignedTextDialogTest, TypedLinesBecomeOneLineAndTheCaptionCountsLineBreaksAsTwo) {
  std::string caption;
  OnDialog(kCaption, [&](ui::Window w) {
    TypeText(w, kText, "ab\r\nc");
    caption = ui::Caption(w);
    TypeText(w, kWidth, "300");
    TypeText(w, kHeight, "120");
    Click(w, kCentre);
    Click(w, kAceptar);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(caption, "Escritas 0005");
  EXPECT_EQ(alignedTextAccepted, 1);
  EXPECT_EQ(alignedText, "ab c");
  EXPECT_EQ(alignedTextWidth, 300);
  EXPECT_EQ(alignedTextHeight, 120);
  EXPECT_EQ(alignedTextAlignment, kAlignCentre);
  EXPECT_EQ(alignCentreChosen, 1);
  EXPECT_EQ(alignLeftChosen, 0);
}

TEST_F(AlignedTextDialogTest, AnEmptyTextBecomesTheMemoFieldNote) {
  OnDialog(kCaption, [](ui::Window w) {
    TypeText(w, kWidth, "200");
    TypeText(w, kHeight, "50");
    Click(w, kAceptar);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(alignedTextAccepted, 1);
  EXPECT_EQ(alignedText, MemoFieldNote());
  EXPECT_EQ(alignedText.rfind("Este objeto hace de contenedor para el campo memotext de las bases de datos. ", 0), 0u);
  EXPECT_EQ(alignedTextAlignment, kAlignLeft);
}

TEST_F(AlignedTextDialogTest, AreaSizesAreCheckedBeforeTheyAreNarrowed) {
  struct Case {
    const char* width;
    const char* height;
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"1200", "900", "texto", true},
      {"1", "1", "texto", true},
      {"1201", "900", "texto", false},
      {"1200", "901", "texto", false},
      {"0", "10", "texto", false},
      {"", "10", "texto", false},
      {"99999", "10", "texto", false},
      {"99999999999", "10", "texto", false},
      {"65736", "10", "texto", false},   // 200 once cut to 16 bits
      {"100", "100", "\r\n\r\n", false},  // line breaks alone
      {"100", "100", "   ", true},         // blanks are a text
      {"100", "100", " \r\n ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    ui::testing::Begin();
    alignedTextDialogOpen = 1;
    alignedTextWidth = 7;
    int end = 0;
    OnDialog(kCaption, [&](ui::Window w) {
      TypeText(w, kText, c.text);
      TypeText(w, kWidth, c.width);
      TypeText(w, kHeight, c.height);
      Click(w, kAceptar);
      // A refused dialog is still open: its "Cancelar" ends it.
      if (!MessagesShown().empty()) Click(w, kCancelar);
    });
    end = ShowAlignedTextDialog(nullptr);
    EXPECT_EQ(alignedTextAccepted, c.accepted ? 1 : 0);
    EXPECT_EQ(end, c.accepted ? ui::kOk : ui::kCancel);
    if (c.accepted) {
      EXPECT_EQ(alignedTextWidth, std::stoi(c.width));
      EXPECT_TRUE(MessagesShown().empty());
    } else {
      EXPECT_EQ(alignedTextWidth, 7);
      ASSERT_EQ(MessagesShown().size(), 1u);
      EXPECT_EQ(MessagesShown()[0].text, kRefusal);
      EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
    }
  }
}

TEST_F(AlignedTextDialogTest, ARefusedAceptarKeepsTheTextForTheNextOpening) {
  OnDialog(kCaption, [](ui::Window w) {
    TypeText(w, kText, "Nombre\r\ny apellidos");
    TypeText(w, kWidth, "5000");
    TypeText(w, kHeight, "100");
    Click(w, kAceptar);
    Click(w, kCancelar);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(alignedTextAccepted, 0);
  EXPECT_EQ(alignedText, "Nombre y apellidos");
  alignedTextDialogOpen = 1;
  std::string shown;
  OnDialog(kCaption, [&](ui::Window w) {
    shown = ui::Text(w, kText);
    Click(w, kCancelar);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(shown, "Nombre y apellidos");
}

TEST_F(AlignedTextDialogTest, TheEditRefusesMoreThanAPageObjectStores) {
  OnDialog(kCaption, [](ui::Window w) {
    TypeText(w, kText, std::string(1100, 'a'));
    EXPECT_EQ(ui::Text(w, kText).size(), 1023u);
    TypeText(w, kWidth, "100");
    TypeText(w, kHeight, "100");
    Click(w, kAceptar);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(alignedText.size(), 1023u);
}

TEST_F(AlignedTextDialogTest, TheDialogOpensWithTheLastValuesAndTheCloseBoxCancels) {
  alignedText = "anterior";
  alignedTextWidth = 320;
  alignedTextHeight = 40;
  alignedTextAccepted = 1;   // left over from an earlier insert
  alignLeftChosen = 0;
  alignJustifiedChosen = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kText), "anterior");
    EXPECT_EQ(ui::Text(w, kWidth), "320");
    EXPECT_EQ(ui::Text(w, kHeight), "40");
    EXPECT_TRUE(ui::Checked(w, kJustified));
    EXPECT_FALSE(ui::Checked(w, kLeft));
    Click(w, kRight);   // options change at once, even when cancelled
    ui::testing::CloseBox(w);
  });
  ShowAlignedTextDialog(nullptr);
  EXPECT_EQ(alignedTextAccepted, 0);
  EXPECT_EQ(alignRightChosen, 1);
  EXPECT_EQ(alignJustifiedChosen, 0);
  EXPECT_EQ(alignedText, "anterior");
}

TEST_F(AlignedTextDialogTest, FocusComesBackAfterTheDialogIsLeft) {
  OnDialog(kCaption, [](ui::Window w) {
    ui::SetFocus(ui::Item(w, kHeight));
    ui::SendMessage(w, ui::Msg::Deactivate, 0, 0);
    ui::SetFocus(ui::Item(w, kText));
    ui::SendMessage(w, ui::Msg::Activate, 0, 0);
    EXPECT_EQ(ui::Focused(), ui::Item(w, kHeight));
    Click(w, kCancelar);
  });
  ShowAlignedTextDialog(nullptr);
}

// The aligned text's drawer takes its area's width from the dialog's result.
TEST(AlignedTextDrawTest, DrawAlignedTextTakesTheDialogsWidth) {
  constexpr int kTop = 5;
  gfx::Surface* page = gfx::MakeBitmap(600, 2100);
  const gfx::FontKey font = MakeSystemFont("Arial", 12, 0);
  gfx::SelectFont(*page, font);
  const int line = gfx::LineHeight(*page);
  const gfx::Colour red = gfx::Rgb(255, 0, 0);

  alignedTextWidth = 300;
  DrawAlignedText(*page, "Hola", kAlignRight, 10, kTop, font, red, gfx::kWhite);
  EXPECT_NEAR(ink::InkBox(*page, 0, kTop, 599, kTop + line - 1).right, 10 + 300 - 3, 4);
  EXPECT_GT(ink::CountColour(*page, red), 0);
  gfx::ReleaseBitmap(page);
}

TEST(AlignedTextInsertTest, AnEmptyTextIsRefusedWithAMessage) {
  ui::testing::Begin();
  alignedText.clear();
  EXPECT_TRUE(RefuseEmptyAlignedText());
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Tiene que escribir un texto para poder insertarlo en la imagen ...");
  EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");

  alignedText = "algo";
  EXPECT_FALSE(RefuseEmptyAlignedText());
  EXPECT_EQ(MessagesShown().size(), 1u);
}

}  // namespace
