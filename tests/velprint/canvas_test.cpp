// Filling a form on Velprint's canvas: the left button fills administrative controls and
// marks option cells, the values are saved and read back, "Resetear Rellenos" clears them;
// the fill-text edit writes back only to the object and document it was opened on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/picked_colours.h"
#include "page/command_ids.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "program/canvas.h"
#include "tests/velprint/velprint_test.h"
#include "velprint/page_variant.h"

namespace {

using ui::testing::AnswerFile;
using ui::testing::ChooseMenu;
using ui::testing::OnDialog;
using velprinttest::AddAdmin;
using velprinttest::AddSquare;
using velprinttest::AddText;
using velprinttest::AnswerFillText;
using velprinttest::ClickPage;
using velprinttest::InkIn;
using velprinttest::kFillCancelar;
using velprinttest::kFillCaption;
using velprinttest::kFillUseY;
using velprinttest::kFillY;
using velprinttest::kFillYLabel;
using velprinttest::WithVelprint;

// Every style of administrative control, one a row: the nine of kind 7 and the option cell.
const int16_t kStyles[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kRow = 70;

int RowTop(size_t i) { return 40 + kRow * static_cast<int>(i); }
int RowInk(size_t i) { return InkIn(*pageBitmap, 0, RowTop(i) - 5, 793, RowTop(i) + kRow - 10); }

// Short enough for the one-character cell of style 2.
std::string FillOf(int16_t style) { return std::to_string(style); }

TEST(VelprintCanvas, EachFillableKindIsFilledSavedReadBackAndCleared) {
  const std::string path = testenv::NewFolder("docs") + "relleno.qorvex";
  WithVelprint([&](ui::Window main) {
    for (size_t i = 0; i < std::size(kStyles); ++i) {
      PageObject& o = AddAdmin(kStyles[i], 40, RowTop(i), "Campo:");
      o.optionMarked = 0;
    }
    FullRepaint();
    std::vector<int> emptyInk;
    for (size_t i = 0; i < std::size(kStyles); ++i) emptyInk.push_back(RowInk(i));

    for (size_t i = 0; i < std::size(kStyles); ++i) {
      if (kStyles[i] != kAdminStyleOptionCell) AnswerFillText(FillOf(kStyles[i]));
      ClickPage(main, 45, RowTop(i) + 5);
    }
    for (size_t i = 0; i < std::size(kStyles); ++i) {
      SCOPED_TRACE(kStyles[i]);
      EXPECT_GT(RowInk(i), emptyInk[i]) << "the filled value shows";
    }

    AnswerFile(path);
    ChooseMenu(main, kCommandSaveDocument);
    AllocateStore();
    objectCount = 1;
    AnswerFile(path);
    ChooseMenu(main, kCommandOpenDocument);
    ASSERT_EQ(objectCount, 1 + static_cast<int>(std::size(kStyles)));
    for (size_t i = 0; i < std::size(kStyles); ++i) {
      SCOPED_TRACE(kStyles[i]);
      const PageObject& o = pageObjects[2 + i];
      if (kStyles[i] == kAdminStyleOptionCell)
        EXPECT_EQ(o.optionMarked, 1);
      else
        EXPECT_EQ(std::string(o.fillText), FillOf(kStyles[i]));
    }

    ChooseMenu(main, kCommandResetFills);
    for (size_t i = 0; i < std::size(kStyles); ++i) EXPECT_EQ(RowInk(i), emptyInk[i]) << i;
    AnswerFile(path);
    ui::testing::AnswerMessageBox(ui::Answer::Yes);
    ChooseMenu(main, kCommandSaveDocument);
    AnswerFile(path);
    ChooseMenu(main, kCommandOpenDocument);
    for (size_t i = 0; i < std::size(kStyles); ++i) {
      EXPECT_EQ(pageObjects[2 + i].fillText[0], '\0');
      EXPECT_EQ(pageObjects[2 + i].optionMarked, 0);
    }
  });
}

// "Poner coordenada Y" is offered for the styles whose fill text can sit at a fixed y.
TEST(VelprintCanvas, TheFixedYIsOfferedForTheStylesThatTakeIt) {
  WithVelprint([](ui::Window main) {
    for (int16_t style : {1, 2, 3, 4, 5, 7, 8, 9, 10}) {
      SCOPED_TRACE(style);
      AllocateStore();
      objectCount = 1;
      AddAdmin(style, 100, 100, "Campo:");
      const bool offered = style <= 4 || style == 7 || style == 8;
      OnDialog(kFillCaption, [&](ui::Window d) {
        for (int id : {kFillUseY, kFillY, kFillYLabel}) EXPECT_EQ(ui::Visible(d, id), offered) << id;
        ui::testing::Click(d, kFillCancelar);
      });
      ClickPage(main, 105, 105);
      EXPECT_EQ(currentAdminStyle, style);
    }
  });
}

// The dialog leaves the main window usable: a document read while it is open is not written
// into when the dialog is accepted.
TEST(VelprintCanvas, AFillTextEditNeverLandsOnADocumentReadMeanwhile) {
  const std::string path = testenv::NewFolder("docs") + "otro.qorvex";
  WithVelprint([&](ui::Window main) {
    AddAdmin(1, 100, 100, "Otro:");
    testfiles::WriteRaw(path, velprinttest::DocumentBytes());
    AllocateStore();
    objectCount = 1;
    AddAdmin(1, 100, 100, "Nombre:");

    OnDialog(kFillCaption, [&](ui::Window d) {
      AnswerFile(path);
      ChooseMenu(main, kCommandOpenDocument);
      ASSERT_EQ(std::string(pageObjects[2].text), "Otro:");
      ui::testing::TypeText(d, velprinttest::kFillText, "Juan");
      ui::testing::Click(d, velprinttest::kFillAceptar);
    });
    ClickPage(main, 105, 105);
    EXPECT_EQ(std::string(pageObjects[2].fillText), "");
    EXPECT_EQ(fillEditOpen, 0);
    EXPECT_EQ(ui::Caption(main), "otro.qorvex");

    // On the page it was opened on, the edit goes back as usual.
    AnswerFillText("Juan");
    ClickPage(main, 105, 105);
    EXPECT_EQ(std::string(pageObjects[2].fillText), "Juan");
  });
}

// The click lands on the highest slot under the pointer, whatever it holds: an empty slot
// lying over a control or an option cell takes it, and nothing opens or changes; under the
// control it takes nothing from it.
TEST(VelprintCanvas, AClickOnAnEmptySlotOverAControlOpensNothing) {
  WithVelprint([](ui::Window main) {
    PageObject& control = AddAdmin(1, 100, 100, "Nombre:");
    PageObject& option = AddAdmin(kAdminStyleOptionCell, 100, 300, "Hombre");
    velprinttest::AddObject(0, 90, 90, 300, 60);     // an empty slot over the control
    velprinttest::AddObject(0, 90, 290, 300, 60);    // and one over the option cell
    FullRepaint();
    ClickPage(main, 105, 105);
    ClickPage(main, 105, 305);
    const auto& opened = ui::testing::DialogsOpened();
    EXPECT_EQ(std::count(opened.begin(), opened.end(), kFillCaption), 0);
    EXPECT_EQ(std::string(control.fillText), "");
    EXPECT_EQ(option.optionMarked, 1);
    EXPECT_EQ(canvasSelectedSlot, 0);

    // An empty slot below the control leaves it to the click.
    std::swap(pageObjects[2], pageObjects[4]);
    AnswerFillText("Ana");
    ClickPage(main, 105, 105);
    EXPECT_EQ(std::string(pageObjects[4].fillText), "Ana");
  });
}

TEST(VelprintCanvas, TheRightButtonCapturesTheColourShown) {
  WithVelprint([](ui::Window main) {
    AddSquare(100, 100, 50, 0x0000FF);
    FullRepaint();
    OnDialog("Color Captado", [](ui::Window d) { ui::EndDialog(d, 0); });
    ui::testing::Mouse(ui::Item(main, kCanvasId), ui::Msg::RightDown, 120, 120);
    EXPECT_EQ(pickedColour, 0x0000FF);
    // No other mode of the right button exists here.
    rightMouseMode = kRightFavourites;
    ui::testing::Mouse(ui::Item(main, kCanvasId), ui::Msg::RightDown, 120, 120);
    const auto& opened = ui::testing::DialogsOpened();
    EXPECT_EQ(std::count(opened.begin(), opened.end(), "Color Captado"), 1);
  });
}

}  // namespace
