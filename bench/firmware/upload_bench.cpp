// Uploading a 16 MiB firmware image to a simulated printer with its progress
// shown, against `vidodez-cli send-file` of the same file: `vidodez-cli
// firmware upgrade --yes` with stderr on a terminal (its progress bar drawn)
// may take at most 1.1 times as long. The page's own upload, its progress
// kept as the window's runner keeps it, is measured beside them.

#include <benchmark/benchmark.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/firmware/firmware_files.h"
#include "core/firmware/firmware_page.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/platform/sim/sim_bus_backend.h"
#include "core/platform/user_folders.h"
#include "core/shell/operator.h"
#include "sim/sim_printer.h"
#include "support/bench_folder.h"
#include "support/seconds_reporter.h"

extern char** environ;

namespace {

constexpr size_t kImageSize = 16u << 20;

struct Setup {
  Setup() : printer(folder.File("bus"), Options()) {
    ::mkdir(folder.File("bus").c_str(), 0700);
    started = printer.Start() == 0;
    image = folder.File("P1.bin");
    std::string bytes = "VT41-0152";
    bytes.resize(48, '\0');
    bytes.reserve(kImageSize);
    uint32_t seed = 1;
    while (bytes.size() < kImageSize) {
      seed = seed * 1664525u + 1013904223u;
      bytes.push_back(static_cast<char>(seed >> 24));
    }
    std::ofstream(image, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    vidodez::StampResult stamped;
    started = started && vidodez::StampFirmwareImage(image, &stamped) == 0;
    cli = vidodez::platform::ExecutableFolder() + "/vidodez-cli";
  }
  static vidodez::sim::PrinterOptions Options() {
    vidodez::sim::PrinterOptions options;
    options.keep_wire = false;
    return options;
  }

  vidodez::bench::BenchFolder folder;
  vidodez::sim::SimPrinter printer;
  bool started = false;
  std::string image;
  std::string cli;
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// Runs vidodez-cli on the bench's bus, stdout and stdin on /dev/null and
// stderr on a terminal when asked (read as the terminal would be); its exit
// status, -1 when it could not run.
int RunCli(const std::vector<std::string>& args, bool on_terminal) {
  Setup& s = Shared();
  std::vector<std::string> words{s.cli};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_text{"VIDODEZ_SIM_BUS=" + s.folder.File("bus"), "LC_ALL=C"};
  std::vector<char*> envp;
  for (std::string& entry : env_text) envp.push_back(entry.data());
  for (char** e = environ; *e != nullptr; ++e)
    if (std::string(*e).rfind("VIDODEZ_SIM_BUS=", 0) != 0 &&
        std::string(*e).rfind("LC_ALL=", 0) != 0)
      envp.push_back(*e);
  envp.push_back(nullptr);

  int terminal = -1;
  int err = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (on_terminal) {
    terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) return -1;
    ::close(err);
    err = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  int null_fd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, null_fd, 0);
  ::posix_spawn_file_actions_adddup2(&actions, null_fd, 1);
  ::posix_spawn_file_actions_adddup2(&actions, err, 2);
  pid_t pid = -1;
  const int spawned =
      ::posix_spawn(&pid, s.cli.c_str(), &actions, nullptr, argv.data(), envp.data());
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(null_fd);
  ::close(err);
  if (terminal >= 0) {
    // A terminal nobody reads fills up and stops the program's writes.
    char buffer[4096];
    while (spawned == 0) {
      ssize_t n = ::read(terminal, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
    }
    ::close(terminal);
  }
  if (spawned != 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void CliRun(benchmark::State& state, const std::vector<std::string>& args, bool on_terminal) {
  if (!Shared().started) return state.SkipWithError("no simulated printer");
  for (auto _ : state)
    if (RunCli(args, on_terminal) != 0) state.SkipWithError("vidodez-cli failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

void BM_CliSendFile(benchmark::State& state) {
  CliRun(state, {"send-file", Shared().image}, false);
}
BENCHMARK(BM_CliSendFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_CliFirmwareUpgradeOnTerminal(benchmark::State& state) {
  CliRun(state, {"firmware", "upgrade", "--yes", Shared().image}, true);
}
BENCHMARK(BM_CliFirmwareUpgradeOnTerminal)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

class Yes final : public vidodez::Operator {
 public:
  void Tell(const vidodez::OperatorMessage&) override {}
  bool Confirm(const vidodez::OperatorMessage&) override { return true; }
  bool ChooseFileToOpen(const vidodez::FileChoice&, std::string*) override { return false; }
  bool ChooseFileToSave(const vidodez::FileChoice&, std::string*) override { return false; }
  void WaitWithCountdown(int) override {}
};

// The page's upload with its progress kept in atomics, as the window's
// runner keeps it for the progress bar.
void BM_PageUploadWithProgress(benchmark::State& state) {
  Setup& s = Shared();
  if (!s.started) return state.SkipWithError("no simulated printer");
  vidodez::platform::SimBusBackend usb(s.folder.File("bus"));
  vidodez::CPrinterComm comm(usb);
  vidodez::FirmwareUpgradePage page;
  page.printer = vidodez::DisplayName(1, "MarliXPrinters VT-4100");
  Yes op;
  std::atomic<uint64_t> sent{0}, total{0};
  for (auto _ : state) {
    const int rc = page.UpgradeFile(comm, op, s.image, [&](uint64_t now_sent, uint64_t now_total) {
      sent.store(now_sent, std::memory_order_relaxed);
      total.store(now_total, std::memory_order_relaxed);
      return true;
    });
    if (rc != vidodez::kPortOk) state.SkipWithError("upload failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}
BENCHMARK(BM_PageUploadWithProgress)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  vidodez::bench::SecondsReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("firmware upgrade on a terminal / send-file",
                      "BM_CliFirmwareUpgradeOnTerminal", "BM_CliSendFile", "target <= 1.1");
  reporter.PrintRatio("the page's upload with progress / send-file", "BM_PageUploadWithProgress",
                      "BM_CliSendFile", "beside them");
  benchmark::Shutdown();
  return 0;
}
