// Tests of the names of exported images: the format table and the extension taken off.
#include "page/images.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

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

}  // namespace
