#include "database/capture.h"

#include <cerrno>
#include <new>
#include <string_view>
#include <utility>

#include "database/linked_database.h"
#include "database/value_append.h"
#include "database/value_scan.h"
#include "page/page_store.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "page/start_values.h"
#include "platform/files/files.h"

int captureLockWaitMs = 3000;

namespace {

constexpr const char* kNotLinked = "No hay una base de datos vinculada correctamente ...";
constexpr const char* kNothingToArchive = "No hay datos rellenos que archivar ...";
constexpr const char* kBusy =
    "La base de datos esta ocupada por otro programa, no se ha grabado el formulario ...";
constexpr const char* kPartLeft =
    "El fichero de valores puede terminar ahora en un registro incompleto ...";
constexpr const char* kOutOfMemory =
    "No hay memoria suficiente, no se ha grabado el formulario ...";
constexpr const char* kNotLocked =
    "No se ha podido bloquear la base de datos, no se ha grabado el formulario ...";

// Whether a capture of this run has said that it went without the lock.
bool unlockedCaptureTold = false;
StartValues startValues(unlockedCaptureTold, captureLockWaitMs);

// Said once a run, with the record written: the folder keeps no locks, so the number just given
// may be given again by another desk capturing at the same time, and on a network folder,
// whose file system may place two desks' writes at one end, a record may be lost.
std::string UnlockedCaptureWarning() {
  return "La carpeta de la base de datos no admite bloqueos de ficheros ...\r\n" +
         linkedDatabaseFolder +
         "\r\nLas capturas se graban sin bloqueo: dos puestos que capturen a la vez pueden "
         "recibir el mismo n\xFAmero de registro, y en una carpeta de red puede perderse un "
         "registro capturado en el mismo momento desde otro puesto ...";
}

// Said when a record written without the lock was not found where it landed as it was written.
std::string MixedRecordWarning(int64_t record) {
  return "El registro " + std::to_string(record) +
         " puede haberse mezclado con otro grabado a la vez desde otro puesto: compruebe sus "
         "datos ...";
}

// The cells of a record: the values in field order, one cell a character.
std::string RecordCells(const std::vector<FieldDefinition>& fields,
                        const std::vector<CapturedValue>& values, int64_t record) {
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
  return cells;
}

CapturePlan PlanCapture() {
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

ArchiveResult ArchiveRecord(const std::vector<CapturedValue>& values) {
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
  if (RecordCells(fields, values, 0).empty()) {
    result.message = kNothingToArchive;
    return result;
  }

  // The reports are made before the cells are written, with room for what they may add:
  // nothing after the write can fail.
  std::string written, mixed, notice;
  const RecordAppend append = AppendNewRecord(
      LinkedValuePath(), captureLockWaitMs,
      [&](int64_t record) {
        written =
            "El formulario ha sido grabado ...\r\nN\xFAmero de Registro " + std::to_string(record);
        mixed = "\r\n\r\n" + MixedRecordWarning(record);
        if (!unlockedCaptureTold) notice = "\r\n\r\n" + UnlockedCaptureWarning();
        written.reserve(written.size() + mixed.size() + notice.size());
        return RecordCells(fields, values, record);
      },
      [] { StepValueScan(); });
  if (append.lockRefused) {
    result.message = append.error == EWOULDBLOCK
                         ? std::string(kBusy)
                         : kNotLocked + std::string("\r\n") + files::ErrorText(append.error);
  } else if (append.error != 0) {
    result.message = files::ErrorText(append.error);
    if (append.partLeft) result.message += std::string("\r\n") + kPartLeft;
  } else {
    result.written = true;
    result.recordNumber = append.record;
    if (append.mixed) written += mixed;
    if (append.unlocked && !unlockedCaptureTold) written += notice;
    result.message = std::move(written);
    if (append.unlocked) unlockedCaptureTold = true;
  }
  return result;
}

}  // namespace

CapturePlan PrepareCapture() {
  try {
    return PlanCapture();
  } catch (const std::bad_alloc&) {
    CapturePlan refused;
    refused.message = kOutOfMemory;
    return refused;
  }
}

ArchiveResult ArchiveCapturedForm(const std::vector<CapturedValue>& values) {
  try {
    return ArchiveRecord(values);
  } catch (const std::bad_alloc&) {
    ArchiveResult refused;
    refused.message = kOutOfMemory;
    return refused;
  }
}
