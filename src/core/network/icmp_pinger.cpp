#include "core/network/icmp_pinger.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "core/network/echo_packet.h"
#include "core/network/network_addresses.h"
#include "core/network/network_codes.h"
#include "core/platform/process.h"

namespace vidodez {
namespace {

std::atomic<uint16_t> g_last_sequence{0};

// Monotonic, so a change of the wall clock during a wait neither ends it at
// once nor stretches it.
uint64_t ClockMs() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

IcmpPinger::IcmpPinger() {
  open_error_ = platform::OpenIcmpSocket(&socket_);
  if (open_error_ != 0) socket_.reset();
  TakeIdentifier();
}

IcmpPinger::IcmpPinger(std::unique_ptr<platform::IcmpSocket> socket, int open_error)
    : socket_(std::move(socket)), open_error_(open_error) {
  TakeIdentifier();
}

void IcmpPinger::TakeIdentifier() {
  identifier_ = static_cast<uint16_t>(platform::ProcessId());
  uint16_t kernel_identifier = 0;
  if (socket_ && socket_->KernelIdentifier(&kernel_identifier)) identifier_ = kernel_identifier;
}

int IcmpPinger::Echo(const std::array<uint8_t, 4>& address, EchoResult* result, int timeout_ms) {
  last_error_ = open_error_;
  if (!socket_) return kPingSocketUnavailable;
  uint16_t sequence = ++g_last_sequence;
  uint64_t stamp = ClockMs();
  auto request = BuildEchoRequest(identifier_, sequence, static_cast<uint32_t>(stamp));
  last_error_ = socket_->SendTo(address, request.data(), request.size());
  if (last_error_ != 0) return kPingSendFailed;
  if (result == nullptr) return kNetworkOk;

  bool has_ip_header = socket_->kind() == platform::IcmpSocketKind::kRaw;
  std::array<uint8_t, kEchoReplyCapacity> buffer;
  // A receive that failed (an ICMP error the kernel queued for an earlier
  // datagram, say) does not end the wait: the reply may still come.
  int receive_error = 0;
  for (;;) {
    uint64_t waited = ClockMs() - stamp;
    if (waited >= static_cast<uint64_t>(std::max(timeout_ms, 0))) {
      last_error_ = receive_error;
      return receive_error != 0 ? kPingReceiveFailed : kPingNoReply;
    }
    int slice = static_cast<int>(
        std::min<uint64_t>(kPingWaitSliceMs, static_cast<uint64_t>(timeout_ms) - waited));
    size_t got = 0;
    int ttl = -1;
    uint64_t slice_start = ClockMs();
    int rc = socket_->Receive(buffer.data(), buffer.size(), slice, &got, &ttl);
    uint64_t receipt = ClockMs();
    if (rc == ETIMEDOUT) continue;
    if (rc != 0) {
      receive_error = rc;
      // The rest of the slice is waited out, so an error that repeats at
      // once does not spin until the time-out.
      uint64_t spent = receipt - slice_start;
      if (spent < static_cast<uint64_t>(slice))
        std::this_thread::sleep_for(
            std::chrono::milliseconds(static_cast<uint64_t>(slice) - spent));
      continue;
    }
    EchoReplyFields reply;
    if (ParseEchoReply(std::span(buffer.data(), got), has_ip_header, &reply) != kNetworkOk ||
        !AnswersRequest(reply, identifier_, sequence))
      continue;
    result->sequence = sequence;
    result->response_ms = static_cast<uint32_t>(receipt) - reply.timestamp;
    result->data_bytes = reply.data_bytes;
    result->ttl = has_ip_header ? reply.ttl : ttl;
    return kNetworkOk;
  }
}

int PingAddress(std::string_view address, int count, const PingObserver& observe) {
  std::array<uint8_t, 4> ip{};
  int rc = ParseIpv4Address(address, &ip);
  if (rc != kNetworkOk) return rc;
  IcmpPinger pinger;
  bool answered = false;
  int last = kPingNoReply;
  for (int i = 0; i < count; ++i) {
    PingRequest request;
    request.index = i;
    request.code = pinger.Echo(ip, &request.echo, kPingTimeoutMs);
    request.error = pinger.last_error();
    if (request.code == kNetworkOk) answered = true;
    else last = request.code;
    if (observe) observe(request);
  }
  return answered ? kNetworkOk : last;
}

}  // namespace vidodez
