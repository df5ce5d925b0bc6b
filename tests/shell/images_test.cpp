// Image objects loaded, sized and drawn, and the page exported in the five formats; the
// exported files are read back with readers of their own (Qt's image reader, giflib).
#include "page/images.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/file_dialogs.h"
#include "objects/image_size.h"
#include "page/drawers.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "tests/page/image_files.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

using ui::testing::AnswerFile;
using ui::testing::MessagesShown;

using imagefiles::kBlue;
using imagefiles::kGreen;
using imagefiles::kRed;
using imagefiles::QuartersFile;
constexpr const char* kSaved = "Grabado con exito ...";

bool Near(gfx::Colour a, gfx::Colour b, int tolerance) {
  return std::abs(gfx::Red(a) - gfx::Red(b)) <= tolerance &&
         std::abs(gfx::Green(a) - gfx::Green(b)) <= tolerance &&
         std::abs(gfx::Blue(a) - gfx::Blue(b)) <= tolerance;
}

bool Near(QRgb p, gfx::Colour c, int tolerance) {
  return Near(gfx::Rgb(qRed(p), qGreen(p), qBlue(p)), c, tolerance);
}

// Full quality leaves every step of every quantisation table at 1.
bool JpegAtFullQuality(const std::string& jpeg) {
  int tables = 0;
  for (size_t at = 2; at + 4 <= jpeg.size();) {
    if (uint8_t(jpeg[at]) != 0xFF) return false;
    const uint8_t marker = uint8_t(jpeg[at + 1]);
    const size_t length = uint8_t(jpeg[at + 2]) * 256u + uint8_t(jpeg[at + 3]);
    if (marker == 0xDA) break;  // the image data starts
    if (marker == 0xDB) {
      for (size_t t = at + 4; t < at + 2 + length; t += 65) {
        if ((uint8_t(jpeg[t]) >> 4) != 0) return false;  // 8-bit steps only
        for (size_t k = 1; k <= 64; ++k)
          if (uint8_t(jpeg[t + k]) != 1) return false;
        ++tables;
      }
    }
    at += 2 + length;
  }
  return tables > 0;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  return names;
}

class ImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::testing::Begin();
    folder = testenv::NewFolder("images");
    paperWidthMm = 210;
    paperHeightMm = 297;
    marginLeft = marginRight = marginTop = marginBottom = 10;
    noMargins = 0;
    ambientColorOn = 0;
    rulerFlags = {};
    axesOn = 0;
    paintMode = 1;
    imageTrueSize = 1;
    imageWidth = imageHeight = 0;
    imageFormatOption = 2009;
    imageExportPath.clear();
    lastImageFolder.clear();
    AllocateStore();
    ResetPageRecord();
    objectCount = 1;
    MakePageBitmaps();
  }
  void TearDown() override {
    AllocateStore();
    ReleasePageBitmaps();
    for (gfx::ImageKey k : keys) gfx::ReleaseImage(k);
  }

  gfx::ImageKey Load(const std::string& path) {
    gfx::ImageKey k = LoadObjectImage(path);
    if (k) keys.push_back(k);
    return k;
  }

  // A blue square with a thick red border on the page, away from the margins.
  static void AddSquare() {
    PageObject& o = pageObjects[++objectCount];
    o = PageObject{};
    o.kind = kSquareOrCircle;
    o.x = 200;
    o.y = 300;
    o.width = 100;
    o.height = 80;
    o.backColor = kBlue;
    o.borderColor = kRed;
    o.shapeType = 7001;
    o.lineWidth = 6;
  }

  std::string folder;
  std::vector<gfx::ImageKey> keys;
};

TEST_F(ImagesTest, EveryInputFormatLoadsAtItsOwnSizeAndDraws) {
  struct Case {
    const char* name;
    int tolerance;
  };
  const Case cases[] = {{"in.png", 0}, {"in.jpg", 40}, {"in.gif", 0}, {"in.bmp", 0}, {"in.tif", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClearGraphicTarget(*pageBitmap);
    gfx::ImageKey k = Load(QuartersFile(folder + c.name, 120, 80));
    ASSERT_NE(k, 0);
    EXPECT_EQ(loadedImageWidth, 120);
    EXPECT_EQ(loadedImageHeight, 80);
    DrawImageObject(*pageBitmap, k, 100, 200, loadedImageWidth, loadedImageHeight);
    EXPECT_TRUE(Near(gfx::Pixel(*pageBitmap, 130, 220), kRed, c.tolerance));
    EXPECT_TRUE(Near(gfx::Pixel(*pageBitmap, 190, 220), kGreen, c.tolerance));
    EXPECT_TRUE(Near(gfx::Pixel(*pageBitmap, 130, 260), kBlue, c.tolerance));
    EXPECT_TRUE(Near(gfx::Pixel(*pageBitmap, 190, 260), gfx::kWhite, c.tolerance));
    // Nothing outside the image's place.
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 99, 220), gfx::kWhite);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 130, 199), gfx::kWhite);
  }
  EXPECT_TRUE(MessagesShown().empty());
}

