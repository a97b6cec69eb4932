// vidodez-printer-sim: one simulated printer, until SIGINT or SIGTERM.

#include <signal.h>
#include <string.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/link/io_error_texts.h"
#include "core/platform/usb_printing.h"
#include "core/shell/program_version.h"
#include "sim/gadget_transport.h"
#include "sim/label_folder.h"
#include "sim/sim_options.h"
#include "sim/sim_printer.h"

namespace {

int ServeBus(const vidodez::sim::SimCommandLine& line, const sigset_t& signals) {
  std::string bus = line.bus_dir.empty() ? vidodez::platform::DefaultSimBusDir() : line.bus_dir;
  vidodez::sim::SimPrinter printer(bus, line.printer);
  if (int rc = printer.Start(); rc != 0) {
    std::fprintf(stderr, "vidodez-printer-sim: cannot register on %s: %s\n", bus.c_str(),
                 vidodez::SystemErrorText(rc).c_str());
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0) continue;
    if (signal == SIGUSR1) {
      printer.Unplug();
    } else if (signal == SIGUSR2) {
      if (int rc = printer.Plug(); rc != 0)
        std::fprintf(stderr, "vidodez-printer-sim: cannot plug in: %s\n",
                     vidodez::SystemErrorText(rc).c_str());
    } else {
      return 0;  // the destructor unplugs
    }
  }
}

// The printer served over the kernel's printer gadget instead of the bus.
int ServeGadget(const vidodez::sim::SimCommandLine& line, const sigset_t& signals) {
  vidodez::sim::PrinterModel model(line.printer);
  std::mutex mutex;
  std::atomic<bool> stop{false};
  int rc = 0;
  std::thread server([&] {
    rc = vidodez::sim::RunGadgetTransport(model, mutex, line.gadget, stop, [] {
      std::printf("ready\n");
      std::fflush(stdout);
    });
    if (rc != 0) kill(getpid(), SIGTERM);  // wakes the sigwait below
  });
  for (;;) {
    int signal = 0;
    if (sigwait(&signals, &signal) == 0 && signal != SIGUSR1 && signal != SIGUSR2) break;
  }
  stop = true;
  server.join();
  if (rc != 0) {
    std::fprintf(stderr, "vidodez-printer-sim: cannot serve %s: %s\n", line.gadget.c_str(),
                 vidodez::SystemErrorText(rc).c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  vidodez::sim::SimCommandLine line;
  std::string error;
  if (vidodez::sim::ParseSimCommandLine(args, &line, &error) != 0) {
    std::fprintf(stderr, "vidodez-printer-sim: %s\n%s", error.c_str(), vidodez::sim::kSimUsage);
    return 2;
  }
  if (line.help) {
    std::fputs(vidodez::sim::kSimUsage, stdout);
    return 0;
  }
  if (line.version) {
    std::printf("%s\n", vidodez::VersionLine("vidodez-printer-sim").c_str());
    return 0;
  }
  // Only in-process tests read the received bytes from memory; this process
  // shows them through --wire-log alone, and a long send must not pile up
  // in its memory or stall its answers while the pile is moved.
  line.printer.keep_wire = false;
  if (!line.label_dir.empty()) {
    std::error_code made;
    std::filesystem::create_directories(line.label_dir, made);
    if (made || !std::filesystem::is_directory(line.label_dir)) {
      std::fprintf(stderr, "vidodez-printer-sim: cannot make the label folder %s: %s\n",
                   line.label_dir.c_str(), made ? made.message().c_str() : "not a folder");
      return 2;
    }
    line.printer.label_sink = vidodez::sim::LabelFolderSink(line.label_dir, stdout, stderr);
  }
  // Signals are taken by sigwait on this thread alone; the serving threads
  // started below inherit the mask.
  sigset_t signals;
  sigemptyset(&signals);
  for (int s : {SIGINT, SIGTERM, SIGUSR1, SIGUSR2, SIGHUP}) sigaddset(&signals, s);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  return line.gadget.empty() ? ServeBus(line, signals) : ServeGadget(line, signals);
}
