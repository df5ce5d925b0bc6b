// The entry and exit of both programs: the document-type association, the main window with
// its canvas and menu bar, and the settings saved at the end, each in the running program's
// variant.
#pragma once
#include <string>
#include <string_view>

#include "platform/ui/ui.h"
#include "program/program_variant.h"

extern ui::Window mainDialog;    // the main window
extern std::string commandLine;  // the document named when the program was started

// The program `program`: returns its exit code (0, or 1 when no display can be opened).
int WinMain(int argc, char** argv, const ProgramVariant& program);

// Creates the running program's main window, with its menu, procedure and canvas procedure,
// and runs it until it closes; returns its end code.
int CreateMainWindow(ui::Window parent, int unused);

// The open command registered for an extension (".qorvex"), or "".
std::string GetAssociatedOpenCommand(std::string_view extensionWithDot);
// Registers the extension (without its dot) for this program, under its own desktop entry.
// Refuses an extension holding a dot with a message.
bool RegisterDocumentFileType(std::string_view extensionWithoutDot, int iconNumber);
// Asks whether to register ".qorvex" when no program opens it yet, and registers on Yes.
void OfferFileTypeRegistration();
// Every doubled backslash made single, except a leading "\\" (a network path keeps it).
std::string CollapseDoubleBackslashes(std::string_view text);

// Forgets the main window and the command line, as before the run.
void ResetStartupState();
