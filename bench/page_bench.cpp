// The designer's hot paths: the full repaint of a crowded page (every mouse move runs it)
// and a save followed by a read of that page.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "bench/busy_page.h"
#include "page/document_file.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/ui/ui.h"
#include "program/canvas.h"

namespace {

using busypage::FillCrowdedPage;

void BM_FullRepaintOfACrowdedPage(benchmark::State& state) {
  FillCrowdedPage();
  MakePageBitmaps();
  for (auto _ : state) {
    ClearGraphicTarget(*pageBitmap);
    PaintAllObjects(*pageBitmap, 1);
    DrawPageBackground(*pageBitmap, 1);
    gfx::Clear(*canvasBitmap, gfx::kWhite);
    RefreshCanvas(0, 0);
  }
}
BENCHMARK(BM_FullRepaintOfACrowdedPage)->Unit(benchmark::kMillisecond);

void BM_SaveThenReadACrowdedPage(benchmark::State& state) {
  const std::string folder = std::filesystem::temp_directory_path() / "veluna-bench/";
  std::filesystem::create_directories(folder);
  for (auto _ : state) {
    state.PauseTiming();
    FillCrowdedPage();
    documentPath = folder + "page.qorvex";
    state.ResumeTiming();
    SaveDocument();
    LoadDocument();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveThenReadACrowdedPage)->Unit(benchmark::kMillisecond);

// The full repaint must draw every pixel as a painter per operation draws it.
void CheckRepaintAgainstPainterPerOperation() {
  FillCrowdedPage();
  MakePageBitmaps();
  const int64_t differing = busypage::PixelsDifferingBetweenWays(
      [] {
        ClearGraphicTarget(*pageBitmap);
        PaintAllObjects(*pageBitmap, 1);
        DrawPageBackground(*pageBitmap, 1);
        gfx::Clear(*canvasBitmap, gfx::kWhite);
        RefreshCanvas(0, 0);
      },
      {pageBitmap, canvasBitmap});
  if (differing == 0) return;
  std::fprintf(stderr, "%lld pixels of the repaint differ from a painter per operation's\n",
               static_cast<long long>(differing));
  std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  files::OverrideDataFolder(std::filesystem::temp_directory_path().string() + "/");
  if (!ui::StartApplication(argc, argv)) return 1;
  ui::testing::Begin();
  CheckRepaintAgainstPainterPerOperation();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
