#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

extern char** environ;

namespace vidodez::test {
namespace {

using Clock = std::chrono::steady_clock;

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env,
            int out_fd, int err_fd) {
  // Later entries replace earlier ones of the same name.
  std::vector<std::string> env_strings;
  auto put = [&](const std::string& entry) {
    std::string name = entry.substr(0, entry.find('=') + 1);
    std::erase_if(env_strings,
                  [&](const std::string& e) { return e.compare(0, name.size(), name) == 0; });
    env_strings.push_back(entry);
  };
  for (char** e = environ; *e != nullptr; ++e) put(*e);
  for (const auto& e : extra_env) put(e);
  std::vector<char*> env_ptrs, arg_ptrs;
  for (auto& e : env_strings) env_ptrs.push_back(e.data());
  env_ptrs.push_back(nullptr);
  std::vector<std::string> args = argv;
  for (auto& a : args) arg_ptrs.push_back(a.data());
  arg_ptrs.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
  pid_t pid = -1;
  if (posix_spawn(&pid, arg_ptrs[0], &actions, nullptr, arg_ptrs.data(), env_ptrs.data()) != 0)
    pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string BinDir() {
  const char* dir = std::getenv("VIDODEZ_BIN_DIR");
  return dir != nullptr ? dir : "bin";
}

RunResult Run(const std::vector<std::string>& argv, const std::vector<std::string>& env,
              int timeout_ms, std::atomic<pid_t>* started) {
  RunResult result;
  // Files rather than pipes: nothing to pump while the program runs.
  TempDir dir;
  int out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  int err = open(dir.File("err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  pid_t pid = out >= 0 && err >= 0 ? Spawn(argv, env, out, err) : -1;
  close(out);
  close(err);
  if (pid <= 0) return result;
  if (started != nullptr) started->store(pid);
  // A pidfd turns readable when the program ends: a bounded wait without sleeping.
  int ended = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  pollfd pfd{ended, POLLIN, 0};
  int ready = -1;
  while (ended >= 0 && (ready = poll(&pfd, 1, timeout_ms)) < 0 && errno == EINTR) {
  }
  if (ready == 0) kill(pid, SIGKILL);
  if (ended >= 0) close(ended);
  result.exit_code = WaitExit(pid);
  result.out = ReadFileBytes(dir.File("out"));
  result.err = ReadFileBytes(dir.File("err"));
  return result;
}

bool SignalWhenStarted(const std::atomic<pid_t>& started, int signal) {
  for (int i = 0; i < 2000 && started.load() <= 0; ++i) usleep(1000);
  const pid_t pid = started.load();
  return pid > 0 && kill(pid, signal) == 0;
}

RunResult RunOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                        int timeout_ms) {
  RunResult result;
  TempDir dir;
  int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0) {
    if (terminal >= 0) close(terminal);
    return result;
  }
  int out = open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  int err = open(ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC);
  pid_t pid = out >= 0 && err >= 0 ? Spawn(argv, env, out, err) : -1;
  close(out);
  close(err);
  if (pid <= 0) {
    close(terminal);
    return result;
  }
  // The terminal must be read while the program writes, or it would block
  // on a full terminal; it reads EIO once the program's side is closed.
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    pollfd pfd{terminal, POLLIN, 0};
    if (poll(&pfd, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    char buffer[4096];
    ssize_t n = read(terminal, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    result.err.append(buffer, static_cast<size_t>(n));
  }
  close(terminal);
  result.exit_code = WaitExit(pid);
  result.out = ReadFileBytes(dir.File("out"));
  return result;
}

struct SimProcess::Child {
  pid_t pid = -1;
  int out_fd = -1;
};

std::string TerminalUnavailable() { return ""; }

SimProcess::SimProcess(const std::vector<std::string>& args) : child_(std::make_unique<Child>()) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  std::vector<std::string> argv{BinDir() + "/vidodez-printer-sim"};
  argv.insert(argv.end(), args.begin(), args.end());
  int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
  child_->pid = Spawn(argv, {}, out[1], err);
  close(out[1]);
  close(err);
  child_->out_fd = out[0];
  std::string said;
  auto deadline = Clock::now() + std::chrono::seconds(20);
  while (child_->pid > 0 && Clock::now() < deadline && said.find("ready\n") == std::string::npos) {
    pollfd pfd{child_->out_fd, POLLIN, 0};
    if (poll(&pfd, 1, 100) <= 0) continue;
    char buffer[256];
    ssize_t n = read(child_->out_fd, buffer, sizeof(buffer));
    if (n <= 0) break;
    said.append(buffer, static_cast<size_t>(n));
  }
  ready_ = said.find("ready\n") != std::string::npos;
}

SimProcess::~SimProcess() {
  if (child_->pid > 0) Stop();
  if (child_->out_fd >= 0) close(child_->out_fd);
}

void SimProcess::Unplug() {
  if (child_->pid > 0) kill(child_->pid, SIGUSR1);
}

void SimProcess::Plug() {
  if (child_->pid > 0) kill(child_->pid, SIGUSR2);
}

void SimProcess::Kill() {
  if (child_->pid > 0) kill(child_->pid, SIGKILL);
}

int SimProcess::Stop() {
  if (child_->pid <= 0) return -1;
  kill(child_->pid, SIGTERM);
  int code = WaitExit(child_->pid);
  child_->pid = -1;
  return code;
}

}  // namespace vidodez::test
