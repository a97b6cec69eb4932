#pragma once
// ICMP echo requests and replies as bytes. The header's fields are stored
// in little-endian order, which is what the printers' tools have always sent;
// a reply echoes them back unchanged, so they are read the same way.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vidodez {

inline constexpr size_t kEchoRequestSize = 44;  // 8 header, 4 timestamp, 32 zero bytes
inline constexpr size_t kEchoReplyCapacity = 256;
inline constexpr uint8_t kIcmpEchoReply = 0;
inline constexpr uint8_t kIcmpEchoRequest = 8;

// The Internet checksum (RFC 1071) over 16-bit little-endian words, a last
// odd byte added as it is; stored little-endian it makes the sum check.
uint16_t InternetChecksum(std::span<const uint8_t> bytes);

// Type 8, code 0, checksum, identifier, sequence, the timestamp, zeros.
std::array<uint8_t, kEchoRequestSize> BuildEchoRequest(uint16_t identifier, uint16_t sequence,
                                                       uint32_t timestamp);

struct EchoReplyFields {
  uint8_t type = 0;
  uint8_t code = 0;
  uint16_t identifier = 0;
  uint16_t sequence = 0;
  uint32_t timestamp = 0;  // the request's, echoed
  int data_bytes = 0;      // after the header and the timestamp
  int ttl = -1;            // from the IP header; -1 without one
};

// Reads one received datagram: behind an IPv4 header of (first byte & 15) x
// 4 bytes where `has_ip_header` (raw sockets), else the bare ICMP message.
// kPingReplyMalformed for anything too short to hold a header and a
// timestamp, or whose header is not IPv4; nothing past `datagram` is read.
[[nodiscard]] int ParseEchoReply(std::span<const uint8_t> datagram, bool has_ip_header,
                                 EchoReplyFields* reply);

// An echo reply (type 0) carrying the request's identifier and sequence.
bool AnswersRequest(const EchoReplyFields& reply, uint16_t identifier, uint16_t sequence);

}  // namespace vidodez
