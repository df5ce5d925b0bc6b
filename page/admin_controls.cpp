#include "page/admin_controls.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "platform/profile/profile.h"

std::array<AdminStylePreset, kAdminStyleCount + 1> adminStylePresets{};
int16_t currentAdminStyle = 1;

namespace {

StartValues startValues(adminStylePresets, currentAdminStyle);

struct StyleNames {
  const char* section;
  const char* comboText;
};

// The sections carry no accents; the combo texts of styles 6 and 9 do.
constexpr StyleNames kStyleNames[kAdminStyleCount] = {
    {"Etiqueta Celda Cerrada", "01 - Etiqueta Celda Cerrada"},
    {"Etiqueta Celda Abierta", "02 - Etiqueta Celda Abierta"},
    {"Etiqueta Celdillas Cerradas", "03 - Etiqueta Celdillas Cerradas"},
    {"Etiqueta Celdillas Abiertas", "04 - Etiqueta Celdillas Abiertas"},
    {"Etiqueta Linea", "05 - Etiqueta Linea"},
    {"Etiqueta Celda Opcion", "06 - Etiqueta Celda Opci\xF3n"},
    {"Etiqueta Interior Celda Cerrada", "07 - Etiqueta Interior Celda Cerrada"},
    {"Etiqueta Exterior Celda Cerrada", "08 - Etiqueta Exterior Celda Cerrada"},
    {"Linea Etiqueta", "09 - L\xEDnea Etiqueta"},
    {"Etiqueta Texto", "10 - Etiqueta Texto"},
};

struct DefaultRow {
  const char* text;
  int32_t xarea, yarea, w, pluma, n, cols;
  int16_t ali, sepa;
  int32_t eti, shape;
};

constexpr DefaultRow kDefaults[kAdminStyleCount] = {
    {"Apellidos Cliente", 110, 20, 300, 1, 1, 0, 132, 0, 1, 0},
    {"Sexo", 40, 20, 14, 1, 1, 0, 132, 0, 1, 0},
    {"N\xFAmero de tel\xE9" "fono", 140, 20, 15, 1, 12, 0, 132, 1, 1, 0},
    {"N\xFAmero de cuenta", 130, 20, 15, 1, 20, 0, 132, 0, 1, 0},
    {"Apellidos:", 90, 20, 500, 1, 1, 0, 132, 0, 0, 0},
    {"Familia numerosa", 97, 15, 0, 0, 1, 0, 133, 0, 0, 0},
    {"Apellidos Cliente", 500, 50, 300, 1, 1, 0, 131, 0, 1, 0},
    {"Apellidos Cliente", 500, 35, 300, 1, 1, 0, 131, 0, 1, 0},
    {"Direcci\xF3n:", 90, 20, 500, 1, 1, 0, 131, 0, 0, 0},
    {"Apellidos Alumno:", 110, 20, 300, 1, 1, 0, 132, 0, 1, 0},
};

constexpr const char* kKeyNames[kAdminPresetKeyCount] = {
    "texto", "xarea", "yarea", "w", "pluma", "n", "cols", "ali", "sepa", "eti", "shape",
};

struct Range {
  int64_t low, high;
};

Range RangeOf(AdminPresetKey key) {
  switch (key) {
    case AdminPresetKey::AreaWidth:
    case AdminPresetKey::AreaHeight:
    case AdminPresetKey::CellWidth:
    case AdminPresetKey::CellSpacing:
      return {0, kAdminMaxSize};
    case AdminPresetKey::PenWidth:
      return {0, kAdminMaxPenWidth};
    case AdminPresetKey::CellCount:
      return {0, kAdminMaxCellCount};
    case AdminPresetKey::Alignment:
      return {131, 134};
    default:
      return {INT32_MIN, INT32_MAX};
  }
}

bool IsStyle(int style) { return style >= 1 && style <= kAdminStyleCount; }

// Whether a value holds a number at all, as opposed to one that merely reads as 0.
bool HoldsNumber(std::string_view v) {
  size_t i = v.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  if (v[i] == '&') return true;
  if (v[i] == '+' || v[i] == '-') ++i;
  if (i < v.size() && v[i] == '.') ++i;
  return i < v.size() && v[i] >= '0' && v[i] <= '9';
}

// A label that would lose blanks or quotes on reading is written inside quotes, which the
// reader takes off again.
std::string LabelValue(std::string_view text) {
  if (text.empty()) return {};
  const bool blankAtEnd = text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t';
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  if (blankAtEnd || quoted) return "\"" + std::string(text) + "\"";
  return std::string(text);
}

void GetPreset(int style, const std::string& file) {
  AdminStylePreset& p = adminStylePresets[style];
  const AdminStylePreset builtIn = DefaultAdminStylePreset(style);
  const std::string_view section = AdminStyleSection(style);
  for (int k = 0; k < kAdminPresetKeyCount; ++k) {
    const auto key = static_cast<AdminPresetKey>(k);
    if (key == AdminPresetKey::Text) {
      SetAdminPresetText(p, profile::GetString(section, kKeyNames[k], AdminPresetText(p), file));
      continue;
    }
    const std::string current = numbers::SettingsNumberText(static_cast<long double>(AdminPresetNumber(p, key)));
    const std::string value = profile::GetString(section, kKeyNames[k], current, file);
    const long double v = numbers::RoundHalfEven(numbers::NumericValueOfText(value));
    if (HoldsNumber(value) && AdminPresetNumberFits(key, v))
      SetAdminPresetNumber(p, key, v);
    else
      SetAdminPresetNumber(p, key, static_cast<long double>(AdminPresetNumber(builtIn, key)));
  }
}

// The preset's keys as the file keeps them, their texts in `texts` (which must not grow past
// what was reserved, as the entries point into it).
void AddPresetEntries(int style, std::vector<std::string>& texts,
                      std::vector<profile::Entry>& entries) {
  const AdminStylePreset& p = adminStylePresets[style];
  const std::string_view section = AdminStyleSection(style);
  for (int k = 0; k < kAdminPresetKeyCount; ++k) {
    const auto key = static_cast<AdminPresetKey>(k);
    const std::string& value = texts.emplace_back(
        key == AdminPresetKey::Text
            ? LabelValue(AdminPresetText(p))
            : numbers::SettingsNumberText(static_cast<long double>(AdminPresetNumber(p, key))));
    entries.push_back({section, kKeyNames[k], value});
  }
}

}  // namespace

