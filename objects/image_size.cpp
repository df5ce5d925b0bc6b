#include "objects/image_size.h"

#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "page/images.h"
#include "page/start_values.h"
#include "platform/numbers/numbers.h"

using namespace image_size_ids;

int32_t imageTrueSize = 1;
int16_t imageWidth = 0;
int16_t imageHeight = 0;
int32_t imageSizeDialogOpen = 0;
int32_t loadedImageWidth = 0;
int32_t loadedImageHeight = 0;

namespace {


DialogSkeleton skeleton{&imageSizeDialogOpen, nullptr, kCancelar};

int32_t openingTrueSize = 1;
int16_t openingWidth = 0;
int16_t openingHeight = 0;

StartValues startValues(imageTrueSize, imageWidth, imageHeight, imageSizeDialogOpen,
                        loadedImageWidth, loadedImageHeight, openingTrueSize, openingWidth,
                        openingHeight);

void EnableSizes(ui::Window window) {
  ui::Enable(window, kWidth, imageTrueSize != 1);
  ui::Enable(window, kHeight, imageTrueSize != 1);
}

void Accept(ui::Window window) {
  if (imageTrueSize == 1) {
    imageWidth = 0;
    imageHeight = 0;
    ui::EndDialog(window, ui::kOk);
    return;
  }
  const long double w = FieldNumber(window, kWidth);
  const long double h = FieldNumber(window, kHeight);
  if (w < 1 || w > 32767 || h < 1 || h > 32767) {
    Tell(window, "Tienes que poner un tama\xF1o de imagen en esta opcion ...");
    return;
  }
  imageWidth = static_cast<int16_t>(w);
  imageHeight = static_cast<int16_t>(h);
  ui::EndDialog(window, ui::kOk);
}

void Initialise(ui::Window window) {
  openingTrueSize = imageTrueSize;
  openingWidth = imageWidth;
  openingHeight = imageHeight;
  ui::SetCheck(window, kTrueSize, imageTrueSize == 1);
  EnableSizes(window);
  if (imageWidth > 0 && imageHeight > 0) {
    ui::SetText(window, kWidth, numbers::NumberText(imageWidth));
    ui::SetText(window, kHeight, numbers::NumberText(imageHeight));
  }
}

void OnCommand(ui::Window window, int id, intptr_t code) {
  if (id == kTrueSize) {
    imageTrueSize = ui::Checked(window, kTrueSize) ? 1 : 0;
    EnableSizes(window);
  } else if (IsButtonPress(id, code, kCancelar)) {
    imageTrueSize = openingTrueSize;
    imageWidth = openingWidth;
    imageHeight = openingHeight;
    ui::EndDialog(window, ui::kCancel);
  } else if (IsButtonPress(id, code, kAceptar)) {
    Accept(window);
  }
}

constexpr DialogHandlers kHandlers{.init = Initialise, .command = OnCommand};

}  // namespace

int ShowImageSizeDialog(ui::Window parent) {
  ui::DialogTemplate t;
  t.caption = "Tama\xF1o Imagenes";
  t.w = 335;
  t.h = 190;
  t.units = ui::Units::Dialog;
  t.controls = {
      {ui::Kind::CheckBox, kTrueSize, "Quiero la imagen en su tama\xF1o verdadero ", 16, 16, 312, 24},
      {ui::Kind::Label, 51002, "Ancho", 16, 48, 56, 16, ui::kCentred},
      {ui::Kind::Label, 51003, "Alto", 102, 48, 56, 16, ui::kCentred},
      {ui::Kind::Label, 51004, "x", 72, 43, 32, 24, ui::kCentred},
      {ui::Kind::Edit, kWidth, "", 16, 72, 56, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 51007, "x", 72, 72, 32, 24, ui::kCentred},
      {ui::Kind::Edit, kHeight, "", 104, 72, 56, 24, ui::kDigitsOnly | ui::kSunken},
      {ui::Kind::Label, 51010,
       "El tama\xF1o es en pixeles, no es aconsejable poner una dimension superior a  794x1122. Este dialogo "
       "de configuracion afecta a todas las imagenes.",
       168, 40, 160, 96, ui::kBorder},
      {ui::Kind::Button, kCancelar, "Cancelar", 8, 152, 72, 24},
      {ui::Kind::Button, kAceptar, "Aceptar", 256, 152, 72, 24},
  };
  return ui::RunModal(t, parent, ImageSizeDialogProc);
}

intptr_t ImageSizeDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return RunDialogSkeleton(skeleton, kHandlers, window, msg, first, second);
}

gfx::ImageKey LoadObjectImage(std::string_view path) {
  std::string refusal;
  gfx::ImageKey image = GraphicLoadImageFileToBitmap(path, imageWidth, imageHeight,
                                                     1 - imageTrueSize, loadedImageWidth,
                                                     loadedImageHeight, refusal);
  ShowMessageIfAny(refusal);
  if (image == 0) loadedImageWidth = loadedImageHeight = 0;
  return image;
}

void ResetImageSizeState() { startValues.Restore(); }
