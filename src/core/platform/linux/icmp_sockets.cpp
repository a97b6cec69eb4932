#include "core/platform/linux/icmp_sockets.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cstring>

namespace vidodez::platform {
namespace {

class LinuxIcmpSocket final : public IcmpSocket {
 public:
  LinuxIcmpSocket(const IcmpSyscalls& sys, int fd, IcmpSocketKind kind, bool has_identifier,
                  uint16_t identifier)
      : sys_(sys), fd_(fd), kind_(kind), has_identifier_(has_identifier), identifier_(identifier) {}
  ~LinuxIcmpSocket() override { sys_.close(fd_); }
  LinuxIcmpSocket(const LinuxIcmpSocket&) = delete;
  LinuxIcmpSocket& operator=(const LinuxIcmpSocket&) = delete;

  IcmpSocketKind kind() const override { return kind_; }

  bool KernelIdentifier(uint16_t* identifier) const override {
    if (has_identifier_) *identifier = identifier_;
    return has_identifier_;
  }

  int SendTo(const std::array<uint8_t, 4>& address, const uint8_t* data, size_t size) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    std::memcpy(&to.sin_addr, address.data(), address.size());
    ssize_t sent =
        sys_.sendto(fd_, data, size, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent < 0) return errno;
    return static_cast<size_t>(sent) == size ? 0 : EMSGSIZE;
  }

  int Receive(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got, int* ttl) override {
    *got = 0;
    *ttl = -1;
    pollfd waiting{fd_, POLLIN, 0};
    int ready = sys_.poll(&waiting, 1, timeout_ms);
    if (ready == 0 || (ready < 0 && errno == EINTR)) return ETIMEDOUT;
    if (ready < 0) return errno;
    iovec part{buffer, capacity};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t size = sys_.recvmsg(fd_, &message, MSG_DONTWAIT);
    if (size < 0) return errno == EAGAIN || errno == EINTR ? ETIMEDOUT : errno;
    *got = static_cast<size_t>(size);
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
      if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_TTL &&
          c->cmsg_len >= CMSG_LEN(sizeof(int)))
        std::memcpy(ttl, CMSG_DATA(c), sizeof(int));
    }
    return 0;
  }

 private:
  IcmpSyscalls sys_;
  int fd_;
  IcmpSocketKind kind_;
  bool has_identifier_;
  uint16_t identifier_;
};

// The kernel numbers a datagram socket's requests with its local port: bind
// lets it choose one now, so the replies can be told apart from the first.
int OpenDatagramSocket(const IcmpSyscalls& sys, std::unique_ptr<IcmpSocket>* socket) {
  int fd = sys.socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd < 0) return errno;
  sockaddr_in local{};
  local.sin_family = AF_INET;
  socklen_t size = sizeof local;
  int on = 1;
  if (sys.bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      sys.getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0 ||
      sys.setsockopt(fd, IPPROTO_IP, IP_RECVTTL, &on, sizeof on) != 0) {
    int error = errno;
    sys.close(fd);
    return error;
  }
  // The port travels in network order as the request's identifier bytes.
  uint8_t bytes[2];
  std::memcpy(bytes, &local.sin_port, sizeof bytes);
  auto identifier = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
  *socket = std::make_unique<LinuxIcmpSocket>(sys, fd, IcmpSocketKind::kDatagram, true, identifier);
  return 0;
}

}  // namespace

IcmpSyscalls DefaultIcmpSyscalls() {
  return IcmpSyscalls{::socket, ::bind,    ::getsockname, ::setsockopt,
                      ::sendto, ::recvmsg, ::poll,        ::close};
}

int OpenLinuxIcmpSocket(const IcmpSyscalls& sys, std::unique_ptr<IcmpSocket>* socket) {
  int fd = sys.socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd >= 0) {
    *socket = std::make_unique<LinuxIcmpSocket>(sys, fd, IcmpSocketKind::kRaw, false, 0);
    return 0;
  }
  return OpenDatagramSocket(sys, socket);
}

int OpenIcmpSocket(std::unique_ptr<IcmpSocket>* socket) {
  return OpenLinuxIcmpSocket(DefaultIcmpSyscalls(), socket);
}

bool IsIpv6AddressText(const std::string& text) {
  in6_addr address{};
  return ::inet_pton(AF_INET6, text.c_str(), &address) == 1;
}

}  // namespace vidodez::platform