const char* AdminPresetKeyName(AdminPresetKey key) {
  const int k = static_cast<int>(key);
  return k >= 0 && k < kAdminPresetKeyCount ? kKeyNames[k] : "";
}

std::string_view AdminStyleSection(int style) { return IsStyle(style) ? kStyleNames[style - 1].section : ""; }

std::string_view AdminStyleComboText(int style) { return IsStyle(style) ? kStyleNames[style - 1].comboText : ""; }

int32_t AdminObjectKind(int style) { return style == kAdminStyleOptionCell ? kAdminOptionCell : kAdminControl; }

AdminStylePreset DefaultAdminStylePreset(int style) {
  AdminStylePreset p{};
  if (!IsStyle(style)) return p;
  const DefaultRow& d = kDefaults[style - 1];
  SetAdminPresetText(p, d.text);
  p.labelAreaWidth = d.xarea;
  p.labelAreaHeight = d.yarea;
  p.cellWidth = d.w;
  p.penWidth = d.pluma;
  p.cellCount = d.n;
  p.colour = d.cols;
  p.alignment = d.ali;
  p.cellSpacing = d.sepa;
  p.labelVisible = d.eti;
  p.optionShape = d.shape;
  return p;
}

AdminStylePreset* AdminPresetOf(int style) { return IsStyle(style) ? &adminStylePresets[style] : nullptr; }

std::string_view AdminPresetText(const AdminStylePreset& p) { return FixedFieldText(p.text); }