// Whatever pen the objects before it leave (an arrow's is up to 30 pixels wide), an image is
// copied onto the page as it is and nothing around it changes.
TEST_F(ImagesTest, AnImageLeavesItsNeighboursAsTheyAreWhateverPenCameBefore) {
  AddSquare();   // blue inside (206, 306) to (294, 374)
  PageObject& arrow = pageObjects[++objectCount];
  arrow = PageObject{};
  arrow.kind = kArrow;
  arrow.x = 500;
  arrow.y = 500;
  arrow.arrowLength = 50;
  arrow.arrowDirection = kArrowRight;
  arrow.arrowLineWidth = 30;
  PageObject& image = pageObjects[++objectCount];
  image = PageObject{};
  image.kind = kImage;
  image.x = 230;
  image.y = 320;
  image.bitmapHandle = Load(QuartersFile(folder + "q.png", 40, 40));
  image.width = loadedImageWidth;
  image.height = loadedImageHeight;
  ASSERT_NE(image.bitmapHandle, 0);
  for (int32_t mode : {0, 1}) {
    SCOPED_TRACE(mode);
    ClearGraphicTarget(*pageBitmap);
    PaintAllObjects(*pageBitmap, mode);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 231, 321), kRed);
    EXPECT_EQ(gfx::Pixel(*pageBitmap, 268, 358), gfx::kWhite);   // the image's own white
    for (int d : {1, 3, 8, 12}) {
      EXPECT_EQ(gfx::Pixel(*pageBitmap, 230 - d, 340), kBlue) << d;
      EXPECT_EQ(gfx::Pixel(*pageBitmap, 269 + d, 340), kBlue) << d;
      EXPECT_EQ(gfx::Pixel(*pageBitmap, 250, 320 - d), kBlue) << d;
      EXPECT_EQ(gfx::Pixel(*pageBitmap, 250, 359 + d), kBlue) << d;
    }
  }
}

TEST_F(ImagesTest, ABoxStretchesTheImageToExactlyItsSize) {
  const std::string path = QuartersFile(folder + "wide.png", 1000, 500);
  imageTrueSize = 0;
  imageWidth = 300;
  imageHeight = 200;
  gfx::ImageKey k = Load(path);
  ASSERT_NE(k, 0);
  EXPECT_EQ(loadedImageWidth, 300);
  EXPECT_EQ(loadedImageHeight, 200);
  DrawImageObject(*pageBitmap, k, 50, 60, loadedImageWidth, loadedImageHeight);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 52, 62), kRed);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 50 + 298, 62), kGreen);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 52, 60 + 198), kBlue);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 50 + 300, 62), gfx::kWhite);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 52, 60 + 200), gfx::kWhite);

  // True size gives the image's own size.
  imageTrueSize = 1;
  imageWidth = imageHeight = 0;
  ASSERT_NE(Load(path), 0);
  EXPECT_EQ(loadedImageWidth, 1000);
  EXPECT_EQ(loadedImageHeight, 500);
}

