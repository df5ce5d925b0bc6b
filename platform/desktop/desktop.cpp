// The document association the freedesktop way (a shared-mime-info package, a desktop entry
// and the default application in mimeapps.list), the desktop opener, and the two sounds
// played through the sound server.
#include "platform/desktop/desktop.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/desktop/resources_qt.h"
#include "platform/text/qt_text.h"

namespace desktop {
namespace {

const QString kDefaultGroup = QStringLiteral("Default Applications");

QString Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? QFile::decodeName(value) : QString();
}

// A base folder from the environment; relative values are ignored as the XDG rules say.
QString BaseFolder(const char* variable, const QString& fallbackUnderHome) {
  QString value = Environment(variable);
  if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
  return QDir::cleanPath(QDir::homePath() + "/" + fallbackUnderHome);
}

QString DataHome() { return BaseFolder("XDG_DATA_HOME", ".local/share"); }
QString ConfigHome() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }

QStringList FolderList(const char* variable, const QString& fallback) {
  QString value = Environment(variable);
  if (value.isEmpty()) value = fallback;
  QStringList folders;
  for (const QString& f : value.split(':', Qt::SkipEmptyParts))
    if (QDir::isAbsolutePath(f)) folders << QDir::cleanPath(f);
  return folders;
}

// Data folders, the user's first.
QStringList DataFolders() {
  return QStringList{DataHome()} + FolderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

// Where mimeapps.list files are looked for, in order of precedence.
QStringList MimeAppsFiles() {
  QStringList desktops;
  for (const QString& d : Environment("XDG_CURRENT_DESKTOP").split(':', Qt::SkipEmptyParts))
    desktops << d.toLower();
  QStringList folders{ConfigHome()};
  folders += FolderList("XDG_CONFIG_DIRS", "/etc/xdg");
  for (const QString& d : DataFolders()) folders << d + "/applications";
  QStringList result;
  for (const QString& folder : folders) {
    for (const QString& d : desktops) result << folder + "/" + d + "-mimeapps.list";
    result << folder + "/mimeapps.list";
  }
  return result;
}

// --- Desktop-entry style key files -----------------------------------------------------

QStringList ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
  for (QString& line : lines)
    if (line.endsWith('\r')) line.chop(1);
  return lines;
}

bool IsGroupLine(const QString& line) {
  QString t = line.trimmed();
  return t.startsWith('[') && t.endsWith(']');
}

QString GroupName(const QString& line) {
  QString t = line.trimmed();
  return t.mid(1, t.size() - 2);
}

// Splits "key = value"; false for comments, blanks and group lines.
bool SplitKeyLine(const QString& line, QString& key, QString& value) {
  QString t = line.trimmed();
  if (t.isEmpty() || t.startsWith('#') || IsGroupLine(t)) return false;
  qsizetype eq = t.indexOf('=');
  if (eq <= 0) return false;
  key = t.left(eq).trimmed();
  value = t.mid(eq + 1).trimmed();
  return true;
}

// The raw value of `key` in `group`; nothing when absent.
std::optional<QString> KeyValue(const QStringList& lines, const QString& group,
                                const QString& key) {
  QString current;
  for (const QString& line : lines) {
    if (IsGroupLine(line)) {
      current = GroupName(line);
      continue;
    }
    QString k, v;
    if (current == group && SplitKeyLine(line, k, v) && k == key) return v;
  }
  return std::nullopt;
}

// The string escapes of key files: \s \n \t \r \\.
QString UnescapeValue(const QString& value) {
  QString out;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const QChar c = value[++i];
    switch (c.unicode()) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += QString('\\') + c; break;
    }
  }
  return out;
}

QString EscapeValue(const QString& value) {
  QString out;
  for (QChar c : value) {
    switch (c.unicode()) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c; break;
    }
  }
  return out;
}

// One argument of an Exec line: in double quotes, with the characters the desktop-entry
// rules reserve escaped and a literal percent doubled.
QString QuoteExecArgument(const QString& argument) {
  QString out = "\"";
  for (QChar c : argument) {
    switch (c.unicode()) {
      case '"': case '`': case '$': case '\\': out += QString('\\') + c; break;
      case '%': out += "%%"; break;
      default: out += c; break;
    }
  }
  return out + "\"";
}

