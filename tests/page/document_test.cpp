#include "tests/page/document_test.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "platform/files/files.h"
#include "platform/gfx/gfx.h"
#include "tests/support/test_files.h"

namespace {

using pagetest::Bytes;
using pagetest::FirstDifference;
using pagetest::SampleRecord;
using pagetest::SetText;

constexpr const char* kFormatMessage = "Fichero con formato desconocido !!!";
constexpr const char* kTooLargeMessage = "Fichero demasiado grande, temiendolo mucho NO puedo leer ...";

int64_t ReadLittleEndian(const std::string& data, size_t offset, int width) {
  uint64_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(data[offset + i]);
  // Sign-extend to the field's width (u8 fields are never negative in the table below).
  if (width < 8 && width > 1 && (value >> (8 * width - 1)) & 1) value |= ~uint64_t{0} << (8 * width);
  return static_cast<int64_t>(value);
}

void WriteLittleEndian(std::string& data, size_t offset, int width, int64_t value) {
  for (int i = 0; i < width; ++i) data[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct FieldCase {
  const char* name;
  size_t offset;
  int width;
  int64_t value;
  std::function<void(PageObject&, int64_t)> set;
  std::function<int64_t(const PageObject&)> get;
};

#define FIELD(member, offset, width, value)                                                    \
  FieldCase {                                                                                  \
    #member, offset, width, value,                                                             \
        [](PageObject& o, int64_t v) { o.member = static_cast<decltype(o.member)>(v); },       \
        [](const PageObject& o) { return static_cast<int64_t>(o.member); }                     \
  }

using DocumentTest = pagetest::PageTest;

TEST_F(DocumentTest, FieldsSitAtTheirByteOffsetsBothWays) {
  ASSERT_EQ(sizeof(PageObject), 2086u);
  const std::vector<FieldCase> cases = {
      FIELD(x, 0, 4, 0x11223344),           FIELD(kind, 28, 4, kArrow),
      FIELD(borderColor, 304, 4, -2),       FIELD(fontSize, 312, 2, 0x00A3),
      FIELD(optionFlag1, 314, 4, -7),       FIELD(alignment, 326, 2, 134),
      FIELD(lineWidth, 1636, 4, 1),         FIELD(roundingPercent, 1640, 2, -100),
      FIELD(arrowHeads, 1648, 1, 0xAB),     FIELD(arrowLineWidth, 1649, 2, 0x005A),
      FIELD(arrowHeadSize, 1657, 2, 321),   FIELD(cellCount, 1945, 4, 999),
      FIELD(fillFontSize, 2011, 2, 0x00C8), FIELD(controlBackColor, 2045, 4, 0x00ABCDEF),
      FIELD(fillY, 2084, 2, -300),
  };
  PageObject o{};
  for (const auto& c : cases) c.set(o, c.value);
  SetText(o.text, "texto\xF1");
  SetText(o.databaseField, "CAMPO");
  Add(o);
  ASSERT_EQ(SaveDocument(), "");
  const std::string saved = testfiles::ReadRaw(documentPath);
  ASSERT_EQ(saved.size(), 2086u);
  for (const auto& c : cases)
    EXPECT_EQ(ReadLittleEndian(saved, c.offset, c.width), c.value) << c.name;
  EXPECT_EQ(saved.substr(592, 7), std::string("texto\xF1", 6) + '\0');
  EXPECT_EQ(saved.substr(2049, 6), std::string("CAMPO") + '\0');

  // And a record made byte by byte reads into the same fields.
  std::string raw(2086, '\0');
  for (const auto& c : cases) WriteLittleEndian(raw, c.offset, c.width, c.value);
  raw.replace(592, 5, "hola!");
  testfiles::WriteRaw(documentPath, raw);
  ASSERT_TRUE(LoadDocument().done);
  ASSERT_EQ(objectCount, 2);
  for (const auto& c : cases) EXPECT_EQ(c.get(pageObjects[2]), c.value) << c.name;
  EXPECT_STREQ(pageObjects[2].text, "hola!");
}

// The smallest and the largest value some dialog can write into a field.
struct ReachCase {
  const char* name;
  int64_t low, high;
  std::function<void(PageObject&, int64_t)> set;
  std::function<int64_t(const PageObject&)> get;
};

#define REACH(member, low, high)                                                            \
  ReachCase {                                                                               \
    #member, low, high,                                                                     \
        [](PageObject& o, int64_t v) { o.member = static_cast<decltype(o.member)>(v); },    \
        [](const PageObject& o) { return static_cast<int64_t>(o.member); }                  \
  }

TEST_F(DocumentTest, EveryValueADialogCanSetSurvivesASaveAndARead) {
  const std::vector<ReachCase> cases = {
      // "Propiedades objetos" takes positions and font sizes as typed, "No checks".
      REACH(x, -1000000, 1000000),
      REACH(y, -1000000, 1000000),
      // An image inserted at its own size is as wide as the picture.
      REACH(width, 0, 40000),
      REACH(height, 0, 40000),
      REACH(backColor, -2, 0xFFFFFF),
      REACH(foreColor, 0, 0xFFFFFF),
      // The month dialog's year is any number typed, 0 included.
      REACH(calendarYear, 0, 99999),
      REACH(calendarMonth, 1, 12),
      REACH(borderColor, 0, 0xFFFFFF),
      REACH(fontSize, INT16_MIN, INT16_MAX),
      REACH(optionFlag1, 0, 1),
      REACH(optionFlag2, 0, 1),
      REACH(optionFlag3, 0, 1),
      REACH(alignment, 1, 134),
      REACH(fontStyle, 0, 31),
      // Ten times the degrees of "Propiedades Texto", or any number typed in the properties.
      REACH(angle, INT32_MIN + 1, INT32_MAX),
      REACH(roundedCorners, 0, 1),
      REACH(shapeType, 7001, 7002),
      REACH(fillStyle, 0, 6),
      REACH(lineStyle, 0, 4),
      REACH(lineWidth, 1, 15),
      REACH(roundingPercent, 0, 100),
      REACH(arrowLength, INT16_MIN, INT16_MAX),
      REACH(arrowColor, 0, 0xFFFFFF),
      REACH(arrowHeads, 0, 2),
      REACH(arrowLineWidth, 1, 30),
      REACH(arrowDirection, 1, 8),
      REACH(arrowClosedHead, 0, 1),
      REACH(arrowHeadSize, 0, INT16_MAX),
      REACH(cellWidth, 0, 10000),
      REACH(penWidth, 0, 100),
      REACH(labelVisible, 0, 1),
      REACH(cellCount, 0, 10000),
      REACH(cellSpacing, 0, 10000),
      REACH(adminStyle, 1, 10),
      REACH(fillBackColor, 0, 0xFFFFFF),
      REACH(fillForeColor, 0, 0xFFFFFF),
      REACH(fillFontSize, 6, 70),
      REACH(fillBold, 0, 1),
      REACH(fillItalic, 0, 1),
      REACH(fillUnderline, 0, 1),
      REACH(fillStrikeout, 0, 1),
      REACH(fillLeading, 0, 1),
      REACH(fillAlignment, 131, 133),
      REACH(fillFontStyle, 0, 31),
      REACH(optionShape, 0, 1),
      REACH(optionMarked, 0, 1),
      REACH(controlBackColor, 0, 0xFFFFFF),
      REACH(fillUseY, 0, 1),
      REACH(fillY, INT16_MIN, INT16_MAX),
  };
  // A month calendar holds no run-time handle the reader makes anew, so every byte comes back.
  PageObject lows = SampleRecord(kMonthCalendar, 1), highs = SampleRecord(kMonthCalendar, 2);
  for (const auto& c : cases) {
    c.set(lows, c.low);
    c.set(highs, c.high);
  }
  SetText(highs.text, std::string(1023, '\xF1'));
  SetText(highs.fillText, std::string(273, 'x'));
  SetText(highs.databaseField, std::string(30, 'C'));
  Add(lows);
  Add(highs);
  ASSERT_EQ(SaveDocument(), "");
  ASSERT_TRUE(LoadDocument().done);
  ASSERT_EQ(objectCount, 3);
  for (const auto& c : cases) {
    EXPECT_EQ(c.get(pageObjects[2]), c.low) << c.name;
    EXPECT_EQ(c.get(pageObjects[3]), c.high) << c.name;
  }
  EXPECT_EQ(FirstDifference(pageObjects[2], lows), -1);
  EXPECT_EQ(FirstDifference(pageObjects[3], highs), -1);
}

TEST_F(DocumentTest, SaveThenReadGivesBackEveryLiveRecordWithHolesClosed) {
  std::vector<PageObject> live;
  const int32_t kinds[] = {kSquareOrCircle, kArrow, kMonthCalendar, kAdminControl, kAdminOptionCell,
                           kLineText, kMathsCharacter, kCornerMarks, kMemoText, kAlignedText, kAngledText};
  int seed = 0;
  for (int32_t kind : kinds) {
    PageObject o = SampleRecord(kind, ++seed);
    // Run-time fields as they stood when saved: they mean nothing to the reader.
    o.dragging = 1;
    o.bitmapHandle = 4242;
    o.fontHandle = 77;
    Add(o);
    live.push_back(o);
    // A deleted object between every two live ones.
    Add(SampleRecord(kSquareOrCircle, 100 + seed));
    pageObjects[objectCount] = PageObject{};
  }
  ASSERT_EQ(SaveDocument(), "");

  std::string expectedFile;
  for (const auto& o : live) expectedFile += Bytes(o);
  EXPECT_TRUE(testfiles::ReadRaw(documentPath) == expectedFile) << "the file holds the live records in slot order";

  int replaced = 0;
  onDocumentStoreReplaced = [&] { ++replaced; };
  pageObjects[1].y = -200;  // scrolled down before the read
  const DocumentReport report = LoadDocument();
  ASSERT_TRUE(report.done);
  EXPECT_EQ(replaced, 1);
  EXPECT_EQ(report.message, "");
  ASSERT_EQ(objectCount, static_cast<int32_t>(live.size()) + 1);
  EXPECT_EQ(FirstDifference(pageObjects[1], PageObject{}), -1) << "slot 1 all zero";
  for (size_t i = 0; i < live.size(); ++i) {
    PageObject expected = live[i];
    expected.dragging = 0;
    expected.bitmapHandle = 0;
    const PageObject& got = pageObjects[i + 2];
    if (expected.kind == kAlignedText || expected.kind == kAngledText) {
      const gfx::FontSpec font = gfx::FontOf(got.fontHandle);
      EXPECT_EQ(font.face, "Times New Roman");
      EXPECT_EQ(font.points, expected.fontSize);
      EXPECT_EQ(font.styleFlags, expected.fontStyle);
      EXPECT_EQ(font.escapement, expected.kind == kAngledText ? expected.angle : 0);
      EXPECT_EQ(font.charset, expected.kind == kAngledText ? 1 : 0);
      expected.fontHandle = got.fontHandle;
    } else {
      expected.fontHandle = 0;
    }
    EXPECT_EQ(FirstDifference(got, expected), -1) << "slot " << i + 2 << " kind " << expected.kind;
  }
  EXPECT_EQ(FirstDifference(pageObjects[objectCount + 1], PageObject{}), -1);
}

TEST_F(DocumentTest, EmptyPageRemovesTheFileAndAnEmptyFileIsAnEmptyPage) {
  testfiles::WriteRaw(documentPath, Bytes(SampleRecord(kArrow, 1)));
  Add(SampleRecord(kArrow, 1));
  pageObjects[2].kind = 0;  // deleted: nothing live remains
  ASSERT_EQ(SaveDocument(), "");
  EXPECT_FALSE(files::FileExists(documentPath));

  testfiles::WriteRaw(documentPath, "");
  Add(SampleRecord(kArrow, 2));
  const DocumentReport report = LoadDocument();
  ASSERT_TRUE(report.done);
  EXPECT_EQ(objectCount, 1);
  EXPECT_EQ(FirstDifference(pageObjects[2], PageObject{}), -1);
  EXPECT_EQ(report.message, "");
}

TEST_F(DocumentTest, ImagesAreLoadedAgainBesideTheDocument) {
  gfx::Surface* bitmap = gfx::MakeBitmap(6, 4);
  std::string error;
  ASSERT_TRUE(gfx::SaveImage(*bitmap, folder + "logo.png", error)) << error;
  gfx::ReleaseBitmap(bitmap);

  PageObject image = SampleRecord(kImage, 1);
  SetText(image.imagePath, "C:\\otra maquina\\logo.png");  // travelled with the document
  Add(image);
  PageObject missing = SampleRecord(kImage, 2);
  SetText(missing.imagePath, folder + "no-existe.png");
  Add(missing);
  testfiles::WriteRaw(folder + "roto.png", "no es una imagen");
  PageObject broken = SampleRecord(kImage, 3);
  SetText(broken.imagePath, folder + "roto.png");
  Add(broken);
  Add(SampleRecord(kArrow, 4));
  ASSERT_EQ(SaveDocument(), "");
  const std::string saved = testfiles::ReadRaw(documentPath);
  const DocumentReport report = LoadDocument();
  ASSERT_TRUE(report.done);
  ASSERT_EQ(objectCount, 5);
  EXPECT_NE(pageObjects[2].bitmapHandle, 0);
  EXPECT_EQ(gfx::ImageWidth(pageObjects[2].bitmapHandle), 6);
  EXPECT_EQ(pageObjects[5].kind, kArrow) << "the read goes on";

  // One message for the images that cannot be read, each path on its line with what became
  // of it; the objects stay with their paths and sizes, so saving again loses nothing.
  EXPECT_EQ(report.message,
            "No puedo leer 2 im\xE1genes del documento ...\r\n"
            "Sus objetos siguen en la p\xE1gina con su ruta y su tama\xF1o, sin imagen:\r\n" +
                folder + "no-existe.png (no existe)\r\n" + folder + "roto.png (no se puede leer)");
  for (int slot : {3, 4}) {
    EXPECT_EQ(pageObjects[slot].bitmapHandle, 0);
    EXPECT_EQ(pageObjects[slot].kind, kImage);
    EXPECT_EQ(pageObjects[slot].width, (slot == 3 ? missing : broken).width);
    EXPECT_EQ(pageObjects[slot].height, (slot == 3 ? missing : broken).height);
  }
  // (The first record holds the run-time key of its loaded image, which means nothing.)
  ASSERT_EQ(SaveDocument(), "");
  EXPECT_EQ(testfiles::ReadRaw(documentPath).substr(kDocumentRecordLength), saved.substr(kDocumentRecordLength));
}

// However many pictures a document has lost, one message tells of them: the first 20 paths,
// one a line, then how many more.
TEST_F(DocumentTest, MissingPicturesAreToldInOneMessageListingTheFirstTwenty) {
  for (int n : {1, 3, 20, 21, 498}) {
    SCOPED_TRACE(n);
    AllocateStore();
    objectCount = 1;
    std::vector<PageObject> records;
    for (int k = 0; k < n; ++k) {
      PageObject image = SampleRecord(kImage, k);
      SetText(image.imagePath, folder + "movidas/foto" + std::to_string(k) + ".jpg");
      records.push_back(image);
      Add(image);
    }
    ASSERT_EQ(SaveDocument(), "");
    const DocumentReport report = LoadDocument();
    ASSERT_TRUE(report.done);
    ASSERT_EQ(objectCount, n + 1);

    const std::string& text = report.message;
    std::vector<std::string> lines;
    for (size_t at = 0;;) {
      const size_t end = text.find("\r\n", at);
      lines.push_back(text.substr(at, end - at));
      if (end == std::string::npos) break;
      at = end + 2;
    }
    const int listed = std::min(n, 20);
    ASSERT_EQ(lines.size(), size_t(2 + listed + (n > 20 ? 1 : 0))) << text;
    EXPECT_EQ(lines[0], n == 1 ? std::string("No puedo leer 1 imagen del documento ...")
                               : "No puedo leer " + std::to_string(n) +
                                     " im\xE1genes del documento ...");
    EXPECT_EQ(lines[1], std::string(n == 1 ? "Su objeto sigue" : "Sus objetos siguen") +
                            " en la p\xE1gina con su ruta y su tama\xF1o, sin imagen:");
    for (int k = 0; k < listed; ++k)
      EXPECT_EQ(lines[2 + k], folder + "movidas/foto" + std::to_string(k) + ".jpg (no existe)");
    if (n > 20)
      EXPECT_EQ(lines.back(), "... y " + std::to_string(n - 20) + " m\xE1s");
    else
      EXPECT_EQ(text.find("m\xE1s"), std::string::npos);

    for (int k = 0; k < n; ++k) {
      const PageObject& o = pageObjects[k + 2];
      EXPECT_EQ(o.kind, kImage);
      EXPECT_EQ(o.bitmapHandle, 0);
      EXPECT_EQ(std::string(o.imagePath), std::string(records[k].imagePath));
      EXPECT_EQ(o.width, records[k].width);
      EXPECT_EQ(o.height, records[k].height);
    }
  }
}

struct RefusedCase {
  const char* name;
  size_t length;
  const char* message;
};

TEST_F(DocumentTest, RefusedFilesLeaveTheStoreAsItWas) {
  const RefusedCase cases[] = {
      {"one byte too many", 2087, kFormatMessage},
      {"truncated second record", 2 * 2086 - 100, kFormatMessage},
      {"500 records", 500 * 2086, kTooLargeMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    Add(SampleRecord(kSquareOrCircle, 5));
    scrollOffset() = -40;
    const PageObject before = pageObjects[2];
    bool replaced = false;
    onDocumentStoreReplaced = [&] { replaced = true; };

    testfiles::WriteRaw(documentPath, std::string(c.length, '\x01'));
    const DocumentReport report = LoadDocument();
    EXPECT_FALSE(report.done);
    EXPECT_EQ(report.message, c.message);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(objectCount, 2);
    EXPECT_EQ(scrollOffset(), -40);
    EXPECT_EQ(FirstDifference(pageObjects[2], before), -1);
  }
}

TEST_F(DocumentTest, AFullPageOf499RecordsIsSavedAndReadBack) {
  while (objectCount < kMaxObjectCount) Add(SampleRecord(kArrow, objectCount));
  ASSERT_EQ(SaveDocument(), "");
  EXPECT_EQ(files::FileLength(documentPath), 499 * 2086);
  AllocateStore();
  objectCount = 1;
  const DocumentReport report = LoadDocument();
  ASSERT_TRUE(report.done);
  EXPECT_EQ(report.message, "");
  EXPECT_EQ(objectCount, 500);
  EXPECT_EQ(FirstDifference(pageObjects[500], SampleRecord(kArrow, 499)), -1);
}

TEST_F(DocumentTest, DamagedRecordIsReadTerminatedAndItsLoopsAndPensHeld) {
  PageObject bad{};
  std::memset(&bad, 'A', sizeof bad);  // no terminator in any text field
  bad.kind = kAdminControl;
  bad.width = 1000000000;
  bad.height = -1000000000;
  bad.fontSize = 32000;
  bad.fillFontSize = -5;
  bad.cellCount = 2000000000;
  bad.cellWidth = -1;
  bad.cellSpacing = 30000;
  bad.penWidth = 100000;
  bad.lineWidth = 999;
  bad.arrowLineWidth = -5;
  bad.arrowHeadSize = 30000;
  bad.adminStyle = 300;
  bad.dragging = 1;
  bad.bitmapHandle = 12345;
  bad.fontHandle = 999;
  PageObject shape{};
  shape.kind = kSquareOrCircle;
  shape.lineWidth = 0;
  PageObject month{};
  month.kind = kMonthCalendar;
  month.calendarMonth = 13;
  month.calendarYear = -4;
  testfiles::WriteRaw(documentPath, Bytes(bad) + Bytes(shape) + Bytes(month));

  ASSERT_TRUE(LoadDocument().done);
  ASSERT_EQ(objectCount, 4);
  const PageObject& o = pageObjects[2];
  EXPECT_EQ(strnlen(o.imagePath, sizeof o.imagePath), 259u);
  EXPECT_EQ(strnlen(o.fontName, sizeof o.fontName), 259u);
  EXPECT_EQ(strnlen(o.text, sizeof o.text), 1023u);
  EXPECT_EQ(strnlen(o.fillText, sizeof o.fillText), 273u);
  EXPECT_EQ(strnlen(o.fillFontName, sizeof o.fillFontName), 49u);
  EXPECT_EQ(strnlen(o.databaseField, sizeof o.databaseField), 30u);
  EXPECT_EQ(std::string(o.text, 3), "AAA");
  // The drawers take any size; only what drives their loops and pens is held.
  EXPECT_EQ(o.width, 1000000000);
  EXPECT_EQ(o.height, -1000000000);
  EXPECT_EQ(o.fontSize, 32000);
  EXPECT_EQ(o.fillFontSize, -5);
  EXPECT_EQ(o.cellCount, 10000);
  EXPECT_EQ(o.cellWidth, 0);
  EXPECT_EQ(o.cellSpacing, 10000);
  EXPECT_EQ(o.penWidth, 100);
  EXPECT_EQ(o.lineWidth, 15);
  EXPECT_EQ(o.arrowLineWidth, 0);
  EXPECT_EQ(o.arrowHeadSize, 30000);
  EXPECT_EQ(o.adminStyle, 10);
  EXPECT_EQ(o.dragging, 0);
  EXPECT_EQ(o.bitmapHandle, 0);
  EXPECT_EQ(o.fontHandle, 0);
  EXPECT_EQ(o.x, 0x41414141) << "values without a range are kept";
  EXPECT_EQ(pageObjects[3].lineWidth, 1) << "a shape is drawn with at least one pixel";
  EXPECT_EQ(pageObjects[4].calendarMonth, 13) << "a month outside the year draws no days";
  EXPECT_EQ(pageObjects[4].calendarYear, -4);
}

TEST_F(DocumentTest, ReadOfWhatCannotBeOpenedReportsTheErrorAndKeepsTheStore) {
  // Devices, FIFOs and links to them would be read for ever or block the program.
  const std::pair<std::string, int> cases[] = {
      {folder + "una carpeta", EISDIR},        {folder + "no-existe.qorvex", ENOENT},
      {"/dev/zero", files::kNotRegularFile},   {"/dev/urandom", files::kNotRegularFile},
      {folder + "cero.qorvex", files::kNotRegularFile},
      {folder + "tuberia.qorvex", files::kNotRegularFile}};
  std::filesystem::create_directory(cases[0].first);
  std::filesystem::create_symlink("/dev/zero", cases[4].first);
  ASSERT_EQ(mkfifo(cases[5].first.c_str(), 0600), 0);
  for (const auto& [path, error] : cases) {
    SCOPED_TRACE(path);
    AllocateStore();
    objectCount = 1;
    Add(SampleRecord(kArrow, 1));
    documentPath = path;
    const DocumentReport report = LoadDocument();
    EXPECT_FALSE(report.done);
    EXPECT_EQ(report.message,
              "No puedo leer el documento <" + path + "> ...\r\n" + files::ErrorText(error));
    EXPECT_EQ(objectCount, 2);
    EXPECT_EQ(pageObjects[2].kind, kArrow);
  }
  EXPECT_FALSE(files::FileExists(cases[1].first)) << "reading never creates the file";
}

TEST_F(DocumentTest, SaveIntoAMissingFolderReportsTheErrorAndTouchesNothing) {
  const std::string old = Bytes(SampleRecord(kArrow, 1));
  testfiles::WriteRaw(documentPath, old);
  Add(SampleRecord(kSquareOrCircle, 2));
  const std::string kept = documentPath;
  documentPath = folder + "no-existe/pagina.qorvex";
  const std::string error = SaveDocument();
  EXPECT_EQ(error.rfind("Err: ", 0), 0u) << error;
  EXPECT_EQ(testfiles::ReadRaw(kept), old);
  EXPECT_FALSE(files::FileExists(documentPath));
}

TEST_F(DocumentTest, FailedSaveOverAnOldDocumentKeepsItWhole) {
  const std::string old = Bytes(SampleRecord(kArrow, 1));
  testfiles::WriteRaw(documentPath, old);
  Add(SampleRecord(kSquareOrCircle, 2));
  Add(SampleRecord(kAlignedText, 3));
  using files::testing::Step;
  const std::pair<Step, int64_t> failures[] = {
      {Step::Create, 0}, {Step::Write, 0}, {Step::Write, 3000}, {Step::Flush, 0}, {Step::Rename, 0}};
  for (const auto& [step, afterBytes] : failures) {
    SCOPED_TRACE(static_cast<int>(step));
    files::testing::FailureScope full(step, ENOSPC, afterBytes);
    const std::string error = SaveDocument();
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(files::testing::FailuresFired(), 1);
    EXPECT_EQ(error, files::ErrorText(ENOSPC));
    EXPECT_EQ(testfiles::ReadRaw(documentPath), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left beside it";
  }
  ASSERT_EQ(SaveDocument(), "");
  EXPECT_EQ(testfiles::ReadRaw(documentPath).size(), 2u * kDocumentRecordLength);
}

TEST(DocumentPathTest, TitleIsTheLastComponent) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Impresos\\factura.qorvex", "factura.qorvex"},
      {"/home/ana/impresos/recibo.qorvex", "recibo.qorvex"},
      {"C:\\mezcla/de\\separadores.qorvex", "separadores.qorvex"},
      {"suelto.qorvex", "suelto.qorvex"},
      {"carpeta\\", ""},
  };
  for (const auto& [path, title] : cases) EXPECT_EQ(SplitDocumentPath(path), title) << path;
}

TEST_F(DocumentTest, StoreHelpersMakeAFreshPageAndClearSlotsForInsertion) {
  Add(SampleRecord(kAlignedText, 1));
  Add(SampleRecord(kArrow, 2));
  AllocateStore();
  for (int slot = 0; slot < kStoreSlots; ++slot)
    ASSERT_EQ(FirstDifference(pageObjects[slot], PageObject{}), -1) << slot;

  ResetPageRecord();
  EXPECT_EQ(pageObjects[1].x, 0);
  EXPECT_EQ(scrollOffset(), 0);
  EXPECT_EQ(pageObjects[1].width, 794);
  EXPECT_EQ(pageObjects[1].height, 1122);
  EXPECT_EQ(pageObjects[1].backColor, 0xFFFFFF);

  // "Deshacer" drops the object but leaves its record; the next insertion starts clean.
  objectCount = 1;
  Add(SampleRecord(kAdminControl, 3));
  --objectCount;
  ClearSlotForInsert(objectCount + 1);
  EXPECT_EQ(FirstDifference(pageObjects[2], PageObject{}), -1);
}

}  // namespace
