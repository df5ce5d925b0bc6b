// Tests of the gfx unit: images loaded from files and surfaces saved as image files.
#include <gif_lib.h>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gfx/gfx.h"
#include "tests/platform/gfx/probe.h"
#include "tests/support/test_env.h"

namespace {

using namespace gfx;
using gfxtest::Bitmap;

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 160, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);

// Four quarters: red, green / blue, white.
void PaintQuarters(Surface& s) {
  int w = Width(s), h = Height(s);
  Box(s, 0, 0, w / 2 - 1, h / 2 - 1, 0, kRed, kRed, 0);
  Box(s, w / 2, 0, w - 1, h / 2 - 1, 0, kGreen, kGreen, 0);
  Box(s, 0, h / 2, w / 2 - 1, h - 1, 0, kBlue, kBlue, 0);
}

bool Near(QRgb p, Colour c, int tolerance) {
  return std::abs(qRed(p) - Red(c)) <= tolerance && std::abs(qGreen(p) - Green(c)) <= tolerance &&
         std::abs(qBlue(p) - Blue(c)) <= tolerance;
}

void ExpectQuarters(const QImage& image, int tolerance) {
  int w = image.width(), h = image.height();
  EXPECT_TRUE(Near(image.pixel(w / 4, h / 4), kRed, tolerance));
  EXPECT_TRUE(Near(image.pixel(3 * w / 4, h / 4), kGreen, tolerance));
  EXPECT_TRUE(Near(image.pixel(w / 4, 3 * h / 4), kBlue, tolerance));
  EXPECT_TRUE(Near(image.pixel(3 * w / 4, 3 * h / 4), kWhite, tolerance));
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  return names;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GfxImages, SavedInEveryFormatAndReadBack) {
  struct Case {
    const char* name;
    const char* format;
    int tolerance;
  };
  const Case cases[] = {
      {"page.png", "png", 0},  {"page.jpg", "jpeg", 40}, {"page.JPEG", "jpeg", 40},
      {"page.gif", "gif", 0},  {"page.tif", "tiff", 0},  {"page.tiff", "tiff", 0},
      {"page.BMP", "bmp", 0},
  };
  std::string folder = testenv::NewFolder("save");
  Bitmap b(64, 48);
  PaintQuarters(*b);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = folder + c.name, error;
    ASSERT_TRUE(SaveImage(*b, path, error)) << error;
    EXPECT_EQ(error, "");
    QImageReader reader(QString::fromStdString(path));
    EXPECT_EQ(reader.format().toStdString(), c.format);
    QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(64, 48));
    ExpectQuarters(image, c.tolerance);
  }
  // Nothing but the images is left behind.
  EXPECT_EQ(Entries(folder).size(), std::size(cases));
}

TEST(GfxImages, GifIsReadableByGiflibWithTheExactColours) {
  std::string path = testenv::NewFolder("gif") + "quarters.gif", error;
  Bitmap b(40, 30);
  PaintQuarters(*b);
  ASSERT_TRUE(SaveImage(*b, path, error)) << error;
  int status = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &status);
  ASSERT_NE(gif, nullptr) << GifErrorString(status);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->SWidth, 40);
  EXPECT_EQ(gif->SHeight, 30);
  ASSERT_EQ(gif->ImageCount, 1);
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
  ASSERT_NE(map, nullptr);
  auto colourAt = [&](int x, int y) {
    GifColorType c = map->Colors[frame.RasterBits[y * 40 + x]];
    return Rgb(c.Red, c.Green, c.Blue);
  };
  EXPECT_EQ(colourAt(5, 5), kRed);
  EXPECT_EQ(colourAt(35, 5), kGreen);
  EXPECT_EQ(colourAt(5, 25), kBlue);
  EXPECT_EQ(colourAt(35, 25), kWhite);
  DGifCloseFile(gif, &status);
}

TEST(GfxImages, GifOfManyColoursIsReducedTo256) {
  std::string path = testenv::NewFolder("gif") + "ramp.gif", error;
  Bitmap b(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) SetPixel(*b, x, y, Rgb(x * 2, y * 2, (x + y) / 2));
  ASSERT_TRUE(SaveImage(*b, path, error)) << error;
  QImage image(QString::fromStdString(path));
  ASSERT_EQ(image.size(), QSize(128, 128));
  EXPECT_LE(image.colorCount(), 256);
  for (auto [x, y] : {std::pair{10, 10}, {64, 100}, {120, 30}})
    EXPECT_TRUE(Near(image.pixel(x, y), Rgb(x * 2, y * 2, (x + y) / 2), 40)) << x << "," << y;
}

TEST(GfxImages, SavingOverAnOldFileReplacesIt) {
  std::string path = testenv::NewFolder("over") + "old.png", error;
  WriteFile(path, "old contents");
  Bitmap b(8, 8);
  ASSERT_TRUE(SaveImage(*b, path, error)) << error;
  QImage image(QString::fromStdString(path));
  EXPECT_EQ(image.size(), QSize(8, 8));
}

