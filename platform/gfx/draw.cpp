// Lines, boxes, ellipses, pixels and copies on a surface, drawn without antialiasing.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

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

void Plain(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setBackgroundMode(Qt::TransparentMode);   // gaps of dashes and hatches show what was there
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
  QPainter p(&s.image);
  Plain(p);
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
  if (pen != kTransparent) {
    p.setBrush(Qt::NoBrush);
    p.setPen(OutlinePen(s, Resolve(s, pen), shape == Shape::Box));
    if (shape == Shape::Box)
      p.drawRect(edge);
    else if (shape == Shape::Ellipse)
      p.drawEllipse(edge);
    else
      p.drawRoundedRect(edge, radius, radius);
  }
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
  QPainter p(&s.image);
  Plain(p);
  p.setPen(OutlinePen(s, Resolve(s, colour), false));
  if (from == to)
    p.drawPoint(from);
  else
    p.drawLine(from, to);
}

void LineTo(Surface& s, double x, double y, Colour colour) { Line(s, s.penX, s.penY, x, y, colour); }

void SetPixel(Surface& s, int x, int y, Colour colour) {
  if (colour == kTransparent || !InsideImage(s.image, x, y)) return;
  s.image.setPixel(x, y, Resolve(s, colour).rgb());
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
  if (!InsideImage(s.image, x, y)) return -1;
  QRgb p = s.image.pixel(x, y);
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}

void Copy(Surface& to, int x, int y, const Surface& from, int sx, int sy, int w, int h, Rop rop) {
  QImage source = from.image;   // shared until written, and safe when `to` is `from`
  MakeRgb32(source);
  MakeRgb32(to.image);
  if (w < 0) w = source.width() - sx;
  if (h < 0) h = source.height() - sy;
  if (sx < 0) { w += sx; x -= sx; sx = 0; }
  if (sy < 0) { h += sy; y -= sy; sy = 0; }
  w = std::min(w, source.width() - sx);
  h = std::min(h, source.height() - sy);
  if (x < 0) { w += x; sx -= x; x = 0; }
  if (y < 0) { h += y; sy -= y; y = 0; }
  w = std::min(w, to.image.width() - x);
  h = std::min(h, to.image.height() - y);
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row) {
    const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy + row)) + sx;
    QRgb* out = reinterpret_cast<QRgb*>(to.image.scanLine(y + row)) + x;
    for (int i = 0; i < w; ++i)
      out[i] = 0xFF000000u | (rop == Rop::And ? (out[i] & in[i]) : in[i]);
  }
}

void Stretch(Surface& to, int x, int y, int w, int h, const Surface& from) {
  if (w <= 0 || h <= 0) return;
  QImage source = from.image;
  QPainter p(&to.image);
  Plain(p);
  p.drawImage(QRect(x, y, w, h), source);
}

}  // namespace gfx
