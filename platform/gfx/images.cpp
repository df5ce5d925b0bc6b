// Images read from files into a table of keys, and surfaces saved as image files.
#include <gif_lib.h>

#include <errno.h>

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/files/files.h"
#include "platform/gfx/gfx_qt.h"
#include "platform/text/qt_text.h"

namespace gfx {

namespace {

constexpr long long kMaxPixels = 100'000'000;
// The largest image file read: 100 megapixels of four bytes, with room for headers.
constexpr int64_t kMaxImageFileBytes = int64_t{512} << 20;

struct ImageTable {
  std::map<ImageKey, QImage> images;
  ImageKey last = 0;
};

ImageTable& Images() {
  static ImageTable table;
  return table;
}

const QImage* Find(ImageKey key) {
  auto found = Images().images.find(key);
  return found == Images().images.end() ? nullptr : &found->second;
}

// Messages are written here in UTF-8 and handed out as 1252 text.
std::string Message(const QString& text) { return text::FromQ(text); }

QString ReadProblem(QImageReader::ImageReaderError error) {
  switch (error) {
    case QImageReader::FileNotFoundError: return QStringLiteral("el fichero no existe");
    case QImageReader::DeviceError: return QStringLiteral("error al leer el fichero");
    case QImageReader::UnsupportedFormatError: return QStringLiteral("formato de imagen no reconocido");
    case QImageReader::InvalidDataError: return QStringLiteral("los datos de la imagen están dañados");
    default: return QStringLiteral("error desconocido");
  }
}

QString FileProblem(int error) {
  switch (error) {
    case ENOENT: return QStringLiteral("el fichero no existe");
    case EISDIR: return QStringLiteral("es una carpeta");
    case EFBIG: return QStringLiteral("el fichero es demasiado grande");
    case files::kNotRegularFile: return QStringLiteral("no es un fichero normal");
    default: return text::ToQ(files::ErrorText(error));
  }
}

QString TooBig(const QString& path, QSize size) {
  return QStringLiteral("La imagen es demasiado grande (%1 x %2 píxeles; el máximo es 100 megapíxeles): %3")
      .arg(size.width())
      .arg(size.height())
      .arg(path);
}

bool Oversized(QSize size) {
  return static_cast<long long>(size.width()) * size.height() > kMaxPixels;
}

// GIF: the image's own colours when it has at most 256 of them (a form usually has a few),
// otherwise a median-cut reduction to 256.
int WriteBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

bool EncodeGif(const QImage& rgb, QByteArray& out) {
  const int w = rgb.width(), h = rgb.height();
  const size_t count = static_cast<size_t>(w) * h;
  std::vector<GifByteType> indices(count);
  std::vector<GifColorType> palette;
  std::unordered_map<QRgb, GifByteType> known;
  bool exact = true;
  for (int y = 0; y < h && exact; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      QRgb c = line[x] & 0xFFFFFF;
      auto found = known.find(c);
      if (found == known.end()) {
        if (palette.size() == 256) {
          exact = false;
          break;
        }
        found = known.emplace(c, static_cast<GifByteType>(palette.size())).first;
        palette.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                           static_cast<GifByteType>(qBlue(c))});
      }
      indices[static_cast<size_t>(y) * w + x] = found->second;
    }
  }
  if (!exact) {
    std::vector<GifByteType> red(count), green(count), blue(count);
    for (int y = 0; y < h; ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < w; ++x) {
        size_t i = static_cast<size_t>(y) * w + x;
        red[i] = static_cast<GifByteType>(qRed(line[x]));
        green[i] = static_cast<GifByteType>(qGreen(line[x]));
        blue[i] = static_cast<GifByteType>(qBlue(line[x]));
      }
    }
    int size = 256;
    palette.assign(256, GifColorType{0, 0, 0});
    if (GifQuantizeBuffer(static_cast<unsigned>(w), static_cast<unsigned>(h), &size, red.data(),
                          green.data(), blue.data(), indices.data(), palette.data()) == GIF_ERROR)
      return false;
    palette.resize(static_cast<size_t>(std::max(size, 1)));
  }
  // A colour map holds a power of two of colours, at least two.
  int bits = std::max(1, GifBitSize(static_cast<int>(palette.size())));
  palette.resize(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(palette.size()), palette.data());
  if (!map) return false;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteBytes, &error);
  bool ok = gif && EGifPutScreenDesc(gif, w, h, 8, 0, map) != GIF_ERROR &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
  for (int y = 0; ok && y < h; ++y)
    ok = EGifPutLine(gif, indices.data() + static_cast<size_t>(y) * w, w) != GIF_ERROR;
  if (gif && EGifCloseFile(gif, &error) == GIF_ERROR) ok = false;
  GifFreeMapObject(map);
  return ok;
}

}  // namespace