bool WriteFile(const QString& path, const QByteArray& data, std::string& error) {
  QFileInfo info(path);
  if (!QDir().mkpath(info.absolutePath())) {
    error = "No se puede crear la carpeta " + text::FromQ(info.absolutePath());
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
    error = "No se puede escribir " + text::FromQ(path) + " : " + text::FromQ(file.errorString());
    return false;
  }
  return true;
}

// --- Association pieces ----------------------------------------------------------------

QByteArray MimePackage(const QString& mimeType, const QString& extension) {
  QByteArray xml;
  QXmlStreamWriter w(&xml);
  w.setAutoFormatting(true);
  w.writeStartDocument();
  w.writeStartElement("mime-info");
  w.writeDefaultNamespace("http://www.freedesktop.org/standards/shared-mime-info");
  w.writeStartElement("mime-type");
  w.writeAttribute("type", mimeType);
  w.writeTextElement("comment", "Documento Veluna (." + extension + ")");
  w.writeEmptyElement("glob");
  w.writeAttribute("pattern", "*." + extension);
  w.writeEndElement();
  w.writeEndElement();
  w.writeEndDocument();
  return xml;
}

QByteArray DesktopEntry(const EntryProgram& program, const QString& programPath,
                        const QString& iconPath, const QString& mimeType) {
  QStringList lines{
      "[Desktop Entry]",
      "Type=Application",
      "Version=1.5",
      "Name=" + EscapeValue(text::ToQ(program.name)),
      "Comment=" + EscapeValue(text::ToQ(program.comment)),
      "Exec=" + EscapeValue(QuoteExecArgument(programPath) + " %f"),
      "Icon=" + EscapeValue(iconPath),
      "Terminal=false",
      "Categories=Office;",
      "MimeType=" + mimeType + ";",
  };
  return (lines.join('\n') + '\n').toUtf8();
}

// The list file with `mimeType` set to `entry` under [Default Applications]; every other line
// stays as it was.
QByteArray MimeAppsWithDefault(const QString& listPath, const QString& mimeType,
                               const QString& entry) {
  QStringList lines = ReadLines(listPath);
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  const QString setting = mimeType + "=" + entry + ";";
  qsizetype groupStart = -1, groupEnd = lines.size();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!IsGroupLine(lines[i])) continue;
    if (groupStart >= 0) {
      groupEnd = i;
      break;
    }
    if (GroupName(lines[i]) == kDefaultGroup) groupStart = i;
  }
  if (groupStart < 0) {
    if (!lines.isEmpty()) lines << "";
    lines << "[" + kDefaultGroup + "]" << setting;
  } else {
    qsizetype insertAt = groupStart + 1;
    bool replaced = false;
    for (qsizetype i = groupStart + 1; i < groupEnd; ++i) {
      QString k, v;
      if (SplitKeyLine(lines[i], k, v)) {
        insertAt = i + 1;
        if (k == mimeType && !replaced) {
          lines[i] = setting;
          replaced = true;
        }
      }
    }
    if (!replaced) lines.insert(insertAt, setting);
  }
  return (lines.join('\n') + '\n').toUtf8();
}

// The desktop's caches are refreshed when their tools are installed; the files alone are
// already enough for this program and for most openers.
void RefreshCaches(const QString& dataHome) {
  const std::pair<const char*, QString> tools[] = {
      {"update-mime-database", dataHome + "/mime"},
      {"update-desktop-database", dataHome + "/applications"},
  };
  for (const auto& [tool, folder] : tools) {
    QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) continue;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(exe, {folder});
    if (process.waitForStarted(5000) && !process.waitForFinished(20000)) process.kill();
  }
}

bool GlobMatches(const QString& pattern, bool caseSensitive, const QString& fileName) {
  Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  static const QRegularExpression wild(QStringLiteral("[*?\\[]"));
  if (pattern.startsWith('*') && !pattern.mid(1).contains(wild))
    return fileName.endsWith(pattern.mid(1), cs);
  auto options = caseSensitive ? QRegularExpression::NoPatternOption
                               : QRegularExpression::CaseInsensitiveOption;
  QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
                            pattern, QRegularExpression::DefaultWildcardConversion),
                        options);
  return re.match(fileName).hasMatch();
}

