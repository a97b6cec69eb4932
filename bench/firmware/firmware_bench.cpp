// Stamping a 64 MiB image against `cat FILE > /dev/null` reading the same
// file, and refreshing the list of a folder of 1000 files. The ratio and the
// refresh time are printed after the runs.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_list.h"

namespace {

constexpr size_t kImageSize = 64u << 20;
constexpr int kFolderFiles = 1000;

struct Files {
  std::string dir;
  std::string image;
  std::string folder;
};

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const Files& BenchFiles() {
  static const Files files = [] {
    Files f;
    char pattern[] = "/tmp/vidodez-bench-XXXXXX";
    const char* dir = ::mkdtemp(pattern);
    if (dir == nullptr) std::abort();
    f.dir = dir;
    f.image = f.dir + "/P1.BIN";
    std::string image(kImageSize, '\0');
    std::uint32_t seed = 1;
    for (size_t i = 0; i < 16; ++i) image[i] = "VT-4100"[i % 8];
    for (size_t i = 48; i < image.size(); ++i) {
      seed = seed * 1664525u + 1013904223u;
      image[i] = static_cast<char>(seed >> 24);
    }
    Write(f.image, image);
    // Stamped images, printer command files and files that are not listed.
    f.folder = f.dir + "/Firmware";
    std::filesystem::create_directory(f.folder);
    std::string small(4096, 'x');
    small.replace(16, 4, std::string(4, '\0'));
    for (int i = 0; i < kFolderFiles; ++i) {
      const std::string n = std::to_string(i);
      if (i % 2 == 0) Write(f.folder + "/P" + n + ".BIN", small);
      else if (i % 5 != 0)
        Write(f.folder + "/cmd" + n + ".txt", "^XA\r\n^FO10,10^FDtest^FS\r\n^XZ\r\n");
      else Write(f.folder + "/notes" + n + ".dat", "x");
    }
    return f;
  }();
  return files;
}

std::map<std::string, double>& Seconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

void BM_Stamp(benchmark::State& state) {
  const std::string& path = BenchFiles().image;
  const int fd = ::open(path.c_str(), O_WRONLY);
  for (auto _ : state) {
    state.PauseTiming();
    if (::pwrite(fd, "\0\0\0\0", 4, 16) != 4) std::abort();
    state.ResumeTiming();
    vidodez::StampResult result;
    if (vidodez::StampFirmwareImage(path, &result) != vidodez::kFirmwareOk || !result.written)
      state.SkipWithError("stamp failed");
  }
  ::close(fd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

void BM_Cat(benchmark::State& state) {
  const std::string command = "cat '" + BenchFiles().image + "' > /dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

void BM_RefreshFolderOf1000Files(benchmark::State& state) {
  const std::vector<std::string> folders{BenchFiles().folder};
  size_t rows = 0;
  for (auto _ : state) rows = vidodez::RefreshFirmwareList(folders).size();
  state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_Stamp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Cat)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RefreshFolderOf1000Files)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each run's mean wall time for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred) Seconds()[run.benchmark_name()] = run.GetAdjustedRealTime() / 1000.0;
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto find = [](const char* prefix) {
    for (const auto& [name, seconds] : Seconds())
      if (name.rfind(prefix, 0) == 0) return seconds;
    return -1.0;
  };
  const double stamp = find("BM_Stamp");
  const double cat = find("BM_Cat");
  const double refresh = find("BM_RefreshFolderOf1000Files");
  if (stamp > 0 && cat > 0) std::printf("stamp / cat:     %.3f (target <= 1.5)\n", stamp / cat);
  if (refresh > 0) std::printf("refresh of 1000: %.2f ms (target <= 50)\n", refresh * 1000.0);
  std::error_code ignored;
  std::filesystem::remove_all(BenchFiles().dir, ignored);
  benchmark::Shutdown();
  return 0;
}
