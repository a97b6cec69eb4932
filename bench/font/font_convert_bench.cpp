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
#include <map>
#include <string>

#include "core/font/font_codes.h"
#include "core/font/font_command_files.h"
#include "core/font/font_download_command.h"

namespace {

constexpr std::uint32_t kFontBytes = 16u * 1024 * 1024;

struct Files {
  std::string dir;
  std::string font;
  std::string ours;
  std::string xxd;
};

const Files& BenchFiles() {
  static const Files files = [] {
    Files f;
    char pattern[] = "/tmp/vidodez-bench-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    f.dir = dir != nullptr ? dir : "/tmp";
    f.font = f.dir + "/BENCH.ttf";
    f.ours = f.dir + "/BENCH.prn";
    f.xxd = f.dir + "/xxd.txt";
    std::string bytes(kFontBytes, '\0');
    std::uint32_t seed = 1;
    for (char& byte : bytes) {
      seed = seed * 1664525u + 1013904223u;
      byte = static_cast<char>(seed >> 24);
    }
    std::ofstream(f.font, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return f;
  }();
  return files;
}

std::map<std::string, double>& Seconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

bool ConvertOurs() {
  vidodez::FontDownloadJob job;
  job.font_path = BenchFiles().font;
  job.font_size = kFontBytes;
  job.font_name = "BENCH";
  job.command_type = vidodez::FontCommandType::VRLZ;
  std::string command;
  return vidodez::BuildFontDownloadCommand(job, &command) == vidodez::kFontOk &&
         vidodez::WriteCommandFile(BenchFiles().ours, command) == vidodez::kFontOk;
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

double g_peak_mib = -1;

void BM_Ours(benchmark::State& state) {
  BenchFiles();
  g_peak_mib = ChildPeakMib();
  for (auto _ : state)
    if (!ConvertOurs()) state.SkipWithError("conversion failed");
  state.counters["peak_MiB"] = g_peak_mib;
}

void BM_Xxd(benchmark::State& state) {
  const std::string command = "xxd -p -c 32 '" + BenchFiles().font + "' > '" + BenchFiles().xxd + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
}

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_Xxd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Keeps each run's mean wall time for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred)
        Seconds()[run.benchmark_name()] = run.GetAdjustedRealTime() / 1000.0;
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto find = [&](const char* prefix) {
    for (const auto& [name, seconds] : Seconds())
      if (name.rfind(prefix, 0) == 0) return seconds;
    return -1.0;
  };
  const double ours = find("BM_Ours");
  const double xxd = find("BM_Xxd");
  const double font_mib = kFontBytes / (1024.0 * 1024.0);
  if (ours > 0 && xxd > 0) std::printf("ours / xxd:  %.3f (target <= 0.333)\n", ours / xxd);
  if (g_peak_mib >= 0)
    std::printf("peak memory: %.1f MiB, limit 2.2 x %.0f + 16 = %.1f MiB\n", g_peak_mib, font_mib,
                2.2 * font_mib + 16);
  for (const std::string& path : {BenchFiles().ours, BenchFiles().xxd, BenchFiles().font})
    std::remove(path.c_str());
  ::rmdir(BenchFiles().dir.c_str());
  benchmark::Shutdown();
  return 0;
}
