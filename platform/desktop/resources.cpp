// The program's own icons, menu bitmaps and sounds, drawn and generated here at first use.
// Nothing is read from files, so the program works wherever its binary goes.
// The drawings use only shapes (no fonts), so they need no running application.
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/resources_qt.h"

namespace desktop {
namespace {

constexpr int kProgramIcon = 200;
constexpr int kDocumentIcon = 201;
constexpr int kFirstFrame = 701, kLastFrame = 707;
constexpr int kFirstMenuBitmap = 300, kLastMenuBitmap = 326;
constexpr int kInsertSound = 150, kUndoSound = 151;

// "#NNN" or "NNN" as a number; nothing for any other text.
std::optional<int> ResourceNumber(std::string_view name) {
  if (!name.empty() && name.front() == '#') name.remove_prefix(1);
  if (name.empty() || name.size() > 6) return std::nullopt;
  int n = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool IsImage(int n) {
  return n == kProgramIcon || n == kDocumentIcon || (n >= kFirstFrame && n <= kLastFrame) ||
         (n >= kFirstMenuBitmap && n <= kLastMenuBitmap);
}

bool IsSound(int n) { return n == kInsertSound || n == kUndoSound; }

// Shared colours of the drawings.
const QColor kInk(40, 40, 48);
const QColor kBlue(40, 96, 200);
const QColor kLightBlue(150, 190, 240);
const QColor kRed(210, 40, 40);
const QColor kGreen(40, 150, 60);
const QColor kYellow(240, 200, 40);
const QColor kGrey(150, 150, 150);
const QColor kPaper(255, 255, 255);

QImage Blank(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QPen Pen(const QColor& c, double width = 1.0) {
  QPen pen(c, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// A sheet with its top-right corner folded, inside the box (x, y, w, h).
void FoldedPage(QPainter& p, double x, double y, double w, double h, double fold,
                const QColor& edge, double edgeWidth) {
  QPolygonF sheet;
  sheet << QPointF(x, y) << QPointF(x + w - fold, y) << QPointF(x + w, y + fold)
        << QPointF(x + w, y + h) << QPointF(x, y + h);
  p.setPen(Pen(edge, edgeWidth));
  p.setBrush(kPaper);
  p.drawPolygon(sheet);
  QPolygonF corner;
  corner << QPointF(x + w - fold, y) << QPointF(x + w - fold, y + fold) << QPointF(x + w, y + fold);
  p.setBrush(QColor(215, 220, 230));
  p.drawPolygon(corner);
}

// The program: a form with a blue header band, ruled lines and two boxes to fill in.
QImage ProgramIcon() {
  QImage image = Blank(48);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawRoundedRect(QRectF(9, 5, 34, 42), 2, 2);
  p.setPen(Pen(QColor(90, 100, 120), 1.5));
  p.setBrush(kPaper);
  p.drawRoundedRect(QRectF(6, 2, 34, 42), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRect(QRectF(7, 3, 32, 9));
  p.setBrush(kPaper);
  p.drawRect(QRectF(10, 6, 14, 3));
  p.setPen(Pen(kGrey, 1.5));
  for (int i = 0; i < 4; ++i) p.drawLine(QPointF(10, 18 + i * 5), QPointF(36, 18 + i * 5));
  p.setPen(Pen(kRed, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(10, 36, 8, 5));
  p.drawRect(QRectF(22, 36, 14, 5));
  return image;
}

// A document: a folded page carrying a small band and lines.
QImage DocumentIcon() {
  QImage image = Blank(48);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  FoldedPage(p, 8, 3, 32, 42, 10, QColor(90, 100, 120), 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRect(QRectF(12, 8, 14, 5));
  p.setPen(Pen(kGrey, 1.5));
  for (int i = 0; i < 5; ++i) p.drawLine(QPointF(12, 19 + i * 5), QPointF(36, 19 + i * 5));
  return image;
}

// One frame of the about box: a five-pointed star turning a seventh of its symmetry each
// frame (so the seventh frame leads smoothly back to the first), with a spark circling it.
QImage AboutFrame(int frame) {
  QImage image = Blank(32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double pi = std::numbers::pi;
  const double turn = (72.0 / 7.0) * frame * pi / 180.0;
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    double r = (i % 2 == 0) ? 12.5 : 5.5;
    double a = turn + i * pi / 5.0 - pi / 2.0;
    star << QPointF(16 + r * std::cos(a), 16 + r * std::sin(a));
  }
  const int hue = 48 + static_cast<int>(std::lround(10 * std::sin(frame * 2 * pi / 7)));
  QColor fill = QColor::fromHsv(hue, 220, 255);
  p.setPen(Pen(QColor(170, 100, 0), 1.2));
  p.setBrush(fill);
  p.drawPolygon(star);
  double orbit = frame * 2.0 * pi / 7.0;
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(16 + 13.5 * std::cos(orbit), 16 + 13.5 * std::sin(orbit)), 2.2, 2.2);
  return image;
}

// The menu bitmaps, one small pictogram each.
void DrawMenuBitmap(QPainter& p, int n) {
  switch (n) {
    case 300: {  // new page: a folded page with a green plus
      FoldedPage(p, 2.5, 1.5, 10, 13, 3.5, kInk, 1);
      p.setPen(Pen(kGreen, 2));
      p.drawLine(QPointF(12, 9), QPointF(12, 15));
      p.drawLine(QPointF(9, 12), QPointF(15, 12));
      break;
    }
    case 301: {  // image: a framed landscape with a sun
      p.setPen(Pen(kInk, 1));
      p.setBrush(kLightBlue);
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF(
          {QPointF(2, 13), QPointF(6, 7), QPointF(9, 11), QPointF(11, 9), QPointF(14, 13)}));
      p.setBrush(kYellow);
      p.drawEllipse(QPointF(11, 5.5), 1.8, 1.8);
      break;
    }
    case 302: {  // about: an "i" in a blue disc
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(8, 4.5), 1.3, 1.3);
      p.drawRect(QRectF(7, 7, 2, 6));
      break;
    }
    case 303: {  // exit: an open door and an arrow leaving
      p.setPen(Pen(kInk, 1));
      p.setBrush(QColor(150, 90, 40));
      p.drawRect(QRectF(1.5, 1.5, 7, 13));
      p.setBrush(QColor(200, 140, 80));
      p.drawPolygon(
          QPolygonF({QPointF(1.5, 1.5), QPointF(5.5, 3), QPointF(5.5, 15.5), QPointF(1.5, 14.5)}));
      p.setPen(Pen(kRed, 2));
      p.drawLine(QPointF(9, 8), QPointF(15, 8));
      p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
      p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
      break;
    }
    case 304: {  // text: a bold T
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      p.drawRect(QRectF(2, 2, 12, 3));
      p.drawRect(QRectF(6.5, 2, 3, 12));
      p.drawRect(QRectF(5, 13, 6, 1.5));
      break;
    }
    case 305: {  // settings: a gear
      p.setPen(Qt::NoPen);
      p.setBrush(kGrey.darker(130));
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 45.0);
        p.drawRect(QRectF(-1.5, -7.5, 3, 4));
        p.restore();
      }
      p.drawEllipse(QPointF(8, 8), 5, 5);
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(8, 8), 2, 2);
      break;
    }
    case 306: {  // image size: a frame with a diagonal double arrow
      p.setPen(Pen(kGrey, 1));
      p.setBrush(kLightBlue);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setPen(Pen(kInk, 1.5));
      p.drawLine(QPointF(4, 12), QPointF(12, 4));
      p.drawLine(QPointF(4, 12), QPointF(4, 8.5));
      p.drawLine(QPointF(4, 12), QPointF(7.5, 12));
      p.drawLine(QPointF(12, 4), QPointF(8.5, 4));
      p.drawLine(QPointF(12, 4), QPointF(12, 7.5));
      break;
    }
    case 307: {  // ruler: a yellow strip with ticks
      p.setPen(Pen(kInk, 1));
      p.setBrush(kYellow);
      p.drawRect(QRectF(0.5, 5.5, 15, 6));
      for (int x = 2; x < 15; x += 2)
        p.drawLine(QPointF(x + 0.5, 5.5), QPointF(x + 0.5, x % 4 == 0 ? 9.5 : 7.5));
      break;
    }
    case 308: {  // axes: two arrows from a corner
      p.setPen(Pen(kInk, 1.2));
      p.drawLine(QPointF(3, 14), QPointF(3, 2));
      p.drawLine(QPointF(3, 14), QPointF(15, 14));
      p.drawLine(QPointF(3, 2), QPointF(1.5, 4.5));
      p.drawLine(QPointF(3, 2), QPointF(4.5, 4.5));
      p.drawLine(QPointF(15, 14), QPointF(12.5, 12.5));
      p.drawLine(QPointF(15, 14), QPointF(12.5, 15.5));
      p.setPen(Pen(kRed, 1.2));
      p.drawLine(QPointF(4, 12), QPointF(12, 5));
      break;
    }
    case 309: {  // mouse: a rounded body, two buttons and a tail
      p.setPen(Pen(kInk, 1));
      p.setBrush(QColor(225, 225, 230));
      p.drawRoundedRect(QRectF(4, 4, 9, 11.5), 4, 4);
      p.drawLine(QPointF(8.5, 4), QPointF(8.5, 8));
      p.drawLine(QPointF(4, 8), QPointF(13, 8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 0, 7, 8), 0, 90 * 16);
      break;
    }
    case 310: {  // undo: an arrow bending back to the left
      QPainterPath path;
      path.moveTo(13, 13);
      path.cubicTo(14, 6, 10, 4, 4, 6);
      p.setPen(Pen(kBlue, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(path);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(1, 6), QPointF(6, 2), QPointF(6, 10)}));
      break;
    }
    case 311: {  // insert text: ruled lines and a text cursor
      p.setPen(Pen(kGrey, 1));
      for (int y = 3; y <= 13; y += 3) p.drawLine(QPointF(1, y + 0.5), QPointF(9, y + 0.5));
      p.setPen(Pen(kRed, 1.5));
      p.drawLine(QPointF(12, 2), QPointF(12, 14));
      p.drawLine(QPointF(10, 2), QPointF(14, 2));
      p.drawLine(QPointF(10, 14), QPointF(14, 14));
      break;
    }
    case 312: {  // insert image: a small picture and a green plus
      p.setPen(Pen(kInk, 1));
      p.setBrush(kLightBlue);
      p.drawRect(QRectF(0.5, 0.5, 11, 9));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(1, 9.5), QPointF(5, 4), QPointF(9, 9.5)}));
      p.setPen(Pen(kGreen.darker(120), 2));
      p.drawLine(QPointF(12, 9), QPointF(12, 15));
      p.drawLine(QPointF(9, 12), QPointF(15, 12));
      break;
    }
    case 313: {  // square and circle
      p.setPen(Pen(kBlue, 1.2));
      p.setBrush(kLightBlue);
      p.drawRect(QRectF(1.5, 1.5, 8, 8));
      p.setPen(Pen(kRed, 1.2));
      p.setBrush(QColor(250, 170, 170));
      p.drawEllipse(QRectF(6.5, 6.5, 8.5, 8.5));
      break;
    }
    case 314: {  // administrative control: a row of boxes to fill in
      p.setPen(Pen(kInk, 1));
      p.setBrush(kPaper);
      for (int i = 0; i < 3; ++i) p.drawRect(QRectF(0.5 + i * 5, 5.5, 5, 6));
      p.setPen(Pen(kRed, 1));
      p.drawLine(QPointF(2, 8), QPointF(4, 10));
      p.drawLine(QPointF(4, 10), QPointF(4.5, 7));
      break;
    }
    case 315: {  // properties: a list with ticks
      p.setPen(Pen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      for (int i = 0; i < 3; ++i) {
        double y = 4.5 + i * 3.5;
        p.setPen(Pen(kGreen, 1.2));
        p.drawLine(QPointF(3, y), QPointF(4, y + 1));
        p.drawLine(QPointF(4, y + 1), QPointF(6, y - 1));
        p.setPen(Pen(kGrey, 1));
        p.drawLine(QPointF(7.5, y), QPointF(12.5, y));
      }
      break;
    }
    case 316: {  // document on disk: a floppy disk
      p.setPen(Pen(kInk, 1));
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(1.5, 1.5), QPointF(12.5, 1.5), QPointF(14.5, 3.5),
                               QPointF(14.5, 14.5), QPointF(1.5, 14.5)}));
      p.setBrush(QColor(210, 210, 215));
      p.drawRect(QRectF(4, 1.5, 7, 5));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3.5, 9, 9, 5.5));
      break;
    }
    case 317: {  // open folder
      p.setPen(Pen(QColor(150, 110, 20), 1));
      p.setBrush(kYellow.darker(110));
      p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(6, 3), QPointF(7, 5), QPointF(13, 5),
                               QPointF(13, 13), QPointF(1, 13)}));
      p.setBrush(kYellow);
      p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(15.5, 7), QPointF(13, 13), QPointF(1, 13)}));
      break;
    }
    case 318: {  // magnifier
      p.setPen(Pen(kInk, 1.5));
      p.setBrush(kLightBlue);
      p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
      p.setPen(Pen(QColor(120, 70, 30), 2.5));
      p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
      break;
    }
    case 319: {  // colour palette: four coloured squares
      p.setPen(Pen(kInk, 1));
      const QColor colours[4] = {kRed, kGreen, kBlue, kYellow};
      for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawRect(QRectF(1.5 + (i % 2) * 7, 1.5 + (i / 2) * 7, 6, 6));
      }
      break;
    }
    case 320: {  // reset fills: a circular arrow around a filled dot
      p.setPen(Pen(kGreen, 1.8));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2, 2, 12, 12), 90 * 16, 280 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(8, -0.5), QPointF(11.5, 2), QPointF(8, 4.5)}));
      p.setBrush(kRed);
      p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
      break;
    }
    case 321: {  // printer: body, paper in, paper out
      p.setPen(Pen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(kGrey);
      p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1, 1);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 9.5, 7, 5));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawRect(QRectF(12, 7, 1.5, 1.5));
      break;
    }
    case 322: {  // delete copies: two sheets crossed out in red
      p.setPen(Pen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(1.5, 1.5, 8, 10));
      p.drawRect(QRectF(4.5, 4.5, 8, 10));
      p.setPen(Pen(kRed, 2));
      p.drawLine(QPointF(8, 8), QPointF(15, 15));
      p.drawLine(QPointF(15, 8), QPointF(8, 15));
      break;
    }
    case 323: {  // paste: a clipboard with a sheet
      p.setPen(Pen(kInk, 1));
      p.setBrush(QColor(180, 130, 70));
      p.drawRoundedRect(QRectF(1.5, 2.5, 11, 13), 1, 1);
      p.setBrush(kGrey);
      p.drawRect(QRectF(4.5, 1, 5, 3));
      p.setBrush(kPaper);
      p.drawRect(QRectF(6.5, 6.5, 8, 9));
      p.setPen(Pen(kGrey, 1));
      p.drawLine(QPointF(8, 9.5), QPointF(13, 9.5));
      p.drawLine(QPointF(8, 12.5), QPointF(13, 12.5));
      break;
    }
    case 324: {  // mathematics: a sigma
      p.setPen(Pen(kInk, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(13, 4), QPointF(13, 2), QPointF(3, 2), QPointF(8.5, 8),
                                QPointF(3, 14), QPointF(13, 14), QPointF(13, 12)}));
      break;
    }
    case 325: {  // link: two chain links
      p.setPen(Pen(kGrey.darker(140), 2));
      p.setBrush(Qt::NoBrush);
      p.save();
      p.translate(8, 8);
      p.rotate(-45);
      p.drawRoundedRect(QRectF(-7.5, -2.5, 8, 5), 2.5, 2.5);
      p.drawRoundedRect(QRectF(-0.5, -2.5, 8, 5), 2.5, 2.5);
      p.restore();
      break;
    }
    case 326: {  // database: a cylinder
      p.setPen(Pen(kInk, 1));
      p.setBrush(QColor(110, 160, 220));
      p.drawRect(QRectF(2.5, 4, 11, 9));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(2.5, 10.5, 11, 4));
      p.setPen(Pen(kInk, 1));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(2.5, 10.5, 11, 4), 180 * 16, 180 * 16);
      p.drawArc(QRectF(2.5, 6.5, 11, 4), 180 * 16, 180 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kLightBlue);
      p.drawEllipse(QRectF(2.5, 2, 11, 4));
      p.setPen(Pen(kInk, 1));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(2.5, 2, 11, 4));
      p.drawLine(QPointF(2.5, 4), QPointF(2.5, 12.5));
      p.drawLine(QPointF(13.5, 4), QPointF(13.5, 12.5));
      break;
    }
    default:
      break;
  }
}

