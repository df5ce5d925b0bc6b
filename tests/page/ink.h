// Pixel probes the object tests share: where a surface holds ink, how much of a colour, and
// where two surfaces differ.
#pragma once
#include <algorithm>
#include <climits>

#include "platform/gfx/gfx.h"

namespace ink {

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  bool Empty() const { return left > right; }
};

// The smallest box around every pixel in the band (x0, y0)-(x1, y1) that is not `paper`.
inline Box InkBox(const gfx::Surface& s, int x0, int y0, int x1, int y1, gfx::Colour paper = gfx::kWhite) {
  Box b;
  x1 = std::min(x1, gfx::Width(s) - 1);
  y1 = std::min(y1, gfx::Height(s) - 1);
  for (int y = std::max(0, y0); y <= y1; ++y)
    for (int x = std::max(0, x0); x <= x1; ++x)
      if (gfx::Pixel(s, x, y) != paper) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

inline Box InkBox(const gfx::Surface& s) { return InkBox(s, 0, 0, gfx::Width(s) - 1, gfx::Height(s) - 1); }

inline int CountColour(const gfx::Surface& s, gfx::Colour c, int x0, int y0, int x1, int y1) {
  int n = 0;
  x1 = std::min(x1, gfx::Width(s) - 1);
  y1 = std::min(y1, gfx::Height(s) - 1);
  for (int y = std::max(0, y0); y <= y1; ++y)
    for (int x = std::max(0, x0); x <= x1; ++x)
      if (gfx::Pixel(s, x, y) == c) ++n;
  return n;
}

inline int CountColour(const gfx::Surface& s, gfx::Colour c) {
  return CountColour(s, c, 0, 0, gfx::Width(s) - 1, gfx::Height(s) - 1);
}

// The smallest box around every pixel in which two surfaces of a's size differ.
inline Box DiffBox(const gfx::Surface& a, const gfx::Surface& b) {
  Box box;
  for (int y = 0; y < gfx::Height(a); ++y)
    for (int x = 0; x < gfx::Width(a); ++x)
      if (gfx::Pixel(a, x, y) != gfx::Pixel(b, x, y)) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
  return box;
}

inline bool SamePixels(const gfx::Surface& a, const gfx::Surface& b) { return DiffBox(a, b).Empty(); }

}  // namespace ink
