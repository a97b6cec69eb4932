#include "core/network/icmp_pinger.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <deque>
#include <limits>
#include <thread>
#include <vector>

#include "core/network/echo_packet.h"
#include "core/network/network_codes.h"
#include "core/platform/linux/icmp_sockets.h"
#include "support/net_namespace.h"

namespace vidodez {
namespace {

using Bytes = std::vector<uint8_t>;
using platform::IcmpSocketKind;
constexpr std::array<uint8_t, 4> kLoopback{127, 0, 0, 1};

// The reply to `request` as `type`, with `identifier`, behind an IP header of
// `header_size` bytes.
Bytes Answer(const Bytes& request, uint8_t type, uint16_t identifier, size_t header_size) {
  Bytes out(header_size, 0);
  out[0] = static_cast<uint8_t>(0x40 | header_size / 4);
  out[8] = 64;
  out.insert(out.end(), request.begin(), request.end());
  out[header_size] = type;
  out[header_size + 4] = static_cast<uint8_t>(identifier);
  out[header_size + 5] = static_cast<uint8_t>(identifier >> 8);
  return out;
}

uint16_t SequenceOf(const Bytes& request) {
  return static_cast<uint16_t>(request[6] | request[7] << 8);
}

// Answers every request with what its script makes of it, then stays quiet.
class FakeSocket final : public platform::IcmpSocket {
 public:
  using Script = std::vector<Bytes> (*)(const Bytes& request);
  FakeSocket(Script script, std::vector<Bytes>* sent) : script_(script), sent_(sent) {}

  int send_error = 0;
  int receive_error = 0;
  int failing_receives = std::numeric_limits<int>::max();  // how many end in receive_error

  IcmpSocketKind kind() const override { return IcmpSocketKind::kRaw; }
  bool KernelIdentifier(uint16_t*) const override { return false; }
  int SendTo(const std::array<uint8_t, 4>&, const uint8_t* data, size_t size) override {
    sent_->emplace_back(data, data + size);
    for (Bytes& datagram : script_(sent_->back())) pending_.push_back(std::move(datagram));
    return send_error;
  }
  int Receive(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got, int* ttl) override {
    *ttl = -1;
    if (receive_error != 0 && failing_receives > 0) {
      --failing_receives;
      return receive_error;
    }
    if (pending_.empty()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(timeout_ms));
      return ETIMEDOUT;
    }
    Bytes datagram = std::move(pending_.front());
    pending_.pop_front();
    *got = std::min(capacity, datagram.size());
    std::copy_n(datagram.begin(), *got, buffer);
    return 0;
  }