TEST(GfxImages, UnknownFormatOrUnwritableFolderIsRefusedAndLeavesNothing) {
  std::string folder = testenv::NewFolder("refused");
  Bitmap b(8, 8);
  std::string error;
  EXPECT_FALSE(SaveImage(*b, folder + "page.xyz", error));
  EXPECT_NE(error.find("page.xyz"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(SaveImage(*b, folder + "page", error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(Entries(folder).empty());

  // An old file under an unknown extension stays as it was.
  WriteFile(folder + "keep.doc", "keep me");
  EXPECT_FALSE(SaveImage(*b, folder + "keep.doc", error));
  EXPECT_EQ(ReadFile(folder + "keep.doc"), "keep me");

  error.clear();
  EXPECT_FALSE(SaveImage(*b, folder + "missing/page.png", error));
  EXPECT_NE(error.find("missing/page.png"), std::string::npos) << error;
  EXPECT_EQ(Entries(folder).size(), 1u);

  // A FIFO or a device under an image's name is never replaced by a file.
  ASSERT_EQ(mkfifo((folder + "fifo.png").c_str(), 0600), 0);
  EXPECT_FALSE(SaveImage(*b, folder + "fifo.png", error));
  EXPECT_TRUE(std::filesystem::is_fifo(folder + "fifo.png"));
}

TEST(GfxImages, LoadKeepsTheImageUnderAKeyAndDrawsItStretched) {
  std::string folder = testenv::NewFolder("load"), error;
  Bitmap b(20, 10);
  PaintQuarters(*b);
  ASSERT_TRUE(SaveImage(*b, folder + "q.png", error)) << error;

  ImageKey key = LoadImage(folder + "q.png", error);
  ASSERT_GT(key, 0) << error;
  EXPECT_EQ(ImageWidth(key), 20);
  EXPECT_EQ(ImageHeight(key), 10);
  ImageKey again = LoadImage(folder + "q.png", error);
  EXPECT_NE(again, key);

  Bitmap target(100, 100);
  DrawImage(*target, key, 10, 10, 80, 40);
  EXPECT_EQ(Pixel(*target, 20, 15), kRed);
  EXPECT_EQ(Pixel(*target, 80, 15), kGreen);
  EXPECT_EQ(Pixel(*target, 20, 45), kBlue);
  EXPECT_EQ(Pixel(*target, 5, 5), kWhite);
  EXPECT_EQ(Pixel(*target, 50, 55), kWhite);

  ReleaseImage(key);
  EXPECT_EQ(ImageWidth(key), 0);
  Bitmap untouched(30, 30);
  DrawImage(*untouched, key, 0, 0, 30, 30);   // a released key draws nothing
  DrawImage(*untouched, 0, 0, 0, 30, 30);
  EXPECT_EQ(gfxtest::InkBox(*untouched, kWhite).count, 900);
  EXPECT_EQ(ImageWidth(again), 20);
}

TEST(GfxImages, WindowsSeparatorsAreAccepted) {
  std::string folder = testenv::NewFolder("back"), error;
  Bitmap b(6, 4);
  std::string windows = folder + "x.bmp";
  for (char& c : windows)
    if (c == '/') c = '\\';
  ASSERT_TRUE(SaveImage(*b, windows, error)) << error;
  ImageKey key = LoadImage(windows, error);
  EXPECT_GT(key, 0) << error;
  EXPECT_EQ(ImageWidth(key), 6);
}

TEST(GfxImages, BrokenOrMissingFilesAreRefusedWithAMessage) {
  std::string folder = testenv::NewFolder("broken"), error;
  WriteFile(folder + "broken.png", "this is not an image at all");
  EXPECT_EQ(LoadImage(folder + "broken.png", error), 0);
  EXPECT_EQ(error.rfind("No se puede leer la imagen: " + folder + "broken.png", 0), 0u) << error;

  error.clear();
  EXPECT_EQ(LoadImage(folder + "nowhere.jpg", error), 0);
  EXPECT_EQ(error.rfind("No se puede leer la imagen: ", 0), 0u) << error;
  EXPECT_NE(error.find("nowhere.jpg"), std::string::npos);

  // What is no regular file is never opened to be decoded: it would be read for ever or block.
  std::filesystem::create_symlink("/dev/urandom", folder + "random.png");
  ASSERT_EQ(mkfifo((folder + "fifo.jpg").c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), folder + "random.png", folder + "fifo.jpg"}) {
    error.clear();
    EXPECT_EQ(LoadImage(path, error), 0);
    EXPECT_EQ(error, "No se puede leer la imagen: " + path + " (no es un fichero normal)");
  }
}

TEST(GfxImages, ImagesAbove100MegapixelsAreRefusedBeforeDecoding) {
  // A GIF header claiming 20000 x 20000 pixels, with no pixels behind it.
  std::string header = "GIF89a";
  auto put16 = [&](int v) {
    header += static_cast<char>(v & 255);
    header += static_cast<char>(v >> 8);
  };
  put16(20000);
  put16(20000);
  header += std::string(3, '\0');
  header += ',';
  put16(0);
  put16(0);
  put16(20000);
  put16(20000);
  header += '\0';
  std::string path = testenv::NewFolder("huge") + "huge.gif", error;
  WriteFile(path, header);
  EXPECT_EQ(LoadImage(path, error), 0);
  EXPECT_EQ(error.rfind("La imagen es demasiado grande", 0), 0u) << error;
  EXPECT_NE(error.find("p\xEDxeles"), std::string::npos) << "the message is 1252 text";
}

}  // namespace
