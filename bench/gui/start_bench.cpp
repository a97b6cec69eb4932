// Start to the first painted main window, as the operator sees it: the whole
// program (loading, QApplication, skins, Sys.ini, the frame), against a bare
// Qt Widgets program showing one QTabWidget window, in the same run. Both run
// offscreen and stamp the moment of their first paint; the ratio of the two
// times (shown_ratio) is what counts. For vidodez, "filled_ms" is the start
// to the first paint of the settings page's own controls, a moment later.
//
// Then the idle cost: each program left running with its window shown (the
// settings page, its selector refreshed every 500 ms against one simulated
// printer), its processor time over a few seconds as a share of one core.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_printer.h"

extern char** environ;

namespace {

struct TempDir {
  TempDir() {
    char pattern[] = "/tmp/vidodez-start-bench-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string path;
};

// Nanoseconds on the clock every process shares.
long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Starts the program with its output discarded; -1 when it could not start.
pid_t Spawn(const std::string& program, std::vector<std::string> env) {
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, path.c_str(), &quiet, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&quiet);
  return spawned == 0 ? pid : -1;
}

// The moments the program wrote ("first 123", "PageRoot 456"), by name.
std::map<std::string, long long> ReadStamps(const std::string& file) {
  std::map<std::string, long long> stamps;
  std::ifstream in(file);
  std::string name;
  long long ns = 0;
  while (in >> name >> ns) stamps.emplace(name, ns);
  return stamps;
}

// One start of `program` in `home`: milliseconds from the spawn to its
// first paint, and to the first paint of the widget named `target` ("1":
// the first paint again). The exit is not timed: the operator does not wait
// for it. False when the program failed or stamped nothing.
bool TimeStart(const std::string& program, const std::string& target, const std::string& home,
               double* first_ms, double* target_ms) {
  const std::string stamps = home + "/stamps";
  const std::vector<std::string> env = {
      "QT_QPA_PLATFORM=offscreen", "VIDODEZ_QUIT_WHEN_SHOWN=" + target,
      "VIDODEZ_PAINT_STAMPS=" + stamps, "VIDODEZ_APPDATA=" + home, "VIDODEZ_SIM_BUS=" + home};
  std::filesystem::remove(stamps);
  const long long start = MonotonicNs();
  const pid_t pid = Spawn(program, env);
  int status = -1;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || status != 0) return false;
  const std::map<std::string, long long> moments = ReadStamps(stamps);
  const auto first = moments.find("first");
  const auto reached = moments.find(target == "1" ? "first" : target);
  if (first == moments.end() || reached == moments.end()) return false;
  *first_ms = static_cast<double>(first->second - start) / 1e6;
  *target_ms = static_cast<double>(reached->second - start) / 1e6;
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The two programs start in turn, so that the machine's drift over the run
// reaches both alike; the counters are the medians over the iterations and
// their ratios. The manual time is vidodez's start to its first paint.
// Filled: the settings page's own controls painted, not only the frame.
void BM_StartToFirstPaint(benchmark::State& state) {
  TempDir home;
  std::vector<double> bare;
  std::vector<double> shown;
  std::vector<double> filled;
  for (auto _ : state) {
    double bare_ms = 0;
    double unused = 0;
    double shown_ms = 0;
    double filled_ms = 0;
    if (!TimeStart(VIDODEZ_BENCH_BIN_DIR "/bare_tab_window", "1", home.path, &bare_ms, &unused) ||
        !TimeStart(VIDODEZ_BENCH_BIN_DIR "/vidodez", "PageRoot", home.path, &shown_ms,
                   &filled_ms)) {
      state.SkipWithError("a program failed or painted nothing");
      return;
    }
    bare.push_back(bare_ms);
    shown.push_back(shown_ms);
    filled.push_back(filled_ms);
    state.SetIterationTime(shown_ms / 1e3);
  }
  state.counters["bare_ms"] = Median(bare);
  state.counters["shown_ms"] = Median(shown);
  state.counters["filled_ms"] = Median(filled);
  state.counters["shown_ratio"] = Median(shown) / Median(bare);
  state.counters["filled_ratio"] = Median(filled) / Median(bare);
}
BENCHMARK(BM_StartToFirstPaint)->Iterations(21)->Unit(benchmark::kMillisecond)->UseManualTime();

// User and system time of a running process, in clock ticks.
long ProcessTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  // The command name may hold blanks; the fields count from after it.
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  long utime = 0;
  long stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return utime + stime;
}

void IdleShare(benchmark::State& state, const std::string& program) {
  TempDir home;
  vidodez::sim::PrinterOptions options;
  vidodez::sim::SimPrinter printer(home.path, options);
  if (printer.Start() != 0) {
    state.SkipWithError("simulated printer did not start");
    return;
  }
  const std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "VIDODEZ_APPDATA=" + home.path,
                                        "VIDODEZ_SIM_BUS=" + home.path};
  double share = 0;
  for (auto _ : state) {
    const pid_t pid = Spawn(program, env);
    if (pid < 0) {
      state.SkipWithError(program.c_str());
      return;
    }
    // Past the start-up, then a stretch of doing nothing but the refresh.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long before = ProcessTicks(pid);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const long after = ProcessTicks(pid);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (before < 0 || after < 0) {
      state.SkipWithError("no process times");
      return;
    }
    share = 100.0 * static_cast<double>(after - before) /
            static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;
  }
  state.counters["cpu_percent_of_core"] = share;
}

void BM_BareTabProgramIdle(benchmark::State& state) {
  IdleShare(state, VIDODEZ_BENCH_BIN_DIR "/bare_tab_window");
}
BENCHMARK(BM_BareTabProgramIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_VidodezIdle(benchmark::State& state) { IdleShare(state, VIDODEZ_BENCH_BIN_DIR "/vidodez"); }
BENCHMARK(BM_VidodezIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
