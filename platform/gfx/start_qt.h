// What the platform layer's program starts share, with the graphic layer's and the user
// interface's application.
#pragma once
#include <QtGlobal>

namespace gfx {

// The program's name from argv[0]; without a display named, it says so on standard error under
// that name and returns false. Otherwise `make` builds the application while a fatal message
// from Qt is reported (ReportStartFailure), and it returns true.
bool StartApplicationWith(int& argc, char** argv, void (*make)(int& argc, char** argv));

// Installed while the application starts: a fatal message from Qt (no display to open) is
// told on standard error and ends the program with code 1; other messages go on as before.
void ReportStartFailure(QtMsgType type, const QMessageLogContext& context, const QString& message);

}  // namespace gfx
