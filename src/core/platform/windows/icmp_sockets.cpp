// The ping's ICMP socket on Windows: a raw Winsock socket where the user
// may open one (an administrator), else the ICMP helper of iphlpapi
// (IcmpSendEcho), which every user may call.

#include <winsock2.h>
#include <ws2tcpip.h>

// After winsock2.h; icmpapi.h needs ipexport.h's types.
#include <iphlpapi.h>

#include <ipexport.h>

#include <icmpapi.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "core/platform/icmp_socket.h"
#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform {
namespace {

constexpr size_t kIcmpHeaderSize = 8;

// Winsock is started for each user of it and stopped with it.
class Winsock {
 public:
  Winsock() {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~Winsock() {
    if (started_) WSACleanup();
  }
  Winsock(const Winsock&) = delete;
  Winsock& operator=(const Winsock&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

int SocketErrno() {
  const int error = WSAGetLastError();
  return error == WSAEACCES ? EACCES : error == WSAETIMEDOUT ? ETIMEDOUT : EIO;
}

sockaddr_in Address(const std::array<uint8_t, 4>& address) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  std::memcpy(&to.sin_addr, address.data(), 4);
  return to;
}

class RawSocket final : public IcmpSocket {
 public:
  explicit RawSocket(SOCKET s) : socket_(s) {}
  ~RawSocket() override { closesocket(socket_); }
  RawSocket(const RawSocket&) = delete;
  RawSocket& operator=(const RawSocket&) = delete;

  IcmpSocketKind kind() const override { return IcmpSocketKind::kRaw; }
  bool KernelIdentifier(uint16_t* /*identifier*/) const override { return false; }

  int SendTo(const std::array<uint8_t, 4>& address, const uint8_t* data, size_t size) override {
    const sockaddr_in to = Address(address);
    const int sent = sendto(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sent == SOCKET_ERROR ? SocketErrno() : 0;
  }

  int Receive(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got, int* ttl) override {
    *got = 0;
    *ttl = -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == SOCKET_ERROR) return SocketErrno();
    if (ready == 0) return ETIMEDOUT;
    const int n = recv(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(capacity), 0);
    // A datagram longer than the buffer is cut, as on Linux.
    if (n == SOCKET_ERROR && WSAGetLastError() != WSAEMSGSIZE) return SocketErrno();
    *got = n == SOCKET_ERROR ? capacity : static_cast<size_t>(n);
    return 0;
  }

 private:
  Winsock winsock_;
  SOCKET socket_;
};

// The ICMP helper sends a request and waits for its answer in one call, with
// an identifier and sequence of its own. The request is kept at SendTo and
// sent at Receive; its answer comes back as the bare ICMP message our
// request would have had answered, its time to live beside it.
class HelperSocket final : public IcmpSocket {
 public:
  explicit HelperSocket(HANDLE helper) : helper_(helper) {}
  ~HelperSocket() override { IcmpCloseHandle(helper_); }
  HelperSocket(const HelperSocket&) = delete;
  HelperSocket& operator=(const HelperSocket&) = delete;

  IcmpSocketKind kind() const override { return IcmpSocketKind::kDatagram; }
  bool KernelIdentifier(uint16_t* /*identifier*/) const override { return false; }

  int SendTo(const std::array<uint8_t, 4>& address, const uint8_t* data, size_t size) override {
    if (size < kIcmpHeaderSize) return EINVAL;
    address_ = address;
    request_.assign(data, data + size);
    return 0;
  }

  int Receive(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got, int* ttl) override {
    *got = 0;
    *ttl = -1;
    if (request_.empty()) {
      // Nothing asked: nothing can come.
      Sleep(static_cast<DWORD>(std::max(timeout_ms, 0)));
      return ETIMEDOUT;
    }
    const std::vector<uint8_t> request = std::move(request_);
    request_.clear();
    const std::vector<uint8_t> payload(request.begin() + kIcmpHeaderSize, request.end());
    std::vector<uint8_t> answer(sizeof(ICMP_ECHO_REPLY) + payload.size() + 8 + 64);
    IPAddr to = 0;
    std::memcpy(&to, address_.data(), 4);
    const DWORD replies = IcmpSendEcho(helper_, to, const_cast<uint8_t*>(payload.data()),
                                       static_cast<WORD>(payload.size()), nullptr, answer.data(),
                                       static_cast<DWORD>(answer.size()),
                                       static_cast<DWORD>(std::max(timeout_ms, 1)));
    if (replies == 0) {
      const DWORD error = GetLastError();
      return error == IP_REQ_TIMED_OUT || error == ERROR_TIMEOUT ? ETIMEDOUT : EIO;
    }
    const auto* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(answer.data());
    if (reply->Status != IP_SUCCESS) return ETIMEDOUT;
    // Type 0 with the request's code, identifier and sequence; the checksum
    // is the helper's business.
    std::vector<uint8_t> message(request.begin(), request.begin() + kIcmpHeaderSize);
    message[0] = 0;
    message[2] = message[3] = 0;
    const auto* echoed = static_cast<const uint8_t*>(reply->Data);
    message.insert(message.end(), echoed, echoed + reply->DataSize);
    *got = std::min(capacity, message.size());
    std::copy_n(message.data(), *got, buffer);
    *ttl = reply->Options.Ttl;
    return 0;
  }

 private:
  HANDLE helper_;
  std::array<uint8_t, 4> address_{};
  std::vector<uint8_t> request_;
};

}  // namespace

int OpenIcmpSocket(std::unique_ptr<IcmpSocket>* socket) {
  {
    Winsock winsock;
    if (winsock.started()) {
      const SOCKET s = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
      if (s != INVALID_SOCKET) {
        *socket = std::make_unique<RawSocket>(s);
        return 0;
      }
    }
  }
  HANDLE helper = IcmpCreateFile();
  if (helper == INVALID_HANDLE_VALUE) return win::ErrnoOf(GetLastError());
  *socket = std::make_unique<HelperSocket>(helper);
  return 0;
}

bool IsIpv6AddressText(const std::string& text) {
  const Winsock winsock;
  in6_addr address{};
  return winsock.started() && inet_pton(AF_INET6, text.c_str(), &address) == 1;
}

}  // namespace vidodez::platform
