#include "core/network/echo_packet.h"

#include "core/network/network_codes.h"

namespace vidodez {
namespace {

constexpr size_t kIcmpHeaderSize = 8;
constexpr size_t kTimestampSize = 4;
constexpr size_t kMinimumIpHeader = 20;
constexpr size_t kTtlOffset = 8;

void Store16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Load16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint32_t Load32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

uint16_t InternetChecksum(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) sum += Load16(&bytes[i]);
  if (i < bytes.size()) sum += bytes[i];
  sum = (sum >> 16) + (sum & 0xffff);
  sum += sum >> 16;
  return static_cast<uint16_t>(~sum);
}

std::array<uint8_t, kEchoRequestSize> BuildEchoRequest(uint16_t identifier, uint16_t sequence,
                                                       uint32_t timestamp) {
  std::array<uint8_t, kEchoRequestSize> packet{};
  packet[0] = kIcmpEchoRequest;
  Store16(&packet[4], identifier);
  Store16(&packet[6], sequence);
  Store16(&packet[8], static_cast<uint16_t>(timestamp));
  Store16(&packet[10], static_cast<uint16_t>(timestamp >> 16));
  Store16(&packet[2], InternetChecksum(packet));
  return packet;
}

int ParseEchoReply(std::span<const uint8_t> datagram, bool has_ip_header, EchoReplyFields* reply) {
  size_t header = 0;
  int ttl = -1;
  if (has_ip_header) {
    if (datagram.empty() || datagram[0] >> 4 != 4) return kPingReplyMalformed;
    header = static_cast<size_t>(datagram[0] & 15) * 4;
    if (header < kMinimumIpHeader || header > datagram.size()) return kPingReplyMalformed;
    ttl = datagram[kTtlOffset];
  }
  std::span<const uint8_t> icmp = datagram.subspan(header);
  if (icmp.size() < kIcmpHeaderSize + kTimestampSize) return kPingReplyMalformed;
  reply->type = icmp[0];
  reply->code = icmp[1];
  reply->identifier = Load16(&icmp[4]);
  reply->sequence = Load16(&icmp[6]);
  reply->timestamp = Load32(&icmp[8]);
  reply->data_bytes = static_cast<int>(icmp.size() - kIcmpHeaderSize - kTimestampSize);
  reply->ttl = ttl;
  return kNetworkOk;
}

bool AnswersRequest(const EchoReplyFields& reply, uint16_t identifier, uint16_t sequence) {
  return reply.type == kIcmpEchoReply && reply.identifier == identifier &&
         reply.sequence == sequence;
}

}  // namespace vidodez
