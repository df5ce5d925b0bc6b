// The file and folder choosers as the user sees them: listing a folder never opens its files.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "platform/ui/ui_internal.h"
#include "tests/platform/ui/ui_fixture.h"

using namespace uitest;

namespace {

// Shows the chooser on `folder` until it has listed it and named the type of every entry (at
// most 20 seconds); gives each entry's type by its name.
std::map<std::string, std::string> ListedTypes(QFileDialog& dialog, const std::string& folder) {
  const QString path = QString::fromStdString(folder);
  dialog.setDirectory(path);
  dialog.show();
  auto* model = dialog.findChild<QFileSystemModel*>();
  std::map<std::string, std::string> types;
  QElapsedTimer clock;
  clock.start();
  while (model && clock.elapsed() < 20000) {
    QEventLoop wait;
    QTimer::singleShot(20, &wait, &QEventLoop::quit);
    wait.exec();
    const QModelIndex root = model->index(path);
    if (model->canFetchMore(root)) model->fetchMore(root);
    types.clear();
    bool named = model->rowCount(root) > 0;
    for (int r = 0; r < model->rowCount(root); ++r) {
      const std::string type = model->index(r, 2, root).data().toString().toStdString();
      named = named && !type.empty();
      types[model->index(r, 0, root).data().toString().toStdString()] = type;
    }
    if (named) break;
  }
  dialog.hide();
  return types;
}

// The names of the files in a watched folder that were opened or read.
std::vector<std::string> FilesTouched(int watch) {
  std::vector<std::string> touched;
  alignas(inotify_event) char buffer[65536];
  for (;;) {
    const ssize_t n = read(watch, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && !(event->mask & IN_ISDIR)) touched.push_back(event->name);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  return touched;
}

TEST_F(UiTest, TheChoosersNameTypesWithoutOpeningAFile) {
  const std::string folder = testenv::NewFolder("listed");
  // A name without an extension is the one whose type only its content could tell.
  std::ofstream(folder + "notas") << "Apuntes de la reunion\n";
  std::ofstream(folder + "foto.jpg") << "no es una foto";
  std::ofstream(folder + "Plantilla.Qorvex") << std::string(2086, '\0');
  ASSERT_EQ(mkfifo((folder + "tuberia").c_str(), 0600), 0);
  std::filesystem::create_directory(folder + "sub");

  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_OPEN | IN_ACCESS), 0);

  ui::FileDialogSpec spec;
  spec.title = "Leer Documento";
  spec.initialFolder = folder;
  spec.filters = {{"Documento", "*.*"}};
  std::unique_ptr<QFileDialog> files(ui::MakeFileDialog(spec));
  // "*.*" takes names without a dot too, as it does where the filters come from.
  EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("Documento (*)")});
  const auto types = ListedTypes(*files, folder);
  EXPECT_EQ(types.at("notas"), "Fichero");
  EXPECT_EQ(types.at("foto.jpg"), "Fichero JPG");
  EXPECT_EQ(types.at("Plantilla.Qorvex"), "Fichero QORVEX");
  EXPECT_EQ(types.at("sub"), "Carpeta");

  std::unique_ptr<QFileDialog> folders(ui::MakeFolderDialog("Carpeta de la base de datos"));
  EXPECT_EQ(ListedTypes(*folders, folder).at("sub"), "Carpeta");

  EXPECT_EQ(FilesTouched(watch), std::vector<std::string>{});
  close(watch);
}

TEST_F(UiTest, TheChooserListsDeviceAndSystemFoldersWithoutWaitingOnThem) {
  // /proc holds /proc/kmsg, whose reading blocks until the kernel logs something.
  for (const char* folder : {"/dev/", "/proc/", "/sys/kernel/"}) {
    SCOPED_TRACE(folder);
    if (!std::filesystem::is_directory(folder)) continue;   // a machine without it
    ui::FileDialogSpec spec;
    spec.title = "Grabar Documento";
    spec.save = true;
    spec.initialFolder = folder;
    std::unique_ptr<QFileDialog> dialog(ui::MakeFileDialog(spec));
    const std::map<std::string, std::string> types = ListedTypes(*dialog, folder);
    EXPECT_FALSE(types.empty());
    // An entry the chooser waited on would still be without its type.
    for (const auto& [name, type] : types) EXPECT_NE(type, "") << name;
  }
}

}  // namespace
