// Tests of the program's own resources: icons, menu bitmaps and the two sounds.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/resources_qt.h"

namespace {

std::string Name(int n) { return "#" + std::to_string(n); }

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 128) ++n;
  return n;
}

// Every image resource and the size it must have.
std::vector<std::pair<int, int>> AllImages() {
  std::vector<std::pair<int, int>> all{{200, 48}, {201, 48}};
  for (int n = 701; n <= 707; ++n) all.push_back({n, 32});
  for (int n = 300; n <= 326; ++n) all.push_back({n, 16});
  return all;
}

TEST(Resources, EveryImageExistsWithItsSizeAndSomeInk) {
  for (auto [n, size] : AllImages()) {
    SCOPED_TRACE(n);
    QImage image = desktop::ResourceImage(Name(n));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(image.hasAlphaChannel());
    int ink = OpaquePixels(image);
    EXPECT_GT(ink, size * size / 10);
    EXPECT_LT(ink, size * size);  // a pictogram, not a filled square
    EXPECT_TRUE(desktop::HasResource(Name(n)));
    EXPECT_TRUE(desktop::HasResource(std::to_string(n)));
    EXPECT_EQ(desktop::ResourceImage(std::to_string(n)), image);
  }
}

TEST(Resources, UnknownNamesAreNothing) {
  for (const char* name : {"#199", "#202", "#299", "#327", "#700", "#708", "#152", "", "#", "abc",
                           "#20O", "# 200", "200 ", "#-200"}) {
    EXPECT_TRUE(desktop::ResourceImage(name).isNull()) << name;
    EXPECT_FALSE(desktop::HasResource(name)) << name;
  }
  EXPECT_TRUE(desktop::ResourceImage("#150").isNull());  // a sound, not an image
  EXPECT_TRUE(desktop::HasResource("#150"));
  EXPECT_TRUE(desktop::HasResource("151"));
}

TEST(Resources, ImagesAreMadeOnceAndShared) {
  EXPECT_EQ(desktop::ResourceImage("#200").cacheKey(), desktop::ResourceImage("200").cacheKey());
  EXPECT_EQ(desktop::ResourceImage("#310").cacheKey(), desktop::ResourceImage("#310").cacheKey());
}

TEST(Resources, TheProgramIconHasABlueHeaderOnAWhitePage) {
  QImage icon = desktop::ResourceImage("#200").convertToFormat(QImage::Format_ARGB32);
  QColor band = icon.pixelColor(30, 10);
  EXPECT_GT(band.blue(), band.red() + 80);
  EXPECT_EQ(icon.pixelColor(30, 30).alpha(), 255);
  EXPECT_GT(icon.pixelColor(30, 30).lightness(), 200);
  EXPECT_EQ(icon.pixelColor(0, 47).alpha(), 0);
}

TEST(Resources, TheAboutFramesAllDifferAndTheMenuBitmapsToo) {
  auto allDiffer = [](int first, int last) {
    for (int a = first; a <= last; ++a)
      for (int b = a + 1; b <= last; ++b)
        EXPECT_NE(desktop::ResourceImage(Name(a)), desktop::ResourceImage(Name(b)))
            << a << " " << b;
  };
  allDiffer(701, 707);
  allDiffer(300, 326);
}

// The fields of a WAVE file, read as a player would.
struct Wave {
  bool valid = false;
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

uint32_t U32(const QByteArray& b, int at) {
  return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t U16(const QByteArray& b, int at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

Wave ReadWave(const QByteArray& b) {
  Wave w;
  if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return w;
  if (U32(b, 4) != uint32_t(b.size() - 8)) return w;
  int at = 12;
  bool haveFormat = false;
  while (at + 8 <= b.size()) {
    QByteArray id = b.mid(at, 4);
    int size = int(U32(b, at + 4));
    if (at + 8 + size > b.size()) return w;
    if (id == "fmt ") {
      w.format = U16(b, at + 8);
      w.channels = U16(b, at + 10);
      w.rate = int(U32(b, at + 12));
      w.bits = U16(b, at + 22);
      haveFormat = true;
    } else if (id == "data") {
      for (int i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(U16(b, at + 8 + i)));
      w.valid = haveFormat;
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

// Sign changes per sample over a stretch: higher for a higher pitch.
double Crossings(const std::vector<int16_t>& s, size_t from, size_t to) {
  int n = 0;
  for (size_t i = from + 1; i < to; ++i)
    if ((s[i - 1] < 0) != (s[i] < 0)) ++n;
  return double(n) / double(to - from);
}

TEST(Resources, TheSoundsAreShortPcmWavesOneRisingOneFalling) {
  for (int number : {150, 151}) {
    SCOPED_TRACE(number);
    Wave w = ReadWave(desktop::ResourceSound(number));
    ASSERT_TRUE(w.valid);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, 22050);
    EXPECT_EQ(w.bits, 16);
    double ms = 1000.0 * double(w.samples.size()) / w.rate;
    EXPECT_GT(ms, 80);
    EXPECT_LT(ms, 250);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 3000);
    const size_t n = w.samples.size();
    double early = Crossings(w.samples, n / 10, n * 4 / 10);
    double late = Crossings(w.samples, n * 6 / 10, n * 9 / 10);
    if (number == 150) {
      EXPECT_GT(late, early * 1.2);  // insert: rising
    } else {
      EXPECT_LT(late, early / 1.2);  // undo: falling
    }
  }
  EXPECT_TRUE(desktop::ResourceSound(152).isEmpty());
  EXPECT_TRUE(desktop::ResourceSound(200).isEmpty());
}

}  // namespace
