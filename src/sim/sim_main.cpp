// vidodez-printer-sim: one simulated printer, until SIGINT or SIGTERM.

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/link/io_error_texts.h"
#include "core/platform/process.h"
#include "core/platform/usb_printing.h"
#include "core/shell/program_version.h"
#include "sim/gadget_transport.h"
#include "sim/label_folder.h"
#include "sim/sim_files.h"
#include "sim/sim_options.h"
#include "sim/sim_printer.h"

namespace {

using vidodez::platform::ProgramSignal;

int ServeBus(const vidodez::sim::SimCommandLine& line) {
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
    const ProgramSignal signal = vidodez::platform::WaitForProgramSignal();
    if (signal == ProgramSignal::kUnplug) {
      printer.Unplug();
    } else if (signal == ProgramSignal::kPlug) {
      if (int rc = printer.Plug(); rc != 0)
        std::fprintf(stderr, "vidodez-printer-sim: cannot plug in: %s\n",
                     vidodez::SystemErrorText(rc).c_str());
    } else {
      return 0;  // the destructor unplugs
    }
  }
}

// The printer served over the kernel's printer gadget instead of the bus.
int ServeGadget(const vidodez::sim::SimCommandLine& line) {
  vidodez::sim::PrinterModel model(line.printer);
  std::mutex mutex;
  std::atomic<bool> stop{false};
  int rc = 0;
  std::thread server([&] {
    rc = vidodez::sim::RunGadgetTransport(model, mutex, line.gadget, stop, [] {
      std::printf("ready\n");
      std::fflush(stdout);
    });
    if (rc != 0) vidodez::platform::RequestStop();  // ends the wait below
  });
  while (vidodez::platform::WaitForProgramSignal() != ProgramSignal::kStop) {
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
  std::vector<std::string> args = vidodez::platform::ProgramArguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());
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
  // Refused here, before anything could wait on a FIFO with the signals
  // held, or run keeping nothing.
  if (const std::string problem = vidodez::sim::SimFilesProblem(line.printer); !problem.empty()) {
    std::fprintf(stderr, "vidodez-printer-sim: %s\n", problem.c_str());
    return 1;
  }
  if (!line.label_dir.empty()) {
    std::error_code made;
    std::filesystem::create_directories(line.label_dir, made);
    if (made || !std::filesystem::is_directory(line.label_dir)) {
      std::fprintf(stderr, "vidodez-printer-sim: cannot make the label folder %s: %s\n",
                   line.label_dir.c_str(), made ? made.message().c_str() : "not a folder");
      return 2;
    }
    if (int rc = vidodez::sim::MakeLabelFolderSink(line.label_dir, stdout, stderr,
                                                   &line.printer.label_sink);
        rc != 0) {
      std::fprintf(stderr, "vidodez-printer-sim: cannot draw labels: %s\n",
                   vidodez::SystemErrorText(rc).c_str());
      return 2;
    }
  }
  // Signals are taken on this thread alone, before the serving threads start.
  vidodez::platform::TakeProgramSignals();

  return line.gadget.empty() ? ServeBus(line) : ServeGadget(line);
}
