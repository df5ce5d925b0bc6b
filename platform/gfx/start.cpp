#include "platform/gfx/start.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gfx/start_qt.h"

namespace gfx {

namespace {
QtMessageHandler handlerBeforeStart = nullptr;
// The program's own name, so that each program says which one could not start.
std::string programName = "Veluna";
}  // namespace

void ReportStartFailure(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    if (handlerBeforeStart) handlerBeforeStart(type, context, message);
    return;
  }
  // Qt would abort with a core dump; the program ends as it does without any display.
  std::fprintf(stderr, "%s: no se puede abrir la pantalla\n%s\n", programName.c_str(),
               message.toLocal8Bit().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

bool StartApplicationWith(int& argc, char** argv, void (*make)(int& argc, char** argv)) {
  if (argc > 0 && argv[0] && argv[0][0]) {
    programName = argv[0];
    if (const size_t slash = programName.rfind('/'); slash != std::string::npos)
      programName.erase(0, slash + 1);
  }
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
    std::fprintf(stderr, "%s: no se puede abrir la pantalla (no display)\n", programName.c_str());
    return false;
  }
  handlerBeforeStart = qInstallMessageHandler(ReportStartFailure);
  make(argc, argv);
  qInstallMessageHandler(handlerBeforeStart);
  return true;
}

bool StartGraphics(int& argc, char** argv) {
  if (QCoreApplication::instance()) return true;
  // The application lives as long as the process.
  return StartApplicationWith(argc, argv, [](int& count, char** values) {
    new QGuiApplication(count, values);
  });
}

}  // namespace gfx
