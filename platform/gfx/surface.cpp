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
bool perOperation = false;
}  // namespace

Surface::Surface(const Surface& other) : SurfaceState(other), image_(ImageOf(other)) {}
Surface::Surface(Surface&& other) noexcept
    : SurfaceState(other), image_(std::move(ImageOf(other))) {}

Surface& Surface::operator=(const Surface& other) {
  EndPainting(*this);
  SurfaceState::operator=(other);
  image_ = ImageOf(other);
  return *this;
}

Surface& Surface::operator=(Surface&& other) noexcept {
  EndPainting(*this);
  SurfaceState::operator=(other);
  image_ = std::move(ImageOf(other));
  return *this;
}

void EndPainting(const Surface& s) {
  if (s.painter_.isActive()) s.painter_.end();
  s.painterHasFont_ = false;
}

void BeginPlainPainter(QPainter& p, QImage& image) {
  p.begin(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setBackgroundMode(Qt::TransparentMode);   // gaps of dashes and hatches show what was there
}

QPainter& PainterOf(Surface& s) {
  if (!s.painter_.isActive()) BeginPlainPainter(s.painter_, s.image_);
  return s.painter_;
}

void FinishOperation(Surface& s) {
  if (perOperation) EndPainting(s);
}

void SetPainterFont(Surface& s, FontKey key, const QFont& font) {
  if (s.painterHasFont_ && s.painterFont_ == key) return;
  s.painter_.setFont(font);
  s.painterHasFont_ = true;
  s.painterFont_ = key;
}

bool PaintingPerOperation() { return perOperation; }

namespace testing {
void SetPaintingPerOperation(bool on) {
  for (Surface* s : Bitmaps()) EndPainting(*s);
  perOperation = on;
}
}  // namespace testing

Surface* MakeBitmap(int width, int height) {
  auto* s = new Surface;
  QImage& image = ImageOf(*s);
  image = QImage(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
  image.fill(QColor(255, 255, 255));
  Bitmaps().insert(s);
  return s;
}

void ReleaseBitmap(Surface* bitmap) {
  if (!bitmap || !Bitmaps().erase(bitmap)) return;
  if (current == bitmap) current = nullptr;
  delete bitmap;
}

// A painter leaves the size as it is.
int Width(const Surface& s) { return s.image_.width(); }
int Height(const Surface& s) { return s.image_.height(); }
int PixelsPerInch(const Surface&) { return 96; }

void Select(Surface& s) { current = &s; }
Surface* Current() { return current; }

void Clear(Surface& s, Colour colour) {
  ImageOf(s).fill(ToQColor(colour < 0 ? kWhite : colour));
  s.penX = 0;
  s.penY = 0;
}

}  // namespace gfx
