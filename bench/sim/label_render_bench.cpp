// A 4 by 6 inch label at 203 dpi, its rows in a downloaded TrueType font
// and a Code 128 barcode under them, drawn and written as the simulated
// printer's PNG, against the time that printer takes to receive the job on
// its bus at the default write rate: the font's download and the label's
// commands. The label must be drawn in less time than its job takes to
// arrive. The commands alone are a second peer, for the record.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/font/font_download_command.h"
#include "core/font/font_test_program.h"
#include "core/link/printer_port.h"
#include "core/platform/sim/sim_bus_backend.h"
#include "sim/label_png.h"
#include "sim/label_render.h"
#include "sim/sim_printer.h"
#include "support/bench_folder.h"
#include "support/seconds_reporter.h"

namespace {

constexpr char kFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct Job {
  Job() {
    vidodez::FontDownloadJob font;
    font.font_path = kFontPath;
    font.font_name = "DEJAVU";
    if (vidodez::TakeFontFileSize(font.font_path, &font.font_size) != 0 ||
        vidodez::BuildFontDownloadCommand(font, [this](std::string_view piece) {
          download.append(piece);
          return 0;
        }) != 0)
      std::fprintf(stderr, "cannot read %s\n", kFontPath);
    std::string program;
    if (vidodez::BuildFontTestProgram(vidodez::FontCommandType::VRLE, 'K', "DEJAVU",
                                      vidodez::FontStorage::FLASH, &program) != 0)
      std::fprintf(stderr, "cannot build the test program\n");
    // The rows, then a barcode under them, then the print.
    label = program.substr(0, program.rfind("P1,1"));
    label += "B100,800,0,1,3,6,160,B,\"VIDODEZ-0123456789\"\r\nP1,1\r\n";
    WriteFile(folder.File("download.prn"), download);
    WriteFile(folder.File("label.prn"), label);
    WriteFile(folder.File("job.prn"), download + label);
  }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  vidodez::bench::BenchFolder folder;
  std::string download;
  std::string label;
};

Job& Shared() {
  static Job job;
  return job;
}

void Send(vidodez::sim::PrinterModel& model, const std::string& bytes) {
  model.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                vidodez::sim::Clock::now());
}

// The printer holds the font; each label's commands are composed, drawn
// and written as the simulator program writes them.
void BM_RenderLabel(benchmark::State& state) {
  Job& job = Shared();
  long black = 0;
  int rc = 0;
  vidodez::sim::PrinterOptions options;
  options.keep_wire = false;
  vidodez::sim::LabelPainter painter;
  options.label_sink = [&](const vidodez::sim::PrintedLabel& label) {
    const vidodez::sim::DrawnLabel drawn = painter.Draw(label);
    // Counted once: the count is the benchmark's check, not the printer's work.
    if (black == 0) black = drawn.bitmap.CountBlack();
    rc = vidodez::sim::WriteLabelPng(drawn.bitmap, label.dpi, job.folder.File("label.png"));
  };
  vidodez::sim::PrinterModel model(options);
  Send(model, job.download);
  for (auto _ : state) Send(model, job.label);
  if (black == 0 || rc != 0) state.SkipWithError("the label came out blank or unwritten");
}
BENCHMARK(BM_RenderLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

void Receive(benchmark::State& state, const std::string& file) {
  Job& job = Shared();
  vidodez::sim::PrinterOptions options;
  options.keep_wire = false;
  vidodez::sim::SimPrinter printer(job.folder.File("bus"), options);
  if (printer.Start() != 0) {
    state.SkipWithError("simulated printer did not start");
    return;
  }
  vidodez::platform::SimBusBackend usb(job.folder.File("bus"));
  vidodez::CPrinterPort port(usb);
  for (auto _ : state) {
    if (port.OpenPort(7) != 0 || port.SendFileRaw(job.folder.File(file)) != 0)
      state.SkipWithError("send failed");
    port.ClosePort();
  }
}

void BM_ReceiveJobOverBus(benchmark::State& state) { Receive(state, "job.prn"); }
BENCHMARK(BM_ReceiveJobOverBus)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReceiveLabelCommandsOverBus(benchmark::State& state) { Receive(state, "label.prn"); }
BENCHMARK(BM_ReceiveLabelCommandsOverBus)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  vidodez::bench::SecondsReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("label drawn / its job received", "BM_RenderLabel", "BM_ReceiveJobOverBus",
                      "target < 1");
  reporter.PrintRatio("label drawn / its commands alone received", "BM_RenderLabel",
                      "BM_ReceiveLabelCommandsOverBus", "for the record");
  benchmark::Shutdown();
  return 0;
}
