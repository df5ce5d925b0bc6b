// The page leaving the designer: a painted form exported in each of the five image formats,
// and the print command sending one page to a PDF file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "page/images.h"
#include "page/page_store.h"
#include "page/painter.h"
#include "page/settings.h"
#include "page/shared_helpers.h"
#include "platform/files/files.h"
#include "platform/print/print.h"
#include "platform/ui/ui.h"
#include "program/page_output.h"

namespace {

void SetText(char* field, size_t size, const char* text) {
  std::strncpy(field, text, size - 1);
  field[size - 1] = '\0';
}

// A form as users draw them: labelled boxes in rows, a title, a shaded header and notes.
void FillForm() {
  AllocateStore();
  ResetPageRecord();
  objectCount = 1;
  for (int row = 0; row < 30; ++row) {
    PageObject& label = pageObjects[++objectCount];
    label.kind = kAlignedText;
    label.x = 60;
    label.y = 150 + row * 30;
    label.width = 220;
    label.height = 24;
    label.alignment = 131;
    label.fontSize = 10;
    label.backColor = gfx::kTransparent;
    SetText(label.fontName, sizeof label.fontName, "Arial");
    SetText(label.text, sizeof label.text, "Nombre y apellidos del solicitante");
    PageObject& box = pageObjects[++objectCount];
    box.kind = kSquareOrCircle;
    box.shapeType = 7001;
    box.x = 300;
    box.y = 148 + row * 30;
    box.width = 420;
    box.height = 26;
    box.backColor = row % 2 ? 0xF8F0E8 : gfx::kTransparent;
    box.borderColor = 0;
    box.lineWidth = 1;
  }
  PageObject& header = pageObjects[++objectCount];
  header.kind = kSquareOrCircle;
  header.shapeType = 7001;
  header.x = 40;
  header.y = 40;
  header.width = 714;
  header.height = 80;
  header.backColor = 0xE0C8B0;
  header.fillStyle = 0;
  header.lineWidth = 2;
  PageObject& title = pageObjects[++objectCount];
  title.kind = kAngledText;
  title.x = 200;
  title.y = 60;
  title.fontSize = 24;
  title.fontStyle = 1;
  title.backColor = gfx::kTransparent;
  SetText(title.fontName, sizeof title.fontName, "Times New Roman");
  SetText(title.text, sizeof title.text, "SOLICITUD DE INSCRIPCION");
  PageObject& notes = pageObjects[++objectCount];
  notes.kind = kMemoText;
  notes.x = 60;
  notes.y = 1070 - 60;
  notes.width = 680;
  notes.height = 60;
  notes.alignment = 134;
  notes.fontSize = 9;
  notes.backColor = gfx::kTransparent;
  SetText(notes.fontName, sizeof notes.fontName, "Arial");
  SetText(notes.text, sizeof notes.text,
          "Observaciones: los datos de este formulario se tratan conforme a la normativa vigente. "
          "Firme y feche el impreso antes de entregarlo en la oficina que le corresponda.");
}

std::string BenchFolder() {
  const std::string folder = std::filesystem::temp_directory_path().string() + "/veluna-export-bench/";
  std::filesystem::create_directories(folder);
  return folder;
}

void ExportPage(benchmark::State& state, int32_t option) {
  FillForm();
  MakePageBitmaps();
  ClearGraphicTarget(*pageBitmap);
  PaintAllObjects(*pageBitmap, 0);
  imageFormatOption = option;
  imageExportPath = BenchFolder() + "pagina";
  for (auto _ : state) {
    std::string message;
    if (SaveCanvasImage(*pageBitmap, message) != 0) state.SkipWithError("the export failed");
  }
}

void BM_PrintPageToPdf(benchmark::State& state) {
  FillForm();
  MakePageBitmaps();
  print::testing::PrintToPdf(BenchFolder() + "pagina.pdf");
  for (auto _ : state) {
    ui::testing::Begin();
    ui::testing::AnswerMessageBox(ui::Answer::Yes);
    if (!PrintPage()) state.SkipWithError("the print failed");
  }
  print::testing::PrintToPdf("");
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string folder = BenchFolder();
  files::OverrideDataFolder(folder);
  if (!ui::StartApplication(argc, argv)) return 1;
  ui::testing::Begin();
  for (auto [name, option] : {std::pair{"ExportPage/png", 2008}, {"ExportPage/jpeg", 2009}, {"ExportPage/gif", 2010},
                              {"ExportPage/tiff", 2011}, {"ExportPage/bmp", 2012}})
    benchmark::RegisterBenchmark(name, ExportPage, option)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("PrintPageToPdf", BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::remove_all(folder);
  return 0;
}
