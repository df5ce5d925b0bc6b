// Message boxes, the file, colour, folder and font choosers, and the application's start.
// In test mode none of them shows: answers come from the test driver's queues.
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTranslator>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/gfx/gfx_qt.h"
#include "platform/gfx/start_qt.h"
#include "platform/text/qt_text.h"
#include "platform/ui/ui_internal.h"

namespace ui {

namespace {

template <typename T>
bool Pop(std::deque<T>& queue, T& out) {
  if (queue.empty()) return false;
  out = std::move(queue.front());
  queue.pop_front();
  return true;
}

// "*.jpg;*.png" as Qt's "Images (*.jpg *.png)". "*.*" means every file, as it does where the
// patterns come from, names without a dot included.
QString NameFilter(const FileFilter& f) {
  QStringList patterns;
  for (QString p : text::ToQ(f.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    p = p.trimmed();
    patterns << (p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
  }
  return text::ToQ(f.name) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// A name saved without an extension takes the default one, as the user expects.
std::string WithDefaultExtension(std::string path, const FileDialogSpec& spec) {
  std::string ext = spec.defaultExtension;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  if (path.empty() || !spec.save || ext.empty()) return path;
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.find('.') == std::string::npos) path += "." + ext;
  return path;
}

// Icons and type names from the name alone. The stock provider reads a file's first bytes to
// tell its type, and a pseudo-file such as /proc/kmsg blocks that read for ever, with it the
// dialog and the program.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override {
    return QApplication::style()->standardIcon(type == Folder || type == Drive ? QStyle::SP_DirIcon
                                                                               : QStyle::SP_FileIcon);
  }
  QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QStringLiteral("Carpeta");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("Fichero") : QStringLiteral("Fichero ") + suffix.toUpper();
  }
};

QAbstractFileIconProvider* NameOnlyIcons() {
  static NameOnlyIconProvider* provider = new NameOnlyIconProvider;
  return provider;
}

QFileDialog* MakeChooser(const QString& title) {
  auto* dialog = new QFileDialog(nullptr, title);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setIconProvider(NameOnlyIcons());
  return dialog;
}

}  // namespace

QFileDialog* MakeFileDialog(const FileDialogSpec& spec) {
  QFileDialog* dialog = MakeChooser(text::ToQ(spec.title));
  // The system's callers ask their own overwrite question where they need one.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(!spec.save && spec.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  QStringList filters;
  for (const FileFilter& f : spec.filters) filters << NameFilter(f);
  if (!filters.isEmpty()) dialog->setNameFilters(filters);
  if (!spec.initialFolder.empty()) dialog->setDirectory(text::PathToQ(spec.initialFolder));
  if (!spec.initialName.empty()) dialog->selectFile(text::PathToQ(spec.initialName));
  return dialog;
}

QFileDialog* MakeFolderDialog(std::string_view title) {
  QFileDialog* dialog = MakeChooser(text::ToQ(title));
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  return dialog;
}

Answer MessageBox(Window owner, std::string_view message, std::string_view title, Buttons buttons) {
  if (Test().on) {
    Test().shown.push_back({std::string(message), std::string(title)});
    Answer a;
    if (Pop(Test().answers, a)) return a;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
  }
  QMessageBox box;
  KeepAboveOwner(&box, owner);
  box.setWindowTitle(text::ToQ(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(text::ToQ(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  // The program speaks Spanish whatever the system's language is.
  if (buttons == Buttons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
  } else {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8("S\u00ed"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
  }
  switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
  }
}

std::string ChooseFile(Window owner, const FileDialogSpec& spec) {
  std::string chosen;
  if (Test().on) {
    Test().lastFile = spec;
    Pop(Test().files, chosen);
  } else {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(spec));
    KeepAboveOwner(dialog.get(), owner);
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
      chosen = text::FromQ(dialog->selectedFiles().first());
  }
  return WithDefaultExtension(chosen, spec);
}

gfx::Colour ChooseColour(Window owner, gfx::Colour initial, std::array<gfx::Colour, 16>& custom) {
  if (Test().on) {
    gfx::Colour c = -1;
    Pop(Test().colours, c);
    return c;
  }
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, gfx::ToQColor(custom[i]));
  QColorDialog dialog(gfx::ToQColor(initial));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  KeepAboveOwner(&dialog, owner);
  bool ok = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < 16; ++i) custom[i] = gfx::FromQColor(QColorDialog::customColor(i));
  return ok ? gfx::FromQColor(dialog.selectedColor()) : -1;
}

std::string ChooseFolder(Window owner, std::string_view title) {
  std::string folder;
  if (Test().on) {
    Pop(Test().folders, folder);
  } else {
    std::unique_ptr<QFileDialog> dialog(MakeFolderDialog(title));
    KeepAboveOwner(dialog.get(), owner);
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
      folder = text::FromQ(dialog->selectedFiles().first());
  }
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

bool ChooseFont(Window owner, FontChoice& choice) {
  if (Test().on) {
    std::pair<bool, FontChoice> answer{false, {}};
    Pop(Test().fonts, answer);
    if (answer.first) choice = answer.second;
    return answer.first;
  }
  QFont initial(text::ToQ(choice.face));
  initial.setPointSize(choice.points > 0 ? choice.points : 10);
  initial.setBold(choice.styleFlags & gfx::kBold);
  initial.setItalic(choice.styleFlags & gfx::kItalic);
  initial.setUnderline(choice.styleFlags & gfx::kUnderline);
  initial.setStrikeOut(choice.styleFlags & gfx::kStrikeOut);
  QFontDialog dialog(initial);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  KeepAboveOwner(&dialog, owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont f = dialog.selectedFont();
  choice.face = text::FromQ(f.family());
  choice.points = f.pointSize() > 0 ? f.pointSize() : static_cast<int>(std::lround(f.pixelSize() * 72.0 / 96.0));
  choice.styleFlags = (f.bold() ? gfx::kBold : 0) | (f.italic() ? gfx::kItalic : 0) |
                      (f.underline() ? gfx::kUnderline : 0) | (f.strikeOut() ? gfx::kStrikeOut : 0);
  return true;
}

bool StartApplication(int& argc, char** argv) {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    app->setQuitOnLastWindowClosed(false);
    return true;
  }
  // The application lives as long as the process.
  if (!gfx::StartApplicationWith(argc, argv, [](int& count, char** values) {
        new QApplication(count, values);
      }))
    return false;
  auto* app = static_cast<QApplication*>(QCoreApplication::instance());
  app->setQuitOnLastWindowClosed(false);
  // The standard dialogs (files, colours, fonts, printing) in Spanish, when the translations
  // are installed.
  static QTranslator* spanish = new QTranslator(app);
  if (spanish->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app->installTranslator(spanish);
  return true;
}

}  // namespace ui
