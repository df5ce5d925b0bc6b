#include <QPainter>
#include <memory>
#include <unordered_set>

#include "platform/gfx/gfx_qt.h"

namespace gfx {

namespace {
std::unordered_set<Surface*>& Bitmaps() {
  static std::unordered_set<Surface*> bitmaps;
  return bitmaps;
}
Surface* current = nullptr;
}  // namespace

Surface* MakeBitmap(int width, int height) {
  auto* s = new Surface;
  s->image = QImage(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
  s->image.fill(QColor(255, 255, 255));
  Bitmaps().insert(s);
  return s;
}

void ReleaseBitmap(Surface* bitmap) {
  if (!bitmap || !Bitmaps().erase(bitmap)) return;
  if (current == bitmap) current = nullptr;
  delete bitmap;
}

int Width(const Surface& s) { return s.image.width(); }
int Height(const Surface& s) { return s.image.height(); }
int PixelsPerInch(const Surface&) { return 96; }

void Select(Surface& s) { current = &s; }
Surface* Current() { return current; }

void Clear(Surface& s, Colour colour) {
  s.image.fill(ToQColor(colour < 0 ? kWhite : colour));
  s.penX = 0;
  s.penY = 0;
}

}  // namespace gfx
