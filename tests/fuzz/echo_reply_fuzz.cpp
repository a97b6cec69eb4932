// Whatever arrives on an ICMP socket, read as a raw socket's datagram (behind
// an IP header) and as a datagram socket's (without one).

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/network/echo_packet.h"
#include "core/network/network_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> datagram(data, size);
  for (bool has_ip_header : {true, false}) {
    vidodez::EchoReplyFields reply;
    if (vidodez::ParseEchoReply(datagram, has_ip_header, &reply) != vidodez::kNetworkOk) continue;
    // A reply read must lie within the datagram: header, timestamp, data.
    if (reply.data_bytes < 0 || static_cast<size_t>(reply.data_bytes) + 12 > size) __builtin_trap();
    (void)vidodez::AnswersRequest(reply, 1, 1);
  }
  return 0;
}
