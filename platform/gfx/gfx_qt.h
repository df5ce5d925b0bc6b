// What the rest of the platform layer sees of a surface: its image and its drawing state.
#pragma once
#include <QFont>
#include <QImage>
#include <QString>
#include <string_view>

#include "platform/gfx/gfx.h"

namespace gfx {

class Surface {
 public:
  QImage image;                 // Format_RGB32
  double penX = 0, penY = 0;
  int penWidth = 1;
  int penStyle = kSolid;
  Colour fore = kBlack;
  Colour back = kWhite;
  FontKey font = 0;
  int justifyExtra = 0;         // pending text justification
  int justifyBreaks = 0;
};

inline QImage& ImageOf(Surface& s) { return s.image; }
inline const QImage& ImageOf(const Surface& s) { return s.image; }
// A Windows colour value as Qt's colour (transparent values give black).
inline QColor ToQColor(Colour c) { return c < 0 ? QColor(0, 0, 0) : QColor(Red(c), Green(c), Blue(c)); }
inline Colour FromQColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// The Qt font a font key stands for (the default font's for an unknown key), and a text as
// that font draws it (Symbol-encoded bytes become the characters they stand for).
QFont QtFont(FontKey key);
QString QtText(FontKey key, std::string_view cp1252);

}  // namespace gfx
