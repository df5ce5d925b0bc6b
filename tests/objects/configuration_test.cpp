#include "objects/configuration.h"

#include <gtest/gtest.h>

#include <string>

#include "objects/colours.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "tests/objects/dialog_test.h"
#include "tests/page/ink.h"
#include "tests/support/test_env.h"

namespace {

using ui::testing::ChooseListItem;
using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;
using namespace configuration_ids;

constexpr const char* kCaption = "Configuracion";
constexpr const char* kAreaMessage =
    "El area permitida es de  793.70078739x 1122.519685023 pixeles \r\n"
    "Escriba posicion inicial objetos dentro del area ...";

class ConfigurationTest : public dialogtest::DialogTest {
 protected:
  ConfigurationTest() : DialogTest({&configurationDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    files::OverrideDataFolder(testenv::NewFolder("program"));
    marginLeft = marginRight = marginTop = marginBottom = 10;
    insertX = insertY = 10;
    imageFormatOption = 2009;
    soundMuted = 1;
    noMargins = 0;
    paperWidthMm = 210;
    paperHeightMm = 297;
    ambientColorOn = 0;
    ambientColor = 16775408;
    pickedColour = 0;
    configurationDialogOpen = 1;
  }
  static std::string Ini(const char* section, const char* key) {
    return profile::GetString(section, key, "?", SettingsFilePath());
  }
};

TEST_F(ConfigurationTest, ThePositionMustLieOnThePage) {
  struct Case {
    const char* x;
    const char* y;
    bool allowed;
  };
  const Case cases[] = {
      {"793", "1122", true}, {"1", "1", true},        {"794", "10", false},        {"10", "1123", false},
      {"0", "10", false},    {"", "10", false},        {"99999999999", "10", false}, {"10", "4294967306", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.x) + ", " + c.y);
    ui::testing::Begin();
    configurationDialogOpen = 1;
    insertX = insertY = 10;
    OnDialog(kCaption, [&](ui::Window w) {
      TypeText(w, kX, c.x);
      TypeText(w, kY, c.y);
      Click(w, kSalir);
      if (MessagesShown().empty()) return;
      // Refused: the dialog is still open and only a position on the page lets it go.
      ui::testing::CloseBox(w);
      EXPECT_EQ(MessagesShown().size(), 2u);
      TypeText(w, kX, "20");
      TypeText(w, kY, "30");
      Click(w, kSalir);
    });
    ShowConfigurationDialog(nullptr);
    if (c.allowed) {
      EXPECT_TRUE(MessagesShown().empty());
      EXPECT_EQ(insertX, std::stoi(c.x));
      EXPECT_EQ(insertY, std::stoi(c.y));
    } else {
      ASSERT_FALSE(MessagesShown().empty());
      EXPECT_EQ(MessagesShown()[0].text, kAreaMessage);
      EXPECT_EQ(MessagesShown()[0].title, "Vozurivudoz");
      EXPECT_EQ(insertX, 20);
      EXPECT_EQ(insertY, 30);
    }
  }
}

TEST_F(ConfigurationTest, ItsValuesReachTheSettingsFile) {
  pickedColour = 0x00AA00;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kPaperLabel), "Margenes papel  210x 297 mm");
    EXPECT_EQ(ui::Text(w, kX), "10");
    EXPECT_TRUE(ui::Checked(w, kJpeg));
    EXPECT_TRUE(ui::Checked(w, kSound));
    EXPECT_EQ(ui::ListSelection(w, kLeftList), 2);   // "10 milimetros"
    EXPECT_EQ(ui::ListText(w, kLeftList, 1), "05 milimetros");
    TypeText(w, kX, "100");
    TypeText(w, kY, "200");
    Click(w, kSound);
    Click(w, kPng);
    ChooseListItem(w, kLeftList, 1);
    ChooseListItem(w, kRightList, 10);
    ChooseListItem(w, kTopList, 0);
    ChooseListItem(w, kBottomList, 3);
    Click(w, kAmbientOn);
    Click(w, kAmbientSwatch);
    Click(w, kNoMargins);
    Click(w, kSalir);
  });
  ShowConfigurationDialog(nullptr);
  EXPECT_EQ(Ini("Posicion", "X"), "100");
  EXPECT_EQ(Ini("Posicion", "Y"), "200");
  EXPECT_EQ(Ini("Activar", "Sonido"), "0");
  EXPECT_EQ(Ini("Activar", "Margen_NO"), "1");
  EXPECT_EQ(Ini("Graficos", "Formato"), "2008");
  EXPECT_EQ(Ini("Margenes", "izquierdo"), "5");
  EXPECT_EQ(Ini("Margenes", "derecho"), "50");
  EXPECT_EQ(Ini("Margenes", "Arriba"), "2");
  EXPECT_EQ(Ini("Margenes", "Abajo"), "15");
  EXPECT_EQ(Ini("Color Ambiente", "Opcion"), "1");
  EXPECT_EQ(Ini("Color Ambiente", "Color"), "43520");
}

