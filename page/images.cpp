#include "page/images.h"

#include <algorithm>

#include "page/settings.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"

std::string imageExportPath;

namespace {

struct ImageFormat {
  int32_t option;
  const char* extension;
  const char* mimeType;
};
constexpr ImageFormat kFormats[] = {
    {2008, ".png", "image/png"},  {2009, ".jpg", "image/jpeg"}, {2010, ".gif", "image/gif"},
    {2011, ".tif", "image/tiff"}, {2012, ".bmp", "image/bmp"},
};

const ImageFormat* FormatOf(int32_t option) {
  for (const ImageFormat& f : kFormats)
    if (f.option == option) return &f;
  return nullptr;
}

// A drawn image never reaches past what a page could show, whatever a document holds.
constexpr int32_t kLargestSide = 65535;

}  // namespace

std::string_view ImageFormatExtension(int32_t option) {
  const ImageFormat* f = FormatOf(option);
  return f ? f->extension : "";
}

std::string_view ImageFormatMimeType(int32_t option) {
  const ImageFormat* f = FormatOf(option);
  return f ? f->mimeType : "";
}

gfx::ImageKey LoadImageFileQuietly(std::string_view path, ImageFault& fault, std::string& reason) {
  reason.clear();
  if (!files::FileExists(path)) {
    fault = ImageFault::kMissing;
    return 0;
  }
  const gfx::ImageKey image = gfx::LoadImage(path, reason);
  fault = image == 0 ? ImageFault::kUnreadable : ImageFault::kNone;
  return image;
}

gfx::ImageKey LoadImageFile(std::string_view path, std::string& refusal) {
  const std::string named(path);
  ImageFault fault = ImageFault::kNone;
  std::string reason;
  const gfx::ImageKey image = LoadImageFileQuietly(path, fault, reason);
  refusal.clear();
  if (fault == ImageFault::kMissing)
    refusal = "[GraphicLoadImageFileToBitmap] called on <" + named + "> Missing file";
  else if (fault == ImageFault::kUnreadable)
    refusal = "[GraphicLoadImageFileToBitmap] [GdipLoadImagefromFile] read error on <" + named +
              ">\r\n" + reason;
  return image;
}

gfx::ImageKey GraphicLoadImageFileToBitmap(std::string_view path, int32_t width, int32_t height,
                                          int32_t stretch, int32_t& outWidth, int32_t& outHeight,
                                          std::string& refusal) {
  outWidth = 0;
  outHeight = 0;
  refusal.clear();
  if (stretch != 0 && (width == 0 || height == 0)) return 0;
  gfx::ImageKey image = LoadImageFile(path, refusal);
  if (image == 0) return 0;
  const int32_t w = gfx::ImageWidth(image), h = gfx::ImageHeight(image);
  if (w <= 0 || h <= 0 || width < 0 || height < 0) {
    gfx::ReleaseImage(image);
    return 0;
  }
  if (width == 0) width = w;
  if (height == 0) height = h;
  if (stretch == 0) {
    // Proportions kept along the side that needs the larger reduction; a smaller image stays
    // at the box's size on that side.
    const long double rw = static_cast<long double>(w) / width, rh = static_cast<long double>(h) / height;
    if (rw > rh && width < w)
      height = numbers::ToInt32(h / rw);
    else if (height < h)
      width = numbers::ToInt32(w / rh);
  }
  outWidth = width;
  outHeight = height;
  return image;
}

void DrawImageObject(gfx::Surface& page, gfx::ImageKey image, int32_t x, int32_t y, int32_t width,
                     int32_t height) {
  if (gfx::ImageWidth(image) <= 0 || width <= 0 || height <= 0) return;
  width = std::min(width, kLargestSide);
  height = std::min(height, kLargestSide);
  gfx::Select(page);
  // The image's transparent parts show white, as its bitmap was cleared to white first; the
  // white goes under the image alone, drawn with no outline, whatever pen was left before.
  gfx::Box(page, x, y, static_cast<double>(x) + width - 1, static_cast<double>(y) + height - 1, 0,
           gfx::kTransparent, gfx::kWhite, 0);
  gfx::DrawImage(page, image, x, y, width, height);
}

std::string RemoveFileExtension(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  // A leading dot names a hidden file; it is no extension.
  if (dot == std::string_view::npos || dot <= nameStart) return std::string(path);
  return std::string(path.substr(0, dot));
}

int32_t SaveGraphicAsImageFile(const gfx::Surface& bitmap, std::string_view path,
                               std::string& message) {
  std::string error;
  if (!gfx::SaveImage(bitmap, path, error)) {
    message = "No se ha grabado la imagen.\r\n" + error;
    return 1;
  }
  message = "Grabado con exito ...";
  return 0;
}

int32_t SaveCanvasImage(const gfx::Surface& page, std::string& message) {
  const std::string_view extension = ImageFormatExtension(imageFormatOption);
  if (extension.empty()) {
    message = "No se ha grabado la imagen: el formato de imagen de la configuraci\xF3n (" +
              std::to_string(imageFormatOption) + ") no es v\xE1lido.";
    return 1;
  }
  return SaveGraphicAsImageFile(page, RemoveFileExtension(imageExportPath) + std::string(extension),
                                message);
}

void ResetImagesState() { imageExportPath.clear(); }
const EnrolledStart enrolled(ResetImagesState);
