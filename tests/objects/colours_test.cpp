#include "objects/colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "dialogs/captured_colour_dialog.h"
#include "objects/favourite_colours_dialog.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::AnswerColour;
using ui::testing::AnswerMessageBox;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;

constexpr const char* kPalette = "Tus Colores Favoritos Cargalos y Guardalos";
using namespace favourite_colours_ids;

FavouriteColourRecord Cell(int c, int r, gfx::Colour colour) {
  FavouriteColourRecord cell{25 * c + 1, 25 * (c + 1) + 1, 25 * r + 1, 25 * (r + 1) + 1,
                             static_cast<int16_t>(c), static_cast<int16_t>(r), colour};
  return cell;
}

std::string Records(const std::vector<FavouriteColourRecord>& cells) {
  std::string bytes;
  for (const auto& cell : cells) bytes += EncodeFavouriteColourRecord(cell);
  return bytes;
}

std::vector<FavouriteColourRecord> FullPalette() {
  std::vector<FavouriteColourRecord> cells;
  for (int r = 0; r < kColourRows; ++r)
    for (int c = 0; c < kColourColumns; ++c) cells.push_back(Cell(c, r, gfx::Rgb(c * 19, r * 25, 7)));
  return cells;
}

class ColoursTest : public dialogtest::DialogTest {
 protected:
  ColoursTest() : DialogTest({&favouriteColoursDialogOpen, &capturedColourDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    pickedColour = 0;
    favouriteColoursDialogOpen = 0;
    capturedColourDialogOpen = 0;
  }
};

TEST(FavouriteColourRecordTest, FieldsSitAtTheirOffsetsLittleEndian) {
  FavouriteColourRecord r{0x04030201, -2, 0x0C0B0A09, 0x100F0E0D, 12, 0x1413, 0x00FFEEDD};
  const std::string expected(
      "\x01\x02\x03\x04" "\xFE\xFF\xFF\xFF" "\x09\x0A\x0B\x0C" "\x0D\x0E\x0F\x10" "\x0C\x00" "\x13\x14"
      "\xDD\xEE\xFF\x00",
      24);
  EXPECT_EQ(EncodeFavouriteColourRecord(r), expected);
  EXPECT_EQ(DecodeFavouriteColourRecord(expected), r);
  // A short piece reads as far as it goes.
  FavouriteColourRecord partial = DecodeFavouriteColourRecord(expected.substr(0, 5));
  EXPECT_EQ(partial.left, 0x04030201);
  EXPECT_EQ(partial.right, 0xFE);
  EXPECT_EQ(partial.colour, 0);
}

TEST_F(ColoursTest, SavingWritesTheHundredAndThirtyCellsRowByRowOverAnyOldFile) {
  testfiles::WriteRaw(FavouriteColoursPath(), std::string(5000, 'x'));
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  colourGrid[4][2].colour = 0x123456;
  ASSERT_EQ(SaveFavouriteColours(), 0);
  const std::string bytes = testfiles::ReadRaw(FavouriteColoursPath());
  ASSERT_EQ(bytes.size(), 3120u);
  for (int r = 0; r < kColourRows; ++r)
    for (int c = 0; c < kColourColumns; ++c) {
      FavouriteColourRecord rec = DecodeFavouriteColourRecord(bytes.substr((13 * r + c) * 24, 24));
      EXPECT_EQ(rec, Cell(c, r, c == 4 && r == 2 ? 0x123456 : gfx::kWhite)) << c << "," << r;
    }

  // Read back and saved again, byte for byte.
  LoadFavouriteColours();
  EXPECT_EQ(colourGrid[4][2].colour, 0x123456);
  ASSERT_EQ(SaveFavouriteColours(), 0);
  EXPECT_EQ(testfiles::ReadRaw(FavouriteColoursPath()), bytes);
}

TEST_F(ColoursTest, LoadingPlacesRecordsByTheirOwnColumnAndRow) {
  std::vector<FavouriteColourRecord> cells = FullPalette();
  std::shuffle(cells.begin(), cells.end(), std::mt19937(7));
  testfiles::WriteRaw(FavouriteColoursPath(), Records(cells));
  LoadFavouriteColours();
  for (const auto& cell : FullPalette()) EXPECT_EQ(colourGrid[cell.column][cell.row], cell);
}

TEST_F(ColoursTest, DamagedFilesReadWhatIsWholeAndStayInsideThePalette) {
  struct Case {
    const char* name;
    std::string bytes;
    int wholeCells;   // cells of FullPalette() that are loaded, in file order
  };
  std::string all = Records(FullPalette());
  FavouriteColourRecord outside = Cell(3, 3, 0x0000FF);
  outside.column = 60;
  FavouriteColourRecord negative = Cell(3, 3, 0x0000FF);
  negative.row = -1;
  FavouriteColourRecord belowPalette = Cell(3, 3, 0x0000FF);
  belowPalette.row = 10;
  FavouriteColourRecord farOff = Cell(3, 3, 0x0000FF);
  farOff.right = INT32_MAX;
  farOff.left = INT32_MAX - 1;
  const Case cases[] = {
      {"fifty records", all.substr(0, 50 * 24), 50},
      {"a trailing byte", all + "\x01", 130},
      {"a half record", all.substr(0, 50 * 24 + 12), 50},
      {"outside the table", Records({outside}) + all.substr(0, 24 * 10), 10},
      {"a negative row", Records({negative}) + all.substr(0, 24 * 10), 10},
      {"below the palette", Records({belowPalette}) + all.substr(0, 24 * 10), 10},
      {"a rectangle far off the palette", Records({farOff}) + all.substr(0, 24 * 10), 10},
      {"more than a palette", all + all, 130},
      {"empty", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testfiles::WriteRaw(FavouriteColoursPath(), c.bytes);
    InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
    LoadFavouriteColours();
    std::vector<FavouriteColourRecord> cells = FullPalette();
    for (int i = 0; i < 130; ++i) {
      const auto& cell = cells[i];
      EXPECT_EQ(colourGrid[cell.column][cell.row], i < c.wholeCells ? cell : FavouriteColourRecord{}) << i;
    }
  }
}

TEST_F(ColoursTest, AFailedSaveShowsTheErrorOnceAndKeepsTheOldPalette) {
  const std::string old = Records(FullPalette());
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  using files::testing::Step;
  const std::pair<Step, int64_t> failures[] = {
      {Step::Create, 0}, {Step::Write, 0}, {Step::Write, 1000}, {Step::Flush, 0}, {Step::Rename, 0}};
  for (const auto& [step, afterBytes] : failures) {
    SCOPED_TRACE(static_cast<int>(step));
    testfiles::WriteRaw(FavouriteColoursPath(), old);
    ui::testing::Begin();
    files::testing::FailureScope full(step, ENOSPC, afterBytes);
    EXPECT_EQ(SaveFavouriteColours(), ENOSPC);
    ASSERT_EQ(MessagesShown().size(), 1u);
    EXPECT_EQ(MessagesShown()[0].text, files::ErrorText(ENOSPC));
    EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
    EXPECT_EQ(testfiles::ReadRaw(FavouriteColoursPath()), old);
  }
  // A folder where the file should be is an error too, shown once.
  files::DeleteFile(FavouriteColoursPath());
  std::filesystem::create_directory(FavouriteColoursPath());
  ui::testing::Begin();
  EXPECT_NE(SaveFavouriteColours(), 0);
  EXPECT_EQ(MessagesShown().size(), 1u);
}

TEST_F(ColoursTest, APaletteFileThatCannotBeReadIsReportedAndReadsAsNone) {
  std::filesystem::create_symlink("/dev/zero", FavouriteColoursPath());
  colourGrid[2][2].colour = 0x123456;
  EXPECT_EQ(LoadFavouriteColours(), "No puedo leer mis colores <" + FavouriteColoursPath() + "> ...\r\n" +
                                        files::ErrorText(files::kNotRegularFile));
  EXPECT_EQ(colourGrid[2][2], FavouriteColourRecord{});

  // The dialog says so and opens on a white palette that can be used.
  OnDialog(kPalette, [](ui::Window w) {
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kGrid), 25 * 12 + 15, 25 * 9 + 15), gfx::kWhite);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text.rfind("No puedo leer mis colores <", 0), 0u);
  EXPECT_EQ(colourGrid[12][9].colour, gfx::kWhite);

