// Graphic targets: memory bitmaps and the surfaces of graphic controls, each keeping its own
// drawing state as a device context does (pen position with fractions, pen width and style,
// fore and back colour, selected font, pending text justification).
// Coordinates are pixels; fractions are kept in the pen position and rounded half to even
// when a pixel is touched. Drawing is not antialiased.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gfx {

// Windows colour values: red in the low byte, then green, then blue.
using Colour = int32_t;
constexpr Colour kTransparent = -2;   // no fill, or no text background
constexpr Colour kForeColour = -1;    // a box's outline in the target's fore colour
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour Rgb(int r, int g, int b) { return (r & 255) | ((g & 255) << 8) | ((b & 255) << 16); }
constexpr int Red(Colour c) { return c & 255; }
constexpr int Green(Colour c) { return (c >> 8) & 255; }
constexpr int Blue(Colour c) { return (c >> 16) & 255; }

// Pen styles.
enum PenStyle { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3, kDashDotDot = 4 };
// Fill styles: 0 solid, 1 horizontal, 2 vertical, 3 forward diagonal (falling from left to
// right), 4 backward diagonal (rising), 5 cross, 6 diagonal cross. Above 6 counts as solid.

// Text style bits of a font.
enum TextStyleBits { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8, kLeading = 16 };

// A drawing surface. Opaque outside the platform layer.
class Surface;

// Memory bitmaps, cleared to white when made. The layer owns them until released.
Surface* MakeBitmap(int width, int height);
void ReleaseBitmap(Surface* bitmap);
int Width(const Surface& s);
int Height(const Surface& s);
// Logical resolution: pixels per inch (96 for every screen surface).
int PixelsPerInch(const Surface& s);

// The current target, for code written in the "select, then draw" manner.
void Select(Surface& s);
Surface* Current();

// Fills the whole surface with a colour (its pen position goes back to 0, 0).
void Clear(Surface& s, Colour colour);

// Pen and colours.
void SetPen(Surface& s, int width, int style);
int PenWidth(const Surface& s);
int PenStyleOf(const Surface& s);
void SetForeColour(Surface& s, Colour c);
void SetBackColour(Surface& s, Colour c);   // kTransparent: text drawn without background
Colour ForeColour(const Surface& s);
Colour BackColour(const Surface& s);
void MoveTo(Surface& s, double x, double y);
double PenX(const Surface& s);
double PenY(const Surface& s);

// A line from (x1, y1) to (x2, y2), both ends drawn, in the pen's width and style; the gaps
// of dashed and dotted styles are left transparent. The pen moves to (x2, y2).
void Line(Surface& s, double x1, double y1, double x2, double y2, Colour colour);
// A line from the pen position to (x, y); the pen moves there.
void LineTo(Surface& s, double x, double y, Colour colour);
// A single pixel.
void SetPixel(Surface& s, int x, int y, Colour colour);

// A box from corner to corner (both corners inside the outline). `roundingPercent` rounds
// the corners by that percent of the smaller side (below 0 or above 100 counts as 100;
// 0 square corners). `pen` kForeColour uses the fore colour; `fill` kTransparent leaves
// the inside as it is; `fillStyle` 0 solid, 1..6 hatches drawn in the fill colour.
void Box(Surface& s, double x1, double y1, double x2, double y2, int roundingPercent,
         Colour pen, Colour fill, int fillStyle);
// The ellipse inscribed in the box from corner to corner, with the same outline and fill rules.
void Ellipse(Surface& s, double x1, double y1, double x2, double y2, Colour pen, Colour fill,
             int fillStyle);

