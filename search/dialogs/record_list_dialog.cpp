#include "search/dialogs/record_list_dialog.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "database/linked_database.h"
#include "database/records.h"
#include "database/search_results.h"
#include "dialogs/dialog_focus.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/messages.h"
#include "dialogs/written_file_opener.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"
#include "platform/numbers/numbers.h"
#include "search/dialogs/search_dialog.h"
#include "search/field_definitions.h"
#include "search/record_list_file.h"

using namespace record_list_ids;

ui::Window listDialogFocus = nullptr;
FileOpener recordListOpener;

namespace {

constexpr const char* kCaption = "Configuraci\xF3n listar para tipo de letra monoespaciado";

constexpr const char* kLineLengthText = "Total de caracteres por l\xEDnea ";
constexpr const char* kNoWidth = "Tiene que reservar cantidad de caracteres para este campo ...";
constexpr const char* kNoField = "Tiene que seleccionar un campo valido ...";
constexpr const char* kNoSearch = "Tienes que hacer primero una busqueda ...";

// A width is kept in 16 bits.
constexpr long double kWidestColumn = 32767;

// CharsPerLineBySize: the characters a line holds in a monospaced font of 8 to 12 points.
int16_t CharsPerLineBySize(long double size) {
  constexpr int16_t kTable[] = {129, 114, 101, 93, 85};
  if (size < 8 || size > 12) return 0;
  return kTable[static_cast<int>(size) - 8];
}

// True while "Crear" writes a list; the dialog stays open until it is done.
bool listBeingCreated = false;

// The characters the fields applied since the dialog opened, or since "Resetear", took off the
// line. Fields may be applied before a size is picked; the size picked after them starts its
// line with what they take.
int64_t charsTaken = 0;

// Once a size is picked and a field applied, whichever comes first, the size stays as it is.
void FixSizeOnceFieldsAreApplied(ui::Window dialog) {
  if (listFieldCount > 0 && ui::ListSelection(dialog, kSizeCombo) >= 0)
    ui::Enable(dialog, kSizeCombo, false);
}

// "Disponibles N caracteres", green while the line still has room, red once it has not.
void ShowCharsAvailable(ui::Window dialog, long double available) {
  ui::SetText(dialog, kAvailableLabel,
              "Disponibles " + numbers::NumberText(available) + " caracteres");
  ui::SetTextColour(dialog, kAvailableLabel,
                    available >= 0 ? gfx::Rgb(0, 255, 0) : gfx::Rgb(255, 0, 0));
}

void FillSizeCombo(ui::Window dialog) {
  ui::ListClear(dialog, kSizeCombo);
  for (const char* size : {"08", "09", "10", "11", "12"}) ui::ListAdd(dialog, kSizeCombo, size);
}

// Offers the fields of the listable types in the field combo and makes room for as many
// columns as the field-definition file defines; a file that cannot be read defines none.
void FillFieldCombo(ui::Window dialog, bool withPhonetic) {
  ui::ListClear(dialog, kFieldCombo);
  size_t count = 0;
  ForEachFieldDefinition(LinkedFieldDefinitionPath(), [&](const Z04Record& record) {
    // Entries are counted in 16 bits.
    if (count == INT16_MAX) return;
    ++count;
    const int16_t type = record.fieldType;
    if (type < (withPhonetic ? 0 : 1) || type > 9 || type == kFieldMemo) return;
    ui::ListAdd(dialog, kFieldCombo, FieldNameOf(record));
  });
  listFieldNames.assign(count + 1, ListFieldEntry{});
  listFieldCount = 0;
  charsTaken = 0;
}

void OpenListDialog(ui::Window dialog) {
  BuildListDialogMenu(dialog);
  ui::SetCheck(dialog, kUpperCaseBox, listUpperCase == 1);
  ui::SetCheck(dialog, kTotalsBox, listWithTotals == 1);
  listFontSize = 8;
  ui::ListClear(dialog, kChosenList);
  FillSizeCombo(dialog);
  FillFieldCombo(dialog, true);
  ui::SetTextColour(dialog, kAvailableLabel, gfx::Rgb(255, 0, 0));
}

void PickSize(ui::Window dialog) {
  const int line = ui::ListSelection(dialog, kSizeCombo);
  if (line < 0) return;
  const long double size = numbers::NumericValueOfText(ui::ListText(dialog, kSizeCombo, line));
  const int16_t chars = CharsPerLineBySize(size);
  if (chars == 0) return;
  ui::SetText(dialog, kLineLengthLabel, kLineLengthText + std::to_string(chars));
  listLineLength = chars;
  listCharsAvailable = numbers::NarrowToInt32(chars - charsTaken);
  listFontSize = static_cast<int16_t>(size);
  ShowCharsAvailable(dialog, listCharsAvailable);
  FixSizeOnceFieldsAreApplied(dialog);
}

void PreviewWidth(ui::Window dialog) {
  if (ui::ListSelection(dialog, kFieldCombo) < 0) return;
  const long double width = numbers::NumericValueOfText(ui::Text(dialog, kWidthField));
  ShowCharsAvailable(dialog, listCharsAvailable - width - 1);
}

void ApplyField(ui::Window dialog) {
  const long double width = numbers::NumericValueOfText(ui::Text(dialog, kWidthField));
  if (!(width > 0) || numbers::RoundHalfEven(width) > kWidestColumn) {
    Tell(dialog, kNoWidth);
    return;
  }
  ShowCharsAvailable(dialog, listCharsAvailable - width - 1);
  const int line = ui::ListSelection(dialog, kFieldCombo);
  if (line < 0) {
    Tell(dialog, kNoField);
    return;
  }
  const std::string name = ui::ListText(dialog, kFieldCombo, line);
  ++listFieldCount;
  if (listFieldNames.size() <= static_cast<size_t>(listFieldCount))
    listFieldNames.resize(listFieldCount + 1);
  ListFieldEntry& entry = listFieldNames[listFieldCount];
  SetFixedField(entry.fieldName, name);
  entry.reservedWidth = numbers::ToInt16(width);
  const int32_t before = listCharsAvailable;
  listCharsAvailable = numbers::ToInt32(listCharsAvailable - width - 1);
  charsTaken += static_cast<int64_t>(before) - listCharsAvailable;

  ui::ListDelete(dialog, kFieldCombo, line);
  ui::ListSelect(dialog, kFieldCombo, -1);
  char number[8];
  std::snprintf(number, sizeof number, "%02d", static_cast<int>(listFieldCount));
  ui::ListAdd(dialog, kChosenList,
              number + (" - " + name) + " reservados " + std::to_string(entry.reservedWidth));
  ui::SetText(dialog, kWidthField, "");
  FixSizeOnceFieldsAreApplied(dialog);
}

void ResetChoices(ui::Window dialog) {
  ui::Enable(dialog, kSizeCombo, true);
  FillSizeCombo(dialog);
  FillFieldCombo(dialog, false);
  ui::SetText(dialog, kWidthField, "");
  ui::ListClear(dialog, kChosenList);
  ShowCharsAvailable(dialog, 0);
  ui::SetText(dialog, kLineLengthLabel, std::string(kLineLengthText) + "0");
  listCharsAvailable = 0;
  listLineLength = 0;
}

void CreateList(ui::Window dialog) {
  for (int id : {kAplicar, kSalir, kCrear, kUpperCaseBox}) ui::Enable(dialog, id, false);
  if (foundCount > 0) {
    listBeingCreated = true;
    RecordListHooks hooks;
    hooks.message = [dialog](std::string_view text) { Tell(dialog, text); };
    hooks.progress = [dialog](int64_t i, int64_t n) { ShowSearchProgress(dialog, i, n); };
    hooks.open = [dialog](std::string_view path) {
      OpenWrittenFile(dialog, path, recordListOpener);
    };
    const RecordListOutcome outcome = WriteRecordListRtf(hooks);
    listBeingCreated = false;
    ui::SetCaption(dialog, kCaption);
    if (outcome.error != 0) Tell(dialog, files::ErrorText(outcome.error));
  } else {
    Tell(dialog, kNoSearch);
  }
  for (int id : {kAplicar, kSalir, kCrear, kUpperCaseBox}) ui::Enable(dialog, id, true);
}

void OnCommand(ui::Window dialog, int id, intptr_t code) {
  switch (id) {
    case kSizeCombo:
      if (code == ui::kSelChange) PickSize(dialog);
      break;
    case kWidthField:
      PreviewWidth(dialog);
      break;
    case kUpperCaseBox:
      listUpperCase = ui::Checked(dialog, kUpperCaseBox) ? 1 : 0;
      break;
    case kTotalsBox:
      listWithTotals = ui::Checked(dialog, kTotalsBox) ? 1 : 0;
      break;
    case kResetear:
      ResetChoices(dialog);
      break;
    case kAplicar:
      if (IsPressCode(code)) ApplyField(dialog);
      break;
    case kCrear:
      if (IsPressCode(code)) CreateList(dialog);
      break;
    case kSalir:
      if (IsPressCode(code)) ui::EndDialog(dialog, 0);
      break;
    default:
      break;
  }
}

}  // namespace

