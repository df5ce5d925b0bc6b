#include "objects/image_size.h"

#include <gtest/gtest.h>

#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;

constexpr const char* kCaption = "Tama\xF1o Imagenes";
constexpr const char* kRefusal = "Tienes que poner un tama\xF1o de imagen en esta opcion ...";

class ImageSizeTest : public dialogtest::DialogTest {
 protected:
  ImageSizeTest() : DialogTest({&imageSizeDialogOpen}) {}
  void SetUp() override {
    DialogTest::SetUp();
    imageTrueSize = 1;
    imageWidth = imageHeight = 0;
    imageSizeDialogOpen = 1;
  }
};

TEST_F(ImageSizeTest, TrueSizeGivesNoWidthOrHeight) {
  imageTrueSize = 0;
  imageWidth = 300;
  imageHeight = 200;
  OnDialog(kCaption, [](ui::Window w) {
    EXPECT_EQ(ui::Text(w, 51005), "300");
    EXPECT_TRUE(ui::Enabled(w, 51005));
    Click(w, 51001);
    EXPECT_FALSE(ui::Enabled(w, 51005));
    EXPECT_FALSE(ui::Enabled(w, 51006));
    Click(w, 51009);
  });
  ShowImageSizeDialog(nullptr);
  EXPECT_EQ(imageTrueSize, 1);
  EXPECT_EQ(imageWidth, 0);
  EXPECT_EQ(imageHeight, 0);
}

TEST_F(ImageSizeTest, AFixedSizeNeedsBothSidesWithinSixteenBits) {
  struct Case {
    const char* width;
    const char* height;
    bool accepted;
  };
  const Case cases[] = {
      {"640", "480", true}, {"32767", "1", true}, {"0", "480", false},
      {"640", "", false},   {"70000", "480", false}, {"640", "99999999999", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    ui::testing::Begin();
    imageSizeDialogOpen = 1;
    imageTrueSize = 1;
    imageWidth = imageHeight = 0;
    OnDialog(kCaption, [&](ui::Window w) {
      Click(w, 51001);
      TypeText(w, 51005, c.width);
      TypeText(w, 51006, c.height);
      Click(w, 51009);
      if (!MessagesShown().empty()) Click(w, 51008);
    });
    ShowImageSizeDialog(nullptr);
    if (c.accepted) {
      EXPECT_TRUE(MessagesShown().empty());
      EXPECT_EQ(imageTrueSize, 0);
      EXPECT_EQ(imageWidth, std::stoi(c.width));
      EXPECT_EQ(imageHeight, std::stoi(c.height));
    } else {
      ASSERT_EQ(MessagesShown().size(), 1u);
      EXPECT_EQ(MessagesShown()[0].text, kRefusal);
      // "Cancelar" gave back the values of the opening.
      EXPECT_EQ(imageTrueSize, 1);
      EXPECT_EQ(imageWidth, 0);
    }
  }
}

TEST_F(ImageSizeTest, TheCloseBoxRestoresTheOpeningValues) {
  OnDialog(kCaption, [](ui::Window w) {
    Click(w, 51001);
    TypeText(w, 51005, "10");
    ui::testing::CloseBox(w);
  });
  ShowImageSizeDialog(nullptr);
  EXPECT_EQ(imageTrueSize, 1);
  EXPECT_EQ(imageWidth, 0);
}

}  // namespace
