#include "support/net_namespace.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "support/process.h"

namespace vidodez::test {
namespace {

std::string FindIp() {
  for (const char* path : {"/usr/sbin/ip", "/sbin/ip", "/usr/bin/ip", "/bin/ip"})
    if (access(path, X_OK) == 0) return path;
  return "";
}

}  // namespace

NetNamespace::NetNamespace(bool loopback_up, bool allow_ping_sockets) {
  static std::atomic<int> made{0};
  if (geteuid() != 0) {
    unavailable_ = "making a network namespace needs root";
    return;
  }
  ip_ = FindIp();
  if (ip_.empty()) {
    unavailable_ = "iproute2's ip is not installed";
    return;
  }
  std::string name = "vidodez-test-" + std::to_string(getpid()) + "-" + std::to_string(made++);
  RunResult added = Run({ip_, "netns", "add", name});
  if (added.exit_code != 0) {
    unavailable_ = "ip netns add failed: " + added.err;
    return;
  }
  name_ = name;
  std::vector<std::vector<std::string>> steps;
  if (loopback_up) steps.push_back({ip_, "-n", name_, "link", "set", "lo", "up"});
  if (allow_ping_sockets)
    steps.push_back({ip_, "netns", "exec", name_, "/bin/sh", "-c",
                     "echo 0 2147483647 > /proc/sys/net/ipv4/ping_group_range"});
  for (const auto& step : steps) {
    RunResult done = Run(step);
    if (done.exit_code != 0) unavailable_ = "setting up the namespace failed: " + done.err;
  }
}

NetNamespace::~NetNamespace() {
  if (!name_.empty()) Run({ip_, "netns", "del", name_});
}

bool NetNamespace::RunInside(const std::function<void()>& work) {
  if (name_.empty()) return false;
  bool entered = false;
  // setns changes the namespace of the calling thread only.
  std::thread inside([&] {
    int fd = open(("/run/netns/" + name_).c_str(), O_RDONLY | O_CLOEXEC);
    entered = fd >= 0 && setns(fd, CLONE_NEWNET) == 0;
    if (fd >= 0) close(fd);
    if (entered) work();
  });
  inside.join();
  return entered;
}

bool NetNamespace::Ip(const std::vector<std::string>& args) {
  if (name_.empty()) return false;
  std::vector<std::string> argv{ip_, "-n", name_};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(argv).exit_code == 0;
}

NetNamespace::ThisThreadInside::ThisThreadInside(const NetNamespace& ns) {
  if (ns.name_.empty()) return;
  home_ = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
  int fd = open(("/run/netns/" + ns.name_).c_str(), O_RDONLY | O_CLOEXEC);
  entered_ = home_ >= 0 && fd >= 0 && setns(fd, CLONE_NEWNET) == 0;
  if (fd >= 0) close(fd);
}

NetNamespace::ThisThreadInside::~ThisThreadInside() {
  if (entered_) (void)setns(home_, CLONE_NEWNET);
  if (home_ >= 0) close(home_);
}

}  // namespace vidodez::test
