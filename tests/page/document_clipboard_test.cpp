#include <string>
#include <vector>

#include "page/painter.h"
#include "platform/gfx/gfx.h"
#include "tests/page/document_test.h"

namespace {

using pagetest::FirstDifference;
using pagetest::SampleRecord;
using pagetest::SetText;

using ClipboardTest = pagetest::PageTest;

TEST_F(ClipboardTest, SixteenCopiesKeepFifteen) {
  currentObjectIndex = static_cast<int16_t>(Add(SampleRecord(kArrow, 1)));
  for (int i = 0; i < 16; ++i) CopyCurrentObjectToClipboard();
  EXPECT_EQ(clipboardCount, 15);
  for (int entry = 1; entry <= 15; ++entry)
    EXPECT_EQ(FirstDifference(objectClipboard[entry], pageObjects[2]), -1) << entry;

  ClearObjectClipboard();
  EXPECT_EQ(clipboardCount, 0);
  EXPECT_EQ(FirstDifference(objectClipboard[1], PageObject{}), -1);
}

TEST_F(ClipboardTest, PasteIntoANearlyFullStorePastesWhatFits) {
  for (int seed = 1; seed <= 3; ++seed) {
    currentObjectIndex = static_cast<int16_t>(Add(SampleRecord(kSquareOrCircle, seed)));
    CopyCurrentObjectToClipboard();
  }
  objectCount = 497;
  const std::vector<std::string> messages = PasteCopiedObjects();
  EXPECT_EQ(objectCount, 499);
  EXPECT_EQ(FirstDifference(pageObjects[498], SampleRecord(kSquareOrCircle, 1)), -1);
  EXPECT_EQ(FirstDifference(pageObjects[499], SampleRecord(kSquareOrCircle, 2)), -1);
  EXPECT_EQ(pageObjects[500].kind, 0);
  EXPECT_EQ(messages,
            std::vector<std::string>{
                "Pegados 2 de 3\r\n"
                "Es posible que el objeto este solapado por debajo de el mismo del que se copia "
                "..\r\nReeditelo, Gracias!!"});
}

// A copy whose picture has gone is pasted without one; the paste reports each such picture,
// in order, before the count.
TEST_F(ClipboardTest, PastedPicturesThatAreGoneAreReportedBeforeTheCount) {
  for (const char* name : {"uno.png", "dos.png"}) {
    PageObject image = SampleRecord(kImage, 1);
    SetText(image.imagePath, folder + name);
    currentObjectIndex = static_cast<int16_t>(Add(image));
    CopyCurrentObjectToClipboard();
  }
  currentObjectIndex = static_cast<int16_t>(Add(SampleRecord(kArrow, 2)));
  CopyCurrentObjectToClipboard();
  EXPECT_EQ(PasteCopiedObjects(),
            (std::vector<std::string>{
                "[GraphicLoadImageFileToBitmap] called on <" + folder + "uno.png> Missing file",
                "[GraphicLoadImageFileToBitmap] called on <" + folder + "dos.png> Missing file",
                "Pegados 3 de 3\r\n"
                "Es posible que el objeto este solapado por debajo de el mismo del que se copia "
                "..\r\nReeditelo, Gracias!!"}));
  ASSERT_EQ(objectCount, 7);
  EXPECT_EQ(pageObjects[5].kind, kImage);
  EXPECT_EQ(pageObjects[5].bitmapHandle, 0);
  EXPECT_EQ(std::string(pageObjects[6].imagePath), folder + "dos.png");
  EXPECT_EQ(pageObjects[7].kind, kArrow);
}

TEST_F(ClipboardTest, PasteOfAnEmptyClipboardDoesNothing) {
  Add(SampleRecord(kArrow, 1));
  EXPECT_TRUE(PasteCopiedObjects().empty());
  EXPECT_EQ(objectCount, 2);
}

TEST_F(ClipboardTest, DeleteEmptiesTheSlotAndKeepsTheCount) {
  Add(SampleRecord(kArrow, 1));
  currentObjectIndex = static_cast<int16_t>(Add(SampleRecord(kAdminControl, 2)));
  Add(SampleRecord(kMemoText, 3));
  DeleteCurrentObject();
  EXPECT_EQ(objectCount, 4);
  EXPECT_EQ(FirstDifference(pageObjects[3], PageObject{}), -1);
  EXPECT_EQ(pageObjects[2].kind, kArrow);
  EXPECT_EQ(pageObjects[4].kind, kMemoText);
}

TEST_F(ClipboardTest, EachPastedCopyHasAnImageAndFontOfItsOwn) {
  gfx::Surface* bitmap = gfx::MakeBitmap(5, 3);
  std::string error;
  ASSERT_TRUE(gfx::SaveImage(*bitmap, folder + "sello.png", error)) << error;
  gfx::ReleaseBitmap(bitmap);

  PageObject image = SampleRecord(kImage, 1);
  SetText(image.imagePath, folder + "sello.png");
  image.bitmapHandle = gfx::LoadImage(folder + "sello.png", error);
  ASSERT_NE(image.bitmapHandle, 0) << error;
  currentObjectIndex = static_cast<int16_t>(Add(image));
  CopyCurrentObjectToClipboard();
  PageObject text = SampleRecord(kAngledText, 2);
  currentObjectIndex = static_cast<int16_t>(Add(text));
  CopyCurrentObjectToClipboard();
  PasteCopiedObjects();
  PasteCopiedObjects();
  ASSERT_EQ(objectCount, 7);

  const int32_t original = pageObjects[2].bitmapHandle;
  const int32_t first = pageObjects[4].bitmapHandle;
  const int32_t second = pageObjects[6].bitmapHandle;
  EXPECT_NE(first, 0);
  EXPECT_NE(second, 0);
  EXPECT_NE(first, original);
  EXPECT_NE(second, first);
  EXPECT_EQ(gfx::FontOf(pageObjects[5].fontHandle).escapement, text.angle);
  EXPECT_EQ(gfx::FontOf(pageObjects[5].fontHandle).face, "Times New Roman");

  // Deleting the original lets its image go; the copies keep theirs.
  currentObjectIndex = 2;
  DeleteCurrentObject();
  EXPECT_EQ(gfx::ImageWidth(original), 0);
  EXPECT_EQ(gfx::ImageWidth(first), 5);
  EXPECT_EQ(gfx::ImageWidth(second), 5);
}

}  // namespace

namespace {

// A pasted object is new to the record fill: the filled copies kept for its slot and the
// slots above are dropped, so it shows its own text.
TEST_F(ClipboardTest, PastedObjectsDropTheFilledCopiesOfTheirSlots) {
  currentObjectIndex = static_cast<int16_t>(Add(SampleRecord(kAlignedText, 1)));
  CopyCurrentObjectToClipboard();
  savedPlaceholderTexts.assign(10, "Relleno");
  PasteCopiedObjects();
  EXPECT_EQ(objectCount, 3);
  EXPECT_EQ(savedPlaceholderTexts.size(), 3u);
  EXPECT_EQ(savedPlaceholderTexts[2], "Relleno");
  savedPlaceholderTexts.clear();
}

}  // namespace
