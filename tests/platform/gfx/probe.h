// Helpers of the gfx tests: bitmaps released at the end of a scope, and pixel probes.
#pragma once
#include "platform/gfx/gfx.h"

namespace gfxtest {

class Bitmap {
 public:
  Bitmap(int w, int h) : s_(gfx::MakeBitmap(w, h)) {}
  ~Bitmap() { gfx::ReleaseBitmap(s_); }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  gfx::Surface& operator*() const { return *s_; }
  gfx::Surface* get() const { return s_; }

 private:
  gfx::Surface* s_;
};

// The number of pixels where two surfaces of the same size differ.
inline int Differences(const gfx::Surface& a, const gfx::Surface& b) {
  int n = 0;
  for (int y = 0; y < gfx::Height(a); ++y)
    for (int x = 0; x < gfx::Width(a); ++x) n += gfx::Pixel(a, x, y) != gfx::Pixel(b, x, y);
  return n;
}

// The smallest rectangle holding every pixel of colour `ink`; empty (right < left) when none.
struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int count = 0;
  bool Empty() const { return count == 0; }
};

inline Box InkBox(const gfx::Surface& s, gfx::Colour ink) {
  Box box;
  for (int y = 0; y < gfx::Height(s); ++y)
    for (int x = 0; x < gfx::Width(s); ++x) {
      if (gfx::Pixel(s, x, y) != ink) continue;
      ++box.count;
      if (x < box.left) box.left = x;
      if (x > box.right) box.right = x;
      if (y < box.top) box.top = y;
      if (y > box.bottom) box.bottom = y;
    }
  return box;
}

}  // namespace gfxtest