TEST_F(ImagesTest, MissingBrokenOrBoxlessImagesLoadNothing) {
  // A stretch into a box without a side gives nothing, silently.
  const std::string good = QuartersFile(folder + "good.png", 40, 40);
  imageTrueSize = 0;
  imageWidth = 0;
  imageHeight = 100;
  EXPECT_EQ(Load(good), 0);
  EXPECT_EQ(loadedImageWidth, 0);
  EXPECT_TRUE(MessagesShown().empty());

  imageTrueSize = 1;
  imageHeight = 0;
  const std::string missing = folder + "nada.png";
  EXPECT_EQ(Load(missing), 0);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_EQ(MessagesShown()[0].text,
            "[GraphicLoadImageFileToBitmap] called on <" + missing + "> Missing file");

  // A truncated PNG and a file that is no image at all: the read error with the reason.
  const std::string whole = testfiles::ReadRaw(good);
  const std::string truncated = folder + "truncated.png", text = folder + "texto.jpg";
  testfiles::WriteRaw(truncated, whole.substr(0, whole.size() / 2));
  testfiles::WriteRaw(text, "esto no es una imagen");
  for (const std::string& path : {truncated, text}) {
    SCOPED_TRACE(path);
    const size_t before = MessagesShown().size();
    EXPECT_EQ(Load(path), 0);
    EXPECT_EQ(loadedImageWidth, 0);
    EXPECT_EQ(loadedImageHeight, 0);
    ASSERT_EQ(MessagesShown().size(), before + 1);
    const std::string prefix =
        "[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + path + ">\r\n";
    EXPECT_EQ(MessagesShown().back().text.substr(0, prefix.size()), prefix);
    EXPECT_GT(MessagesShown().back().text.size(), prefix.size());
    EXPECT_EQ(MessagesShown().back().title, "Vozurivudoz");
  }

  // A GIF claiming 20000 x 20000 pixels is refused before it is decoded, and says why.
  std::string huge = "GIF89a";
  auto put16 = [&](int v) {
    huge += static_cast<char>(v & 255);
    huge += static_cast<char>(v >> 8);
  };
  put16(20000);
  put16(20000);
  huge += std::string(3, '\0');
  huge += ',';
  for (int v : {0, 0, 20000, 20000}) put16(v);
  huge += '\0';
  const std::string hugePath = folder + "enorme.gif";
  testfiles::WriteRaw(hugePath, huge);
  const size_t before = MessagesShown().size();
  EXPECT_EQ(Load(hugePath), 0);
  EXPECT_EQ(loadedImageWidth, 0);
  EXPECT_EQ(loadedImageHeight, 0);
  ASSERT_EQ(MessagesShown().size(), before + 1);
  EXPECT_NE(MessagesShown().back().text.find("demasiado grande"), std::string::npos)
      << MessagesShown().back().text;
}

TEST_F(ImagesTest, AnImageAtThePageEdgeIsCut) {
  gfx::ImageKey k = Load(QuartersFile(folder + "edge.png", 100, 100));
  ASSERT_NE(k, 0);
  const int w = gfx::Width(*pageBitmap), h = gfx::Height(*pageBitmap);
  DrawImageObject(*pageBitmap, k, w - 20, h - 20, 100, 100);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, w - 1, h - 1), kRed);
  DrawImageObject(*pageBitmap, k, -90, -90, 100, 100);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 5, 5), gfx::kWhite);  // the white quarter
  // Nothing to draw: no image, or no size.
  ClearGraphicTarget(*pageBitmap);
  DrawImageObject(*pageBitmap, 0, 10, 10, 50, 50);
  DrawImageObject(*pageBitmap, k, 10, 10, 0, 50);
  DrawImageObject(*pageBitmap, k, 2000000000, 2000000000, 2000000000, 2000000000);
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 20, 20), gfx::kWhite);
}

TEST_F(ImagesTest, TheImageDialogOpensWhereTheLastPathWasAndFollowsTheChoice) {
  lastImageFolder = "/old/";
  std::string path = folder + "photo.png";
  AnswerFile(folder + "sub/chosen.jpg");
  BrowseImageFile(nullptr, path, 0);
  const ui::FileDialogSpec& spec = ui::testing::LastFileDialog();
  EXPECT_FALSE(spec.save);
  EXPECT_TRUE(spec.mustExist);
  EXPECT_EQ(spec.title, "Navegador de ficheros para imagen");
  EXPECT_EQ(spec.initialFolder, folder);
  EXPECT_EQ(spec.initialName, "photo.png");
  EXPECT_EQ(spec.defaultExtension, "jpg");
  ASSERT_EQ(spec.filters.size(), 2u);
  EXPECT_EQ(spec.filters[0].name, "Images");
  EXPECT_EQ(spec.filters[0].patterns, "*.jpg;*.png;*.gif;*.bmp;*.tif");
  EXPECT_EQ(spec.filters[1].patterns, "*.*");
  EXPECT_EQ(path, folder + "sub/chosen.jpg");
  EXPECT_EQ(lastImageFolder, folder + "sub/");

  // Saving may name a new file; a name typed bare gets ".jpg".
  path.clear();
  AnswerFile(folder + "nuevo");
  BrowseImageFile(nullptr, path, 1);
  EXPECT_TRUE(ui::testing::LastFileDialog().save);
  EXPECT_FALSE(ui::testing::LastFileDialog().mustExist);
  EXPECT_EQ(ui::testing::LastFileDialog().initialFolder, folder + "sub/");
  EXPECT_EQ(path, folder + "nuevo.jpg");

  // Cancelled: no path, the folder stays.
  AnswerFile("");
  BrowseImageFile(nullptr, path, 0);
  EXPECT_EQ(path, "");
  EXPECT_EQ(lastImageFolder, folder);

  // A path the image object could not keep is refused with a message.
  AnswerFile("/" + std::string(300, 'a') + ".png");
  BrowseImageFile(nullptr, path, 0);
  EXPECT_EQ(path, "");
  ASSERT_EQ(MessagesShown().size(), 1u);
}

