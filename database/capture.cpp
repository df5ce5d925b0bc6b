#include "database/capture.h"

#include <cerrno>
#include <ctime>
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
int captureStaleLockMs = 10000;

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
constexpr const char* kNotWritten =
    "No se ha podido escribir en la base de datos, no se ha grabado el formulario ...";
constexpr const char* kNumbersTaken =
    "Otros puestos han grabado a la vez registros con los mismos n\xFAmeros, no se ha grabado "
    "el formulario ...";

// Whether a capture of this run has said that it went without the lock.
bool unlockedCaptureTold = false;
StartValues startValues(unlockedCaptureTold, captureLockWaitMs, captureStaleLockMs);

// Said once a run, with the record written: the folder keeps no locks, so a capture given the
// number another desk's got at the same moment is written again under another, and on a network
// folder, whose file system may place two desks' writes at one end, a record may be lost.
std::string UnlockedCaptureWarning() {
  return "La carpeta de la base de datos no admite bloqueos de ficheros ...\r\n" +
         linkedDatabaseFolder +
         "\r\nLas capturas se graban sin bloqueo: una captura que recibe a la vez el mismo "
         "n\xFAmero de registro que otra de otro puesto se graba de nuevo con otro n\xFAmero, y "
         "en una carpeta de red puede perderse un registro capturado en el mismo momento desde "
         "otro puesto ...";
}

// The desk named in a lock file, and since when (`when` leads the date) where it says.
std::string HolderText(const files::LockHolder& holder, const char* when) {
  std::string text = holder.machine.empty() ? std::string("otro puesto")
                                            : "el puesto " + holder.machine + " (proceso " +
                                                  std::to_string(holder.process) + ")";
  const std::time_t since = static_cast<std::time_t>(holder.since);
  const std::tm* local = holder.since > 0 ? std::localtime(&since) : nullptr;
  char date[32] = {};
  if (local && std::strftime(date, sizeof date, "%d/%m/%Y a las %H:%M:%S", local) > 0)
    text += std::string(" ") + when + " " + date;
  return text;
}

// Said when the write failed after the whole record was in the file: a capture made again would
// store it twice.
std::string MaybeWrittenWarning(int64_t record) {
  return "El registro " + std::to_string(record) +
         " puede haberse grabado con ese n\xFAmero: compruebe sus datos antes de capturar de "
         "nuevo ...";
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

  // The report is made before the cells are written, with room for what it may add: nothing
  // after the write can fail.
  std::string written, notice;
  const RecordAppend append = AppendNewRecord(
      LinkedValuePath(), captureLockWaitMs, captureStaleLockMs,
      [&](int64_t record) {
        written =
            "El formulario ha sido grabado ...\r\nN\xFAmero de Registro " + std::to_string(record);
        if (!unlockedCaptureTold) notice = "\r\n\r\n" + UnlockedCaptureWarning();
        written.reserve(written.size() + notice.size());
        return RecordCells(fields, values, record);
      },
      [] { StepValueScan(); });
  if (append.lockRefused) {
    result.message = append.error == EWOULDBLOCK
                         ? std::string(kBusy)
                         : kNotLocked + std::string("\r\n") + files::ErrorText(append.error);
    if (append.holder)
      result.message += "\r\nLa ocupa " + HolderText(*append.holder, "desde el") + " ...";
  } else if (append.wholeLeft) {
    result.message = files::ErrorText(append.error) + "\r\n" + MaybeWrittenWarning(append.record);
  } else if (append.error != 0) {
    result.message = kNotWritten + std::string("\r\n") + files::ErrorText(append.error);
    if (append.partLeft) result.message += std::string("\r\n") + kPartLeft;
  } else if (append.numbersTaken) {
    result.message = kNumbersTaken;
  } else {
    result.written = true;
    result.recordNumber = append.record;
    if (append.unlocked && !unlockedCaptureTold) written += notice;
    result.message = std::move(written);
    if (append.unlocked) unlockedCaptureTold = true;
  }
  // Said whatever became of the capture; left out where memory runs out after the write.
  if (append.leftBy) {
    try {
      result.message += "\r\n\r\nSe ha retirado el bloqueo de la base de datos que dej\xF3 " +
                        HolderText(*append.leftBy, "el") + " ...";
    } catch (const std::bad_alloc&) {
    }
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