int ShowRecordListDialog(ui::Window parent) {
  if (foundCount <= 0) {
    Tell(nullptr, kNoSearch);
    return 0;
  }
  ui::DialogTemplate t;
  t.caption = kCaption;
  t.x = 70;
  t.y = 58;
  t.w = 400;
  t.h = 300;
  t.units = ui::Units::Dialog;
  t.controls = {
      {ui::Kind::Label, kSizeNote,
       "Elige tama\xF1o fuente de tu editor (ej: bloc de notas) cuando vayas a imprimir", 5, 5, 390,
       10},
      {ui::Kind::ComboBox, kSizeCombo, "", 5, 20, 100, 60, ui::kSorted},
      {ui::Kind::Label, kLineLengthLabel, std::string(kLineLengthText) + "##", 110, 20, 285, 10},
      {ui::Kind::Label, 5004, "Elige en orden de izquierda a derecha los campos", 5, 40, 390, 15},
      {ui::Kind::ComboBox, kFieldCombo, "", 5, 55, 130, 80, ui::kSorted},
      {ui::Kind::Label, 5006,
       "Indique cuantos caracteres reserva para este campo en la impresion del folio", 5, 70, 390,
       15},
      {ui::Kind::Edit, kWidthField, "", 5, 85, 100, 20, ui::kSunken},
      {ui::Kind::Button, kAplicar, "Aplicar", 5, 135, 50, 15},
      {ui::Kind::Label, kApplyNote, "Bot\xF3n aplicar para que surta efecto ...", 5, 115, 270, 15},
      {ui::Kind::ListBox, kChosenList, "", 5, 175, 260, 80, ui::kSorted | ui::kVScroll},
      {ui::Kind::Label, kChosenListNote,
       "Lista de campos seleccionados en orden con tama\xF1os reservados", 5, 155, 405, 15},
      {ui::Kind::Label, kAvailableLabel, "", 110, 85, 285, 20},
      {ui::Kind::Button, kSalir, "Salir", 5, 265, 50, 15},
      {ui::Kind::Button, kCrear, "Crear", 336, 265, 55, 15},
      {ui::Kind::CheckBox, kUpperCaseBox, "Lista en May\xFAsculas", 5, 245, 120, 15},
      {ui::Kind::CheckBox, kTotalsBox, "Sumatorio", 130, 245, 120, 15},
  };
  return ui::RunModal(t, parent, RecordListDialogProc);
}

void BuildListDialogMenu(ui::Window dialog) {
  ui::SetMenuBar(dialog, {{"Men\xFA", {{"Resetear", kResetear}}}});
}

intptr_t RecordListDialogProc(ui::Window window, ui::Msg msg, intptr_t first, intptr_t second) {
  switch (msg) {
    case ui::Msg::Init:
      OpenListDialog(window);
      break;
    case ui::Msg::Activate:
    case ui::Msg::Deactivate:
      KeepFocusAcrossActivation(window, msg, listDialogFocus);
      break;
    case ui::Msg::Close:
      // Esc and the close box wait for a list being written.
      return listBeingCreated ? 1 : 0;
    case ui::Msg::Command:
      OnCommand(window, static_cast<int>(first & 0xFFFF), second);
      break;
    default:
      break;
  }
  return 0;
}

void ResetRecordListDialogState() {
  listDialogFocus = nullptr;
  recordListOpener = nullptr;
  listBeingCreated = false;
  charsTaken = 0;
  ResetRecordListState();
}
const EnrolledStart enrolled(ResetRecordListDialogState);