void SetAdminPresetText(AdminStylePreset& p, std::string_view text) { SetFixedField(p.text, text); }

int64_t AdminPresetNumber(const AdminStylePreset& p, AdminPresetKey key) {
  switch (key) {
    case AdminPresetKey::AreaWidth: return p.labelAreaWidth;
    case AdminPresetKey::AreaHeight: return p.labelAreaHeight;
    case AdminPresetKey::CellWidth: return p.cellWidth;
    case AdminPresetKey::PenWidth: return p.penWidth;
    case AdminPresetKey::CellCount: return p.cellCount;
    case AdminPresetKey::Colour: return p.colour;
    case AdminPresetKey::Alignment: return p.alignment;
    case AdminPresetKey::CellSpacing: return p.cellSpacing;
    case AdminPresetKey::LabelVisible: return p.labelVisible;
    case AdminPresetKey::OptionShape: return p.optionShape;
    default: return 0;
  }
}

bool AdminPresetNumberFits(AdminPresetKey key, long double value) {
  const Range r = RangeOf(key);
  const long double v = numbers::RoundHalfEven(value);
  return v >= static_cast<long double>(r.low) && v <= static_cast<long double>(r.high);
}

void SetAdminPresetNumber(AdminStylePreset& p, AdminPresetKey key, long double value) {
  const Range r = RangeOf(key);
  const int64_t v = std::clamp(numbers::ToInt64(value), r.low, r.high);
  const int32_t v32 = numbers::NarrowToInt32(v);
  switch (key) {
    case AdminPresetKey::AreaWidth: p.labelAreaWidth = v32; break;
    case AdminPresetKey::AreaHeight: p.labelAreaHeight = v32; break;
    case AdminPresetKey::CellWidth: p.cellWidth = v32; break;
    case AdminPresetKey::PenWidth: p.penWidth = v32; break;
    case AdminPresetKey::CellCount: p.cellCount = v32; break;
    case AdminPresetKey::Colour: p.colour = v32; break;
    case AdminPresetKey::Alignment: p.alignment = numbers::NarrowToInt16(v); break;
    case AdminPresetKey::CellSpacing: p.cellSpacing = numbers::NarrowToInt16(v); break;
    case AdminPresetKey::LabelVisible: p.labelVisible = v32; break;
    case AdminPresetKey::OptionShape: p.optionShape = v32; break;
    default: break;
  }
}

std::string AdminControlsPath() { return files::DataFolder() + "AdminControls.ini"; }

std::string InitAdminStylePresets() {
  for (int style = 1; style <= kAdminStyleCount; ++style) adminStylePresets[style] = DefaultAdminStylePreset(style);
  // A first run leaves a file the user can find and edit.
  std::string message;
  if (!files::FileExists(AdminControlsPath())) message = LoadSaveAdminStylePresets("save");
  if (message.empty()) message = LoadSaveAdminStylePresets("get");
  return message;
}

std::string LoadSaveAdminStylePresets(std::string_view mode) {
  const std::string file = AdminControlsPath();
  if (mode == "get") {
    for (int style = 1; style <= kAdminStyleCount; ++style) GetPreset(style, file);
    // A missing file keeps the presets in silence; one there that cannot be read says so.
    if (const int error = profile::ReadError(file); error != 0 && error != ENOENT)
      return FileRefusalText("No puedo leer los controles administrativos", file, error);
  } else if (mode == "save") {
    std::vector<std::string> texts;
    texts.reserve(kAdminStyleCount * kAdminPresetKeyCount);
    std::vector<profile::Entry> entries;
    for (int style = 1; style <= kAdminStyleCount; ++style) AddPresetEntries(style, texts, entries);
    // A write that fails leaves the file as it was; the presets stay in memory.
    if (const int error = profile::WriteStrings(entries, file); error != 0)
      return files::ErrorText(error);
  }
  return "";
}

void ResetAdminControlsState() { startValues.Restore(); }
