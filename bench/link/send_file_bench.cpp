// Sending a file to a simulated printer against the cheapest possible sink:
// the same 1024-byte chunks written to /dev/null with write(2); and the same
// send with its progress told after each chunk, as the window and the
// command line hear it, which may cost at most 5 % more.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/link/printer_port.h"
#include "core/platform/sim/sim_bus_backend.h"
#include "sim/sim_printer.h"
#include "support/seconds_reporter.h"

namespace {

constexpr size_t kFileSize = 64 << 20;

struct Fixture {
  Fixture() {
    char pattern[] = "/tmp/vidodez-bench-XXXXXX";
    dir = mkdtemp(pattern);
    file = dir + "/payload.bin";
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31);
    FILE* out = std::fopen(file.c_str(), "wb");
    for (size_t written = 0; written < kFileSize; written += block.size())
      std::fwrite(block.data(), 1, block.size(), out);
    std::fclose(out);
  }
  ~Fixture() { std::filesystem::remove_all(dir); }
  std::string dir;
  std::string file;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void SendToSimulatedPrinter(benchmark::State& state, const vidodez::SendProgress& progress) {
  Fixture& f = Shared();
  vidodez::sim::PrinterOptions options;
  options.keep_wire = false;
  vidodez::sim::SimPrinter printer(f.dir, options);
  if (printer.Start() != 0) {
    state.SkipWithError("simulated printer did not start");
    return;
  }
  vidodez::platform::SimBusBackend usb(f.dir);
  vidodez::CPrinterPort port(usb);
  for (auto _ : state) {
    if (port.OpenPort(7) != 0 || port.SendFileRaw(f.file, progress) != 0)
      state.SkipWithError("send failed");
    port.ClosePort();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}

void BM_SendFileRawToSimulatedPrinter(benchmark::State& state) {
  SendToSimulatedPrinter(state, {});
}
BENCHMARK(BM_SendFileRawToSimulatedPrinter)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the window's runner does with each report: keeps the numbers for the
// interface thread to read, and answers whether to go on.
void BM_SendFileRawWithProgress(benchmark::State& state) {
  std::atomic<uint64_t> sent{0}, total{0};
  std::atomic<bool> stop{false};
  SendToSimulatedPrinter(state, [&](uint64_t now_sent, uint64_t now_total) {
    sent.store(now_sent, std::memory_order_relaxed);
    total.store(now_total, std::memory_order_relaxed);
    return !stop.load(std::memory_order_relaxed);
  });
  benchmark::DoNotOptimize(sent.load());
}
BENCHMARK(BM_SendFileRawWithProgress)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteChunksToDevNull(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<char> chunk(vidodez::kFileChunkSize);
  for (auto _ : state) {
    FILE* in = std::fopen(f.file.c_str(), "rb");
    int out = open("/dev/null", O_WRONLY);
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), in)) > 0)
      benchmark::DoNotOptimize(write(out, chunk.data(), got));
    close(out);
    std::fclose(in);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileSize));
}
BENCHMARK(BM_WriteChunksToDevNull)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  vidodez::bench::SecondsReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("with progress / without", "BM_SendFileRawWithProgress",
                      "BM_SendFileRawToSimulatedPrinter", "target <= 1.05");
  reporter.PrintRatio("send / write(2) to /dev/null", "BM_SendFileRawToSimulatedPrinter",
                      "BM_WriteChunksToDevNull", "goal 3");
  benchmark::Shutdown();
  return 0;
}