QImage MenuBitmap(int n) {
  QImage image = Blank(16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  DrawMenuBitmap(p, n);
  return image;
}

QImage MakeImage(int n) {
  if (n == kProgramIcon) return ProgramIcon();
  if (n == kDocumentIcon) return DocumentIcon();
  if (n >= kFirstFrame && n <= kLastFrame) return AboutFrame(n - kFirstFrame);
  if (n >= kFirstMenuBitmap && n <= kLastMenuBitmap) return MenuBitmap(n);
  return QImage();
}

// A 16-bit mono PCM WAVE file of the given samples.
QByteArray Wave(const std::vector<int16_t>& samples, int rate) {
  QByteArray wav;
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto u16 = [&](uint16_t v) {
    wav.append(static_cast<char>(v & 0xFF));
    wav.append(static_cast<char>(v >> 8));
  };
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  wav.append("RIFF", 4);
  u32(36 + dataBytes);
  wav.append("WAVEfmt ", 8);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(static_cast<uint32_t>(rate));
  u32(static_cast<uint32_t>(rate) * 2);  // bytes per second
  u16(2);                                // bytes per frame
  u16(16);                               // bits per sample
  wav.append("data", 4);
  u32(dataBytes);
  for (int16_t s : samples) u16(static_cast<uint16_t>(s));
  return wav;
}

// A tone whose frequency runs from `from` to `to` Hz, with short fades so it does not click.
void AppendTone(std::vector<int16_t>& out, int rate, double seconds, double from, double to) {
  const int count = static_cast<int>(seconds * rate);
  const int fade = rate / 200;  // 5 ms
  double phase = 0;
  for (int i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / count;
    phase += 2 * std::numbers::pi * (from + (to - from) * t) / rate;
    double envelope = 1.0;
    if (i < fade) envelope = static_cast<double>(i) / fade;
    if (count - i < fade) envelope = static_cast<double>(count - i) / fade;
    out.push_back(static_cast<int16_t>(std::lround(9000.0 * envelope * std::sin(phase))));
  }
}

std::mutex cacheMutex;
std::map<int, QImage> imageCache;
std::map<int, QByteArray> soundCache;

}  // namespace

QImage ResourceImage(std::string_view name) {
  std::optional<int> n = ResourceNumber(name);
  if (!n || !IsImage(*n)) return QImage();
  std::lock_guard lock(cacheMutex);
  auto found = imageCache.find(*n);
  if (found == imageCache.end()) found = imageCache.emplace(*n, MakeImage(*n)).first;
  return found->second;
}

QByteArray ResourceSound(int number) {
  if (!IsSound(number)) return QByteArray();
  std::lock_guard lock(cacheMutex);
  auto found = soundCache.find(number);
  if (found == soundCache.end()) {
    constexpr int rate = 22050;
    std::vector<int16_t> samples;
    if (number == kInsertSound) {  // a short rising two-tone beep
      AppendTone(samples, rate, 0.060, 880, 880);
      AppendTone(samples, rate, 0.060, 1320, 1320);
    } else {  // a short falling beep
      AppendTone(samples, rate, 0.120, 1100, 550);
    }
    found = soundCache.emplace(number, Wave(samples, rate)).first;
  }
  return found->second;
}

bool HasResource(std::string_view name) {
  std::optional<int> n = ResourceNumber(name);
  return n && (IsImage(*n) || IsSound(*n));
}

}  // namespace desktop
