#include "database/capture.h"

#include <string_view>

#include "database/linked_database.h"
#include "objects/shared_helpers.h"
#include "platform/files/files.h"
#include "shell/page_store.h"
#include "shell/settings.h"

namespace {

constexpr const char* kNotLinked = "No hay una base de datos vinculada correctamente ...";
constexpr const char* kNothingToArchive = "No hay datos rellenos que archivar ...";

}  // namespace

CapturePlan PrepareCapture() {
  CapturePlan plan;
  if (linkedDatabaseFolder.empty() || !files::FileExists(LinkedFieldDefinitionPath())) {
    plan.message = kNotLinked;
    return plan;
  }
  const std::vector<FieldDefinition> fields = ReadFieldDefinitions(LinkedFieldDefinitionPath());
  std::string report;
  for (int slot = 2; slot <= objectCount && slot < kStoreSlots; ++slot) {
    const PageObject& o = pageObjects[slot];
    if (o.kind <= kEmptySlot) continue;
    const std::string name(FixedFieldText(o.databaseField));
    if (!HasCapturableDefinition(fields, name)) continue;
    if (o.kind == kAdminOptionCell) {
      plan.values.push_back({name, std::to_string(o.optionMarked)});
      report += name + ": " + (o.optionMarked == 1 ? "si" : "no") + "\r\n";
    } else {
      plan.values.push_back({name, std::string(FixedFieldText(o.fillText))});
      report += name + ": " + plan.values.back().value + "\r\n";
    }
  }
  if (objectCount >= 2 && !plan.values.empty() && plan.values.size() == fields.size()) {
    plan.ask = true;
    plan.message = "Estos son los datos capturados ...\r\n" + report +
                   "\r\nDesea archivar en la base de datos ...\r\n" + linkedDatabaseFolder + "\r\n";
  } else {
    plan.values.clear();
    plan.message =
        "Tienes que crear o leer un documento ...\r\n"
        "Tienes que adjudicar un documento a una base de datos ...\r\n"
        "El n\xFAmero de objetos rellenos tiene que ser igual al n\xFAmero de campos de la Base "
        "de Datos ...\r\n"
        "No se aceptan campos memotext en esta opci\xF3n ...";
  }
  return plan;
}

ArchiveResult ArchiveCapturedForm(const std::vector<CapturedValue>& values) {
  ArchiveResult result;
  const std::vector<FieldDefinition> fields = ReadFieldDefinitions(LinkedFieldDefinitionPath());
  std::string tooLong;
  for (const FieldDefinition& field : fields) {
    for (const CapturedValue& v : values) {
      if (v.fieldName != field.fieldName || static_cast<int64_t>(v.value.size()) <= field.maxLength)
        continue;
      tooLong += v.fieldName + " tiene " + std::to_string(v.value.size()) + " caracteres, limite " +
                 std::to_string(field.maxLength) + "\r\n";
    }
  }
  if (!tooLong.empty()) {
    result.message = tooLong + "Sintiendolo mucho no puedo archivar ...";
    return result;
  }

  const int64_t record = GetLastArchivedRecordNumber() + 1;
  std::string cells;
  for (const FieldDefinition& field : fields) {
    for (const CapturedValue& v : values) {
      if (v.fieldName != field.fieldName) continue;
      for (size_t k = 0; k < v.value.size(); ++k)
        cells += EncodeValueCell(static_cast<uint8_t>(v.value[k]), field.recordKind,
                                 field.fieldName, field.fieldType, field.maxLength, field.spare,
                                 record, k + 1 == v.value.size() ? 1 : 0);
    }
  }
  if (cells.empty()) {
    result.message = kNothingToArchive;
    return result;
  }
  if (const int error = AppendValueCells(LinkedValuePath(), cells); error != 0) {
    result.message = files::ErrorText(error);
    return result;
  }
  result.written = true;
  result.recordNumber = record;
  result.message =
      "El formulario ha sido grabado ...\r\nN\xFAmero de Registro " + std::to_string(record);
  return result;
}
