// "Tamaño Imagenes" (command 1059): whether inserted images keep their own size or take a
// width and height in pixels. Not saved.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/gfx/gfx.h"
#include "platform/ui/ui.h"

extern int32_t imageTrueSize;          // 1: images keep their own size
extern int16_t imageWidth;             // pixels; 0 with true size
extern int16_t imageHeight;
extern int32_t imageSizeDialogOpen;    // re-entry guard
// The size of the image LoadObjectImage loaded last (0 x 0 when it loaded nothing); the
// insert handler gives it to the new object.
extern int32_t loadedImageWidth;
extern int32_t loadedImageHeight;

// The dialog's control ids.
namespace image_size_ids {
inline constexpr int kTrueSize = 51001, kWidth = 51005, kHeight = 51006, kCancelar = 51008;
inline constexpr int kAceptar = 51009;
}  // namespace image_size_ids

// Runs the dialog modally; the results are in the globals.
int ShowImageSizeDialog(ui::Window parent);
intptr_t ImageSizeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second);

// An image file by the image-size settings (its own size, or the box of imageWidth x
// imageHeight); sets loadedImageWidth and loadedImageHeight. 0 when nothing was loaded; a
// file that gives no picture is shown, with its path.
// The key belongs to the image object that takes it (bitmapHandle), which releases it.
gfx::ImageKey LoadObjectImage(std::string_view path);

// Puts the image size and the guard back as the run starts.
void ResetImageSizeState();