TEST_F(ConfigurationTest, MarginsOutsideTheChoicesSelectNothingAndNoMarginsGreysOnlyTheLists) {
  marginLeft = 12;
  noMargins = 1;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::ListSelection(w, kLeftList), -1);
    EXPECT_EQ(ui::ListSelection(w, kRightList), 2);
    for (int id : {kLeftList, kRightList, kTopList, kBottomList})
      EXPECT_FALSE(ui::Enabled(w, id)) << id;
    for (int id : {kLeftLabel, kRightLabel, kTopLabel, kBottomLabel})
      EXPECT_TRUE(ui::Enabled(w, id)) << id;
    Click(w, kNoMargins);
    for (int id : {kLeftList, kRightList, kTopList, kBottomList})
      EXPECT_TRUE(ui::Enabled(w, id)) << id;
    ChooseListItem(w, kLeftList, 1);
    EXPECT_EQ(marginLeft, 5);
    Click(w, kSalir);
  });
  ShowConfigurationDialog(nullptr);
}

// Values a settings file may hold that no control offers: the dialog opens on them with
// nothing chosen for them and leaves them as they are, the preview drawn whatever they are.
TEST_F(ConfigurationTest, ValuesNoControlOffersAreShownAndKept) {
  marginLeft = INT32_MAX;
  marginRight = INT32_MIN;
  marginTop = -3;
  marginBottom = 400;
  paperWidthMm = 216;
  paperHeightMm = 420;
  imageFormatOption = 1;
  ambientColorOn = 1;
  ambientColor = 0x00FFFF;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, kPaperLabel), "Margenes papel  216x 420 mm");
    const gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_EQ(gfx::Width(preview), 163);
    EXPECT_EQ(gfx::Height(preview), 317);
    for (int id : {kLeftList, kRightList, kTopList, kBottomList})
      EXPECT_EQ(ui::ListSelection(w, id), -1) << id;
    for (int id = kPng; id <= kBmp; ++id) EXPECT_FALSE(ui::Checked(w, id)) << id;
    Click(w, kSalir);
  });
  ShowConfigurationDialog(nullptr);
  EXPECT_TRUE(MessagesShown().empty());
  EXPECT_EQ(Ini("Margenes", "izquierdo"), "2147483647");
  EXPECT_EQ(Ini("Margenes", "derecho"), "-2147483648");
  EXPECT_EQ(Ini("Margenes", "Abajo"), "400");
  EXPECT_EQ(Ini("Graficos", "Formato"), "1");
  EXPECT_EQ(Ini("Formato Papel", "Alto"), "420");
}

TEST_F(ConfigurationTest, ThePreviewShowsThePageAtOneFifth) {
  configurationDialogOpen = 0;   // no dialog here: the drawing alone
  EXPECT_EQ(MarginPreviewWidth(), 158);
  EXPECT_EQ(MarginPreviewHeight(), 224);
  EXPECT_EQ(RoundedDiv(1122.52L, 5), 224);
  EXPECT_EQ(RoundedDiv(2.5L, 1), 2);   // halves go to the even neighbour
  EXPECT_EQ(RoundedDiv(3.5L, 1), 4);
  EXPECT_EQ(RoundedDiv(7, 0.4L), 0);   // a zero divisor gives 0, not a crash

  gfx::Surface* s = gfx::MakeBitmap(158, 224);
  DrawMarginPreview(*s);
  // Dotted lines at x 7 and 148, y 7 and 214 ((1122.52 - 37.8 - 15) div 5 = 1070 div 5).
  EXPECT_GT(ink::CountColour(*s, gfx::kBlack, 7, 0, 7, 223), 50);
  EXPECT_GT(ink::CountColour(*s, gfx::kBlack, 148, 0, 148, 223), 50);
  EXPECT_GT(ink::CountColour(*s, gfx::kBlack, 0, 7, 157, 7), 30);
  EXPECT_GT(ink::CountColour(*s, gfx::kBlack, 0, 214, 157, 214), 30);
  EXPECT_LT(ink::CountColour(*s, gfx::kBlack, 7, 0, 7, 223), 224);   // dotted, not solid
  EXPECT_EQ(ink::CountColour(*s, gfx::kBlack, 20, 20, 140, 200), 0);

  gfx::Clear(*s, gfx::kWhite);
  noMargins = 1;
  DrawMarginPreview(*s);
  EXPECT_TRUE(ink::InkBox(*s).Empty());

  ambientColorOn = 1;
  ambientColor = 0x00FFFF;
  FillMarginAreaPreview(*s);
  ink::Box area = ink::InkBox(*s);
  EXPECT_EQ(area.left, 7);
  EXPECT_EQ(area.top, 7);
  EXPECT_EQ(area.right, 148);
  EXPECT_EQ(area.bottom, 214);
  EXPECT_EQ(gfx::Pixel(*s, 80, 100), 0x00FFFF);
  gfx::ReleaseBitmap(s);

  paperWidthMm = 0;
  EXPECT_EQ(MarginPreviewWidth(), 1);
}

TEST_F(ConfigurationTest, TheDialogShowsThePreview) {
  OnDialog(kCaption, [](ui::Window w) {
    gfx::Surface& preview = ui::ControlSurface(w, kPreview);
    EXPECT_EQ(gfx::Width(preview), 158);
    EXPECT_EQ(gfx::Height(preview), 224);
    EXPECT_GT(ink::CountColour(preview, gfx::kBlack, 7, 0, 7, 223), 50);
    Click(w, kNoMargins);
    EXPECT_TRUE(ink::InkBox(preview).Empty());
    Click(w, kSalir);
  });
  ShowConfigurationDialog(nullptr);
  EXPECT_EQ(noMargins, 1);
}

}  // namespace
