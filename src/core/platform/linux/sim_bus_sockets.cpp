// The simulated bus over Unix SOCK_SEQPACKET sockets: one listening socket
// per printer in the bus folder.

#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "core/platform/sim/bus_transport.h"
#include "core/platform/sim/sim_bus_protocol.h"

namespace vidodez::platform::simbus {
namespace {

using Clock = std::chrono::steady_clock;

int Address(const std::string& path, sockaddr_un* address) {
  *address = {};
  address->sun_family = AF_UNIX;
  if (path.size() >= sizeof(address->sun_path)) return ENAMETOOLONG;
  std::copy(path.begin(), path.end(), address->sun_path);
  return 0;
}

// A peer that hung up shows as a broken pipe or a reset connection.
int HungUpAsUnplug(int error) { return (error == EPIPE || error == ECONNRESET) ? ENODEV : error; }

std::vector<iovec> Vectors(const Part* parts, size_t count) {
  std::vector<iovec> vectors(count);
  for (size_t i = 0; i < count; ++i) vectors[i] = {parts[i].data, parts[i].size};
  return vectors;
}

int SendOne(int fd, const Part* parts, size_t count) {
  std::vector<iovec> vectors = Vectors(parts, count);
  msghdr header{};
  header.msg_iov = vectors.data();
  header.msg_iovlen = count;
  for (;;) {
    if (sendmsg(fd, &header, MSG_NOSIGNAL) >= 0) return 0;
    if (errno == EINTR) continue;
    return HungUpAsUnplug(errno);
  }
}

class SocketConnection final : public BusConnection {
 public:
  explicit SocketConnection(int fd) : fd_(fd) {}
  ~SocketConnection() override { close(fd_); }
  SocketConnection(const SocketConnection&) = delete;
  SocketConnection& operator=(const SocketConnection&) = delete;

  int Send(const Part* parts, size_t count) override { return SendOne(fd_, parts, count); }

  int SendEach(const Part* messages, size_t count, size_t* sent) override {
    std::vector<iovec> vectors = Vectors(messages, count);
    std::vector<mmsghdr> headers(count);
    for (size_t i = 0; i < count; ++i) {
      headers[i].msg_hdr.msg_iov = &vectors[i];
      headers[i].msg_hdr.msg_iovlen = 1;
    }
    *sent = 0;
    while (*sent < count) {
      const int n =
          sendmmsg(fd_, headers.data() + *sent, static_cast<unsigned>(count - *sent), MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return HungUpAsUnplug(errno);
      *sent += static_cast<size_t>(n);
    }
    return 0;
  }

  int Receive(const Part* parts, size_t count, size_t* got, int wait_ms) override {
    *got = 0;
    std::vector<iovec> vectors = Vectors(parts, count);
    auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd pfd{fd_, POLLIN, 0};
      int ready = poll(&pfd, 1, left.count() < 0 ? 0 : static_cast<int>(left.count()));
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) return errno;
      if (ready == 0) return ETIMEDOUT;
      msghdr header{};
      header.msg_iov = vectors.data();
      header.msg_iovlen = count;
      ssize_t n = recvmsg(fd_, &header, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno == ECONNRESET ? ENODEV : errno;
      if (n == 0) return ENODEV;
      *got = static_cast<size_t>(n);
      return 0;
    }
  }

 private:
  int fd_;
};

class SocketPeer final : public BusPeer {
 public:
  explicit SocketPeer(int fd) : fd_(fd) {}
  ~SocketPeer() override { close(fd_); }
  SocketPeer(const SocketPeer&) = delete;
  SocketPeer& operator=(const SocketPeer&) = delete;

  int ReceiveNow(uint8_t* buffer, size_t capacity, size_t* got) override {
    *got = 0;
    for (;;) {
      const ssize_t n = recv(fd_, buffer, capacity, MSG_DONTWAIT);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK ? EAGAIN : ENODEV;
      if (n == 0) return ENODEV;
      *got = static_cast<size_t>(n);
      return 0;
    }
  }

  int Send(const uint8_t* data, size_t size) override {
    Part part{const_cast<uint8_t*>(data), size};
    return SendOne(fd_, &part, 1);
  }

  int fd() const { return fd_; }

