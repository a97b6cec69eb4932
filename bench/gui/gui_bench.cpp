// One refresh tick of the shown page with four simulated printers, on the
// interface thread (start_bench measures the start).
// Run offscreen: QT_QPA_PLATFORM=offscreen ./gui_bench

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/platform/sim/sim_bus_backend.h"
#include "gui/frame/dialog_frame_wnd.h"
#include "gui/system/program_settings.h"
#include "gui/window/dialog_service.h"
#include "gui/window/skin_archive.h"
#include "gui/window/skin_loader.h"
#include "sim/sim_printer.h"

namespace {

struct BusDir {
  BusDir() {
    char pattern[] = "/tmp/vidodez-gui-bench-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~BusDir() { std::filesystem::remove_all(path); }
  std::string path;
};

const vidodez::gui::SkinArchive& Skins() {
  static const vidodez::gui::SkinArchive skins(VIDODEZ_BENCH_PROGRAM_FOLDER);
  static const vidodez::gui::SkinResources resources(skins);
  return skins;
}

void BM_RefreshTickWithFourPrinters(benchmark::State& state) {
  BusDir bus;
  std::vector<std::unique_ptr<vidodez::sim::SimPrinter>> printers;
  for (int port = 1; port <= 4; ++port) {
    vidodez::sim::PrinterOptions options;
    options.port_number = port;
    printers.push_back(std::make_unique<vidodez::sim::SimPrinter>(bus.path, options));
    if (printers.back()->Start() != 0) state.SkipWithError("simulated printer did not start");
  }
  vidodez::platform::SimBusBackend usb(bus.path);
  vidodez::gui::QtDialogService dialogs(Skins());
  vidodez::gui::SessionSettings settings("en_US");
  vidodez::gui::CDialogFrameWnd frame(
      vidodez::gui::FrameContext{Skins(), dialogs, usb, settings, VIDODEZ_BENCH_PROGRAM_FOLDER});
  frame.show();
  frame.FinishStart();
  frame.selector_state().remembered_index = 2;
  for (auto _ : state) {
    frame.RefreshShownPage();
    if (frame.selector_state().last_status_index != 0) state.SkipWithError("no status read");
  }
}
BENCHMARK(BM_RefreshTickWithFourPrinters)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
