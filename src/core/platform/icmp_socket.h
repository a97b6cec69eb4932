#pragma once
// The ping's ICMP socket. A raw socket needs privileges on Linux; the
// kernel's unprivileged ICMP datagram socket serves ordinary users, but it
// chooses the identifier of every request itself and hands over replies
// without their IP header.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vidodez::platform {

enum class IcmpSocketKind { kRaw, kDatagram };

// Results are 0 or an errno value.
class IcmpSocket {
 public:
  virtual ~IcmpSocket() = default;

  // Raw sockets deliver each reply behind its IP header.
  virtual IcmpSocketKind kind() const = 0;
  // The identifier the kernel writes into every request (read, like every
  // header field, as the two bytes in little-endian order); false where the
  // request's own identifier is sent.
  virtual bool KernelIdentifier(uint16_t* identifier) const = 0;
  // Sends one ICMP message (header and data) to an IPv4 address.
  virtual int SendTo(const std::array<uint8_t, 4>& address, const uint8_t* data, size_t size) = 0;
  // Waits up to `timeout_ms` for one datagram and keeps at most `capacity`
  // bytes of it. ETIMEDOUT when none came, an interrupted wait included.
  // `*ttl` is the reply's time to live where the socket reports it beside
  // the datagram (datagram sockets), else -1.
  virtual int Receive(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got, int* ttl) = 0;
};

// The system's ICMP socket: a raw one, or when that is refused, a datagram
// one. The errno of the last refusal when neither can be had.
int OpenIcmpSocket(std::unique_ptr<IcmpSocket>* socket);

// Whether `text` is an IPv6 address as the system writes one: the ping then
// says it pings IPv4 only, rather than that the text is no address.
bool IsIpv6AddressText(const std::string& text);

}  // namespace vidodez::platform
