// A 16 MiB font file to its download file (the command built and written
// with CR CR LF line ends), against `xxd -p -c 32` writing the same file's
// hex. The ratio and the peak memory of a process doing one conversion are
// printed after the runs.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/font/font_codes.h"
#include "core/font/font_command_files.h"
#include "core/font/font_download_command.h"
#include "support/bench_folder.h"
#include "support/seconds_reporter.h"

namespace {

constexpr std::uint32_t kFontBytes = 16u * 1024 * 1024;

const vidodez::bench::BenchFolder& Folder() {
  static const vidodez::bench::BenchFolder folder;
  return folder;
}

// Random bytes: every hex pair occurs, as in a real font.
const std::string& FontPath() {
  static const std::string path = [] {
    std::string bytes(kFontBytes, '\0');
    std::uint32_t seed = 1;
    for (char& byte : bytes) {
      seed = seed * 1664525u + 1013904223u;
      byte = static_cast<char>(seed >> 24);
    }
    std::string font = Folder().File("BENCH.ttf");
    std::ofstream(font, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return font;
  }();
  return path;
}

bool ConvertOurs() {
  vidodez::FontDownloadJob job;
  job.font_path = FontPath();
  job.font_size = kFontBytes;
  job.font_name = "BENCH";
  job.command_type = vidodez::FontCommandType::VRLZ;
  return vidodez::WriteCommandFile(Folder().File("BENCH.prn"),
                                   [&job](const vidodez::CommandSink& write) {
                                     return vidodez::BuildFontDownloadCommand(job, write);
                                   }) == vidodez::kFontOk;
}

// Peak resident memory, in MiB, of a child process that does one conversion.
double ChildPeakMib() {
  pid_t child = ::fork();
  if (child == 0) ::_exit(ConvertOurs() ? 0 : 1);
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  return double(usage.ru_maxrss) / 1024.0;
}

// User and system seconds used so far by this process or by its children.
double CpuSeconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double g_peak_mib = -1;
// Processor time of one conversion: steadier than wall time on a busy machine.
double g_ours_cpu = -1;
double g_xxd_cpu = -1;

void BM_Ours(benchmark::State& state) {
  FontPath();
  g_peak_mib = ChildPeakMib();
  const double cpu = CpuSeconds(RUSAGE_SELF);
  for (auto _ : state)
    if (!ConvertOurs()) state.SkipWithError("conversion failed");
  g_ours_cpu = (CpuSeconds(RUSAGE_SELF) - cpu) / double(state.iterations());
  state.counters["peak_MiB"] = g_peak_mib;
}

void BM_Xxd(benchmark::State& state) {
  const std::string command =
      "xxd -p -c 32 '" + FontPath() + "' > '" + Folder().File("xxd.txt") + "'";
  const double cpu = CpuSeconds(RUSAGE_CHILDREN);
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
  g_xxd_cpu = (CpuSeconds(RUSAGE_CHILDREN) - cpu) / double(state.iterations());
}

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_Xxd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  vidodez::bench::SecondsReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double ours = reporter.Seconds("BM_Ours");
  const double xxd = reporter.Seconds("BM_Xxd");
  const double font_mib = kFontBytes / (1024.0 * 1024.0);
  if (ours > 0 && xxd > 0) std::printf("ours / xxd:  %.3f (target <= 0.333)\n", ours / xxd);
  if (g_ours_cpu > 0 && g_xxd_cpu > 0)
    std::printf("processor time: ours %.1f ms, xxd %.1f ms, ratio %.3f\n", g_ours_cpu * 1e3,
                g_xxd_cpu * 1e3, g_ours_cpu / g_xxd_cpu);
  if (g_peak_mib >= 0)
    std::printf("peak memory: %.1f MiB, limit 2.2 x %.0f + 16 = %.1f MiB\n", g_peak_mib, font_mib,
                2.2 * font_mib + 16);
  benchmark::Shutdown();
  return 0;
}
