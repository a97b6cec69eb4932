#include "sim/gadget_transport.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace vidodez::sim {
namespace {

using std::chrono::milliseconds;

// How long the loop sleeps at most: bounds how late `stop`, a status change
// and an unbind are noticed.
constexpr int kTickMs = 20;
// One read takes everything the gadget holds: more than all its receive
// buffers together (q_len requests of 8 KiB each) for any q_len up to 128.
// A read that ran out of room would leave a request half read, and the
// gadget keeps that half across an unbind and hands it out again after the
// next bind (seen on 6.1).
constexpr size_t kReadLimit = 1024 * 1024;

enum class Outcome { kStopped, kUnplugged, kFailed };

struct Session {
  int fd = -1;
  uint64_t inode = 0;
  // The host has configured the gadget since this open: an error after
  // that is an unplug, before it only "not enumerated yet".
  bool configured = false;
  bool status_sent = false;  // `status` is what the gadget reports
  uint8_t status = 0;
  int error = 0;
};

class GadgetServer {
 public:
  GadgetServer(PrinterModel& model, std::mutex& model_mutex, const std::string& device,
               const std::atomic<bool>& stop, const GadgetSystem& system)
      : model_(model), model_mutex_(model_mutex), device_(device), stop_(stop), sys_(system) {}

  int Run(const std::function<void()>& on_ready) {
    bool opened_once = false;
    while (!stop_) {
      Session session;
      int rc = Open(&session);
      if (rc != 0) {
        // At the start a missing or busy device is a mistake of the caller;
        // later it is the gap between an unbind and the next bind.
        if (!opened_once) return rc;
        if (rc != ENOENT && rc != ENXIO && rc != ENODEV && rc != EBUSY) return rc;
        Nap();
        continue;
      }
      if (!opened_once) {
        opened_once = true;
        if (on_ready) on_ready();
      }
      Outcome outcome = Serve(&session);
      sys_.close(session.fd);
      if (outcome == Outcome::kFailed) return session.error;
      if (outcome == Outcome::kUnplugged) Unplugged();
    }
    return 0;
  }

 private:
  void Nap() { sys_.poll(nullptr, 0, kTickMs); }

  // An open descriptor of a removed node never learns of the next bind.
  bool SameNode(const Session& session) {
    uint64_t node = 0;
    return sys_.path_node(device_, &node) == 0 && node == session.inode;
  }

  int Open(Session* session) {
    int fd = sys_.open(device_);
    if (fd < 0) return errno;
    uint64_t node = 0;
    if (sys_.fd_node(fd, &node) != 0) {
      int error = errno;
      sys_.close(fd);
      return error;
    }
    session->fd = fd;
    session->inode = node;
    // Opening sets the SELECTED bit on top of whatever status the gadget
    // held; the model's byte replaces the lot. A gadget the host has not
    // configured yet refuses the status for now; it is sent once it takes it.
    if (!SendStatus(session) && errno != ENODEV) {
      int error = errno;
      sys_.close(fd);
      return error;
    }
    return 0;
  }

  bool SendStatus(Session* session) {
    uint8_t status = ModelStatus();
    if (session->status_sent && status == session->status) return true;
    if (sys_.set_status(session->fd, status) != 0) return false;
    session->status = status;
    session->status_sent = true;
    return true;
  }

  uint8_t ModelStatus() {
    std::lock_guard lock(model_mutex_);
    model_.Advance(Clock::now());
    return model_.status();
  }

  // A receive request half read before an unplug comes back after the next
  // bind (whole unread ones are dropped). Reads of kReadLimit leave none
  // half read for any usual q_len, but the host has given up on such bytes
  // in any case, so they must never reach the model as if they were new.
  // Nothing new can be among them: the gadget queues no receive request for
  // a new bind before its first read or poll, and this read is that first
  // call. Returns nothing once drained, or how serving ends first.
  std::optional<Outcome> Drain(Session* session) {
    while (!stop_) {
      int64_t n = sys_.read(session->fd, in_.data(), in_.size());
      if (n >= 0 || errno == EAGAIN) {
        session->configured = true;
        drain_pending_ = false;
        return std::nullopt;
      }
      if (errno == EINTR) continue;
      if (errno != ENODEV) {
        session->error = errno;
        return Outcome::kFailed;
      }
      // Bound but not configured by the host yet, or gone again.
      if (!SameNode(*session)) return Outcome::kUnplugged;
      Nap();
    }
    return Outcome::kStopped;
  }

