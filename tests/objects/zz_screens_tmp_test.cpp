#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "objects/aligned_text_dialog.h"
#include "objects/aligned_text.h"
#include "objects/captured_colour_dialog.h"
#include "objects/colours.h"
#include "objects/configuration.h"
#include "objects/favourite_colours_dialog.h"
#include "objects/image_size.h"
#include "objects/insert_text.h"
#include "objects/text_properties.h"
#include "platform/files/files.h"
#include "tests/support/test_env.h"

namespace {
void Shot(const std::string& caption, const std::string& file, std::function<int()> show, int close) {
  ui::testing::OnDialog(caption, [&](ui::Window w) {
    EXPECT_TRUE(ui::testing::Grab(w, "/tmp/shots/" + file + ".png"));
    ui::testing::Click(w, close);
  });
  show();
}
}  // namespace

TEST(ZzScreens, Grab) {
  files::OverrideDataFolder(testenv::NewFolder("program"));
  std::system("mkdir -p /tmp/shots");
  alignedText = "Un texto de prueba";
  Shot("Insertar texto alineado", "aligned", [] { return ShowAlignedTextDialog(nullptr); }, 31017);
  insertTextBuffer = "Frase";
  Shot("Texto a Insertar", "insert", [] { return ShowInsertTextDialog(nullptr); }, 4014);
  textAngleOn = 1; textAngle = 15;
  Shot("Propiedades Texto", "textprops", [] { return ShowTextPropertiesDialog(nullptr); }, 10270);
  Shot("Tus Colores Favoritos Cargalos y Guardalos", "palette", [] { return ShowFavouriteColoursDialog(nullptr); }, 31003);
  pickedColour = 0x00FF00;
  Shot("Color Captado", "captured", [] { return ShowCapturedColourDialog(nullptr); }, 21004);
  Shot("Configuracion", "config", [] { return ShowConfigurationDialog(nullptr); }, 2024);
  imageTrueSize = 0; imageWidth = 640; imageHeight = 480;
  Shot("Tama\xF1o Imagenes", "imagesize", [] { return ShowImageSizeDialog(nullptr); }, 51008);
}