TEST_F(ImagesTest, ThePageIsExportedInEachFormatWithoutMarksAndReadsBack) {
  struct Case {
    int option;
    const char* extension;
    const char* format;
    int tolerance;
  };
  const Case cases[] = {
      {2008, ".png", "png", 0},  {2009, ".jpg", "jpeg", 40}, {2010, ".gif", "gif", 0},
      {2011, ".tif", "tiff", 0}, {2012, ".bmp", "bmp", 0},
  };
  AddSquare();
  rulerFlags[kRulerMm] = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    ui::testing::Begin();
    imageFormatOption = c.option;
    // The extension typed is replaced by the configured one.
    AnswerFile(folder + "pagina.png");
    ExportPageImage(nullptr);
    const std::string path = folder + "pagina" + c.extension;
    ASSERT_EQ(MessagesShown().size(), 1u);
    EXPECT_EQ(MessagesShown()[0].text, kSaved);
    EXPECT_EQ(imageExportBusy, 0);
    EXPECT_EQ(paintMode, 1);

    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format().toStdString(), c.format);
    QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << path;
    EXPECT_EQ(image.size(), QSize(794, 1123));
    EXPECT_FALSE(image.hasAlphaChannel());
    EXPECT_TRUE(Near(image.pixel(250, 340), kBlue, c.tolerance));       // inside the square
    EXPECT_TRUE(Near(image.pixel(200, 340), kRed, c.tolerance));        // its border
    EXPECT_TRUE(Near(image.pixel(0, 600), gfx::kWhite, c.tolerance));   // no page outline
    EXPECT_TRUE(Near(image.pixel(38, 600), gfx::kWhite, c.tolerance));  // no margin line
    EXPECT_TRUE(Near(image.pixel(400, 2), gfx::kWhite, c.tolerance));   // no ruler
    EXPECT_TRUE(Near(image.pixel(600, 900), gfx::kWhite, c.tolerance));
    if (c.option == 2009) {
      EXPECT_TRUE(JpegAtFullQuality(testfiles::ReadRaw(path)));
    }
  }
  // The editing view is back, outline and all.
  EXPECT_EQ(gfx::Pixel(*pageBitmap, 0, 600), gfx::kBlack);
}

TEST_F(ImagesTest, TheGifExportIsReadableByGiflib) {
  AddSquare();
  imageFormatOption = 2010;
  AnswerFile(folder + "gif.jpg");
  ExportPageImage(nullptr);
  const std::string path = folder + "gif.gif";
  int status = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &status);
  ASSERT_NE(gif, nullptr) << GifErrorString(status);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, 794);
  EXPECT_EQ(gif->SHeight, 1123);
  ASSERT_EQ(gif->ImageCount, 1);
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
  ASSERT_NE(map, nullptr);
  auto colourAt = [&](int x, int y) {
    GifColorType c = map->Colors[frame.RasterBits[y * 794 + x]];
    return gfx::Rgb(c.Red, c.Green, c.Blue);
  };
  EXPECT_EQ(colourAt(250, 340), kBlue);
  EXPECT_EQ(colourAt(200, 340), kRed);
  EXPECT_EQ(colourAt(0, 600), gfx::kWhite);
  DGifCloseFile(gif, &status);
}

TEST_F(ImagesTest, AFailedExportSaysSoAndLeavesNoFile) {
  // A folder that does not exist.
  imageFormatOption = 2008;
  AnswerFile(folder + "no/existe/pagina.png");
  ExportPageImage(nullptr);
  ASSERT_EQ(MessagesShown().size(), 1u);
  EXPECT_NE(MessagesShown()[0].text, kSaved);
  EXPECT_EQ(MessagesShown()[0].text.rfind("No se ha grabado la imagen.", 0), 0u)
      << MessagesShown()[0].text;
  EXPECT_FALSE(files::FileExists(folder + "no"));

  // A format the configuration should never hold: nothing written, and said so.
  imageFormatOption = 1234;
  AnswerFile(folder + "pagina.png");
  ExportPageImage(nullptr);
  ASSERT_EQ(MessagesShown().size(), 2u);
  EXPECT_NE(MessagesShown()[1].text.find("1234"), std::string::npos);
  EXPECT_TRUE(Entries(folder).empty());
  EXPECT_EQ(paintMode, 1);

  // Cancelled: nothing at all.
  AnswerFile("");
  ExportPageImage(nullptr);
  EXPECT_EQ(MessagesShown().size(), 2u);
  EXPECT_TRUE(Entries(folder).empty());
}

}  // namespace
