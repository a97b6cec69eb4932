#pragma once
// Runs the project's programs as a user would, for end-to-end tests.

#include <sys/types.h>

#include <atomic>
#include <string>
#include <vector>

namespace vidodez::test {

struct RunResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// The folder the programs were built into (VIDODEZ_BIN_DIR, set by CTest).
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

// A vidodez-printer-sim process, started and waited for until it says "ready".
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool ready() const { return ready_; }
  void Signal(int signal);
  // Sends SIGTERM and waits; the exit code.
  int Stop();

 private:
  pid_t pid_ = -1;
  int out_fd_ = -1;
  bool ready_ = false;
};

}  // namespace vidodez::test
