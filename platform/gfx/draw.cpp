// Lines, boxes, ellipses, pixels and copies on a surface, drawn without antialiasing.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/gfx/gfx_qt.h"

namespace gfx {

namespace {

// Half to even, the default rounding mode, so that a centred line's half pixel does not
// always drift the same way.
int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

bool InsideImage(const QImage& image, int x, int y) {
  return x >= 0 && y >= 0 && x < image.width() && y < image.height();
}

void MakeRgb32(QImage& image) {
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
}

QColor Resolve(const Surface& s, Colour c) { return ToQColor(c == kForeColour ? s.fore : c); }

// The pen a surface draws outlines with. One-pixel pens use the screen's dash lengths in
// pixels; wider pens repeat the pattern in units of their width, with flat ends so that the
// gaps stay open. Solid wide pens get round ends, so that a line covers both its end points.
QPen OutlinePen(const Surface& s, const QColor& colour, bool sharpCorners) {
  int width = std::max(1, s.penWidth);
  QPen pen(colour);
  pen.setWidth(width);
  pen.setJoinStyle(sharpCorners ? Qt::MiterJoin : Qt::RoundJoin);
  int style = s.penStyle;
  if (style < kDash || style > kDashDotDot) {
    pen.setCapStyle(width == 1 ? Qt::SquareCap : Qt::RoundCap);
    return pen;
  }
  static const QList<qreal> thin[] = {{18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
  static const QList<qreal> wide[] = {{3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
  pen.setDashPattern(width == 1 ? thin[style - 1] : wide[style - 1]);
  // A one-pixel square end adds no length to a dash; it only keeps the last pixel drawn.
  pen.setCapStyle(width == 1 ? Qt::SquareCap : Qt::FlatCap);
  return pen;
}

QBrush FillBrush(const QColor& colour, int fillStyle) {
  static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                           Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  if (fillStyle >= 1 && fillStyle <= 6) return QBrush(colour, hatches[fillStyle - 1]);
  return QBrush(colour);
}

// A one-pixel solid pen covers exactly the pixels of filled rectangles with a horizontal or a
// vertical line, or with the four sides of a box, as long as they lie inside the image (at its
// edges the stroker leaves some corners out); filling them costs a fraction of stroking.
bool FillsLikeThinPen(const Surface& s, const QRect& covered) {
  return !PaintingPerOperation() && s.penWidth <= 1 &&
         (s.penStyle < kDash || s.penStyle > kDashDotDot) && covered.left() >= 0 &&
         covered.top() >= 0 && covered.right() < Width(s) && covered.bottom() < Height(s);
}

struct Corners {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

Corners Normalised(double x1, double y1, double x2, double y2) {
  int ax = Round(x1), ay = Round(y1), bx = Round(x2), by = Round(y2);
  return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

// The outline passes through the pixels of both corners; the fill shape is the same shape
// moved half a pixel, so that it covers the pixels whose centres lie inside the outline.
enum class Shape { Box, Rounded, Ellipse };

void DrawShape(Surface& s, const Corners& c, Shape shape, double radius, Colour pen, Colour fill,
               int fillStyle) {
  QPainter& p = PainterOf(s);
  QRectF edge(c.left, c.top, c.Width(), c.Height());
  if (fill != kTransparent) {
    p.setPen(Qt::NoPen);
    p.setBrush(FillBrush(Resolve(s, fill), fillStyle));
    QRectF inside = edge.translated(0.5, 0.5);
    if (shape == Shape::Box)
      p.drawRect(QRect(c.left, c.top, c.Width() + 1, c.Height() + 1));
    else if (shape == Shape::Ellipse)
      p.drawEllipse(inside);
    else
      p.drawRoundedRect(inside, radius, radius);
  }
  const QRect box(QPoint(c.left, c.top), QPoint(c.right, c.bottom));
  if (pen != kTransparent && shape == Shape::Box && FillsLikeThinPen(s, box) && c.Width() > 0 &&
      c.Height() > 0) {
    const QColor colour = Resolve(s, pen);
    p.fillRect(QRect(box.left(), box.top(), box.width(), 1), colour);
    p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), colour);
    p.fillRect(QRect(box.left(), box.top(), 1, box.height()), colour);
    p.fillRect(QRect(box.right(), box.top(), 1, box.height()), colour);
  } else if (pen != kTransparent) {
    p.setBrush(Qt::NoBrush);
    p.setPen(OutlinePen(s, Resolve(s, pen), shape == Shape::Box));
    if (shape == Shape::Box)
      p.drawRect(edge);
    else if (shape == Shape::Ellipse)
      p.drawEllipse(edge);
    else
      p.drawRoundedRect(edge, radius, radius);
  }
  FinishOperation(s);
}

}  // namespace

void SetPen(Surface& s, int width, int style) {
  s.penWidth = width;
  s.penStyle = style;
}
int PenWidth(const Surface& s) { return s.penWidth; }
int PenStyleOf(const Surface& s) { return s.penStyle; }
void SetForeColour(Surface& s, Colour c) { s.fore = c; }
void SetBackColour(Surface& s, Colour c) { s.back = c; }
Colour ForeColour(const Surface& s) { return s.fore; }
Colour BackColour(const Surface& s) { return s.back; }

void MoveTo(Surface& s, double x, double y) {
  s.penX = x;
  s.penY = y;
}
double PenX(const Surface& s) { return s.penX; }
double PenY(const Surface& s) { return s.penY; }

void Line(Surface& s, double x1, double y1, double x2, double y2, Colour colour) {
  s.penX = x2;
  s.penY = y2;
  if (colour == kTransparent) return;
  QPoint from(Round(x1), Round(y1)), to(Round(x2), Round(y2));
  QPainter& p = PainterOf(s);
  const QRect run(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                  QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
  if ((run.width() == 1 || run.height() == 1) && FillsLikeThinPen(s, run)) {
    p.fillRect(run, Resolve(s, colour));
  } else {
    p.setPen(OutlinePen(s, Resolve(s, colour), false));
    if (from == to)
      p.drawPoint(from);
    else
      p.drawLine(from, to);
  }
  FinishOperation(s);
}

void LineTo(Surface& s, double x, double y, Colour colour) { Line(s, s.penX, s.penY, x, y, colour); }

void SetPixel(Surface& s, int x, int y, Colour colour) {
  QImage& image = ImageOf(s);
  if (colour == kTransparent || !InsideImage(image, x, y)) return;
  image.setPixel(x, y, Resolve(s, colour).rgb());
}

void Box(Surface& s, double x1, double y1, double x2, double y2, int roundingPercent, Colour pen,
         Colour fill, int fillStyle) {
  Corners c = Normalised(x1, y1, x2, y2);
  int percent = roundingPercent < 0 || roundingPercent > 100 ? 100 : roundingPercent;
  // The corners are quarter ellipses as wide as this percent of the smaller side.
  int diameter = percent * std::min(c.Width(), c.Height()) / 100;
  if (diameter <= 0)
    DrawShape(s, c, Shape::Box, 0, pen, fill, fillStyle);
  else if (c.Width() == c.Height() && diameter == c.Width())
    DrawShape(s, c, Shape::Ellipse, 0, pen, fill, fillStyle);   // a circle draws rounder so
  else
    DrawShape(s, c, Shape::Rounded, diameter / 2.0, pen, fill, fillStyle);
}

void Ellipse(Surface& s, double x1, double y1, double x2, double y2, Colour pen, Colour fill,
             int fillStyle) {
  DrawShape(s, Normalised(x1, y1, x2, y2), Shape::Ellipse, 0, pen, fill, fillStyle);
}

Colour Pixel(const Surface& s, int x, int y) {
  const QImage& image = ImageOf(s);
  if (!InsideImage(image, x, y)) return -1;
  QRgb p = image.pixel(x, y);
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}

namespace {

// Both images Format_RGB32. Qt keeps the alpha byte of that format at 0xFF, so a plain copy
// is a row copy.
void CopyRows(QImage& to, int x, int y, const QImage& from, int sx, int sy, int w, int h,
              Rop rop) {
  const size_t bytes = static_cast<size_t>(w) * sizeof(QRgb);
  for (int row = 0; row < h; ++row) {
    const uchar* in = from.constScanLine(sy + row) + static_cast<size_t>(sx) * sizeof(QRgb);
    uchar* out = to.scanLine(y + row) + static_cast<size_t>(x) * sizeof(QRgb);
    if (rop == Rop::Copy) {
      std::memcpy(out, in, bytes);
      continue;
    }
    // Eight pixels at a time, which the compiler keeps in vector registers.
    using Block = uint32_t __attribute__((vector_size(32)));
    size_t i = 0;
    for (; i + sizeof(Block) <= bytes; i += sizeof(Block)) {
      Block a, b;
      std::memcpy(&a, in + i, sizeof a);
      std::memcpy(&b, out + i, sizeof b);
      b = (a & b) | 0xFF000000u;
      std::memcpy(out + i, &b, sizeof b);
    }
    for (; i < bytes; i += sizeof(QRgb)) {
      QRgb a, b;
      std::memcpy(&a, in + i, sizeof a);
      std::memcpy(&b, out + i, sizeof b);
      b = (a & b) | 0xFF000000u;
      std::memcpy(out + i, &b, sizeof b);
    }
  }
}

// The old way, kept for the test seam: pixel by pixel.
void CopyPixels(QImage& to, int x, int y, const QImage& from, int sx, int sy, int w, int h,
                Rop rop) {
  for (int row = 0; row < h; ++row) {
    const QRgb* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy + row)) + sx;
    QRgb* out = reinterpret_cast<QRgb*>(to.scanLine(y + row)) + x;
    for (int i = 0; i < w; ++i)
      out[i] = 0xFF000000u | (rop == Rop::And ? (out[i] & in[i]) : in[i]);
  }
}

}  // namespace

void Copy(Surface& to, int x, int y, const Surface& from, int sx, int sy, int w, int h, Rop rop) {
  QImage& target = ImageOf(to);
  MakeRgb32(target);
  // A copy within one surface reads from a copy of its image (made when the target is written);
  // any other source is read in place.
  QImage ownCopy;
  if (&to == &from) ownCopy = target;
  const QImage& source = &to == &from ? ownCopy : ImageOf(from);
  QImage converted;
  const QImage& rgb = source.format() == QImage::Format_RGB32
                          ? source
                          : (converted = source.convertToFormat(QImage::Format_RGB32));
  if (w < 0) w = rgb.width() - sx;
  if (h < 0) h = rgb.height() - sy;
  if (sx < 0) { w += sx; x -= sx; sx = 0; }
  if (sy < 0) { h += sy; y -= sy; sy = 0; }
  w = std::min(w, rgb.width() - sx);
  h = std::min(h, rgb.height() - sy);
  if (x < 0) { w += x; sx -= x; x = 0; }
  if (y < 0) { h += y; sy -= y; y = 0; }
  w = std::min(w, target.width() - x);
  h = std::min(h, target.height() - y);
  if (w <= 0 || h <= 0) return;
  if (PaintingPerOperation())
    CopyPixels(target, x, y, rgb, sx, sy, w, h, rop);
  else
    CopyRows(target, x, y, rgb, sx, sy, w, h, rop);
}

void Stretch(Surface& to, int x, int y, int w, int h, const Surface& from) {
  if (w <= 0 || h <= 0) return;
  // Stretched onto itself, the surface is drawn from a copy made as the painter begins.
  QImage ownCopy;
  if (&to == &from) ownCopy = ImageOf(from);
  const QImage& source = &to == &from ? ownCopy : ImageOf(from);
  PainterOf(to).drawImage(QRect(x, y, w, h), source);
  FinishOperation(to);
}

}  // namespace gfx
