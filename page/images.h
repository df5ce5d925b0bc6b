// Images in and out of the page: image files loaded for image objects at their own size or
// stretched to a box, image objects drawn onto the page, and the page exported as a PNG,
// JPEG, GIF, TIFF or BMP file.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gfx/gfx.h"

// The path chosen for "Grabar Imagen"; its extension is replaced by the configured format's.
extern std::string imageExportPath;

constexpr int kImagePathMaxChars = 259;

// The export formats by their option id (imageFormatOption): 2008 PNG, 2009 JPEG, 2010 GIF,
// 2011 TIFF, 2012 BMP. Any other id has no extension and no MIME type ("").
std::string_view ImageFormatExtension(int32_t option);
std::string_view ImageFormatMimeType(int32_t option);

// Why an image file gave no picture.
enum class ImageFault { kNone, kMissing, kUnreadable };
// Loads an image file as it is, saying nothing: 0 when the file is missing or cannot be read,
// with `fault` telling which and `reason` the reader's words.
gfx::ImageKey LoadImageFileQuietly(std::string_view path, ImageFault& fault, std::string& reason);
// Loads an image file as it is. A missing or unreadable file gives 0, and `refusal` the message
// that says so with its path ("" when the image loaded).
gfx::ImageKey LoadImageFile(std::string_view path, std::string& refusal);
// Loads an image file for drawing at `width` x `height`: with `stretch` set the image fills
// exactly that box (nothing when either side is 0); otherwise a side of 0 takes the image's
// own and the other keeps the proportions. A missing or unreadable file gives 0 and its
// refusal, as LoadImageFile. The key draws the image; its size goes into outWidth x outHeight.
gfx::ImageKey GraphicLoadImageFileToBitmap(std::string_view path, int32_t width, int32_t height,
                                           int32_t stretch, int32_t& outWidth, int32_t& outHeight,
                                           std::string& refusal);
// An image object on the page: the image over white at (x, y), width x height, cut at the
// page's edges. A key that holds no image draws nothing.
void DrawImageObject(gfx::Surface& page, gfx::ImageKey image, int32_t x, int32_t y, int32_t width,
                     int32_t height);

// The path without the extension of its last component ("a/b.png" gives "a/b", "dir.old/form"
// stays "dir.old/form").
std::string RemoveFileExtension(std::string_view path);

// Writes the bitmap as the image format the path's extension names. Success gives 0 and the
// message "Grabado con exito ..."; a failure gives 1 and the message of why, and leaves no
// file written under the path (an old file there stays as it was).
int32_t SaveGraphicAsImageFile(const gfx::Surface& bitmap, std::string_view path,
                               std::string& message);
// The page into imageExportPath with the extension of imageFormatOption, as
// SaveGraphicAsImageFile; a format option without an extension gives 1 and says so.
int32_t SaveCanvasImage(const gfx::Surface& page, std::string& message);

// Puts imageExportPath back as the run starts.
void ResetImagesState();
