#include "objects/image_size.h"

#include <gtest/gtest.h>

#include "tests/objects/dialog_test.h"

namespace {

using ui::testing::Click;
using ui::testing::MessagesShown;
using ui::testing::OnDialog;
using ui::testing::TypeText;
using namespace image_size_ids;

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
    EXPECT_EQ(ui::Text(w, kWidth), "300");
    EXPECT_TRUE(ui::Enabled(w, kWidth));
    Click(w, kTrueSize);
    EXPECT_FALSE(ui::Enabled(w, kWidth));
    EXPECT_FALSE(ui::Enabled(w, kHeight));
    Click(w, kAceptar);
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
      Click(w, kTrueSize);
      TypeText(w, kWidth, c.width);
      TypeText(w, kHeight, c.height);
      Click(w, kAceptar);
      if (!MessagesShown().empty()) Click(w, kCancelar);
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
    Click(w, kTrueSize);
    TypeText(w, kWidth, "10");
    ui::testing::CloseBox(w);
  });
  ShowImageSizeDialog(nullptr);
  EXPECT_EQ(imageTrueSize, 1);
  EXPECT_EQ(imageWidth, 0);
}

}  // namespace
