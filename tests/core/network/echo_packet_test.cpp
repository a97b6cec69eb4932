#include "core/network/echo_packet.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/network/network_codes.h"

namespace vidodez {
namespace {

using Bytes = std::vector<uint8_t>;

// An IPv4 header of `header_size` bytes (options zero) with time to live 64.
Bytes IpHeader(size_t header_size) {
  Bytes header(header_size, 0);
  header[0] = static_cast<uint8_t>(0x40 | header_size / 4);
  header[8] = 64;
  return header;
}

Bytes Join(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// The reply a host gives to BuildEchoRequest(0x1234, 7, 0x0a0b0c0d), as `type`.
Bytes Reply(uint8_t type) {
  auto request = BuildEchoRequest(0x1234, 7, 0x0a0b0c0d);
  Bytes reply(request.begin(), request.end());
  reply[0] = type;
  return reply;
}

TEST(EchoPacket, RequestLayoutAndChecksum) {
  auto packet = BuildEchoRequest(0x1234, 0x0001, 0x0a0b0c0d);
  Bytes header(packet.begin(), packet.begin() + 12);
  EXPECT_EQ((Bytes{8, 0, 0xaa, 0xd7, 0x34, 0x12, 0x01, 0x00, 0x0d, 0x0c, 0x0b, 0x0a}), header);
  for (size_t i = 12; i < packet.size(); ++i) EXPECT_EQ(0, packet[i]) << i;
  EXPECT_EQ(0, InternetChecksum(packet));  // a stored checksum makes the sum check

  // RFC 1071's example words, and an odd length.
  const Bytes rfc{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
  uint16_t sum = InternetChecksum(rfc);
  EXPECT_EQ((Bytes{0x22, 0x0d}),
            (Bytes{static_cast<uint8_t>(sum), static_cast<uint8_t>(sum >> 8)}));
  EXPECT_EQ(0xfdfb, InternetChecksum(Bytes{0x01, 0x02, 0x03}));
}

TEST(EchoPacket, RepliesAreReadBehindAnyHeaderLength) {
  struct Case {
    const char* what;
    Bytes datagram;
    bool has_ip_header;
    int ttl;
  } cases[] = {
      {"raw, plain header", Join(IpHeader(20), Reply(0)), true, 64},
      {"raw, header with options (0x46)", Join(IpHeader(24), Reply(0)), true, 64},
      {"datagram socket, no header", Reply(0), false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EchoReplyFields reply;
    ASSERT_EQ(kNetworkOk, ParseEchoReply(c.datagram, c.has_ip_header, &reply));
    EXPECT_EQ(0x1234, reply.identifier);
    EXPECT_EQ(7, reply.sequence);
    EXPECT_EQ(0x0a0b0c0du, reply.timestamp);
    EXPECT_EQ(32, reply.data_bytes);
    EXPECT_EQ(c.ttl, reply.ttl);
    EXPECT_TRUE(AnswersRequest(reply, 0x1234, 7));
    EXPECT_FALSE(AnswersRequest(reply, 0x1234, 8));
    EXPECT_FALSE(AnswersRequest(reply, 0x1235, 7));
  }
  // Our own request, seen by a raw socket on loopback, and an unreachable.
  for (uint8_t type : {kIcmpEchoRequest, uint8_t{3}}) {
    EchoReplyFields reply;
    ASSERT_EQ(kNetworkOk, ParseEchoReply(Join(IpHeader(20), Reply(type)), true, &reply));
    EXPECT_FALSE(AnswersRequest(reply, 0x1234, 7)) << int{type};
  }
}

TEST(EchoPacket, RefusesWhatIsTooShortOrNotIpv4) {
  Bytes good = Join(IpHeader(24), Reply(0));
  Bytes bad_version = good;
  bad_version[0] = 0x66;
  Bytes short_header = good;
  short_header[0] = 0x44;
  Bytes long_header = Join(IpHeader(20), Bytes(12, 0));
  long_header[0] = 0x4f;  // 60 bytes of header in 32
  Bytes no_timestamp = Reply(0);
  no_timestamp.resize(11);
  struct Case {
    const char* what;
    Bytes datagram;
    bool has_ip_header;
  } cases[] = {
      {"empty", {}, true},
      {"empty datagram", {}, false},
      {"version 6", bad_version, true},
      {"header under 20 bytes", short_header, true},
      {"header past the end", long_header, true},
      {"no timestamp", no_timestamp, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EchoReplyFields reply;
    EXPECT_EQ(kPingReplyMalformed, ParseEchoReply(c.datagram, c.has_ip_header, &reply));
  }
  // Every cut of a good reply is read within its bytes (the sanitizers watch).
  for (size_t size = 0; size <= good.size(); ++size) {
    Bytes cut(good.begin(), good.begin() + static_cast<long>(size));
    EchoReplyFields reply;
    int expected = size >= 24 + 12 ? kNetworkOk : kPingReplyMalformed;
    EXPECT_EQ(expected, ParseEchoReply(cut, true, &reply)) << size;
  }
}

}  // namespace
}  // namespace vidodez
