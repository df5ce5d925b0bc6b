#include <gtest/gtest.h>

#include <filesystem>

#include "page/page_store.h"
#include "page/painter.h"
#include "tests/shell/designer_window.h"

namespace {

// The sample document opens from the command line, every object in it draws, and a picture
// of the window is left in the build folder for people to look at.
TEST(SampleDocument, OpensWithEveryKindAndIsPictured) {
  const std::string sample = std::string(VELUNA_SOURCE_DIR) + "/examples/sample.qorvex";
  ASSERT_TRUE(std::filesystem::exists(sample));
  bool kinds[13] = {};
  WithMainWindow([&](ui::Window w) {
    EXPECT_EQ(ui::Caption(w), "sample.qorvex");
    for (int s = 2; s <= objectCount; ++s)
      if (pageObjects[s].kind > 0 && pageObjects[s].kind <= 12) kinds[pageObjects[s].kind] = true;
    // Ink where the title, the first administrative control and the calendar stand.
    auto inkIn = [](int x0, int y0, int x1, int y1) {
      for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
          if (gfx::Pixel(*pageBitmap, x, y) != gfx::kWhite) return true;
      return false;
    };
    EXPECT_TRUE(inkIn(300, 50, 600, 90));
    EXPECT_TRUE(inkIn(60, 180, 300, 210));
    EXPECT_TRUE(inkIn(60, 560, 300, 700));
    EXPECT_TRUE(ui::testing::Grab(w, testenv::NewFolder("grab") + "sample-window.png"));
  }, {sample});
  for (int k = 1; k <= 12; ++k) EXPECT_TRUE(kinds[k]) << "kind " << k;
}

}  // namespace