 private:
  Script script_;
  std::vector<Bytes>* sent_;
  std::deque<Bytes> pending_;
};

uint16_t Pid() { return static_cast<uint16_t>(getpid()); }

std::vector<Bytes> Silence(const Bytes&) { return {}; }

TEST(IcmpPinger, DropsWhatDoesNotAnswerTheRequest) {
  std::vector<Bytes> sent;
  auto script = [](const Bytes& request) {
    return std::vector<Bytes>{
        Answer(request, kIcmpEchoRequest, Pid(), 20),  // the request itself, on loopback
        Answer(request, 3, Pid(), 20),                 // right numbers, wrong type
        Answer(request, kIcmpEchoReply, static_cast<uint16_t>(Pid() + 1), 20),
        Bytes{0x45, 0},                              // garbage
        Answer(request, kIcmpEchoReply, Pid(), 24),  // header with options
    };
  };
  IcmpPinger pinger(std::make_unique<FakeSocket>(script, &sent));
  EchoResult result;
  ASSERT_EQ(kNetworkOk, pinger.Echo(kLoopback, &result, kPingTimeoutMs));
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(kEchoRequestSize, sent[0].size());
  EXPECT_EQ(0, InternetChecksum(sent[0]));
  EXPECT_EQ(Pid(), sent[0][4] | sent[0][5] << 8);
  EXPECT_EQ(SequenceOf(sent[0]), result.sequence);
  EXPECT_EQ(32, result.data_bytes);
  EXPECT_EQ(64, result.ttl);
}

TEST(IcmpPinger, FailedReceiveIsRetriedWithinTheWait) {
  std::vector<Bytes> sent;
  auto script = [](const Bytes& request) {
    return std::vector<Bytes>{Answer(request, kIcmpEchoReply, Pid(), 20)};
  };
  auto socket = std::make_unique<FakeSocket>(script, &sent);
  socket->receive_error = ECONNREFUSED;  // an error queued for an earlier datagram
  socket->failing_receives = 2;
  IcmpPinger pinger(std::move(socket));
  EchoResult result;
  int code = pinger.Echo(kLoopback, &result, kPingTimeoutMs);
  EXPECT_EQ(kNetworkOk, code) << NetworkCodeName(code);
  EXPECT_EQ(0, pinger.last_error());
  ASSERT_EQ(1u, sent.size());
  EXPECT_EQ(SequenceOf(sent[0]), result.sequence);
}

TEST(IcmpPinger, FailuresEndTheRequest) {
  struct Case {
    const char* what;
    FakeSocket::Script script;
    int send_error, receive_error, code;
  } cases[] = {
      {"silence", Silence, 0, 0, kPingNoReply},
      {"only a wrong type",
       [](const Bytes& r) { return std::vector<Bytes>{Answer(r, 3, Pid(), 20)}; }, 0, 0,
       kPingNoReply},
      {"send refused", Silence, ENETUNREACH, 0, kPingSendFailed},
      {"receive fails", Silence, 0, EBADF, kPingReceiveFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Bytes> sent;
    auto socket = std::make_unique<FakeSocket>(c.script, &sent);
    socket->send_error = c.send_error;
    socket->receive_error = c.receive_error;
    IcmpPinger pinger(std::move(socket));
    EchoResult result;
    EXPECT_EQ(c.code, pinger.Echo(kLoopback, &result, 250)) << NetworkCodeName(c.code);
    EXPECT_EQ(c.send_error + c.receive_error, pinger.last_error());
  }
  IcmpPinger none(nullptr, EACCES);
  EXPECT_FALSE(none.usable());
  EXPECT_EQ(EACCES, none.open_error());
  EXPECT_EQ(kPingSocketUnavailable, none.Echo({127, 0, 0, 1}, nullptr, 100));
  EXPECT_EQ(EACCES, none.last_error());
}

// System calls of a user without the right to raw sockets, and of one who
// may not open datagram sockets either.
int RefuseRaw(int domain, int type, int protocol) {
  if ((type & ~(SOCK_CLOEXEC | SOCK_NONBLOCK)) != SOCK_RAW) return ::socket(domain, type, protocol);
  errno = EPERM;
  return -1;
}
int RefuseAll(int, int type, int) {
  errno = (type & ~(SOCK_CLOEXEC | SOCK_NONBLOCK)) == SOCK_RAW ? EPERM : EACCES;
  return -1;
}

TEST(IcmpSockets, NoSocketAtAllIsReported) {
  platform::IcmpSyscalls sys = platform::DefaultIcmpSyscalls();
  sys.socket = RefuseAll;
  std::unique_ptr<platform::IcmpSocket> socket;
  EXPECT_EQ(EACCES, platform::OpenLinuxIcmpSocket(sys, &socket));
  EXPECT_EQ(nullptr, socket);
}

// Collects a ping's requests as they are reported.
struct Observed {
  std::vector<PingRequest> requests;
  PingObserver observer() {
    return [this](const PingRequest& request) { requests.push_back(request); };
  }
};

TEST(IcmpPingerLive, LoopbackAnswersAndSequencesRunOn) {
  IcmpPinger probe;
  if (!probe.usable())
    GTEST_SKIP() << "no ICMP socket for this user: " << std::strerror(probe.open_error());
  Observed observed;
  ASSERT_EQ(kNetworkOk, PingAddress("127.0.0.1", 2, observed.observer()));
  // Decimal octets: "009" is no octal number.
  ASSERT_EQ(kNetworkOk, PingAddress("127.000.000.009", 1, observed.observer()));
  ASSERT_EQ(3u, observed.requests.size());
  for (size_t i = 0; i < observed.requests.size(); ++i) {
    const PingRequest& request = observed.requests[i];
    EXPECT_EQ(kNetworkOk, request.code) << i;
    EXPECT_EQ(32, request.echo.data_bytes);
    EXPECT_EQ(64, request.echo.ttl);
    EXPECT_EQ(static_cast<uint16_t>(observed.requests[0].echo.sequence + i), request.echo.sequence);
  }
  EXPECT_EQ(1, observed.requests[1].index);
  EXPECT_EQ(0, observed.requests[2].index);
}

TEST(IcmpPingerLive, DatagramSocketAnswersWhereRawIsRefused) {
  test::NetNamespace ns(true, true);
  if (!ns.unavailable().empty()) GTEST_SKIP() << ns.unavailable();
  ASSERT_TRUE(ns.RunInside([] {
    platform::IcmpSyscalls sys = platform::DefaultIcmpSyscalls();
    sys.socket = RefuseRaw;
    std::unique_ptr<platform::IcmpSocket> socket;
    ASSERT_EQ(0, platform::OpenLinuxIcmpSocket(sys, &socket));
    EXPECT_EQ(IcmpSocketKind::kDatagram, socket->kind());
    IcmpPinger pinger(std::move(socket));
    for (int i = 0; i < 2; ++i) {
      EchoResult result;
      ASSERT_EQ(kNetworkOk, pinger.Echo({127, 0, 0, 1}, &result, kPingTimeoutMs));
      EXPECT_EQ(32, result.data_bytes);
      EXPECT_EQ(64, result.ttl);
    }
  }));
}

TEST(IcmpPingerLive, FailsWhereLoopbackIsDown) {
  test::NetNamespace ns(false, true);
  if (!ns.unavailable().empty()) GTEST_SKIP() << ns.unavailable();
  ASSERT_TRUE(ns.RunInside([] {
    Observed observed;
    int code = PingAddress("127.0.0.1", 2, observed.observer());
    EXPECT_EQ(kPingSendFailed, code) << NetworkCodeName(code);
    ASSERT_EQ(2u, observed.requests.size());
    for (const PingRequest& request : observed.requests) {
      EXPECT_EQ(kPingSendFailed, request.code) << NetworkCodeName(request.code);
      EXPECT_EQ(ENETUNREACH, request.error);
    }
  }));
}

}  // namespace
}  // namespace vidodez
