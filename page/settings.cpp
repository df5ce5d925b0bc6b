#include "page/settings.h"

#include <cerrno>
#include <vector>

#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/profile/profile.h"

int32_t marginLeft = 10;
int32_t marginRight = 10;
int32_t marginTop = 10;
int32_t marginBottom = 10;
int32_t insertX = 10;
int32_t insertY = 10;
int32_t imageFormatOption = 2009;
int32_t soundMuted = 1;
int32_t noMargins = 0;
int32_t printCopies = 1;
int32_t printColorMode = 1;
int32_t printQuality = 1;
int16_t paperWidthMm = 210;
int16_t paperHeightMm = 297;
std::string linkedDatabaseFolder;
int32_t ambientColorOn = 0;
int32_t ambientColor = 16775408;

namespace {

StartValues startValues(marginLeft, marginRight, marginTop, marginBottom, insertX, insertY,
                        imageFormatOption, soundMuted, noMargins, printCopies, printColorMode,
                        printQuality, paperWidthMm, paperHeightMm, linkedDatabaseFolder,
                        ambientColorOn, ambientColor);

constexpr const char* kFileName = "Configuracion.ini";

enum class Width { I32, I16, Text };

// One key of the file, in the order the file keeps them. Values outside [low, high] take the
// default when read, so that a hand-edited file can never make a page of zero or absurd size
// or a print of no copies.
struct Key {
  const char* section;
  const char* key;
  const char* defaultText;
  Width width;
  void* global;
  int64_t low;
  int64_t high;
};

const Key kKeys[] = {
    {"Margenes", "izquierdo", "10", Width::I32, &marginLeft, 0, 297},
    {"Margenes", "derecho", "10", Width::I32, &marginRight, 0, 297},
    {"Margenes", "Arriba", "10", Width::I32, &marginTop, 0, 297},
    {"Margenes", "Abajo", "10", Width::I32, &marginBottom, 0, 297},
    {"Posicion", "X", "10", Width::I32, &insertX, -32768, 32767},
    {"Posicion", "Y", "10", Width::I32, &insertY, -32768, 32767},
    {"Graficos", "Formato", "2009", Width::I32, &imageFormatOption, 2008, 2012},
    {"Activar", "Sonido", "1", Width::I32, &soundMuted, INT32_MIN, INT32_MAX},
    {"Activar", "Margen_NO", "0", Width::I32, &noMargins, INT32_MIN, INT32_MAX},
    {"Imprimir", "Copias", "1", Width::I32, &printCopies, 1, 99},
    {"Imprimir", "Color", "1", Width::I32, &printColorMode, 1, 2},
    {"Imprimir", "Calidad", "1", Width::I32, &printQuality, 1, 4},
    {"Formato Papel", "Ancho", "210", Width::I16, &paperWidthMm, 1, 210},
    {"Formato Papel", "Alto", "297", Width::I16, &paperHeightMm, 1, 297},
    {"Base Datos", "Vinculado", "", Width::Text, &linkedDatabaseFolder, 0, 0},
    {"Color Ambiente", "Opcion", "0", Width::I32, &ambientColorOn, INT32_MIN, INT32_MAX},
    {"Color Ambiente", "Color", "&HFFF8F0", Width::I32, &ambientColor, INT32_MIN, INT32_MAX},
};

int64_t Rounded(std::string_view text) {
  return numbers::ToInt64(numbers::NumericValueOfText(text));
}

void Get(const Key& k, const std::string& file) {
  std::string value = profile::GetString(k.section, k.key, k.defaultText, file);
  if (k.width == Width::Text) {
    *static_cast<std::string*>(k.global) = value;
    return;
  }
  int64_t v = Rounded(value);
  if (v < k.low || v > k.high) v = Rounded(k.defaultText);
  if (k.width == Width::I16)
    *static_cast<int16_t*>(k.global) = numbers::NarrowToInt16(v);
  else
    *static_cast<int32_t*>(k.global) = numbers::NarrowToInt32(v);
}

std::string SavedText(const Key& k) {
  if (k.width == Width::Text) return *static_cast<std::string*>(k.global);
  if (k.width == Width::I16) return numbers::SettingsNumberText(*static_cast<int16_t*>(k.global));
  return numbers::SettingsNumberText(*static_cast<int32_t*>(k.global));
}

}  // namespace

std::string SettingsFilePath() { return files::DataFolder() + kFileName; }

std::string LoadSaveSettings(std::string_view mode, SettingsKeys keys) {
  const std::string file = SettingsFilePath();
  const auto kept = [keys](const Key& k) {
    return keys == SettingsKeys::Designer || k.global != &linkedDatabaseFolder;
  };
  if (mode == "get") {
    for (const Key& k : kKeys)
      if (kept(k)) Get(k, file);
    // A missing file gives the defaults in silence; one there that cannot be read says so.
    if (const int error = profile::ReadError(file); error != 0 && error != ENOENT)
      return FileRefusalText("No puedo leer la configuraci\xF3n", file, error);
  } else if (mode == "save") {
    std::vector<std::string> texts;
    texts.reserve(std::size(kKeys));   // the entries point into it
    std::vector<profile::Entry> entries;
    for (const Key& k : kKeys)
      if (kept(k)) entries.push_back({k.section, k.key, texts.emplace_back(SavedText(k))});
    if (const int error = profile::WriteStrings(entries, file); error != 0)
      return files::ErrorText(error);
  }
  return "";
}

void ResetSettingsState() { startValues.Restore(); }
