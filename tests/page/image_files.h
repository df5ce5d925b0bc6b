// Image files the image tests read: four quarters of known colours.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/gfx.h"

namespace imagefiles {

constexpr gfx::Colour kRed = gfx::Rgb(255, 0, 0);
constexpr gfx::Colour kGreen = gfx::Rgb(0, 160, 0);
constexpr gfx::Colour kBlue = gfx::Rgb(0, 0, 255);

// An image file of four quarters: red, green / blue, white.
inline std::string QuartersFile(const std::string& path, int w, int h) {
  gfx::Surface* b = gfx::MakeBitmap(w, h);
  gfx::Box(*b, 0, 0, w / 2 - 1, h / 2 - 1, 0, kRed, kRed, 0);
  gfx::Box(*b, w / 2, 0, w - 1, h / 2 - 1, 0, kGreen, kGreen, 0);
  gfx::Box(*b, 0, h / 2, w / 2 - 1, h - 1, 0, kBlue, kBlue, 0);
  std::string error;
  EXPECT_TRUE(gfx::SaveImage(*b, path, error)) << error;
  gfx::ReleaseBitmap(b);
  return path;
}

}  // namespace imagefiles
