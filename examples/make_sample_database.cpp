// Writes the sample databases of examples/ anew: "Inscripciones", the fields of the sample
// registration form (every one can be captured), and "Socios", a club's members with a field
// of every field type. Each is a folder holding <name>.z04 and <name>.zbd. Built by the target
// `sample_database`; the files it writes are kept in the repository.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "database/database_files.h"
#include "platform/files/files.h"

namespace {

struct Field {
  const char* name;
  int16_t type;
  int16_t maxLength;
  const char* list = "";
};

bool WriteDatabase(const std::string& examples, const std::string& name,
                   const std::vector<Field>& fields,
                   const std::vector<std::vector<std::string>>& records) {
  const std::string folder = examples + "/" + name + "/";
  std::string definitions, cells;
  for (const Field& f : fields) {
    // Record kind 1 marks a field definition.
    definitions += EncodeFieldDefinition({1, f.name, f.type, f.maxLength, 0, f.list});
  }
  for (size_t r = 0; r < records.size(); ++r) {
    for (size_t i = 0; i < fields.size(); ++i) {
      const std::string& value = records[r][i];
      for (size_t k = 0; k < value.size(); ++k)
        cells += EncodeValueCell(static_cast<uint8_t>(value[k]), 1, fields[i].name, fields[i].type,
                                 fields[i].maxLength, 0, static_cast<int64_t>(r + 1),
                                 k + 1 == value.size() ? 1 : 0);
    }
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  return files::WriteAllAtomically(folder + name + ".z04", definitions) == 0 &&
         files::WriteAllAtomically(folder + name + ".zbd", cells) == 0;
}

// The sample form's boxes: name, surnames, identity number, postcode, address, the two option
// cells and the remarks.
bool WriteInscripciones(const std::string& examples) {
  const std::vector<Field> fields = {
      {"Nombre", kFieldText, 30},        {"Apellidos", kFieldText, 40},
      {"DNI", kFieldText, 9},            {"CodigoPostal", kFieldNumber, 5},
      {"Domicilio", kFieldText, 60},     {"Hombre", kFieldYesNo, 1},
      {"Mujer", kFieldYesNo, 1},         {"Observaciones", kFieldText, 80},
  };
  const std::vector<std::vector<std::string>> records = {
      {"Ana", "P\xE9rez Garc\xED" "a", "12345678Z", "28001", "Calle Mayor 1", "0", "1",
         "Primera inscripci\xF3n"},
      {"Jos\xE9", "Mart\xEDnez Ruiz", "23456789D", "41002", "Avenida de la Constituci\xF3n 12", "1",
         "0", ""},
      {"Mar\xED" "a", "N\xFA\xF1" "ez L\xF3pez", "34567890V", "08003", "Paseo de Gracia 45", "0",
         "1", "Pendiente de foto"},
      {"Luis", "G\xF3mez Torres", "45678901G", "46004", "Plaza del Ayuntamiento 3", "1", "0", ""},
      {"Carmen", "Fern\xE1ndez D\xED" "az", "56789012B", "48005", "Gran V\xED" "a 18", "0", "1",
         "Trae certificado"},
      {"Javier", "S\xE1nchez Moreno", "67890123A", "50006", "Calle Alfonso I 7", "1", "0", ""},
      {"Luc\xED" "a", "Romero Alonso", "78901234R", "29007", "Calle Larios 22", "0", "1", ""},
      {"Pedro", "Navarro Gil", "89012345F", "15008", "R\xFA" "a do Vilar 9", "1", "0", "Renueva"},
      {"Elena", "Ortega Castro", "90123456X", "37009", "Plaza Mayor 10", "0", "1", ""},
      {"Miguel", "Rubio Serrano", "01234567L", "30010", "Calle Trapera\xED" "a 5", "1", "0",
         "Baja temporal"},
      {"Sof\xED" "a", "Molina Ortiz", "11223344B", "18011", "Calle Reyes Cat\xF3licos 30", "0", "1",
         ""},
      {"Ra\xFAl", "Delgado Vega", "22334455Y", "33012", "Calle Ur\xED" "a 14", "1", "0",
         "Pago pendiente"},
  };
  return WriteDatabase(examples, "Inscripciones", fields, records);
}

// A field of every type: phonetic, the two numbers (thousands "." and decimal "'"), text,
// yes/no, memo, the two text-like ones, a date dd/mm/yyyy and a list choice stored as 99 + n.
bool WriteSocios(const std::string& examples) {
  const std::vector<Field> fields = {
      {"Nombre", kFieldText, 30},
      {"Apellidos", kFieldText, 40},
      {"Fonetica", kFieldPhonetic, 40},
      {"Cuota", kFieldNumber, 12},
      {"Hijos", kFieldNumberOther, 2},
      {"Socio", kFieldYesNo, 1},
      {"Notas", kFieldMemo, 1000},
      {"Telefono", kFieldTextOther, 15},
      {"Email", kFieldTextThird, 50},
      {"Alta", kFieldDate, 10},
      {"Provincia", kFieldListChoice, 3, "Madrid|Barcelona|Sevilla|Valencia|Bilbao|Zaragoza"},
  };
  const std::vector<std::vector<std::string>> records = {
      {"Ana", "P\xE9rez Garc\xED" "a", "'ana", "1.250'50", "2", "1", "Socia fundadora.",
         "912345678", "ana@ejemplo.es", "15/03/1980", "100"},
      {"Jos\xE9", "Mart\xEDnez Ruiz", "xo'se", "980'00", "0", "1", "", "954123456",
         "jose@ejemplo.es", "01/02/1995", "102"},
      {"Mar\xED" "a", "N\xFA\xF1" "ez L\xF3pez", "ma'ria", "1.100'25", "3", "0",
         "Pidi\xF3 la baja en 2020.", "933456789", "", "29/02/2000", "101"},
      {"Luis", "G\xF3mez Torres", "'luis", "750'00", "1", "1", "", "963987654", "luis@ejemplo.es",
         "31/12/1999", "103"},
      {"Carmen", "Fern\xE1ndez D\xED" "az", "'karmen", "2.000'00", "4", "1", "Junta directiva.",
         "944111222", "carmen@ejemplo.es", "10/05/2023", "104"},
      {"Javier", "S\xE1nchez Moreno", "xa'bjer", "500'75", "0", "0", "", "976333444", "",
         "20/04/2024", "105"},
      {"Luc\xED" "a", "Romero Alonso", "lu'\xDFia", "1.500'00", "2", "1",
         "Colabora en las fiestas.", "915556677", "lucia@ejemplo.es", "07/07/1977", "100"},
      {"Pedro", "Navarro Gil", "'pedro", "640'10", "1", "1", "", "934445566", "pedro@ejemplo.es",
         "31/01/2010", "101"},
      {"Elena", "Ortega Castro", "e'lena", "820'00", "0", "1", "", "952223344", "", "30/11/2015",
         "102"},
      {"Miguel", "Rubio Serrano", "mi'gel", "1.010'00", "2", "0", "Cuota reducida.", "968112233",
         "miguel@ejemplo.es", "01/01/2001", "103"},
      {"Sof\xED" "a", "Molina Ortiz", "so'fia", "905'60", "1", "1", "", "958667788",
         "sofia@ejemplo.es", "14/02/2018", "104"},
      {"Ra\xFAl", "Delgado Vega", "ra'ul", "730'00", "3", "1", "Nuevo socio.", "985990011",
         "raul@ejemplo.es", "05/06/2022", "105"},
  };
  return WriteDatabase(examples, "Socios", fields, records);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_sample_database <examples folder>\n");
    return 2;
  }
  return WriteInscripciones(argv[1]) && WriteSocios(argv[1]) ? 0 : 1;
}
