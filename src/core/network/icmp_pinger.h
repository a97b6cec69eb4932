#pragma once
// The ping of the printer's address: ICMP echo requests of its own, each
// waited for in 100 ms slices until its reply or its time-out. The sequence
// numbers run on across pingers for the whole process, so a late reply to an
// earlier ping is never taken for an answer to this one.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "core/platform/icmp_socket.h"

namespace vidodez {

inline constexpr int kPingTimeoutMs = 2000;
inline constexpr int kPingWaitSliceMs = 100;

// What a matching reply told.
struct EchoResult {
  uint16_t sequence = 0;
  uint32_t response_ms = 0;
  int data_bytes = 0;
  int ttl = -1;  // -1 when the socket does not report it
};

class IcmpPinger {
 public:
  // Opens the system's ICMP socket (raw, else datagram).
  IcmpPinger();
  // Uses `socket`; without one, every Echo fails with kPingSocketUnavailable
  // and `open_error` says why.
  explicit IcmpPinger(std::unique_ptr<platform::IcmpSocket> socket, int open_error = 0);

  bool usable() const { return socket_ != nullptr; }
  // The errno of the refused socket.
  int open_error() const { return open_error_; }
  // The errno behind the last Echo's failure: the refused socket's, the
  // send's or the last failed receive's; 0 after a reply or a quiet time-out.
  int last_error() const { return last_error_; }
  const platform::IcmpSocket* socket() const { return socket_.get(); }

  // One request and, when `result` is given, the wait of up to `timeout_ms`
  // for its reply; datagrams that do not answer it are read and dropped, and
  // a receive that fails is tried again within the same wait.
  // kNetworkOk, kPingSocketUnavailable, kPingSendFailed, kPingNoReply, or
  // kPingReceiveFailed for a time-out after a receive had failed.
  [[nodiscard]] int Echo(const std::array<uint8_t, 4>& address, EchoResult* result, int timeout_ms);

 private:
  // The low 16 bits of the process id, or the one the kernel puts in.
  void TakeIdentifier();

  std::unique_ptr<platform::IcmpSocket> socket_;
  int open_error_ = 0;
  int last_error_ = 0;
  uint16_t identifier_ = 0;
};

// One request of a ping, reported as soon as it is answered or given up.
struct PingRequest {
  int index = 0;  // 0 for the first
  int code = 0;   // Echo's
  int error = 0;  // IcmpPinger::last_error() after it
  EchoResult echo;
};
using PingObserver = std::function<void(const PingRequest& request)>;

// `count` requests to `address`, one after the other, 2000 ms each, on a
// pinger of their own. kNetworkOk when at least one was answered, else the
// last request's code (ParseIpv4Address's for an unusable text, which sends
// nothing; kPingNoReply for a count below 1).
[[nodiscard]] int PingAddress(std::string_view address, int count,
                              const PingObserver& observe = {});

}  // namespace vidodez
