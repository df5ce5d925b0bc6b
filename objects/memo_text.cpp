#include "objects/memo_text.h"

std::string MemoFieldNote() {
  return "Este objeto hace de contenedor para el campo memotext de las bases de datos. "
         "https://veluna.example";
}
