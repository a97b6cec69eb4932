#pragma once
// Runs the project's programs as a user would, for end-to-end tests: one
// file per system (process.cpp for POSIX, process_windows.cpp), chosen by
// the build.

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vidodez::test {

struct RunResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// The folder the programs were built into (VIDODEZ_BIN_DIR, set by CTest;
// on Windows the test program's own folder, which is the same one).
std::string BinDir();

// Runs a program to its end (killed after `timeout_ms`) with extra
// environment entries ("NAME=VALUE"), which replace inherited ones.
// `started`, if given, receives its process id once it runs, so another
// thread can signal it.
RunResult Run(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
              int timeout_ms = 30000, std::atomic<pid_t>* started = nullptr);
// The same with stderr on a terminal (a pseudo-terminal, read into `err`,
// where every line feed arrives as CR LF).
RunResult RunOnTerminal(const std::vector<std::string>& argv,
                        const std::vector<std::string>& env = {}, int timeout_ms = 30000);
// Why RunOnTerminal cannot run here; "" when it can.
std::string TerminalUnavailable();
#ifndef _WIN32
// Sends `signal` to the program of `started` once Run has set it; false if
// it was not set within two seconds. The program can act (write a file, say)
// before Run stores its id, and a signal sent to id 0 would reach this whole
// process group, the test runner's included: only this sends signals there.
bool SignalWhenStarted(const std::atomic<pid_t>& started, int signal);
#endif

// A vidodez-printer-sim process, started and waited for until it says "ready".
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool ready() const { return ready_; }
  // The simulator's printer leaves the bus and comes back, as a cable
  // pulled and put back (SIGUSR1 and SIGUSR2; Windows: its named events).
  void Unplug();
  void Plug();
  // Ends the process at once, as a crash would.
  void Kill();
  // Asks it to stop (SIGTERM; Windows: its stop event) and waits; the exit
  // code.
  int Stop();

 private:
  // The process and the read side of its stdout, as each system names them.
  struct Child;
  std::unique_ptr<Child> child_;
  bool ready_ = false;
};

}  // namespace vidodez::test
