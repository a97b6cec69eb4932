#pragma once
// A network namespace of the test's own (`ip netns add`), so a ping can meet
// a loopback that is down, or the kernel's ICMP datagram sockets allowed,
// without touching the machine's own network.

#include <functional>
#include <string>

namespace vidodez::test {

class NetNamespace {
 public:
  // The loopback comes up only when asked; `allow_ping_sockets` opens the
  // ICMP datagram sockets to every group inside.
  NetNamespace(bool loopback_up, bool allow_ping_sockets);
  ~NetNamespace();
  NetNamespace(const NetNamespace&) = delete;
  NetNamespace& operator=(const NetNamespace&) = delete;

  // Why no namespace could be made (not root, no `ip`), else empty.
  const std::string& unavailable() const { return unavailable_; }
  // Runs `work` on a thread that entered the namespace; false, without
  // running it, when the thread could not enter.
  bool RunInside(const std::function<void()>& work);

 private:
  std::string ip_;
  std::string name_;
  std::string unavailable_;
};

}  // namespace vidodez::test