// Fonts. Points become pixels as points x 96 / 72, rounded half away from zero; that is
// the height of the characters, or of the whole cell when kLeading is set. 0 points means 8.
// Faces are matched by the system's font configuration ("MS Sans Serif" and "Tahoma" become
// a sans face, "Times New Roman" a serif face); text in the face "Symbol" is read as
// Symbol-encoded bytes and drawn as the Greek and mathematical characters they stand for.
using FontKey = int32_t;   // 0: the default font (a sans face, 8 points)
struct FontSpec {
  std::string face;        // only the first 31 characters count
  int points = 8;
  int styleFlags = 0;      // TextStyleBits
  int charset = 0;
  int pitch = 0;
  int escapement = 0;      // tenths of a degree, counter-clockwise
  bool operator==(const FontSpec&) const = default;
};
// The same key for the same description, as long as the program runs.
FontKey MakeFont(const FontSpec& spec);
// The description a key was made from (the default font's for an unknown key).
FontSpec FontOf(FontKey key);
void SelectFont(Surface& s, FontKey key);  // an unknown key selects the default font
FontKey SelectedFont(const Surface& s);

// Text. Print draws one line with its top-left corner at the pen position (rotated about it
// when the font has an escapement), in the fore colour, on the back colour unless that is
// kTransparent; then the pen goes to x = 0 and down one line height.
void Print(Surface& s, std::string_view cp1252);
int TextWidth(Surface& s, std::string_view cp1252);
int TextHeight(Surface& s);            // the character cell of the selected font
int LineHeight(Surface& s);            // cell plus external leading
int AverageCharWidth(Surface& s);
// How many leading characters fit within `extent` pixels; 0 when extent <= 0.
int FitCount(Surface& s, std::string_view cp1252, int extent);
// Spreads `extraPixels` over the `breakCount` blanks of a line: each blank gets
// extraPixels / breakCount more, and the first extraPixels % breakCount blanks one more
// (the sharing starts afresh with every text). It stays in force for every following Print,
// TextWidth and FitCount until it is reset by 0 pixels or 0 breaks, or replaced.
void SetTextJustification(Surface& s, int extraPixels, int breakCount);

// The Unicode character a byte of the Symbol font's encoding stands for (Greek letters,
// mathematical signs, arrows); bytes the encoding leaves undefined give a blank.
char32_t SymbolToUnicode(unsigned char symbolByte);

// The faces a font chooser offers: every font family installed whose name 1252 can write,
// and the faces of the other system that the layer stands in for ("Arial", "MS Sans Serif",
// "Symbol", ...), sorted without regard to case, each once.
std::vector<std::string> InstalledFaces();
// The character set a face's fonts use: 2 (symbol) for "Symbol", 0 (ANSI) for any other.
int FaceCharset(std::string_view face);

// Pixels and copies.
Colour Pixel(const Surface& s, int x, int y);   // -1 outside the surface
enum class Rop { Copy, And };
// Copies the rectangle (sx, sy, w, h) of `from` to (x, y) of `to`; w or h below 0 means
// "all of `from`".
void Copy(Surface& to, int x, int y, const Surface& from, int sx = 0, int sy = 0,
          int w = -1, int h = -1, Rop rop = Rop::Copy);
// Copies all of `from` stretched over (x, y, w, h) of `to`.
void Stretch(Surface& to, int x, int y, int w, int h, const Surface& from);

// Images read from files, kept in a table of keys (0 = none; an unknown key draws nothing).
using ImageKey = int32_t;
// Loads PNG, JPEG, GIF, BMP or TIFF. On failure returns 0 and puts a message in `error`.
// An image above 100 megapixels is refused.
ImageKey LoadImage(std::string_view path, std::string& error);
void ReleaseImage(ImageKey key);
int ImageWidth(ImageKey key);
int ImageHeight(ImageKey key);
// Draws the whole image stretched over (x, y, w, h).
void DrawImage(Surface& s, ImageKey key, int x, int y, int w, int h);

// Saves the surface as an image file whose format the extension names (.png, .jpg/.jpeg,
// .gif, .tif/.tiff, .bmp), through a temporary file renamed over the target. On failure
// returns false with a message in `error` and leaves any old file as it was.
bool SaveImage(const Surface& s, std::string_view path, std::string& error);

namespace testing {
// On, every drawing operation begins and ends a painter of its own, copies go pixel by pixel
// and every text is laid out anew, as the layer once drew: a check draws a page both ways and
// compares the pixels. Off (as a run starts), a surface keeps one painter open between
// operations until its image is read.
void SetPaintingPerOperation(bool on);
}  // namespace testing

}  // namespace gfx