 private:
  int fd_;
};

class SocketListener final : public BusListener {
 public:
  SocketListener(int fd, std::string path, const struct stat& bound)
      : fd_(fd), path_(std::move(path)), device_(bound.st_dev), inode_(bound.st_ino) {}
  ~SocketListener() override {
    // A printer plugged in again listens at the same path before the thread
    // that served the old listener closes it: the path goes only while it is
    // still this socket's, or the new one could never be reached.
    struct stat now {};
    if (stat(path_.c_str(), &now) == 0 && now.st_dev == device_ && now.st_ino == inode_) {
      unlink(path_.c_str());
    }
    close(fd_);
  }
  SocketListener(const SocketListener&) = delete;
  SocketListener& operator=(const SocketListener&) = delete;

  int Accept(std::unique_ptr<BusPeer>* peer) override {
    // The listening socket never waits; a host's socket does for its
    // answers, as its receives say themselves that they do not.
    const int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return errno == EWOULDBLOCK ? EAGAIN : errno;
    *peer = std::make_unique<SocketPeer>(fd);
    return 0;
  }

  int fd() const { return fd_; }

 private:
  int fd_;
  std::string path_;
  dev_t device_;
  ino_t inode_;
};

class EventWaiter final : public BusWaiter {
 public:
  explicit EventWaiter(int fd) : fd_(fd) {}
  ~EventWaiter() override { close(fd_); }
  EventWaiter(const EventWaiter&) = delete;
  EventWaiter& operator=(const EventWaiter&) = delete;

  void Wake() override {
    uint64_t one = 1;
    (void)!write(fd_, &one, sizeof(one));
  }

  int Wait(BusListener* listener, const std::vector<BusPeer*>& peers,
           const std::vector<bool>& ignored, int timeout_ms, bool* listener_ready,
           std::vector<bool>* peer_ready) override {
    std::vector<pollfd> fds;
    fds.push_back({fd_, POLLIN, 0});
    fds.push_back(
        {listener != nullptr ? static_cast<SocketListener*>(listener)->fd() : -1, POLLIN, 0});
    for (size_t i = 0; i < peers.size(); ++i) {
      const short events = ignored[i] ? 0 : POLLIN;
      fds.push_back({static_cast<SocketPeer*>(peers[i])->fd(), events, 0});
    }
    const int ready = poll(fds.data(), fds.size(), timeout_ms);
    *listener_ready = false;
    peer_ready->assign(peers.size(), false);
    uint64_t drained;
    while (read(fd_, &drained, sizeof(drained)) > 0) {
    }
    if (ready < 0) return errno == EINTR ? 0 : errno;
    *listener_ready = (fds[1].revents & POLLIN) != 0;
    for (size_t i = 0; i < peers.size(); ++i)
      (*peer_ready)[i] = (fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    return 0;
  }

 private:
  int fd_;
};

}  // namespace

int Connect(const std::string& address, std::unique_ptr<BusConnection>* connection) {
  sockaddr_un socket_address{};
  if (int rc = Address(address, &socket_address); rc != 0) return rc;
  int s = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (s < 0) return errno;
  if (connect(s, reinterpret_cast<sockaddr*>(&socket_address), sizeof(socket_address)) < 0) {
    int error = errno;
    close(s);
    // The printer went away between listing and opening.
    return (error == ENOENT || error == ECONNREFUSED) ? ENODEV : error;
  }
  *connection = std::make_unique<SocketConnection>(s);
  return 0;
}

std::string ListenAddress(const std::string& bus_dir, const std::string& serial) {
  return bus_dir + "/" + serial + kSocketSuffix;
}

int Listen(const std::string& address, std::unique_ptr<BusListener>* listener) {
  sockaddr_un socket_address{};
  if (int rc = Address(address, &socket_address); rc != 0) return rc;
  int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return errno;
  unlink(address.c_str());
  struct stat bound {};
  if (bind(fd, reinterpret_cast<sockaddr*>(&socket_address), sizeof(socket_address)) < 0 ||
      listen(fd, 16) < 0 || stat(address.c_str(), &bound) < 0) {
    int error = errno;
    close(fd);
    return error;
  }
  *listener = std::make_unique<SocketListener>(fd, address, bound);
  return 0;
}

int MakeBusWaiter(std::unique_ptr<BusWaiter>* waiter) {
  const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (fd < 0) return errno;
  *waiter = std::make_unique<EventWaiter>(fd);
  return 0;
}

}  // namespace vidodez::platform::simbus
