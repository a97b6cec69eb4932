#include "core/platform/sim/sim_bus_backend.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <filesystem>
#include <iterator>
#include <vector>

#include "core/platform/sim/sim_bus_protocol.h"

namespace vidodez::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How much longer than the read's own wait the host waits for the printer's
// answer before it takes the connection as broken.
constexpr int kAnswerMarginMs = 2000;
// usblp gives a control request 5 s (USBLP_CTL_TIMEOUT); the open and the
// status byte wait as long here, so a printer busy taking in a large send
// still answers them.
constexpr int kControlWaitMs = 5000;
constexpr size_t kWriteWindow = 128;
// Transfers handed to the bus together, and the bytes that end a burst
// early (a large write goes as it comes).
constexpr size_t kBurst = 64;
constexpr size_t kBurstBytes = 64 * 1024;

int Connect(const std::string& socket_path, int* fd) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socket_path.size() >= sizeof(address.sun_path)) return ENAMETOOLONG;
  std::copy(socket_path.begin(), socket_path.end(), address.sun_path);
  int s = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (s < 0) return errno;
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) < 0) {
    int error = errno;
    close(s);
    // The printer went away between listing and opening.
    return (error == ENOENT || error == ECONNREFUSED) ? ENODEV : error;
  }
  *fd = s;
  return 0;
}

// One message made of `parts`, sent without copying them together.
int Send(int fd, const iovec* parts, size_t count) {
  msghdr header{};
  header.msg_iov = const_cast<iovec*>(parts);
  header.msg_iovlen = count;
  for (;;) {
    if (sendmsg(fd, &header, MSG_NOSIGNAL) >= 0) return 0;
    if (errno == EINTR) continue;
    return (errno == EPIPE || errno == ECONNRESET) ? ENODEV : errno;
  }
}

int Send(int fd, const uint8_t* data, size_t size) {
  iovec part{const_cast<uint8_t*>(data), size};
  return Send(fd, &part, 1);
}

