// The window's own costs: starting to the first shown main window against a
// bare Qt window with one tab widget (same run, so the ratio is what counts),
// and one refresh tick of the shown page with four simulated printers.
// Run offscreen: QT_QPA_PLATFORM=offscreen ./gui_bench

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>
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

void BM_BareTabWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tabs = new QTabWidget(&window);
    for (int i = 0; i < 6; ++i) tabs->addTab(new QWidget(tabs), QStringLiteral("Page %1").arg(i));
    layout->addWidget(tabs);
    window.resize(739, 763);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
  }
}
BENCHMARK(BM_BareTabWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MainFrameShown(benchmark::State& state) {
  BusDir bus;
  vidodez::platform::SimBusBackend usb(bus.path);
  vidodez::gui::QtDialogService dialogs(Skins());
  vidodez::gui::SessionSettings settings("en_US");
  for (auto _ : state) {
    vidodez::gui::CDialogFrameWnd frame(
        vidodez::gui::FrameContext{Skins(), dialogs, usb, settings, VIDODEZ_BENCH_PROGRAM_FOLDER});
    frame.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(frame.isVisible());
  }
}
BENCHMARK(BM_MainFrameShown)->Unit(benchmark::kMillisecond)->UseRealTime();

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
