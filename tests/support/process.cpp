#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

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
    std::erase_if(env_strings, [&](const std::string& e) { return e.compare(0, name.size(), name) == 0; });
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
              int timeout_ms) {
  RunResult result;
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return result;
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return result;
  }
  pid_t pid = Spawn(argv, env, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_count = pid > 0 ? 2 : 0;
  while (open_count > 0 && Clock::now() < deadline) {
    if (poll(fds, 2, 100) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      ssize_t n = read(fds[i].fd, buffer, sizeof(buffer));
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else {
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
  close(out[0]);
  close(err[0]);
  if (pid > 0) {
    if (open_count > 0) kill(pid, SIGKILL);
    result.exit_code = WaitExit(pid);
  }
  return result;
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  std::vector<std::string> argv{BinDir() + "/vidodez-printer-sim"};
  argv.insert(argv.end(), args.begin(), args.end());
  int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
  pid_ = Spawn(argv, {}, out[1], err);
  close(out[1]);
  close(err);
  out_fd_ = out[0];
  std::string said;
  auto deadline = Clock::now() + std::chrono::seconds(20);
  while (pid_ > 0 && Clock::now() < deadline && said.find("ready\n") == std::string::npos) {
    pollfd pfd{out_fd_, POLLIN, 0};
    if (poll(&pfd, 1, 100) <= 0) continue;
    char buffer[256];
    ssize_t n = read(out_fd_, buffer, sizeof(buffer));
    if (n <= 0) break;
    said.append(buffer, static_cast<size_t>(n));
  }
  ready_ = said.find("ready\n") != std::string::npos;
}

SimProcess::~SimProcess() {
  if (pid_ > 0) Stop();
  if (out_fd_ >= 0) close(out_fd_);
}

void SimProcess::Signal(int signal) {
  if (pid_ > 0) kill(pid_, signal);
}

int SimProcess::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int code = WaitExit(pid_);
  pid_ = -1;
  return code;
}

}  // namespace vidodez::test
