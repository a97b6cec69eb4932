#pragma once
// A network namespace of the test's own (`ip netns add`), so a ping can meet
// a loopback that is down, or the kernel's ICMP datagram sockets allowed,
// without touching the machine's own network.

#include <functional>
#include <string>
#include <vector>

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
  // Runs `ip -n NAME ARGS...` on the namespace ("link", "add", ...).
  bool Ip(const std::vector<std::string>& args);

  // The calling thread inside the namespace while this lives, and every
  // thread it starts meanwhile: for work that must stay on its own thread,
  // such as a window's.
  class ThisThreadInside {
   public:
    explicit ThisThreadInside(const NetNamespace& ns);
    ~ThisThreadInside();
    ThisThreadInside(const ThisThreadInside&) = delete;
    ThisThreadInside& operator=(const ThisThreadInside&) = delete;
    bool entered() const { return entered_; }

   private:
    int home_ = -1;
    bool entered_ = false;
  };

 private:
  std::string ip_;
  std::string name_;
  std::string unavailable_;
};

}  // namespace vidodez::test
