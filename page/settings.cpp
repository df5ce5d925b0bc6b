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

// Whether a value read can be kept as it was written; a value that cannot takes the key's
// default. Every value of a key's width is kept but where it would break the drawing or the
// printing of the page.
using Usable = bool (*)(int64_t value);

bool AnyValue(int64_t) { return true; }
// Objects inserted beyond the drawers' reach would have coordinates that no longer add up
// with their sizes in 32 bits.
bool WithinDrawersReach(int64_t v) { return v >= -kCoordinateReach && v <= kCoordinateReach; }
// A print of no copies prints nothing.
bool SomeCopies(int64_t v) { return v >= 1; }

// One key of the file, in the order the file keeps them.
struct Key {
  const char* section;
  const char* key;
  const char* defaultText;
  Width width;
  void* global;
  Usable usable;
};

const Key kKeys[] = {
    {"Margenes", "izquierdo", "10", Width::I32, &marginLeft, AnyValue},
    {"Margenes", "derecho", "10", Width::I32, &marginRight, AnyValue},
    {"Margenes", "Arriba", "10", Width::I32, &marginTop, AnyValue},
    {"Margenes", "Abajo", "10", Width::I32, &marginBottom, AnyValue},
    {"Posicion", "X", "10", Width::I32, &insertX, WithinDrawersReach},
    {"Posicion", "Y", "10", Width::I32, &insertY, WithinDrawersReach},
    {"Graficos", "Formato", "2009", Width::I32, &imageFormatOption, AnyValue},
    {"Activar", "Sonido", "1", Width::I32, &soundMuted, AnyValue},
    {"Activar", "Margen_NO", "0", Width::I32, &noMargins, AnyValue},
    {"Imprimir", "Copias", "1", Width::I32, &printCopies, SomeCopies},
    {"Imprimir", "Color", "1", Width::I32, &printColorMode, AnyValue},
    {"Imprimir", "Calidad", "1", Width::I32, &printQuality, AnyValue},
    {"Formato Papel", "Ancho", "210", Width::I16, &paperWidthMm, IsUsablePaperSide},
    {"Formato Papel", "Alto", "297", Width::I16, &paperHeightMm, IsUsablePaperSide},
    {"Base Datos", "Vinculado", "", Width::Text, &linkedDatabaseFolder, nullptr},
    {"Color Ambiente", "Opcion", "0", Width::I32, &ambientColorOn, AnyValue},
    {"Color Ambiente", "Color", "&HFFF8F0", Width::I32, &ambientColor, AnyValue},
};

int64_t Rounded(std::string_view text) {
  return numbers::ToInt64(numbers::NumericValueOfText(text));
}

bool FitsWidth(Width width, int64_t v) {
  return width == Width::I16 ? v >= INT16_MIN && v <= INT16_MAX : v >= INT32_MIN && v <= INT32_MAX;
}

void Store(const Key& k, int64_t v) {
  if (k.width == Width::I16)
    *static_cast<int16_t*>(k.global) = static_cast<int16_t>(v);
  else
    *static_cast<int32_t*>(k.global) = static_cast<int32_t>(v);
}

void Get(const Key& k, const std::string& file) {
  std::string value = profile::GetString(k.section, k.key, k.defaultText, file);
  if (k.width == Width::Text) {
    *static_cast<std::string*>(k.global) = value;
    return;
  }
  // A number the global cannot hold could not be written back as it was.
  const int64_t v = Rounded(value);
  Store(k, FitsWidth(k.width, v) && k.usable(v) ? v : Rounded(k.defaultText));
}

void GetDefault(const void* global) {
  for (const Key& k : kKeys)
    if (k.global == global) Store(k, Rounded(k.defaultText));
}

std::string SavedText(const Key& k) {
  if (k.width == Width::Text) return *static_cast<std::string*>(k.global);
  if (k.width == Width::I16) return numbers::SettingsNumberText(*static_cast<int16_t*>(k.global));
  return numbers::SettingsNumberText(*static_cast<int32_t*>(k.global));
}

int64_t PaperPixels(int64_t mm) { return numbers::ToInt64(mm * numbers::kMillimetreToPixel); }

}  // namespace

bool IsUsablePaperSide(int64_t mm) { return mm >= 1 && PaperPixels(mm) <= INT16_MAX; }

bool IsUsablePaper(int64_t widthMm, int64_t heightMm) {
  return IsUsablePaperSide(widthMm) && IsUsablePaperSide(heightMm) &&
         PaperPixels(widthMm) * PaperPixels(heightMm) <= kLargestPagePixels;
}

std::string SettingsFilePath() { return files::DataFolder() + kFileName; }

std::string LoadSaveSettings(std::string_view mode, SettingsKeys keys) {
  const std::string file = SettingsFilePath();
  const auto kept = [keys](const Key& k) {
    return keys == SettingsKeys::Designer || k.global != &linkedDatabaseFolder;
  };
  if (mode == "get") {
    for (const Key& k : kKeys)
      if (kept(k)) Get(k, file);
    // Sides that each make a page may still make one too large to allocate together.
    if (!IsUsablePaper(paperWidthMm, paperHeightMm)) {
      GetDefault(&paperWidthMm);
      GetDefault(&paperHeightMm);
    }
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
