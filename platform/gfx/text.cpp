// Fonts, the Symbol encoding and one-line text output.
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"

namespace gfx {

// The Symbol encoding, bytes 0x20 to 0xFF. Where the encoding's own table points into the
// private-use area (extension pieces of brackets and integrals, serif and sans copyright
// signs) or to a character the installed faces lack, a standard character with the same look
// stands in, so that the drawing face has a glyph for every byte.
namespace {
constexpr char32_t kSymbolTable[224] = {
    // 0x20
    U' ', U'!', U'\u2200', U'#', U'\u2203', U'%', U'&', U'\u220B',
    U'(', U')', U'\u2217', U'+', U',', U'\u2212', U'.', U'/',
    // 0x30
    U'0', U'1', U'2', U'3', U'4', U'5', U'6', U'7',
    U'8', U'9', U':', U';', U'<', U'=', U'>', U'?',
    // 0x40
    U'\u2245', U'\u0391', U'\u0392', U'\u03A7', U'\u0394', U'\u0395', U'\u03A6', U'\u0393',
    U'\u0397', U'\u0399', U'\u03D1', U'\u039A', U'\u039B', U'\u039C', U'\u039D', U'\u039F',
    // 0x50
    U'\u03A0', U'\u0398', U'\u03A1', U'\u03A3', U'\u03A4', U'\u03A5', U'\u03C2', U'\u03A9',
    U'\u039E', U'\u03A8', U'\u0396', U'[', U'\u2234', U']', U'\u22A5', U'_',
    // 0x60
    U'\u203E', U'\u03B1', U'\u03B2', U'\u03C7', U'\u03B4', U'\u03B5', U'\u03C6', U'\u03B3',
    U'\u03B7', U'\u03B9', U'\u03D5', U'\u03BA', U'\u03BB', U'\u03BC', U'\u03BD', U'\u03BF',
    // 0x70
    U'\u03C0', U'\u03B8', U'\u03C1', U'\u03C3', U'\u03C4', U'\u03C5', U'\u03D6', U'\u03C9',
    U'\u03BE', U'\u03C8', U'\u03B6', U'{', U'|', U'}', U'\u223C', U' ',
    // 0x80 to 0x9F: not part of the encoding
    U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ',
    U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ', U' ',
    // 0xA0
    U'\u20AC', U'\u03D2', U'\u2032', U'\u2264', U'\u2044', U'\u221E', U'\u0192', U'\u2663',
    U'\u2666', U'\u2665', U'\u2660', U'\u2194', U'\u2190', U'\u2191', U'\u2192', U'\u2193',
    // 0xB0
    U'\u00B0', U'\u00B1', U'\u2033', U'\u2265', U'\u00D7', U'\u221D', U'\u2202', U'\u2022',
    U'\u00F7', U'\u2260', U'\u2261', U'\u2248', U'\u2026', U'\u23D0', U'\u2500', U'\u21B5',
    // 0xC0
    U'\u2135', U'\u2111', U'\u211C', U'\u2118', U'\u2297', U'\u2295', U'\u2205', U'\u2229',
    U'\u222A', U'\u2283', U'\u2287', U'\u2284', U'\u2282', U'\u2286', U'\u2208', U'\u2209',
    // 0xD0
    U'\u2220', U'\u2207', U'\u00AE', U'\u00A9', U'\u2122', U'\u220F', U'\u221A', U'\u22C5',
    U'\u00AC', U'\u2227', U'\u2228', U'\u21D4', U'\u21D0', U'\u21D1', U'\u21D2', U'\u21D3',
    // 0xE0
    U'\u25CA', U'\u2329', U'\u00AE', U'\u00A9', U'\u2122', U'\u2211', U'\u239B', U'\u239C',
    U'\u239D', U'\u23A1', U'\u23A2', U'\u23A3', U'\u23A7', U'\u23A8', U'\u23A9', U'\u23AA',
    // 0xF0
    U' ', U'\u232A', U'\u222B', U'\u2320', U'\u23AE', U'\u2321', U'\u239E', U'\u239F',
    U'\u23A0', U'\u23A4', U'\u23A5', U'\u23A6', U'\u23AB', U'\u23AC', U'\u23AD', U' ',
};
}  // namespace

char32_t SymbolToUnicode(unsigned char symbolByte) {
  // Control bytes are the same in every encoding.
  return symbolByte < 0x20 ? symbolByte : kSymbolTable[symbolByte - 0x20];
}

namespace {

constexpr int kFaceLength = 31;

struct Font {
  FontSpec spec;
  QFont qfont;
  bool symbol = false;
  int ascent = 0;
  int cell = 0;
  int leading = 0;
  int averageWidth = 0;
  std::array<double, 256> advance{};   // of every byte, as this font reads bytes
};

FontSpec Normalised(FontSpec spec) {
  if (spec.face.size() > kFaceLength) spec.face.resize(kFaceLength);
  if (spec.points == 0) spec.points = 8;
  return spec;
}

const FontSpec& DefaultSpec() {
  static const FontSpec spec{"MS Sans Serif", 8, 0, 0, 0, 0};
  return spec;
}

bool SameFace(std::string_view a, std::string_view b) {
  return text::Lower(a) == text::Lower(b);
}

// The installed face that stands in for a face the system names.
QString FamilyFor(const std::string& face, bool& symbol) {
  symbol = SameFace(face, "Symbol");
  if (symbol) return QStringLiteral("DejaVu Sans");   // has the Greek and mathematical signs
  for (const char* sans : {"MS Sans Serif", "Tahoma", "Arial", "Verdana", "Microsoft Sans Serif",
                           "MS Shell Dlg", "MS Shell Dlg 2", ""})
    if (SameFace(face, sans)) return QStringLiteral("Liberation Sans");
  if (SameFace(face, "Times New Roman")) return QStringLiteral("Liberation Serif");
  if (SameFace(face, "Courier New") || SameFace(face, "Courier"))
    return QStringLiteral("Liberation Mono");
  return text::ToQ(face);   // the system's font configuration finds what it can
}

QString MapText(const Font& font, std::string_view cp1252) {
  if (!font.symbol) return text::ToQ(cp1252);
  QString q;
  q.reserve(static_cast<qsizetype>(cp1252.size()));
  for (char c : cp1252) q.append(QChar(static_cast<char16_t>(SymbolToUnicode(static_cast<unsigned char>(c)))));
  return q;
}

std::unique_ptr<Font> Build(const FontSpec& spec) {
  auto font = std::make_unique<Font>();
  font->spec = spec;
  QFont& q = font->qfont;
  q.setFamily(FamilyFor(spec.face, font->symbol));
  // Crisp glyphs on whole-pixel advances, unkerned, so widths add up as the drawers expect.
  q.setStyleStrategy(QFont::NoAntialias);
  q.setHintingPreference(QFont::PreferFullHinting);
  q.setKerning(false);
  q.setWeight(spec.styleFlags & kBold ? QFont::Bold : QFont::Normal);
  q.setItalic(spec.styleFlags & kItalic);
  q.setUnderline(spec.styleFlags & kUnderline);
  q.setStrikeOut(spec.styleFlags & kStrikeOut);
  int pixels = std::max(1, static_cast<int>(std::lround(std::abs(spec.points) * 96.0 / 72.0)));
  q.setPixelSize(pixels);
  if (spec.styleFlags & kLeading) {
    // The size names the whole cell: the largest em whose cell still fits in it.
    int em = pixels;
    while (em > 1 && QFontMetrics(q).height() > pixels) q.setPixelSize(--em);
  }
  QFontMetrics metrics(q);
  font->ascent = metrics.ascent();
  font->cell = metrics.height();
  font->leading = std::max(0, metrics.leading());
  font->averageWidth = metrics.averageCharWidth();
  QFontMetricsF exact(q);
  for (int b = 0; b < 256; ++b) {
    char c = static_cast<char>(b);
    font->advance[b] = exact.horizontalAdvance(MapText(*font, std::string_view(&c, 1)));
  }
  return font;
}

struct FontTable {
  std::vector<std::unique_ptr<Font>> fonts;   // key k at k - 1
  std::map<std::tuple<std::string, int, int, int, int, int>, FontKey> keys;
  std::unique_ptr<Font> fallback;
};

// At namespace scope, so that the many lookups of a repaint pay no guard of a local static.
FontTable fontTable;
FontTable& Table() { return fontTable; }

std::tuple<std::string, int, int, int, int, int> KeyOf(const FontSpec& s) {
  return {s.face, s.points, s.styleFlags, s.charset, s.pitch, s.escapement};
}

bool Known(FontKey key) { return key >= 1 && key <= static_cast<FontKey>(Table().fonts.size()); }

const Font& FontFor(FontKey key) {
  FontTable& table = Table();
  if (Known(key)) return *table.fonts[key - 1];
  if (!table.fallback) table.fallback = Build(DefaultSpec());
  return *table.fallback;
}

// The extra pixels pending justification gives to the blank numbered `blank` (from 0).
int BlankExtra(const Surface& s, int blank) {
  if (s.justifyBreaks <= 0 || s.justifyExtra == 0) return 0;
  int share = s.justifyExtra / s.justifyBreaks;
  int rest = s.justifyExtra % s.justifyBreaks;
  if (blank < std::abs(rest)) share += rest < 0 ? -1 : 1;
  return share;
}

int Extent(const Surface& s, const Font& font, std::string_view cp1252) {
  double advance = 0;
  int extra = 0, blanks = 0;
  for (char c : cp1252) {
    advance += font.advance[static_cast<unsigned char>(c)];
    if (c == ' ') extra += BlankExtra(s, blanks++);
  }
  return static_cast<int>(std::lround(advance)) + extra;
}

// Laying a text out costs far more than drawing it, so each text is drawn once onto a stamp
// and the stamp is laid on the surface from then on. Glyphs are drawn without antialiasing on
// whole-pixel positions in one colour, so a stamp taken at one whole-pixel origin holds the same
// pixels as the text drawn at any other; turned texts are drawn each time.
struct Stamp {
  QImage image;          // the text's pixels in its colour, transparent elsewhere; null if none
  QPoint offset;         // of the image's top-left corner from the text's top-left corner
  bool usable = true;    // false for a text drawn each time: its room too big, or its ink
                         // reaching the edge of the room
};

constexpr qsizetype kMaxStampPixels = qsizetype{4} << 20;   // of all stamps together
constexpr size_t kMaxStamps = 20000;
constexpr double kMaxRoomPixels = 1 << 20;                   // of the room a text is drawn in

struct StampTable {
  std::unordered_map<std::string, Stamp> stamps;   // by font key, colour and text bytes
  qsizetype pixels = 0;
};

StampTable stampTable;

Stamp MakeStamp(const Font& font, Colour colour, std::string_view cp1252) {
  double advance = 0;
  for (char c : cp1252) advance += font.advance[static_cast<unsigned char>(c)];
  // Room on every side for overhangs (italic slants, accents, decorations).
  const int margin = font.cell + 2;
  const double width = std::ceil(advance) + 2 * margin, height = font.cell + 2 * margin;
  Stamp stamp;
  stamp.usable = width * height <= kMaxRoomPixels;
  if (!stamp.usable) return stamp;
  QImage room(static_cast<int>(width), static_cast<int>(height),
              QImage::Format_ARGB32_Premultiplied);
  stamp.usable = !room.isNull();
  if (!stamp.usable) return stamp;
  room.fill(Qt::transparent);
  QPainter p;
  BeginPlainPainter(p, room);
  p.setFont(font.qfont);
  p.setPen(ToQColor(colour));
  p.drawText(QPointF(margin, margin + font.ascent), MapText(font, cp1252));
  p.end();
  int left = room.width(), right = -1, top = room.height(), bottom = -1;
  for (int y = 0; y < room.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(room.constScanLine(y));
    for (int x = 0; x < room.width(); ++x) {
      if (qAlpha(line[x]) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return stamp;
  stamp.usable = left > 0 && top > 0 && right < room.width() - 1 && bottom < room.height() - 1;
  if (!stamp.usable) return stamp;
  const QRect ink(QPoint(left, top), QPoint(right, bottom));
  stamp.image = room.copy(ink);
  stamp.offset = ink.topLeft() - QPoint(margin, margin);
  return stamp;
}

const Stamp& StampFor(const Font& font, FontKey key, Colour colour, std::string_view cp1252) {
  std::string name(sizeof key + sizeof colour + cp1252.size(), '\0');
  std::memcpy(name.data(), &key, sizeof key);
  std::memcpy(name.data() + sizeof key, &colour, sizeof colour);
  std::memcpy(name.data() + sizeof key + sizeof colour, cp1252.data(), cp1252.size());
  auto found = stampTable.stamps.find(name);
  if (found != stampTable.stamps.end()) return found->second;
  Stamp stamp = MakeStamp(font, colour, cp1252);
  const qsizetype pixels = qsizetype{stamp.image.width()} * stamp.image.height();
  if (stampTable.pixels + pixels > kMaxStampPixels || stampTable.stamps.size() >= kMaxStamps) {
    stampTable.stamps.clear();
    stampTable.pixels = 0;
  }
  stampTable.pixels += pixels;
  return stampTable.stamps.emplace(std::move(name), std::move(stamp)).first->second;
}

// One run of a text with its left end `left` pixels right of the painter's origin.
void DrawRun(Surface& s, QPainter& p, const Font& font, std::string_view cp1252, int left) {
  if (font.spec.escapement == 0 && !PaintingPerOperation()) {
    const Stamp& stamp = StampFor(font, s.font, s.fore, cp1252);
    if (stamp.usable) {
      if (!stamp.image.isNull()) p.drawImage(QPoint(left, 0) + stamp.offset, stamp.image);
      return;
    }
  }
  SetPainterFont(s, s.font, font.qfont);
  p.setPen(ToQColor(s.fore));
  p.drawText(QPointF(left, font.ascent), MapText(font, cp1252));
}

}  // namespace

FontKey MakeFont(const FontSpec& spec) {
  FontSpec normal = Normalised(spec);
  FontTable& table = Table();
  auto found = table.keys.find(KeyOf(normal));
  if (found != table.keys.end()) return found->second;
  table.fonts.push_back(Build(normal));
  FontKey key = static_cast<FontKey>(table.fonts.size());
  table.keys.emplace(KeyOf(normal), key);
  return key;
}

FontSpec FontOf(FontKey key) { return FontFor(key).spec; }

void SelectFont(Surface& s, FontKey key) { s.font = Known(key) ? key : 0; }
FontKey SelectedFont(const Surface& s) { return s.font; }

std::vector<std::string> InstalledFaces() {
  std::map<std::string, std::string> byLowerName;
  auto add = [&](const std::string& face) { byLowerName.emplace(text::Lower(face), face); };
  for (const char* face : {"Arial", "Courier New", "MS Sans Serif", "Symbol", "Tahoma",
                           "Times New Roman", "Verdana"})
    add(face);
  for (const QString& family : QFontDatabase::families()) {
    // A name 1252 cannot write could not be stored in a document, nor found again.
    std::string face = text::FromQ(family, '\0');
    if (!face.empty() && face.find('\0') == std::string::npos && face.size() <= kFaceLength) add(face);
  }
  std::vector<std::string> faces;
  for (auto& [lower, face] : byLowerName) faces.push_back(std::move(face));
  return faces;
}

int FaceCharset(std::string_view face) { return SameFace(face, "Symbol") ? 2 : 0; }

QFont QtFont(FontKey key) { return FontFor(key).qfont; }
QString QtText(FontKey key, std::string_view cp1252) { return MapText(FontFor(key), cp1252); }

void Print(Surface& s, std::string_view cp1252) {
  const Font& font = FontFor(s.font);
  int x = static_cast<int>(std::nearbyint(s.penX));
  int y = static_cast<int>(std::nearbyint(s.penY));
  s.penX = 0;
  s.penY += font.cell + font.leading;
  if (cp1252.empty()) return;

  QPainter& p = PainterOf(s);
  p.translate(x, y);
  // Counter-clockwise; any escapement a file gives turns, modulo a full turn.
  if (font.spec.escapement != 0) p.rotate(-static_cast<double>(font.spec.escapement) / 10.0);
  if (s.back != kTransparent)
    p.fillRect(QRect(0, 0, Extent(s, font, cp1252), font.cell), ToQColor(s.back));
  if (s.justifyBreaks <= 0 || s.justifyExtra == 0) {
    DrawRun(s, p, font, cp1252, 0);
  } else {
    // Justified: each run up to and including a blank goes where the unjustified text would
    // put it, moved right by the extra pixels of the blanks before it.
    double advance = 0;
    int extra = 0, blanks = 0;
    size_t start = 0;
    int startX = 0;
    for (size_t i = 0; i < cp1252.size(); ++i) {
      advance += font.advance[static_cast<unsigned char>(cp1252[i])];
      bool last = i + 1 == cp1252.size();
      if (cp1252[i] != ' ' && !last) continue;
      DrawRun(s, p, font, cp1252.substr(start, i + 1 - start), startX);
      if (cp1252[i] == ' ') extra += BlankExtra(s, blanks++);
      start = i + 1;
      startX = static_cast<int>(std::lround(advance)) + extra;
    }
  }
  p.resetTransform();
  FinishOperation(s);
}

int TextWidth(Surface& s, std::string_view cp1252) { return Extent(s, FontFor(s.font), cp1252); }
int TextHeight(Surface& s) { return FontFor(s.font).cell; }
int LineHeight(Surface& s) {
  const Font& font = FontFor(s.font);
  return font.cell + font.leading;
}
int AverageCharWidth(Surface& s) { return FontFor(s.font).averageWidth; }

int FitCount(Surface& s, std::string_view cp1252, int extent) {
  if (extent <= 0) return 0;
  const Font& font = FontFor(s.font);
  double advance = 0;
  int extra = 0, blanks = 0;
  for (size_t i = 0; i < cp1252.size(); ++i) {
    advance += font.advance[static_cast<unsigned char>(cp1252[i])];
    if (cp1252[i] == ' ') extra += BlankExtra(s, blanks++);
    if (std::lround(advance) + extra > extent) return static_cast<int>(i);
  }
  return static_cast<int>(cp1252.size());
}

void SetTextJustification(Surface& s, int extraPixels, int breakCount) {
  bool reset = extraPixels == 0 || breakCount <= 0;
  s.justifyExtra = reset ? 0 : extraPixels;
  s.justifyBreaks = reset ? 0 : breakCount;
}

}  // namespace gfx
