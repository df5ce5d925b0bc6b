// The command ids of the menus: what a menu item, the main window's dispatch, the object
// properties and the tests call each command. The form-filling program uses the same ids for
// the commands it shares; 1090 is "Leer Documento Antiguo" there.
#pragma once

enum CommandId : int {
  kCommandNew = 1046,                   // "Nuevo"
  kCommandExit = 1047,                  // "Salir"
  kCommandAbout = 1048,                 // "Autor"
  kCommandTextProperties = 1049,        // "Propiedades Texto"
  kCommandInsertImage = 1050,           // "Insertar Imagen"
  kCommandLeftNone = 1051,              // the left button does nothing; no menu item
  kCommandLeftMove = 1052,              // "Mover objetos"
  kCommandRightFavourites = 1053,       // "Mis Colores Favoritos"
  kCommandRightCaptureColour = 1054,    // "Captar Color"
  kCommandUndo = 1057,                  // "Deshacer"
  kCommandConfiguration = 1058,         // "Configuracion"
  kCommandImageSize = 1059,             // "Tamaño imagenes"
  kCommandHolidays = 1060,              // the holidays list; no menu item
  kCommandInsertMonthCalendar = 1061,   // no menu item
  kCommandRulerMm = 1062,               // "Regla Milimetros"; the rulers and papers follow in order
  kCommandPaperMm = 1063,               // "Papel Milimetrado"
  kCommandPaperSuperMm = 1064,          // "Papel SuperMilimetrado"
  kCommandRulerPx = 1065,               // "Regla Pixeles"
  kCommandPaperSquared = 1066,          // "Papel Cuadriculado"
  kCommandPaperSuperSquared = 1067,     // "Papel SuperCuadriculado"
  kCommandInsertAlignedText = 1068,     // "Insertar Texto Alineado"
  kCommandInsertAngledText = 1069,      // "Insertar Linea de Texto Angular"
  kCommandInsertShape = 1070,           // "Insertar Cuadrados o Circulos"
  kCommandExportImage = 1071,           // "Grabar Imagen"
  kCommandInsertArrow = 1072,           // no menu item
  kCommandAxes = 1073,                  // "Ejes"
  kCommandLeftEdit = 1074,              // "Editar objetos"
  kCommandInsertAdminControl = 1075,    // "Insertar Control Administrativo"
  kCommandOpenDocument = 1076,          // "Leer Documento"
  kCommandSaveDocument = 1077,          // "Grabar Documento"
  kCommandObjectProperties = 1078,      // "Propiedades objetos"
  kCommandResetFills = 1079,            // "Resetear Rellenos"
  kCommandPrint = 1080,                 // "Imprimir"
  kCommandInsertLineTextLeft = 1082,    // "Insertar Texto Lineado", "Izquierda"
  kCommandInsertLineTextRight = 1083,   // "Derecha"
  kCommandInsertLineTextCentre = 1084,  // "Centro"
  kCommandClearCopies = 1085,           // "Borrar copias objetos"
  kCommandPasteCopies = 1086,           // "Pegar objetos copiados"
  kCommandInsertMathsCharacter = 1087,  // "Insertar Caracteres Matemáticos"
  kCommandInsertCornerMarks = 1088,     // "Insertar Esquinas Administrativo"
  kCommandPaperFormat = 1089,           // "Formato Papel"
  kCommandLinkDatabase = 1090,          // "Vincular"
  kCommandOpenOldDocument = 1090,       // "Leer Documento Antiguo", the form-filling program's
  kCommandRecordBrowser = 1091,         // "Navegador"; 1091 to 1094 need a linked database
  kCommandCaptureRecord = 1092,         // "Capturar datos"
  kCommandSearch = 1093,                // "Buscar .."
  kCommandListRecords = 1094,           // "Listar"
  kCommandInsertMemoText = 1095,        // "Insertar Control Memotext"
};
