#include "tests/support/program_state.h"

#include "database/date_arithmetic.h"
#include "database/dialogs/database_commands.h"
#include "database/dialogs/link_dialog.h"
#include "database/dialogs/record_browser.h"
#include "database/dialogs/record_browsing.h"
#include "database/linked_database.h"
#include "database/value_scan.h"
#include "dialogs/about_box.h"
#include "dialogs/captured_colour_dialog.h"
#include "dialogs/dialog_skeleton.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/fill_text_properties.h"
#include "dialogs/picked_colours.h"
#include "dialogs/print_dialogs.h"
#include "objects/admin_controls_dialog.h"
#include "objects/aligned_text_dialog.h"
#include "objects/arrow_dialog.h"
#include "objects/colours.h"
#include "objects/configuration.h"
#include "objects/corner_marks_dialog.h"
#include "objects/favourite_colours_dialog.h"
#include "objects/holidays.h"
#include "objects/image_size.h"
#include "objects/insert_text.h"
#include "objects/line_text_file.h"
#include "objects/maths_keyboard.h"
#include "objects/maths_keyboard_dialog.h"
#include "objects/month_calendar_dialog.h"
#include "objects/shape_dialog.h"
#include "objects/text_properties.h"
#include "page/admin_controls.h"
#include "page/document_file.h"
#include "page/images.h"
#include "page/month_calendar.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "program/canvas.h"
#include "program/page_output.h"
#include "program/startup.h"
#include "search/dialogs/record_list_dialog.h"
#include "search/dialogs/search_dialog.h"
#include "search/record_list_file.h"
#include "search/search_engine.h"
#include "shell/main_window.h"
#include "shell/object_properties.h"
#include "tests/support/test_env.h"
#include "velprint/main_window.h"

void ResetProgramState() {
  ui::testing::Begin();
  // The files beside the program (settings, presets, colours, holidays) start absent.
  files::OverrideDataFolder(testenv::NewFolder("program"));

  // The page library.
  ResetPageStoreState();
  ResetDocumentFileState();
  ResetSettingsState();
  ResetPainterState();
  ResetImagesState();
  ResetMonthCalendarState();
  ResetAdminControlsState();

  // The object dialogs.
  ResetDialogSkeletonState();
  ResetTextPropertiesState();
  ResetFillTextPropertiesState();
  ResetColoursState();
  ResetPickedColoursState();
  ResetCapturedColourDialogState();
  ResetFavouriteColoursDialogState();
  ResetConfigurationState();
  ResetImageSizeState();
  ResetMonthCalendarDialogState();
  ResetHolidaysState();
  ResetAlignedTextDialogState();
  ResetShapeDialogState();
  ResetArrowDialogState();
  ResetAdminControlDialogState();
  ResetSymbolKeysState();
  ResetSymbolKeyboardState();
  ResetCornerMarkDialogState();
  ResetInsertTextState();
  ResetLineTextFileState();
  ResetFileDialogsState();
  ResetPrintDialogsState();
  ResetAboutBoxState();

  // The database and the search.
  ResetDatabaseReaders();
  ResetValueScans();
  ResetTodaysDate();
  ResetRecordBrowsing();
  ResetDatabaseBrowser();
  linkDialogOpen = 0;
  ResetDatabaseCommandsState();
  ResetSearchState();
  ResetSearchDialogState();
  ResetRecordListState();
  ResetRecordListDialogState();

  // The window both programs run, the designer's by default, and each program's own.
  ResetStartupState();
  ResetCanvasState();
  ResetPageOutputState();
  runningProgram = &kDesignerProgram;
  ResetMainWindowState();
  ResetObjectPropertiesState();
  ResetVelprintState();
}
