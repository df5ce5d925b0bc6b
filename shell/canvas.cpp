#include "shell/canvas.h"

ui::Proc oldCanvasProc = nullptr;

intptr_t CanvasWindowProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  return ui::CallOld(oldCanvasProc, window, msg, first, second);
}