// One message within `wait_ms`, spread over `parts` (what does not fit is
// cut, as the socket cuts it), its length in `got`; ETIMEDOUT when none
// came, ENODEV when the printer hung up. The parts are the caller's own
// memory: a buffer grown to the largest message before every receive would
// be filled with zeros each time, which a long send pays once per chunk.
int Receive(int fd, iovec* parts, size_t count, size_t* got, int wait_ms) {
  *got = 0;
  auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd pfd{fd, POLLIN, 0};
    int ready = poll(&pfd, 1, left.count() < 0 ? 0 : static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return errno;
    if (ready == 0) return ETIMEDOUT;
    msghdr header{};
    header.msg_iov = parts;
    header.msg_iovlen = count;
    ssize_t n = recvmsg(fd, &header, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno == ECONNRESET ? ENODEV : errno;
    if (n == 0) return ENODEV;
    *got = static_cast<size_t>(n);
    return 0;
  }
}

// The answers to control requests and writes are a few bytes; anything
// longer is no answer of this bus.
using ShortMessage = std::array<uint8_t, 16>;

int Receive(int fd, ShortMessage* message, size_t* got, int wait_ms) {
  iovec part{message->data(), message->size()};
  return Receive(fd, &part, 1, got, wait_ms);
}

// A control request and its answer of `size` bytes tagged `answer`.
int Ask(int fd, char request, char answer, size_t size, int wait_ms, ShortMessage* reply) {
  const auto tag = static_cast<uint8_t>(request);
  if (int rc = Send(fd, &tag, 1); rc != 0) return rc;
  size_t got = 0;
  if (int rc = Receive(fd, reply, &got, wait_ms); rc != 0) return rc;
  if (got != size || static_cast<char>((*reply)[0]) != answer) return EPROTO;
  return 0;
}

int ReadStatus(const std::string& socket_path, uint8_t* status) {
  int fd = -1;
  if (int rc = Connect(socket_path, &fd); rc != 0) return rc;
  ShortMessage reply;
  int rc = Ask(fd, simbus::kStatus, simbus::kStatusReply, 2, kControlWaitMs, &reply);
  close(fd);
  if (rc != 0) return rc;
  *status = reply[1];
  return 0;
}

class SimDevice final : public UsbDevice {
 public:
  SimDevice(int fd, std::string socket_path) : fd_(fd), socket_path_(std::move(socket_path)) {}
  ~SimDevice() override { close(fd_); }

  int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override {
    *written = 0;
    // Even an empty write is one transfer, as on the real bus.
    do {
      // Transfers go out ahead of their acknowledgements, a window at a time,
      // as a driver queues them: waiting for each would cost a round trip.
      if (in_flight_.size() + queued_.size() >= kWriteWindow) {
        if (int rc = Push(); rc != 0) return Failed(rc, written);
        if (int rc = TakeAcknowledgement(stall_ms); rc != 0) return Failed(rc, written);
      }
      size_t chunk = std::min(size - *written, simbus::kMaxWriteMessage);
      Queue(data + *written, chunk);
      *written += chunk;
      if (queued_.size() >= kBurst || queued_bytes_.size() >= kBurstBytes) {
        if (int rc = Push(); rc != 0) return Failed(rc, written);
      }
    } while (*written < size);
    return 0;
  }

  int Flush(int stall_ms) override {
    if (int rc = Push(); rc != 0) {
      size_t ignored = 0;
      return Failed(rc, &ignored);
    }
    while (!in_flight_.empty()) {
      if (int rc = TakeAcknowledgement(stall_ms); rc != 0) return rc;
    }
    return 0;
  }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override {
    *got = 0;
    if (int rc = Flush(timeout_ms + kAnswerMarginMs); rc != 0) return rc;
    uint8_t request[5];
    request[0] = static_cast<uint8_t>(simbus::kRead);
    simbus::PutU32(&request[1], static_cast<uint32_t>(std::max(timeout_ms, 0)));
    if (int rc = Send(fd_, request, sizeof(request)); rc != 0) return rc;
    // The transfer lands in the caller's buffer; a larger one is cut, as
    // the driver would cut it.
    uint8_t tag = 0;
    iovec parts[] = {{&tag, 1}, {buffer, capacity}};
    size_t received = 0;
    if (int rc = Receive(fd_, parts, 2, &received, timeout_ms + kAnswerMarginMs); rc != 0)
      return rc;
    if (static_cast<char>(tag) == simbus::kReadTimedOut) return ETIMEDOUT;
    if (static_cast<char>(tag) != simbus::kReadReply) return EPROTO;
    *got = received - 1;
    return 0;
  }

  int GetStatus(uint8_t* status) override { return ReadStatus(socket_path_, status); }

 private:
  // One acknowledgement, for the oldest transfers in flight.
  int TakeAcknowledgement(int stall_ms) {
    ShortMessage reply;
    size_t got = 0;
    if (int rc = Receive(fd_, &reply, &got, stall_ms); rc != 0) return rc;
    if (got != 9 || static_cast<char>(reply[0]) != simbus::kWriteReply) return EPROTO;
    uint32_t transfers = simbus::GetU32(&reply[1]);
    uint64_t bytes = 0;
    if (transfers == 0 || transfers > in_flight_.size()) return EPROTO;
    for (uint32_t i = 0; i < transfers; ++i) {
      bytes += in_flight_.front();
      in_flight_.pop_front();
    }
    return simbus::GetU32(&reply[5]) == bytes ? 0 : EIO;
  }

  // A transfer waits with its tag in front until its burst goes.
  void Queue(const uint8_t* data, size_t size) {
    queued_.push_back(size);
    queued_bytes_.push_back(static_cast<uint8_t>(simbus::kWrite));
    queued_bytes_.insert(queued_bytes_.end(), data, data + size);
  }

  // The queued transfers, one message each, in one system call: the printer
  // then takes them in one turn instead of waking for every transfer, which
  // on a busy machine costs more than the transfers themselves.
  int Push() {
    if (queued_.empty()) return 0;
    std::vector<iovec> parts(queued_.size());
    std::vector<mmsghdr> messages(queued_.size());
    size_t at = 0;
    for (size_t i = 0; i < queued_.size(); ++i) {
      parts[i] = {queued_bytes_.data() + at, queued_[i] + 1};
      messages[i].msg_hdr.msg_iov = &parts[i];
      messages[i].msg_hdr.msg_iovlen = 1;
      at += queued_[i] + 1;
    }
    size_t sent = 0;
    int error = 0;
    while (sent < messages.size()) {
      const int n = sendmmsg(fd_, messages.data() + sent,
                             static_cast<unsigned>(messages.size() - sent), MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = (errno == EPIPE || errno == ECONNRESET) ? ENODEV : errno;
        break;
      }
      for (int i = 0; i < n; ++i) in_flight_.push_back(queued_[sent + static_cast<size_t>(i)]);
      sent += static_cast<size_t>(n);
    }
    // What went is in flight now; what did not stays queued for Failed.
    queued_.erase(queued_.begin(), queued_.begin() + static_cast<std::ptrdiff_t>(sent));
    if (error == 0) queued_bytes_.clear();
    return error;
  }

  // What never reached the printer does not count as written.
  int Failed(int error, size_t* written) {
    for (size_t chunk : in_flight_) *written -= std::min(*written, chunk);
    for (size_t chunk : queued_) *written -= std::min(*written, chunk);
    in_flight_.clear();
    queued_.clear();
    queued_bytes_.clear();
    return error;
  }

  int fd_;
  std::string socket_path_;
  std::deque<size_t> in_flight_;
  // Transfers written but not yet handed to the bus: their sizes, and their
  // messages one after the other.
  std::vector<size_t> queued_;
  std::vector<uint8_t> queued_bytes_;
};

// The first 4 KiB of a registration, which is a regular file: a FIFO of
// that name would hold the listing (and every program listing printers)
// until someone writes to it.
bool ReadRegistration(const std::string& path, std::string* text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok) {
    text->resize(4096);
    ssize_t got = 0;
    while ((got = ::read(fd, text->data(), text->size())) < 0 && errno == EINTR) {
    }
    ok = got >= 0;
    text->resize(ok ? static_cast<size_t>(got) : 0);
  }
  ::close(fd);
  return ok;
}

