// Tests of image files: the names of exported images (the format table and the extension taken
// off), the loader's sizes and refusals, and the saver's messages.
#include "page/images.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "page/settings.h"
#include "tests/page/image_files.h"
#include "tests/support/test_env.h"
#include "tests/support/test_files.h"

namespace {

TEST(ImageNames, RemoveFileExtensionTakesOnlyTheLastComponentsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.png", "a"},
      {"/x/a.png", "/x/a"},
      {"a.b.c", "a.b"},
      {"dir.old/form", "dir.old/form"},
      {"C:\\forms.old\\form", "C:\\forms.old\\form"},
      {"form", "form"},
      {"/x/.hidden", "/x/.hidden"},
      {"", ""},
  };
  for (auto [in, out] : cases) EXPECT_EQ(RemoveFileExtension(in), out) << in;
}

TEST(ImageNames, FormatTable) {
  const std::tuple<int, const char*, const char*> cases[] = {
      {2008, ".png", "image/png"}, {2009, ".jpg", "image/jpeg"}, {2010, ".gif", "image/gif"},
      {2011, ".tif", "image/tiff"}, {2012, ".bmp", "image/bmp"},  {2013, "", ""},
      {0, "", ""},
  };
  for (auto [option, ext, mime] : cases) {
    EXPECT_EQ(ImageFormatExtension(option), ext) << option;
    EXPECT_EQ(ImageFormatMimeType(option), mime) << option;
  }
}

using imagefiles::QuartersFile;

constexpr const char* kSaved = "Grabado con exito ...";

size_t EntryCount(const std::string& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class ImageFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { folder = testenv::NewFolder("images"); }
  void TearDown() override {
    for (gfx::ImageKey k : keys) gfx::ReleaseImage(k);
  }

  std::string folder;
  std::vector<gfx::ImageKey> keys;
};

TEST_F(ImageFilesTest, KeepingProportionsFitsTheSideThatNeedsMostReduction) {
  const std::string wide = QuartersFile(folder + "wide.bmp", 1000, 500);
  const std::string tall = QuartersFile(folder + "tall.bmp", 500, 1000);
  const std::string small = QuartersFile(folder + "small.bmp", 100, 50);
  struct Case {
    const std::string& path;
    int boxW, boxH, w, h;
  };
  const Case cases[] = {
      {wide, 300, 300, 300, 150},
      {tall, 300, 300, 150, 300},
      {wide, 0, 250, 500, 250},
      {small, 300, 300, 300, 300},  // smaller than the box: the box's size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.boxW) + "x" + std::to_string(c.boxH));
    int32_t w = -1, h = -1;
    std::string refusal = "left over";
    gfx::ImageKey k = GraphicLoadImageFileToBitmap(c.path, c.boxW, c.boxH, 0, w, h, refusal);
    ASSERT_NE(k, 0);
    keys.push_back(k);
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(refusal, "");
  }
}

// The loader shows nothing: a file that gives no picture comes back as its refusal, with its
// path, for the program to show.
TEST_F(ImageFilesTest, AFileThatGivesNoPictureComesBackAsItsRefusal) {
  const std::string missing = folder + "nada.png", text = folder + "texto.jpg";
  testfiles::WriteRaw(text, "esto no es una imagen");
  int32_t w = -1, h = -1;
  std::string refusal;
  EXPECT_EQ(GraphicLoadImageFileToBitmap(missing, 0, 0, 0, w, h, refusal), 0);
  EXPECT_EQ(refusal, "[GraphicLoadImageFileToBitmap] called on <" + missing + "> Missing file");
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  EXPECT_EQ(GraphicLoadImageFileToBitmap(text, 0, 0, 0, w, h, refusal), 0);
  const std::string prefix =
      "[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + text + ">\r\n";
  EXPECT_EQ(refusal.substr(0, prefix.size()), prefix);
  EXPECT_GT(refusal.size(), prefix.size());

  // A stretch into a box without a side gives nothing and reads no file, silently.
  EXPECT_EQ(GraphicLoadImageFileToBitmap(missing, 0, 100, 1, w, h, refusal), 0);
  EXPECT_EQ(refusal, "");

  EXPECT_EQ(LoadImageFile(missing, refusal), 0);
  EXPECT_EQ(refusal, "[GraphicLoadImageFileToBitmap] called on <" + missing + "> Missing file");
  const gfx::ImageKey good = LoadImageFile(QuartersFile(folder + "bien.png", 8, 6), refusal);
  ASSERT_NE(good, 0);
  keys.push_back(good);
  EXPECT_EQ(refusal, "");
  EXPECT_EQ(gfx::ImageWidth(good), 8);
}

TEST_F(ImageFilesTest, AFailedSaveKeepsTheOldFile) {
  // A folder standing where the file should go cannot be replaced by the image.
  const std::string target = folder + "ocupado.png";
  std::filesystem::create_directory(target);
  gfx::Surface* b = gfx::MakeBitmap(10, 10);
  std::string message;
  EXPECT_EQ(SaveGraphicAsImageFile(*b, target, message), 1);
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(EntryCount(folder), 1u);
  EXPECT_NE(message, kSaved);
  EXPECT_EQ(message.rfind("No se ha grabado la imagen.\r\n", 0), 0u) << message;

  EXPECT_EQ(SaveGraphicAsImageFile(*b, folder + "bien.png", message), 0);
  EXPECT_EQ(message, kSaved);
  gfx::ReleaseBitmap(b);
}

// The page goes out under the export path with the configured format's extension; a format the
// configuration should never hold writes nothing and says which.
TEST_F(ImageFilesTest, ThePageIsSavedInTheConfiguredFormat) {
  gfx::Surface* page = gfx::MakeBitmap(20, 20);
  imageExportPath = folder + "pagina.png";
  imageFormatOption = 2012;
  std::string message;
  EXPECT_EQ(SaveCanvasImage(*page, message), 0);
  EXPECT_EQ(message, kSaved);
  EXPECT_TRUE(std::filesystem::is_regular_file(folder + "pagina.bmp"));

  imageFormatOption = 1234;
  EXPECT_EQ(SaveCanvasImage(*page, message), 1);
  EXPECT_EQ(message,
            "No se ha grabado la imagen: el formato de imagen de la configuraci\xF3n (1234) no es "
            "v\xE1lido.");
  EXPECT_EQ(EntryCount(folder), 1u);
  gfx::ReleaseBitmap(page);
}

}  // namespace