  Outcome Serve(Session* session) {
    if (drain_pending_) {
      if (std::optional<Outcome> end = Drain(session)) return *end;
    }
    while (!stop_) {
      if (!SendStatus(session) && (session->configured || errno != ENODEV))
        return Lost(session, errno);

      int timeout_ms = kTickMs;
      if (out_offset_ == out_.size()) {
        out_.clear();
        out_offset_ = 0;
        timeout_ms = TakeReply(timeout_ms);
      }

      platform::GadgetPoll pfd{session->fd, platform::kGadgetReadable, 0};
      if (!out_.empty()) pfd.events |= platform::kGadgetWritable;
      int n = sys_.poll(&pfd, 1, timeout_ms);
      if (n < 0) {
        if (errno == EINTR) continue;
        session->error = errno;
        return Outcome::kFailed;
      }
      if (n == 0) {
        if (!SameNode(*session)) return Outcome::kUnplugged;
        continue;
      }
      if (pfd.revents & platform::kGadgetBroken) {
        if (session->configured || !SameNode(*session)) return Outcome::kUnplugged;
        Nap();  // bound, waiting for the host to configure it
        continue;
      }
      session->configured = true;
      if (pfd.revents & platform::kGadgetReadable) {
        if (std::optional<Outcome> end = ReadHostData(session)) return *end;
      }
      if ((pfd.revents & platform::kGadgetWritable) && !out_.empty()) {
        if (std::optional<Outcome> end = WriteReply(session)) return *end;
      }
    }
    return Outcome::kStopped;
  }

  // Queues the model's next due bulk-in transfer; returns how long the next
  // poll may sleep so that a transfer due later (a slow reply) leaves on time.
  int TakeReply(int timeout_ms) {
    std::lock_guard lock(model_mutex_);
    Clock::time_point now = Clock::now();
    // The gadget cannot send a zero-length transfer (a write of no bytes is
    // refused), so an empty reply is simply not sent.
    while (out_.empty() && model_.TakeTransfer(now, &out_)) {
    }
    if (!out_.empty()) return 0;
    if (std::optional<Clock::time_point> due = model_.NextTransferDue()) {
      auto wait = std::chrono::ceil<milliseconds>(*due - now).count();
      timeout_ms = static_cast<int>(std::clamp<long long>(wait, 0, timeout_ms));
    }
    return timeout_ms;
  }

  std::optional<Outcome> ReadHostData(Session* session) {
    for (;;) {
      int64_t n = sys_.read(session->fd, in_.data(), in_.size());
      if (n > 0) {
        std::lock_guard lock(model_mutex_);
        model_.Receive(in_.data(), static_cast<size_t>(n), Clock::now());
        // A full buffer may have more behind it; anything less was all.
        if (static_cast<size_t>(n) < in_.size()) return std::nullopt;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return Lost(session, errno);
      return std::nullopt;
    }
  }

  // The gadget takes at most its free send buffers' worth per write; the rest
  // waits until the gadget is writable again.
  std::optional<Outcome> WriteReply(Session* session) {
    while (out_offset_ < out_.size()) {
      int64_t n = sys_.write(session->fd, out_.data() + out_offset_, out_.size() - out_offset_);
      if (n > 0) {
        out_offset_ += static_cast<size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN) return Lost(session, errno);
      return std::nullopt;
    }
    return std::nullopt;
  }

  // An I/O error after the host configured the gadget means it went away;
  // only an error no unplug explains ends the transport.
  Outcome Lost(Session* session, int error) {
    if (error == ENODEV || error == EPIPE || error == EIO) return Outcome::kUnplugged;
    session->error = error;
    return Outcome::kFailed;
  }

  void Unplugged() {
    // A replug resets the endpoints: a reply half sent, or queued and not
    // read, is gone for the host, as it would be on a real printer.
    out_.clear();
    out_offset_ = 0;
    {
      std::lock_guard lock(model_mutex_);
      model_.ForgetUnreadTransfers();
    }
    drain_pending_ = true;
  }

  PrinterModel& model_;
  std::mutex& model_mutex_;
  const std::string& device_;
  const std::atomic<bool>& stop_;
  const GadgetSystem& sys_;
  bool drain_pending_ = false;
  std::vector<uint8_t> in_ = std::vector<uint8_t>(kReadLimit);
  std::vector<uint8_t> out_;  // the bulk-in transfer being sent
  size_t out_offset_ = 0;
};

}  // namespace

int RunGadgetTransport(PrinterModel& model, std::mutex& model_mutex, const std::string& device,
                       const std::atomic<bool>& stop, const std::function<void()>& on_ready,
                       const GadgetSystem& system) {
  GadgetServer server(model, model_mutex, device, stop, system);
  return server.Run(on_ready);
}

}  // namespace vidodez::sim