bool ProcessAlive(long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

SimBusBackend::SimBusBackend(std::string bus_dir) : bus_dir_(std::move(bus_dir)) {}

int SimBusBackend::Enumerate(std::vector<UsbPrinterInterface>* interfaces) {
  interfaces->clear();
  std::error_code error;
  std::vector<std::pair<std::string, simbus::Registration>> found;
  for (const auto& entry : fs::directory_iterator(bus_dir_, error)) {
    if (entry.path().extension() != simbus::kRegistrationSuffix) continue;
    std::string text;
    if (!ReadRegistration(entry.path().string(), &text)) continue;
    auto registration = simbus::ParseRegistration(text);
    // A simulator that was killed cannot unregister; its printer is gone all the same.
    if (!registration || !ProcessAlive(registration->pid)) continue;
    found.emplace_back(entry.path().filename().string(), std::move(*registration));
  }
  if (error) return error.value();
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.second.port_number != b.second.port_number)
      return a.second.port_number < b.second.port_number;
    return a.first < b.first;
  });
  for (auto& [name, r] : found) {
    UsbPrinterInterface interface;
    interface.device_path = r.device_path;
    interface.port_number = r.port_number;
    interface.has_description = r.has_description;
    interface.description = r.description;
    interface.node = r.socket_path;
    interfaces->push_back(std::move(interface));
  }
  return 0;
}

int SimBusBackend::Open(const UsbPrinterInterface& interface, std::unique_ptr<UsbDevice>* device) {
  int fd = -1;
  if (int rc = Connect(interface.node, &fd); rc != 0) return rc;
  ShortMessage reply;
  int rc = Ask(fd, simbus::kOpen, simbus::kOpenReply, 2, kControlWaitMs, &reply);
  if (rc == 0) rc = reply[1];
  if (rc != 0) {
    close(fd);
    return rc;
  }
  *device = std::make_unique<SimDevice>(fd, interface.node);
  return 0;
}

}  // namespace vidodez::platform
