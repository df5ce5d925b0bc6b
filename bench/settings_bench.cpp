// Start-up reading of the two settings files, as the program writes them and when they have
// been filled with junk (damaged or hostile files) of a megabyte and of ten: every reading of
// a load, and the first of a run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "page/admin_controls.h"
#include "page/settings.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"

namespace {

// The program's own file with `junkBytes` of meaningless lines before its sections, so that
// every key is looked for past them. LetSettle then makes it a file that lies on disk since the
// last run.
void FillWithJunk(const std::string& path, int64_t junkBytes) {
  std::ifstream in(path, std::ios::binary);
  const std::string own((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string junk;
  while (static_cast<int64_t>(junk.size()) < junkBytes) junk += "ruido=" + std::string(90, 'x') + "\r\n";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << junk << own;
}

void LetSettle() { std::this_thread::sleep_for(std::chrono::milliseconds(1100)); }

void BM_ReadConfiguracionIniAtStartUp(benchmark::State& state) {
  std::filesystem::remove(SettingsFilePath());
  LoadSaveSettings("save");
  FillWithJunk(SettingsFilePath(), state.range(0));
  LetSettle();
  const int64_t before = files::testing::WholeFileReads();
  for (auto _ : state) LoadSaveSettings("get");
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(SettingsFilePath()));
  state.counters["reads"] = static_cast<double>(files::testing::WholeFileReads() - before) / state.iterations();
}
// 1000000 is just below the largest file read; 10 MB is beyond it.
BENCHMARK(BM_ReadConfiguracionIniAtStartUp)->Arg(0)->Arg(1000000 - 4096)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The first reading of a run, which no earlier reading has kept: files in more folders than
// the settings reader keeps, read in turn.
void BM_FirstReadOfConfiguracionIni(benchmark::State& state) {
  const std::string base = files::DataFolder();
  std::vector<std::string> folders;
  for (int i = 0; i < 10; ++i) {
    folders.push_back(base + "run" + std::to_string(i) + "/");
    std::filesystem::create_directories(folders.back());
    files::OverrideDataFolder(folders.back());
    LoadSaveSettings("save");
    FillWithJunk(SettingsFilePath(), state.range(0));
  }
  LetSettle();
  size_t next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    files::OverrideDataFolder(folders[next++ % folders.size()]);
    state.ResumeTiming();
    LoadSaveSettings("get");
  }
  files::OverrideDataFolder(base);
  for (const std::string& f : folders) std::filesystem::remove_all(f);
}
BENCHMARK(BM_FirstReadOfConfiguracionIni)->Arg(0)->Arg(1000000 - 4096)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_ReadAdminControlsIniAtStartUp(benchmark::State& state) {
  std::filesystem::remove(AdminControlsPath());
  LoadSaveAdminStylePresets("save");
  FillWithJunk(AdminControlsPath(), state.range(0));
  LetSettle();
  for (auto _ : state) LoadSaveAdminStylePresets("get");
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(AdminControlsPath()));
}
BENCHMARK(BM_ReadAdminControlsIniAtStartUp)->Arg(0)->Arg(1000000 - 8192)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string folder = (std::filesystem::temp_directory_path() / "veluna-settings-bench/").string();
  std::filesystem::create_directories(folder);
  files::OverrideDataFolder(folder);
  if (!ui::StartApplication(argc, argv)) return 1;
  ui::testing::Begin();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::remove_all(folder);
  return 0;
}