  std::filesystem::remove(FavouriteColoursPath());
  EXPECT_EQ(LoadFavouriteColours(), "") << "a missing file is no refusal";
}

TEST_F(ColoursTest, TheGridDrawsEachCellInsideItsRectangle) {
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  colourGrid[12][9].colour = 0x00FF00;
  gfx::Surface* s = gfx::MakeBitmap(336, 312);
  ClearGraphicTarget(*s);
  DrawColourGrid(*s, kColourColumns, kColourRows);
  EXPECT_EQ(gfx::Pixel(*s, 25 * 12 + 15, 25 * 9 + 15), 0x00FF00);      // inside
  EXPECT_EQ(gfx::Pixel(*s, 25 * 12 + 4, 25 * 9 + 15), gfx::kBlack);    // outline at left + 3
  EXPECT_EQ(gfx::Pixel(*s, 25 * 12 + 2, 25 * 9 + 15), gfx::kWhite);    // the gap
  EXPECT_EQ(gfx::Pixel(*s, 330, 15), gfx::kWhite);                     // past the 13th column
  gfx::ReleaseBitmap(s);
}

TEST_F(ColoursTest, APaletteFileOfFiftyCellsOpensWithTheOthersLeftEmpty) {
  testfiles::WriteRaw(FavouriteColoursPath(), Records(FullPalette()).substr(0, 50 * 24));
  OnDialog(kPalette, [](ui::Window w) {
    const gfx::Surface& grid = ui::ControlSurface(w, kGrid);
    EXPECT_EQ(gfx::Pixel(grid, 25 * 3 + 15, 25 * 1 + 15), gfx::Rgb(3 * 19, 25, 7));   // cell 17
    EXPECT_EQ(gfx::Pixel(grid, 25 * 12 + 15, 25 * 9 + 15), gfx::kWhite);            // never named
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());
}

TEST_F(ColoursTest, ThePaletteArchivesChosenColoursAndReopensWithThem) {
  OnDialog(kPalette, [](ui::Window w) {
    EXPECT_FALSE(ui::Enabled(w, kArchivar));
    ui::Window grid = ui::Item(w, kGrid);
    AnswerColour(0x00FF00);
    ui::testing::Mouse(grid, ui::Msg::LeftDown, 324, 10);   // column 12
    AnswerColour(0x0000FF);
    ui::testing::Mouse(grid, ui::Msg::LeftDown, 325, 10);   // column 13: no cell, no chooser
    ui::testing::Mouse(grid, ui::Msg::LeftDown, 60, 230);   // column 2, row 9
    EXPECT_EQ(colourGridModified, 1);
    EXPECT_TRUE(ui::Enabled(w, kArchivar));
    Click(w, kArchivar);
    EXPECT_FALSE(ui::Enabled(w, kArchivar));
    EXPECT_EQ(colourGridModified, 0);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Mis Colores Favoritos han sido Archivados");
  const std::string bytes = testfiles::ReadRaw(FavouriteColoursPath());
  ASSERT_EQ(bytes.size(), 3120u);
  EXPECT_EQ(DecodeFavouriteColourRecord(bytes.substr(12 * 24, 24)).colour, 0x00FF00);
  EXPECT_EQ(DecodeFavouriteColourRecord(bytes.substr((13 * 9 + 2) * 24, 24)).colour, 0x0000FF);

  ui::testing::Begin();
  OnDialog(kPalette, [](ui::Window w) {
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kGrid), 25 * 12 + 15, 15), 0x00FF00);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());   // nothing changed: nothing asked
}

TEST_F(ColoursTest, SalirAsksOnlyAfterAChangeAndACancelledChooserChangesNothing) {
  OnDialog(kPalette, [](ui::Window w) {
    AnswerColour(-1);
    ui::testing::Mouse(ui::Item(w, kGrid), ui::Msg::LeftDown, 30, 30);
    EXPECT_EQ(colourGridModified, 0);
    AnswerColour(0x112233);
    ui::testing::Mouse(ui::Item(w, kGrid), ui::Msg::LeftDown, 30, 30);
    AnswerMessageBox(ui::Answer::No);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text, "Desea guardar los cambios antes de Salir ?");
  EXPECT_EQ(FileExists(FavouriteColoursPath()), 0);

  ui::testing::Begin();
  OnDialog(kPalette, [](ui::Window w) {
    AnswerColour(0x112233);
    ui::testing::Mouse(ui::Item(w, kGrid), ui::Msg::LeftDown, 30, 30);
    AnswerMessageBox(ui::Answer::Yes);
    ui::testing::CloseBox(w);   // the close box leaves as "Salir" does
  });
  ShowFavouriteColoursDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  LoadFavouriteColours();
  EXPECT_EQ(colourGrid[1][1].colour, 0x112233);
}

TEST_F(ColoursTest, ARightClickPicksTheColourUnderTheCursorAndCaptionsIt) {
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  colourGrid[0][0].colour = gfx::kBlack;
  colourGrid[1][0].colour = 0x00FFFF;
  ASSERT_EQ(SaveFavouriteColours(), 0);
  OnDialog(kPalette, [](ui::Window w) {
    ui::Window grid = ui::Item(w, kGrid);
    gfx::Surface& swatch = ui::ControlSurface(w, kSwatch);
    ui::testing::Mouse(grid, ui::Msg::RightDown, 15, 15);
    EXPECT_EQ(pickedColour, gfx::kBlack);
    EXPECT_GT(ink::CountColour(swatch, gfx::kWhite), 20);   // white caption on black

    ui::testing::Mouse(grid, ui::Msg::RightDown, 40, 15);
    EXPECT_EQ(pickedColour, 0x00FFFF);
    EXPECT_GT(ink::CountColour(swatch, gfx::kBlack), 20);
    EXPECT_EQ(ink::CountColour(swatch, gfx::kWhite), 0);

    // The hover mark outlines the cell in white, on the control only.
    ui::testing::Mouse(grid, ui::Msg::MouseMove, 40, 15);
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, kGrid), 29, 15), gfx::kWhite);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
}

TEST_F(ColoursTest, ReseteoWhitensThePaletteAndLeavesTheModifiedFlag) {
  InitColourGrid(kColourColumns, kColourRows, kColourGridOrigin, kColourGridOrigin);
  colourGrid[5][5].colour = 0x0000FF;
  ASSERT_EQ(SaveFavouriteColours(), 0);
  pickedColour = 0x0000FF;
  OnDialog(kPalette, [](ui::Window w) {
    AnswerMessageBox(ui::Answer::No);
    Click(w, kReseteo);
    EXPECT_EQ(colourGrid[5][5].colour, 0x0000FF);
    AnswerColour(0x00FF00);
    ui::testing::Mouse(ui::Item(w, kGrid), ui::Msg::LeftDown, 10, 10);
    AnswerMessageBox(ui::Answer::Yes);
    Click(w, kReseteo);
    EXPECT_EQ(colourGrid[5][5].colour, gfx::kWhite);
    EXPECT_EQ(colourGrid[0][0].colour, gfx::kWhite);
    EXPECT_EQ(pickedColour, gfx::kWhite);
    EXPECT_EQ(colourGridModified, 1);
    EXPECT_EQ(FileExists(FavouriteColoursPath()), 0);
    AnswerMessageBox(ui::Answer::No);
    Click(w, kSalir);
  });
  ShowFavouriteColoursDialog(nullptr);
  ASSERT_EQ(MessagesShown().size(), 3u);
  EXPECT_EQ(MessagesShown()[0].text, "Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos");
  EXPECT_EQ(MessagesShown()[2].text, "Desea guardar los cambios antes de Salir ?");
}

TEST_F(ColoursTest, ColorCaptadoShowsThePickedColourAndItsValue) {
  EXPECT_EQ(CapturedColourText(0xFF), "&H000000FF");
  EXPECT_EQ(CapturedColourText(0x00FF00), "&H0000FF00");
  EXPECT_EQ(CapturedColourText(-2), "&HFFFFFFFE");

  pickedColour = 0x00FF00;
  OnDialog("Color Captado", [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, captured_colour_ids::kValue), "&H0000FF00");
    EXPECT_EQ(gfx::Pixel(ui::ControlSurface(w, captured_colour_ids::kSwatch), 10, 10), 0x00FF00);
    Click(w, captured_colour_ids::kAceptar);
  });
  ShowCapturedColourDialog(nullptr);
}

}  // namespace