ImageKey LoadImage(std::string_view path, std::string& error) {
  QString shown = text::ToQ(path);
  // Decoding a big image needs more than the reader allows by default; the size check
  // below keeps the real limit.
  if (QImageReader::allocationLimit() < 1024) QImageReader::setAllocationLimit(1024);
  // Read whole through the files layer: only a regular file, never blocking, never more than
  // an image of the largest size taken can fill.
  std::string bytes;
  if (const int read = files::ReadWholeFile(files::LocalPath(path), kMaxImageFileBytes, bytes); read != 0) {
    error = Message(QStringLiteral("No se puede leer la imagen: %1 (%2)").arg(shown, FileProblem(read)));
    return 0;
  }
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QSize size = reader.size();
  if (size.isValid() && Oversized(size)) {
    error = Message(TooBig(shown, size));
    return 0;
  }
  QImage image = reader.read();
  if (image.isNull()) {
    error = Message(QStringLiteral("No se puede leer la imagen: %1 (%2)").arg(shown, ReadProblem(reader.error())));
    return 0;
  }
  if (Oversized(image.size())) {
    error = Message(TooBig(shown, image.size()));
    return 0;
  }
  image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                        : QImage::Format_RGB32);
  ImageTable& table = Images();
  table.images.emplace(++table.last, std::move(image));
  return table.last;
}

void ReleaseImage(ImageKey key) { Images().images.erase(key); }

int ImageWidth(ImageKey key) {
  const QImage* image = Find(key);
  return image ? image->width() : 0;
}

int ImageHeight(ImageKey key) {
  const QImage* image = Find(key);
  return image ? image->height() : 0;
}

void DrawImage(Surface& s, ImageKey key, int x, int y, int w, int h) {
  const QImage* image = Find(key);
  if (!image || w <= 0 || h <= 0) return;
  QPainter& p = PainterOf(s);
  // Images are drawn with the hints a painter begins with, smoothing added.
  p.setRenderHints(QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRect(x, y, w, h), *image);
  p.setRenderHints(QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform, false);
  FinishOperation(s);
}

bool SaveImage(const Surface& s, std::string_view path, std::string& error) {
  // Only the separators change: a stored path is never redirected to another folder here,
  // which could overwrite a file of the same name there.
  std::string local(path);
  std::replace(local.begin(), local.end(), '\\', '/');
  QString qpath = text::PathToQ(local);
  QString shown = text::ToQ(path);
  QString suffix = QFileInfo(qpath).suffix().toLower();
  QByteArray format;
  if (suffix == "png") format = "png";
  else if (suffix == "jpg" || suffix == "jpeg") format = "jpeg";
  else if (suffix == "tif" || suffix == "tiff") format = "tiff";
  else if (suffix == "bmp") format = "bmp";
  else if (suffix == "gif") format = "gif";
  else {
    error = Message(QStringLiteral("Formato de imagen no admitido: %1 (use .png, .jpg, .gif, .tif o .bmp)").arg(shown));
    return false;
  }
  QImage image = ImageOf(s).convertToFormat(QImage::Format_RGB32);
  QByteArray gif;
  if (format == "gif") {
    if (image.width() > 65535 || image.height() > 65535) {
      error = Message(TooBig(shown, image.size()));
      return false;
    }
    if (!EncodeGif(image, gif)) {
      error = Message(QStringLiteral("No se puede codificar la imagen GIF: %1").arg(shown));
      return false;
    }
  }
  // A device or a FIFO under that name is never replaced by a file.
  if (files::FileExists(local) && files::FileLength(local) < 0) {
    error = Message(QStringLiteral("No se puede escribir la imagen: %1 (no es un fichero normal)").arg(shown));
    return false;
  }
  // The file is written beside the target under another name and renamed over it at the
  // end, so a failure leaves any old file as it was.
  QSaveFile file(qpath);
  if (!file.open(QIODevice::WriteOnly)) {
    error = Message(QStringLiteral("No se puede escribir la imagen: %1 (no se puede crear el fichero)").arg(shown));
    return false;
  }
  bool written;
  if (format == "gif") {
    written = file.write(gif) == gif.size();
  } else {
    QImageWriter writer(&file, format);
    if (format == "jpeg") writer.setQuality(100);   // exports are kept at full quality
    written = writer.write(image);
  }
  if (!written) {
    file.cancelWriting();
    file.commit();
    error = Message(QStringLiteral("No se puede escribir la imagen: %1 (error de escritura)").arg(shown));
    return false;
  }
  if (!file.commit()) {
    error = Message(QStringLiteral("No se puede escribir la imagen: %1 (no se puede reemplazar el fichero)").arg(shown));
    return false;
  }
  return true;
}

}  // namespace gfx
