// One selector refresh with eight simulated printers on the bus: list them
// and read the selected one's status, as the 500 ms timer does.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "core/link/selector_state.h"
#include "core/platform/sim/sim_bus_backend.h"
#include "sim/sim_printer.h"

namespace {

void BM_RefreshWithEightPrinters(benchmark::State& state) {
  char pattern[] = "/tmp/vidodez-bench-XXXXXX";
  std::string dir = mkdtemp(pattern);
  {
    std::vector<std::unique_ptr<vidodez::sim::SimPrinter>> printers;
    for (int port = 1; port <= 8; ++port) {
      vidodez::sim::PrinterOptions options;
      options.port_number = port;
      printers.push_back(std::make_unique<vidodez::sim::SimPrinter>(dir, options));
      if (printers.back()->Start() != 0) state.SkipWithError("simulated printer did not start");
    }
    vidodez::platform::SimBusBackend usb(dir);
    vidodez::CPrinterComm comm(usb);
    vidodez::SelectorState selector;
    selector.remembered_index = 3;
    for (auto _ : state) {
      auto refresh = vidodez::RefreshSelection(usb, comm, selector);
      if (refresh.names.size() != 8 || refresh.status != 0) state.SkipWithError("refresh failed");
      benchmark::DoNotOptimize(refresh);
    }
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RefreshWithEightPrinters)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
