// The benchmark's crowded page drawn with painters kept open between operations comes out
// pixel for pixel as drawn with a painter per operation, with each ruler and graph paper.
#include <gtest/gtest.h>

#include "bench/busy_page.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/gfx/gfx.h"
#include "tests/page/painter_test.h"

namespace {

using paintertest::PainterTest;

// The page, then the canvas as the designer's view shows it (the page ANDed over white).
void Repaint() {
  ClearGraphicTarget(*pageBitmap);
  PaintAllObjects(*pageBitmap, 1);
  DrawPageBackground(*pageBitmap, 1);
  gfx::Clear(*canvasBitmap, gfx::kWhite);
  gfx::Copy(*canvasBitmap, 0, -40, *pageBitmap, 0, 0, -1, -1, gfx::Rop::And);
}

TEST_F(PainterTest, CrowdedPageDrawsAlikeWithAPainterKeptOpenAndAPainterPerOperation) {
  busypage::FillCrowdedPage();
  MakePageBitmaps();
  ambientColorOn = 1;
  ambientColor = 0xE0F0FF;
  for (int ruler = -1; ruler < static_cast<int>(rulerFlags.size()); ++ruler) {
    rulerFlags = {};
    if (ruler >= 0) rulerFlags[ruler] = 1;
    EXPECT_EQ(busypage::PixelsDifferingBetweenWays(Repaint, {pageBitmap, canvasBitmap}), 0)
        << "ruler " << ruler;
  }
}

}  // namespace
