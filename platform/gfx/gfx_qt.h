// What the rest of the platform layer sees of a surface: its image and its drawing state.
#pragma once
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string_view>

#include "platform/gfx/gfx.h"

namespace gfx {

// The drawing state a surface keeps between operations, as a device context does.
struct SurfaceState {
  double penX = 0, penY = 0;
  int penWidth = 1;
  int penStyle = kSolid;
  Colour fore = kBlack;
  Colour back = kWhite;
  FontKey font = 0;
  int justifyExtra = 0;         // pending text justification
  int justifyBreaks = 0;
};

class Surface : public SurfaceState {
 public:
  Surface() = default;
  // A copied or moved surface has its painter ended first; the new one begins without one.
  Surface(const Surface& other);
  Surface(Surface&& other) noexcept;
  Surface& operator=(const Surface& other);
  Surface& operator=(Surface&& other) noexcept;

 private:
  friend QImage& ImageOf(Surface& s);
  friend const QImage& ImageOf(const Surface& s);
  friend void EndPainting(const Surface& s);
  friend QPainter& PainterOf(Surface& s);
  friend void SetPainterFont(Surface& s, FontKey key, const QFont& font);
  friend int Width(const Surface& s);
  friend int Height(const Surface& s);

  QImage image_;                // Format_RGB32
  // One painter stays open on the image from one drawing operation to the next, since
  // beginning one costs as much as drawing a short line. Declared after the image, so that it
  // ends before the image goes.
  mutable QPainter painter_;
  mutable bool painterHasFont_ = false;   // the open painter holds the font of `painterFont_`
  FontKey painterFont_ = 0;
};

// Ends any painter open on the surface, so that its image holds every drawing made so far.
void EndPainting(const Surface& s);
// The image with every drawing made so far: the painter ends first, so that the image may be
// read, copied, drawn elsewhere, resized or replaced.
inline QImage& ImageOf(Surface& s) {
  EndPainting(s);
  return s.image_;
}
inline const QImage& ImageOf(const Surface& s) {
  EndPainting(s);
  return s.image_;
}
// Begins a painter in the state every drawing operation starts from: no antialiasing,
// transparent background mode, no transform.
void BeginPlainPainter(QPainter& p, QImage& image);
// The painter open on the surface (begun plain if none is). An operation that changes more
// than the pen, the brush and the font puts it back before it returns, and ends with
// FinishOperation.
QPainter& PainterOf(Surface& s);
void FinishOperation(Surface& s);
// Sets the font of the open painter unless it already holds the font of that key.
void SetPainterFont(Surface& s, FontKey key, const QFont& font);

// While the test seam asks for the old way of drawing: a painter per operation, copies pixel by
// pixel, every text laid out anew.
bool PaintingPerOperation();

// A Windows colour value as Qt's colour (transparent values give black).
inline QColor ToQColor(Colour c) { return c < 0 ? QColor(0, 0, 0) : QColor(Red(c), Green(c), Blue(c)); }
inline Colour FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// The Qt font a font key stands for (the default font's for an unknown key), and a text as
// that font draws it (Symbol-encoded bytes become the characters they stand for).
QFont QtFont(FontKey key);
QString QtText(FontKey key, std::string_view cp1252);

}  // namespace gfx
