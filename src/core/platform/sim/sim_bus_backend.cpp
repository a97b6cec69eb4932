#include "core/platform/sim/sim_bus_backend.h"

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
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
constexpr size_t kWriteWindow = 64;

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

int Send(int fd, const uint8_t* data, size_t size) {
  for (;;) {
    if (send(fd, data, size, MSG_NOSIGNAL) >= 0) return 0;
    if (errno == EINTR) continue;
    return (errno == EPIPE || errno == ECONNRESET) ? ENODEV : errno;
  }
}

// One message within `wait_ms`; ETIMEDOUT when none came, ENODEV when the
// printer hung up.
int Receive(int fd, std::vector<uint8_t>* message, int wait_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd pfd{fd, POLLIN, 0};
    int ready = poll(&pfd, 1, left.count() < 0 ? 0 : static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return errno;
    if (ready == 0) return ETIMEDOUT;
    message->resize(simbus::kMaxMessage);
    ssize_t n = recv(fd, message->data(), message->size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno == ECONNRESET ? ENODEV : errno;
    if (n == 0) return ENODEV;
    message->resize(static_cast<size_t>(n));
    return 0;
  }
}

int Ask(int fd, const std::vector<uint8_t>& request, char answer, int wait_ms,
        std::vector<uint8_t>* reply) {
  if (int rc = Send(fd, request.data(), request.size()); rc != 0) return rc;
  if (int rc = Receive(fd, reply, wait_ms); rc != 0) return rc;
  if (reply->empty() || static_cast<char>((*reply)[0]) != answer) return EPROTO;
  return 0;
}

int ReadStatus(const std::string& socket_path, uint8_t* status) {
  int fd = -1;
  if (int rc = Connect(socket_path, &fd); rc != 0) return rc;
  std::vector<uint8_t> reply;
  int rc = Ask(fd, {static_cast<uint8_t>(simbus::kStatus)}, simbus::kStatusReply, kControlWaitMs,
               &reply);
  close(fd);
  if (rc != 0) return rc;
  if (reply.size() != 2) return EPROTO;
  *status = reply[1];
  return 0;
}

class SimDevice final : public UsbDevice {
 public:
  SimDevice(int fd, std::string socket_path) : fd_(fd), socket_path_(std::move(socket_path)) {}
  ~SimDevice() override { close(fd_); }

  int Write(const uint8_t* data, size_t size, int stall_ms, size_t* written) override {
    *written = 0;
    std::vector<uint8_t> message;
    // Even an empty write is one transfer, as on the real bus.
    do {
      // Transfers go out ahead of their acknowledgements, a window at a time,
      // as a driver queues them: waiting for each would cost a round trip.
      if (in_flight_.size() >= kWriteWindow) {
        if (int rc = TakeAcknowledgement(stall_ms); rc != 0) return Failed(rc, written);
      }
      size_t chunk = std::min(size - *written, simbus::kMaxWriteMessage);
      message.assign(1, static_cast<uint8_t>(simbus::kWrite));
      message.insert(message.end(), data + *written, data + *written + chunk);
      if (int rc = Send(fd_, message.data(), message.size()); rc != 0) return Failed(rc, written);
      in_flight_.push_back(chunk);
      *written += chunk;
    } while (*written < size);
    return 0;
  }

  int Flush(int stall_ms) override {
    while (!in_flight_.empty()) {
      if (int rc = TakeAcknowledgement(stall_ms); rc != 0) return rc;
    }
    return 0;
  }

  int Read(uint8_t* buffer, size_t capacity, int timeout_ms, size_t* got) override {
    *got = 0;
    if (int rc = Flush(timeout_ms + kAnswerMarginMs); rc != 0) return rc;
    std::vector<uint8_t> request(5), reply;
    request[0] = static_cast<uint8_t>(simbus::kRead);
    simbus::PutU32(&request[1], static_cast<uint32_t>(std::max(timeout_ms, 0)));
    if (int rc = Send(fd_, request.data(), request.size()); rc != 0) return rc;
    if (int rc = Receive(fd_, &reply, timeout_ms + kAnswerMarginMs); rc != 0) return rc;
    if (reply.empty()) return EPROTO;
    if (static_cast<char>(reply[0]) == simbus::kReadTimedOut) return ETIMEDOUT;
    if (static_cast<char>(reply[0]) != simbus::kReadReply) return EPROTO;
    // A transfer larger than the caller's buffer is cut, as the driver would.
    *got = std::min(reply.size() - 1, capacity);
    std::copy_n(reply.begin() + 1, *got, buffer);
    return 0;
  }

  int GetStatus(uint8_t* status) override { return ReadStatus(socket_path_, status); }

 private:
  // One acknowledgement, for the oldest transfers in flight.
  int TakeAcknowledgement(int stall_ms) {
    std::vector<uint8_t> reply;
    if (int rc = Receive(fd_, &reply, stall_ms); rc != 0) return rc;
    if (reply.size() != 9 || static_cast<char>(reply[0]) != simbus::kWriteReply) return EPROTO;
    uint32_t transfers = simbus::GetU32(&reply[1]);
    uint64_t bytes = 0;
    if (transfers == 0 || transfers > in_flight_.size()) return EPROTO;
    for (uint32_t i = 0; i < transfers; ++i) {
      bytes += in_flight_.front();
      in_flight_.pop_front();
    }
    return simbus::GetU32(&reply[5]) == bytes ? 0 : EIO;
  }

  // What never reached the printer does not count as written.
  int Failed(int error, size_t* written) {
    for (size_t chunk : in_flight_) *written -= std::min(*written, chunk);
    in_flight_.clear();
    return error;
  }

  int fd_;
  std::string socket_path_;
  std::deque<size_t> in_flight_;
};

bool ProcessAlive(long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

SimBusBackend::SimBusBackend(std::string bus_dir) : bus_dir_(std::move(bus_dir)) {}

int SimBusBackend::Enumerate(std::vector<UsbPrinterInterface>* interfaces) {
  interfaces->clear();
  std::error_code error;
  std::vector<std::pair<std::string, simbus::Registration>> found;
  for (const auto& entry : fs::directory_iterator(bus_dir_, error)) {
    if (entry.path().extension() != simbus::kRegistrationSuffix) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text;
    text.resize(4096);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
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
  std::vector<uint8_t> reply;
  int rc = Ask(fd, {static_cast<uint8_t>(simbus::kOpen)}, simbus::kOpenReply, kControlWaitMs,
               &reply);
  if (rc == 0 && reply.size() != 2) rc = EPROTO;
  if (rc == 0) rc = reply[1];
  if (rc != 0) {
    close(fd);
    return rc;
  }
  *device = std::make_unique<SimDevice>(fd, interface.node);
  return 0;
}

}  // namespace vidodez::platform