// The MIME type whose glob matches a file name, from the shared-mime-info packages of the
// data folders (the user's first).
QString MimeTypeOfFileName(const QString& fileName) {
  for (const QString& folder : DataFolders()) {
    QDir packages(folder + "/mime/packages");
    const QStringList names = packages.entryList({"*.xml"}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
      QFile file(packages.filePath(name));
      if (!file.open(QIODevice::ReadOnly)) continue;
      QXmlStreamReader xml(&file);
      QString type;
      while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("mime-type")) {
          type = xml.attributes().value("type").toString();
        } else if (xml.name() == QLatin1String("glob") && !type.isEmpty()) {
          QString pattern = xml.attributes().value("pattern").toString();
          bool cs = xml.attributes().value("case-sensitive") == QLatin1String("true");
          if (!pattern.isEmpty() && GlobMatches(pattern, cs, fileName)) return type;
        }
      }
    }
  }
  return {};
}

QString FindDesktopEntry(const QString& id) {
  if (id.isEmpty() || id.contains('/')) return {};
  for (const QString& folder : DataFolders()) {
    QString path = folder + "/applications/" + id;
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

// The desktop entry file of the default application for a MIME type.
QString DefaultApplicationEntry(const QString& mimeType) {
  for (const QString& list : MimeAppsFiles()) {
    if (!QFileInfo(list).isFile()) continue;
    std::optional<QString> value = KeyValue(ReadLines(list), kDefaultGroup, mimeType);
    if (!value) continue;
    for (const QString& id : value->split(';', Qt::SkipEmptyParts)) {
      QString path = FindDesktopEntry(id.trimmed());
      if (!path.isEmpty()) return path;
    }
  }
  return {};
}

bool IsNameChar(char c, bool first) {
  bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  return letter || (!first && c >= '0' && c <= '9');
}

std::string EnvironmentValue(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? text::FromQ(QString::fromLocal8Bit(value)) : std::string();
}

std::vector<int> soundsRequested;

QString ListFontAliasFile() {
  return ConfigHome() + "/fontconfig/conf.d/50-veluna-" + text::ToQ(kListFontFace).toLower() +
         ".conf";
}

// The opener tests put in place of the desktop's.
QString openerOverride;

// The desktop's opener of files, its arguments before the file; empty where there is no
// desktop to open a file on.
QStringList DesktopOpener() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return {};
  const QString xdgOpen = QStandardPaths::findExecutable("xdg-open");
  if (!xdgOpen.isEmpty()) return {xdgOpen};
  const QString gio = QStandardPaths::findExecutable("gio");
  if (!gio.isEmpty()) return {gio, "open"};
  return {};
}

// The openers started and not yet ended. Neither the list nor its processes are ever
// destroyed by the program: a process destroyed with its object would be killed, and an
// opener may outlive the program (xdg-open without a desktop runs the application itself).
std::vector<QProcess*>& Openers() {
  static auto* const openers = new std::vector<QProcess*>;
  return *openers;
}

// What an opener's end says of the file. xdg-open exits with 1 to 3 when it did not open it
// (a syntax error, the file missing, no method for its type) and gio open with 1 or 2. Its 4
// says only that the action failed, which is also its word when, without a desktop, it ran the
// application itself and that application failed or was closed by being killed; that, a signal
// (the opener, or the application it ran, killed or closed that way) and any other status say
// nothing of whether the file opened.
Opened VerdictOfExit(bool killed, int code) {
  if (killed) return Opened::Unknown;
  if (code == 0) return Opened::Yes;
  return code >= 1 && code <= 3 ? Opened::No : Opened::Unknown;
}

// Starts the opener on the file without waiting for it; once it has ended, or could not
// start, its verdict is read from its exit code and told.
void StartOpener(QStringList command, const QString& file, const OpenerVerdict& told) {
  auto* process = new QProcess;
  process->setProgram(command.takeFirst());
  process->setArguments(command << file);
  // Its messages are the opener's own, in English: the caller tells the user in the program's.
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  Openers().push_back(process);
  const auto end = [process, told](Opened opened) {
    std::vector<QProcess*>& openers = Openers();
    const auto at = std::find(openers.begin(), openers.end(), process);
    if (at == openers.end()) return;  // told once, whichever of its signals ends it
    openers.erase(at);
    // Ended, so it is reaped and its object can go; nothing of it is used after this.
    process->deleteLater();
    if (told) told(opened);
  };
  QObject::connect(process, &QProcess::finished, process,
                   [end](int code, QProcess::ExitStatus status) {
                     end(VerdictOfExit(status == QProcess::CrashExit, code));
                   });
  QObject::connect(process, &QProcess::errorOccurred, process, [end](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) end(Opened::No);
  });
  process->start();
}

}  // namespace

