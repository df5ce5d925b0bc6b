// The older document format: records of 2080 bytes read onto today's objects, its refusals,
// and a save that turns it into the current format.
#include "velprint/old_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "platform/files/files.h"
#include "tests/page/document_test.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"
#include "tests/velprint/velprint_test.h"

namespace {

using pagetest::FirstDifference;
using pagetest::SampleRecord;
using velprinttest::kTooLarge;
using velprinttest::kUnknownFormat;

template <size_t N>
void FillWithoutTerminator(char (&field)[N], char c) {
  std::memset(field, c, N);
}

// An administrative control with a value in every field, its run-time fields set, and texts
// that fill their fields to the last byte: what an older document holds in its first 2080
// bytes.
PageObject DistinctRecord() {
  PageObject o = SampleRecord(kAdminControl, 3);
  o.dragging = 1;
  o.bitmapHandle = 108;
  o.fontHandle = 113;
  FillWithoutTerminator(o.imagePath, 'I');
  FillWithoutTerminator(o.fontName, 'F');
  FillWithoutTerminator(o.text, 'T');
  FillWithoutTerminator(o.fillText, 'R');
  FillWithoutTerminator(o.fillFontName, 'A');
  FillWithoutTerminator(o.databaseField, 'D');
  return o;
}

class OldDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testenv::NewFolder("old");
    documentPath = folder + "antiguo.qorvex";
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    onDocumentStoreReplaced = MakePageBitmaps;
    MakePageBitmaps();
  }
  void TearDown() override { ReleasePageBitmaps(); }

  static std::string OldRecord(const PageObject& o) {
    return std::string(reinterpret_cast<const char*>(&o), kOldPageObjectLength);
  }

  std::string folder;
};

TEST_F(OldDocumentTest, EveryFieldLandsOnTheCurrentFieldOfItsOffset) {
  const PageObject old = DistinctRecord();
  testfiles::WriteRaw(documentPath, OldRecord(old));
  scrollOffset() = -300;
  const DocumentReport report = LoadOldFormatDocument();
  ASSERT_TRUE(report.done);
  EXPECT_EQ(report.message, "");
  EXPECT_EQ(objectCount, 2);
  EXPECT_EQ(scrollOffset(), 0) << "the page is shown from its top";

  // Texts keep their width less one; the run-time fields are rebuilt, not trusted; the fixed y
  // of the fill text does not exist in the older record.
  PageObject expected = old;
  expected.imagePath[259] = expected.fontName[259] = expected.text[1023] = 0;
  expected.fillText[273] = expected.fillFontName[49] = expected.databaseField[30] = 0;
  expected.dragging = expected.bitmapHandle = expected.fontHandle = 0;
  expected.fillUseY = expected.fillY = 0;
  EXPECT_EQ(FirstDifference(pageObjects[2], expected), -1);

  const PageObject& o = pageObjects[2];
  EXPECT_EQ(o.borderColor, 0x00FF00);   // 304
  EXPECT_EQ(o.fillStyle, 4);            // 1628
  EXPECT_EQ(o.lineStyle, 2);            // 1632
  EXPECT_EQ(o.lineWidth, 3);            // 1636
  EXPECT_EQ(std::string(o.fillText), std::string(273, 'R'));
  EXPECT_EQ(std::string(o.databaseField), std::string(30, 'D'));
}

TEST_F(OldDocumentTest, LengthsAreJudgedByTheOlderRecord) {
  struct Case {
    const char* name;
    size_t length;
    const char* message;   // nullptr: read
    int32_t objectCount;
  };
  const Case cases[] = {
      {"empty", 0, nullptr, 1},
      {"498 records", 498 * 2080, nullptr, 499},
      {"499 records, a full store", 499 * 2080, nullptr, 500},
      {"500 records", 500 * 2080, kTooLarge, 3},
      {"one byte too many", 2081, kUnknownFormat, 3},
      {"a current document of one object", 2086, kUnknownFormat, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AllocateStore();
    objectCount = 1;
    pageObjects[++objectCount] = SampleRecord(kSquareOrCircle, 1);
    pageObjects[++objectCount] = SampleRecord(kArrow, 2);
    const PageObject before = pageObjects[3];
    const gfx::Surface* bitmapBefore = pageBitmap;
    std::string bytes;
    for (size_t i = 0; i < c.length / 2080; ++i) bytes += OldRecord(SampleRecord(kArrow, 7));
    bytes.resize(c.length, '\0');
    testfiles::WriteRaw(documentPath, bytes);

    const DocumentReport report = LoadOldFormatDocument();
    EXPECT_EQ(report.done, c.message == nullptr);
    EXPECT_EQ(objectCount, c.objectCount);
    if (c.message) {
      EXPECT_EQ(report.message, c.message);
      EXPECT_EQ(pageBitmap, bitmapBefore);
      EXPECT_EQ(FirstDifference(pageObjects[3], before), -1);
    } else {
      EXPECT_EQ(report.message, "");
      EXPECT_NE(pageBitmap, nullptr);
      EXPECT_EQ(pageObjects[2 + 498].kind, c.objectCount >= 500 ? kArrow : 0);
    }
  }
}

TEST_F(OldDocumentTest, TheCurrentReaderRefusesAnOlderDocument) {
  testfiles::WriteRaw(documentPath, OldRecord(SampleRecord(kArrow, 3)));
  const DocumentReport report = LoadDocument();
  EXPECT_FALSE(report.done);
  EXPECT_EQ(report.message, kUnknownFormat);
}

// Saved at once, an older document becomes a current one: every record whole, its first 2080
// bytes as read and its last six zero.
TEST_F(OldDocumentTest, SavingWritesTheCurrentFormat) {
  std::string old;
  for (int k = 0; k < 3; ++k) {
    PageObject o = SampleRecord(kAdminControl + k % 2, k);
    o.fillUseY = o.fillY = 0;
    old += OldRecord(o);
  }
  testfiles::WriteRaw(documentPath, old);
  ASSERT_TRUE(LoadOldFormatDocument().done);
  documentPath = folder + "actual.qorvex";
  ASSERT_EQ(SaveDocument(), "");

  const std::string saved = testfiles::ReadRaw(documentPath);
  ASSERT_EQ(saved.size(), 3u * 2086);
  for (size_t k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(saved.substr(k * 2086, 2080), old.substr(k * 2080, 2080));
    EXPECT_EQ(saved.substr(k * 2086 + 2080, 6), std::string(6, '\0'));
  }
}

}  // namespace
