#include "core/platform/sim/sim_bus_backend.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <deque>
#include <filesystem>
#include <iterator>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/process.h"
#include "core/platform/sim/bus_transport.h"
#include "core/platform/sim/sim_bus_protocol.h"

namespace vidodez::platform {
namespace {

namespace fs = std::filesystem;
using simbus::BusConnection;
using simbus::Part;

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

int Send(BusConnection& bus, const uint8_t* data, size_t size) {
  Part part{const_cast<uint8_t*>(data), size};
  return bus.Send(&part, 1);
}

// The answers to control requests and writes are a few bytes; anything
// longer is no answer of this bus.
using ShortMessage = std::array<uint8_t, 16>;

int Receive(BusConnection& bus, ShortMessage* message, size_t* got, int wait_ms) {
  Part part{message->data(), message->size()};
  return bus.Receive(&part, 1, got, wait_ms);
}

// A control request and its answer of `size` bytes tagged `answer`.
int Ask(BusConnection& bus, char request, char answer, size_t size, int wait_ms,
        ShortMessage* reply) {
  const auto tag = static_cast<uint8_t>(request);
  if (int rc = Send(bus, &tag, 1); rc != 0) return rc;
  size_t got = 0;
  if (int rc = Receive(bus, reply, &got, wait_ms); rc != 0) return rc;
  if (got != size || static_cast<char>((*reply)[0]) != answer) return EPROTO;
  return 0;
}

int ReadStatus(const std::string& address, uint8_t* status) {
  std::unique_ptr<BusConnection> bus;
  if (int rc = simbus::Connect(address, &bus); rc != 0) return rc;
  ShortMessage reply;
  int rc = Ask(*bus, simbus::kStatus, simbus::kStatusReply, 2, kControlWaitMs, &reply);
  if (rc != 0) return rc;
  *status = reply[1];
  return 0;
}

class SimDevice final : public UsbDevice {
 public:
  SimDevice(std::unique_ptr<BusConnection> bus, std::string address)
      : bus_(std::move(bus)), address_(std::move(address)) {}

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
    if (int rc = Send(*bus_, request, sizeof(request)); rc != 0) return rc;
    // The transfer lands in the caller's buffer; a larger one is cut, as
    // the driver would cut it.
    uint8_t tag = 0;
    const Part parts[] = {{&tag, 1}, {buffer, capacity}};
    size_t received = 0;
    if (int rc = bus_->Receive(parts, 2, &received, timeout_ms + kAnswerMarginMs); rc != 0)
      return rc;
    if (static_cast<char>(tag) == simbus::kReadTimedOut) return ETIMEDOUT;
    if (static_cast<char>(tag) != simbus::kReadReply) return EPROTO;
    *got = received - 1;
    return 0;
  }

  int GetStatus(uint8_t* status) override { return ReadStatus(address_, status); }

 private:
  // One acknowledgement, for the oldest transfers in flight.
  int TakeAcknowledgement(int stall_ms) {
    ShortMessage reply;
    size_t got = 0;
    if (int rc = Receive(*bus_, &reply, &got, stall_ms); rc != 0) return rc;
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
    std::vector<Part> messages(queued_.size());
    size_t at = 0;
    for (size_t i = 0; i < queued_.size(); ++i) {
      messages[i] = {queued_bytes_.data() + at, queued_[i] + 1};
      at += queued_[i] + 1;
    }
    size_t sent = 0;
    const int error = bus_->SendEach(messages.data(), messages.size(), &sent);
    for (size_t i = 0; i < sent; ++i) in_flight_.push_back(queued_[i]);
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

  std::unique_ptr<BusConnection> bus_;
  std::string address_;
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
  const FileCalls& calls = DefaultFileCalls();
  const int fd = calls.open(path.c_str(), kOpenRead | kOpenNoWait, 0);
  if (fd < 0) return false;
  FileStatus info;
  size_t got = 0;
  text->resize(4096);
  const bool ok = calls.status(fd, &info) == 0 && info.kind == FileKind::kRegular &&
                  ReadFully(fd, text->data(), text->size(), &got) == 0;
  calls.close(fd);
  text->resize(ok ? got : 0);
  return ok;
}

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
  std::unique_ptr<BusConnection> bus;
  if (int rc = simbus::Connect(interface.node, &bus); rc != 0) return rc;
  ShortMessage reply;
  int rc = Ask(*bus, simbus::kOpen, simbus::kOpenReply, 2, kControlWaitMs, &reply);
  if (rc == 0) rc = reply[1];
  if (rc != 0) return rc;
  *device = std::make_unique<SimDevice>(std::move(bus), interface.node);
  return 0;
}

}  // namespace vidodez::platform