std::string ExpandEnvironment(std::string_view in) {
  std::string out;
  size_t i = 0;
  while (i < in.size()) {
    char c = in[i];
    if (c == '%') {
      size_t close = in.find('%', i + 1);
      if (close != std::string_view::npos && close > i + 1) {
        std::string name(in.substr(i + 1, close - i - 1));
        bool valid = true;
        for (char n : name) valid = valid && (IsNameChar(n, false) || n == '(' || n == ')');
        if (valid) {
          out += EnvironmentValue(name);
          i = close + 1;
          continue;
        }
      }
    } else if (c == '$' && (i == 0 || in[i - 1] != '\\')) {  // "\$" is a literal dollar
      if (i + 1 < in.size() && in[i + 1] == '{') {
        size_t close = in.find('}', i + 2);
        if (close != std::string_view::npos && close > i + 2) {
          std::string name(in.substr(i + 2, close - i - 2));
          bool valid = IsNameChar(name[0], true);
          for (char n : name) valid = valid && IsNameChar(n, false);
          if (valid) {
            out += EnvironmentValue(name);
            i = close + 1;
            continue;
          }
        }
      } else if (i + 1 < in.size() && IsNameChar(in[i + 1], true)) {
        size_t end = i + 1;
        while (end < in.size() && IsNameChar(in[end], false)) ++end;
        out += EnvironmentValue(std::string(in.substr(i + 1, end - i - 1)));
        i = end;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

bool RegisterFileType(std::string_view extensionWithoutDot, std::string_view programPath,
                      int iconNumber, std::string& error, const EntryProgram& entryProgram) {
  error.clear();
  if (extensionWithoutDot.find('.') != std::string_view::npos) {
    error = "Error : Extension se pone sin punto ...";
    return false;
  }
  const QString extension = text::ToQ(extensionWithoutDot).toLower();
  static const QRegularExpression plain(QStringLiteral("^[a-z0-9_+-]+$"));
  if (!plain.match(extension).hasMatch()) {
    error = "Error : Extension no valida : " + std::string(extensionWithoutDot);
    return false;
  }
  if (programPath.empty()) {
    error = "Error : falta la ruta del programa";
    return false;
  }
  const QString program = text::PathToQ(programPath);
  const QString mimeType = "application/x-" + extension;
  const QString programName = text::ToQ(entryProgram.name).toLower();
  const QString entryName = programName + "-" + extension + ".desktop";
  const QString dataHome = DataHome();

  // Numbers that are not one of the program's icons (the old icon index) give its own icon.
  const int icon = (iconNumber == 201) ? 201 : 200;
  const QString iconPath = dataHome + "/icons/hicolor/48x48/apps/" + programName + ".png";
  const QString documentIconPath =
      dataHome + "/icons/hicolor/48x48/mimetypes/" + QString(mimeType).replace('/', '-') + ".png";
  if (!QDir().mkpath(QFileInfo(iconPath).absolutePath()) ||
      !ResourceImage("#" + std::to_string(icon)).save(iconPath, "PNG")) {
    error = "No se puede escribir " + text::FromQ(iconPath);
    return false;
  }
  if (QDir().mkpath(QFileInfo(documentIconPath).absolutePath()))
    ResourceImage("#201").save(documentIconPath, "PNG");  // a nicety: documents get a page icon

  const QString listPath = ConfigHome() + "/mimeapps.list";
  if (!WriteFile(dataHome + "/mime/packages/x-" + extension + ".xml",
                 MimePackage(mimeType, extension), error) ||
      !WriteFile(dataHome + "/applications/" + entryName,
                 DesktopEntry(entryProgram, program, iconPath, mimeType), error) ||
      !WriteFile(listPath, MimeAppsWithDefault(listPath, mimeType, entryName), error))
    return false;
  RefreshCaches(dataHome);
  return true;
}

std::string AssociatedOpenCommand(std::string_view extensionWithDot) {
  if (extensionWithDot.empty()) return {};
  QString extension = text::ToQ(extensionWithDot);
  if (!extension.startsWith('.')) extension.prepend('.');
  QString mimeType = MimeTypeOfFileName("document" + extension);
  if (mimeType.isEmpty()) return {};
  QString entry = DefaultApplicationEntry(mimeType);
  if (entry.isEmpty()) return {};
  std::optional<QString> exec = KeyValue(ReadLines(entry), "Desktop Entry", "Exec");
  if (!exec) return {};
  QString command = UnescapeValue(*exec).trimmed();
  if (command.isEmpty()) return {};
  return ExpandEnvironment(text::FromQ(command));
}

void OpenWithApplication(std::string_view path, OpenerVerdict told) {
  const QString file = text::PathToQ(path);
  const QStringList command =
      openerOverride.isEmpty() ? DesktopOpener() : QStringList{openerOverride};
  if (path.empty() || !QFileInfo::exists(file) || command.isEmpty()) {
    if (told) told(Opened::No);
    return;
  }
  StartOpener(command, QFileInfo(file).absoluteFilePath(), told);
}

std::string ListFontAliasPath() { return text::FromQ(ListFontAliasFile()); }

bool InstallListFontAlias(std::string& error) {
  error.clear();
  const QString path = ListFontAliasFile();
  const QFileInfo info(path);
  if (info.exists() || info.isSymLink()) return true;
  const QByteArray face = text::ToQ(kListFontFace).toUtf8();
  const QByteArray xml =
      "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
      "<!-- Written by Veluna: its record lists name the face " + face +
      ", whose columns line up only in a monospaced face. -->\n"
      "<fontconfig>\n"
      "  <alias binding=\"same\">\n"
      "    <family>" + face + "</family>\n"
      "    <accept><family>monospace</family></accept>\n"
      "  </alias>\n"
      "</fontconfig>\n";
  return WriteFile(path, xml, error);
}

void PlaySoundResource(int number) {
  soundsRequested.push_back(number);
  QByteArray wave = ResourceSound(number);
  constexpr qsizetype kHeader = 44;  // our own WAVE files: the samples follow a fixed header
  if (wave.size() <= kHeader) return;
  const QByteArray body = wave.mid(kHeader);
  std::string samples(body.constData(), static_cast<size_t>(body.size()));
  try {
    std::thread([samples = std::move(samples)] {
      pa_sample_spec spec{};
      spec.format = PA_SAMPLE_S16LE;
      spec.rate = 22050;
      spec.channels = 1;
      int code = 0;
      pa_simple* stream = pa_simple_new(nullptr, "Veluna", PA_STREAM_PLAYBACK, nullptr, "sonido",
                                        &spec, nullptr, nullptr, &code);
      if (!stream) return;  // no sound server: silence, as promised
      if (pa_simple_write(stream, samples.data(), samples.size(), &code) == 0)
        pa_simple_drain(stream, &code);
      pa_simple_free(stream);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the sound is skipped rather than delaying the caller.
  }
}

const std::vector<int>& SoundsRequested() { return soundsRequested; }

namespace testing {

void UseOpener(std::string program) { openerOverride = text::PathToQ(program); }

std::vector<long long> OpenersRunning() {
  std::vector<long long> ids;
  for (const QProcess* process : Openers()) ids.push_back(process->processId());
  return ids;
}

bool WaitForOpeners(int hangSeconds) {
  QElapsedTimer clock;
  clock.start();
  // Wakes the wait for events now and then, so that a hanging opener is noticed.
  QTimer wake;
  wake.start(100);
  while (!Openers().empty()) {
    if (clock.elapsed() > hangSeconds * 1000LL) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace testing

}  // namespace desktop
