// Start to the first painted main window, as the operator sees it: the whole
// program (loading, QApplication, skins, Sys.ini, the six pages), against a
// bare Qt Widgets program showing one QTabWidget window, in the same run.
// Both run offscreen and end at their first paint. The ratio of the two
// times is what counts.
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
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

void RunProgram(benchmark::State& state, const std::string& program) {
  TempDir home;
  const std::string command = "QT_QPA_PLATFORM=offscreen VIDODEZ_QUIT_WHEN_SHOWN=1 VIDODEZ_APPDATA=" +
                              home.path + " VIDODEZ_SIM_BUS=" + home.path + " " + program +
                              " >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(program.c_str());
      break;
    }
  }
}

void BM_BareTabProgramShown(benchmark::State& state) {
  RunProgram(state, VIDODEZ_BENCH_BIN_DIR "/bare_tab_window");
}
BENCHMARK(BM_BareTabProgramShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VidodezShown(benchmark::State& state) {
  RunProgram(state, VIDODEZ_BENCH_BIN_DIR "/vidodez");
}
BENCHMARK(BM_VidodezShown)->Unit(benchmark::kMillisecond)->UseRealTime();

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
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "VIDODEZ_APPDATA=" + home.path,
                                  "VIDODEZ_SIM_BUS=" + home.path};
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  double share = 0;
  for (auto _ : state) {
    pid_t pid = -1;
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, path.c_str(), &quiet, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
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

void BM_VidodezIdle(benchmark::State& state) {
  IdleShare(state, VIDODEZ_BENCH_BIN_DIR "/vidodez");
}
BENCHMARK(BM_VidodezIdle)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
