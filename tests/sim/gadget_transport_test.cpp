#include "sim/gadget_transport.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <linux/usb/g_printer.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace vidodez::sim {
namespace {

using namespace std::chrono_literals;

// Plays the kernel's printer gadget as usb_f_printer behaves on 6.1: one
// open at a time, which sets the SELECTED bit of the status; the host's data
// flows only after a read or poll of the current bind; an unbind removes the
// node, fails the old descriptor with ENODEV and drops whole unread buffers
// but keeps a half-read one for the next bind; writes may be short.
class FakeGadget {
 public:
  GadgetSystem System() {
    GadgetSystem sys;
    sys.open = [this](const std::string&) { return Open(); };
    sys.close = [this](int) { return Change([&] { open_ = false; }); };
    sys.read = [this](int fd, void* data, size_t size) { return Read(fd, data, size); };
    sys.write = [this](int fd, const void* data, size_t size) { return Write(fd, data, size); };
    sys.poll = [this](platform::GadgetPoll* fds, size_t count, int timeout_ms) {
      return Poll(fds, count, timeout_ms);
    };
    sys.set_status = [this](int fd, uint8_t status) {
      std::lock_guard lock(mutex_);
      if (!Usable(fd)) return Error(ENODEV);
      status_ = status;
      changed_.notify_all();
      return 0;
    };
    sys.path_node = [this](const std::string&, uint64_t* node) {
      std::lock_guard lock(mutex_);
      if (!bound_) return Error(ENOENT);
      *node = static_cast<uint64_t>(bind_);
      return 0;
    };
    sys.fd_node = [](int fd, uint64_t* node) {
      *node = static_cast<uint64_t>(fd);
      return 0;
    };
    return sys;
  }

  // Host side.
  void HostWrite(const std::string& bytes) {
    Change([&] { (armed_ ? requests_ : held_).emplace_back(bytes.begin(), bytes.end()); });
  }
  void Unbind(const std::string& half_read_left = "") {
    Change([&] {
      bound_ = configured_ = armed_ = false;
      requests_.clear();
      held_.clear();
      half_.assign(half_read_left.begin(), half_read_left.end());
    });
  }
  void Bind(bool configured = true) {
    Change([&] {
      bound_ = true;
      configured_ = configured;
      ++bind_;
    });
  }
  void Configure() {
    Change([&] { configured_ = true; });
  }

  // Waits for `pred`, which may look at the gadget and at the model, so it
  // runs without the gadget's lock; a change of either wakes the wait soon.
  template <typename Pred>
  bool WaitFor(Pred pred) {
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!pred()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, 5ms);
    }
    return true;
  }
  std::string host_in() { return Locked(host_in_); }
  uint8_t status() { return Locked(status_); }
  int opens() { return Locked(opens_); }
  void set_write_limit(size_t limit) { write_limit_ = limit; }
  void set_open(bool open) { open_ = open; }

 private:
  template <typename Fn>
  int Change(Fn fn) {
    std::lock_guard lock(mutex_);
    fn();
    changed_.notify_all();
    return 0;
  }
  template <typename T>
  T Locked(const T& field) {
    std::lock_guard lock(mutex_);
    return field;
  }
  static int Error(int error) {
    errno = error;
    return -1;
  }
  bool Usable(int fd) const { return bound_ && configured_ && fd == bind_; }

  // The first read or poll of a bind queues its receive requests: what the
  // host sent before then is never part of the call that queued them.
  void Arm() {
    if (armed_) return;
    armed_ = true;
    for (auto& r : held_) requests_.push_back(std::move(r));
    held_.clear();
  }

  int Open() {
    std::lock_guard lock(mutex_);
    if (!bound_) return Error(ENOENT);
    if (open_) return Error(EBUSY);
    open_ = true;
    ++opens_;
    status_ |= PRINTER_SELECTED;
    changed_.notify_all();
    return bind_;
  }

  int64_t Read(int fd, void* data, size_t size) {
    std::lock_guard lock(mutex_);
    if (!Usable(fd)) return Error(ENODEV);
    std::vector<uint8_t> ready = half_;
    half_.clear();
    for (auto& r : requests_) ready.insert(ready.end(), r.begin(), r.end());
    requests_.clear();
    Arm();
    if (ready.empty()) return Error(EAGAIN);
    size_t n = std::min(size, ready.size());
    std::memcpy(data, ready.data(), n);
    half_.assign(ready.begin() + static_cast<std::ptrdiff_t>(n), ready.end());
    changed_.notify_all();
    return static_cast<int64_t>(n);
  }

  int64_t Write(int fd, const void* data, size_t size) {
    std::lock_guard lock(mutex_);
    if (!Usable(fd)) return Error(ENODEV);
    if (size == 0) return Error(EINVAL);
    size_t n = std::min(size, write_limit_);
    host_in_.append(static_cast<const char*>(data), n);
    changed_.notify_all();
    return static_cast<int64_t>(n);
  }

  int Poll(platform::GadgetPoll* fds, size_t count, int timeout_ms) {
    std::unique_lock lock(mutex_);
    auto ready = [&] {
      if (count == 0) return false;
      platform::GadgetPoll& p = fds[0];
      p.revents = 0;
      if (!Usable(p.fd)) {
        p.revents = platform::kGadgetBroken;
      } else {
        Arm();
        if (!half_.empty() || !requests_.empty())
          p.revents |= static_cast<short>(p.events & platform::kGadgetReadable);
        p.revents |= static_cast<short>(p.events & platform::kGadgetWritable);
      }
      return p.revents != 0;
    };
    bool any = changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready);
    return any ? 1 : 0;
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  bool bound_ = true;
  bool configured_ = true;
  bool armed_ = false;
  bool open_ = false;
  int bind_ = 1;  // also the descriptor and node of the current bind
  int opens_ = 0;
  uint8_t status_ = 0;
  size_t write_limit_ = 1 << 20;
  std::deque<std::vector<uint8_t>> held_;      // sent before any read or poll
  std::deque<std::vector<uint8_t>> requests_;  // completed, unread
  std::vector<uint8_t> half_;
  std::string host_in_;
};

// Runs the transport on a thread for the length of a test.
class Served {
 public:
  explicit Served(const GadgetSystem& sys, const std::string& device = "/dev/g_printer0")
      : model_(PrinterOptions{}) {
    thread_ = std::thread([this, sys, device] {
      rc_ = RunGadgetTransport(
          model_, mutex_, device, stop_, [this] { ready_ = true; }, sys);
      finished_ = true;
    });
  }
  ~Served() { Stop(); }

  int Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return rc_;
  }
  std::string Wire() {
    std::lock_guard lock(mutex_);
    return std::string(model_.wire().begin(), model_.wire().end());
  }
  void SetStatus(uint8_t status) {
    std::lock_guard lock(mutex_);
    model_.set_status(status);
  }
  bool ready() const { return ready_; }
  bool finished() const { return finished_; }

 private:
  PrinterModel model_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ready_{false};
  std::atomic<bool> finished_{false};
  int rc_ = -1;
  std::thread thread_;
};

TEST(GadgetTransport, RefusesADeviceItCannotServe) {
  // Faults caught: waiting for ever on a mistyped path, or serving a device
  // that is not a printer gadget as if it were one.
  struct Case {
    const char* device;
    int error;
  };
  for (const Case& c : {Case{"/nonexistent/g_printer0", ENOENT}, Case{"/dev/null", ENOTTY}}) {
    SCOPED_TRACE(c.device);
    std::atomic<bool> stop{false};
    PrinterModel model{PrinterOptions{}};
    std::mutex mutex;
    bool ready = false;
    EXPECT_EQ(c.error, RunGadgetTransport(model, mutex, c.device, stop, [&] { ready = true; }));
    EXPECT_FALSE(ready);
  }
}

TEST(GadgetTransport, RefusesAGadgetHeldByAnotherProcess) {
  FakeGadget gadget;
  gadget.set_open(true);
  Served served(gadget.System());
  ASSERT_TRUE(gadget.WaitFor([&] { return served.finished(); }));
  EXPECT_EQ(EBUSY, served.Stop());
  EXPECT_FALSE(served.ready());
}

TEST(GadgetTransport, BytesLeftHalfReadByAnUnplugNeverReachTheModel) {
  // Fault caught: the remains of a transfer the host gave up on at the
  // unplug read after the next bind as if the host had sent them anew.
  FakeGadget gadget;
  Served served(gadget.System());
  gadget.HostWrite("#A\r\n");
  ASSERT_TRUE(gadget.WaitFor([&] { return served.Wire() == "#A\r\n"; })) << served.Wire();

  gadget.Unbind("STALE-HALF");
  gadget.Bind();
  gadget.HostWrite("#B\r\n");
  EXPECT_TRUE(gadget.WaitFor([&] { return served.Wire().size() >= 8; }));
  EXPECT_EQ("#A\r\n#B\r\n", served.Wire());
  EXPECT_EQ(2, gadget.opens());
  EXPECT_EQ(0, served.Stop());
}

TEST(GadgetTransport, WaitsForTheHostToConfigureWithoutReopening) {
  // Fault caught: taking "not configured yet" for an unplug and reopening in
  // a loop, which flips the SELECTED bit the host reads as the port status.
  FakeGadget gadget;
  gadget.Unbind();
  gadget.Bind(/*configured=*/false);
  Served served(gadget.System());
  ASSERT_TRUE(gadget.WaitFor([&] { return served.ready(); }));
  gadget.Configure();
  gadget.HostWrite("#C\r\n");
  EXPECT_TRUE(gadget.WaitFor([&] { return served.Wire() == "#C\r\n"; }));
  EXPECT_EQ(1, gadget.opens());
  EXPECT_EQ(0, served.Stop());
}

TEST(GadgetTransport, StatusAndWholeRepliesFollowTheModelAcrossAnUnbindAndRebind) {
  // Faults caught: the status set once at open and never again, so a paper
  // out in the model never reaches the host; a short write taken for the
  // whole reply; ending, or staying on the dead descriptor, when the
  // controller is unbound, so the printer never comes back for the host;
  // the next open's SELECTED bit left in place of the model's status.
  FakeGadget gadget;
  gadget.set_write_limit(7);
  Served served(gadget.System());
  ASSERT_TRUE(gadget.WaitFor([&] { return served.ready(); }));
  EXPECT_EQ(24, gadget.status());
  served.SetStatus(PRINTER_PAPER_EMPTY | PRINTER_NOT_ERROR);
  EXPECT_TRUE(gadget.WaitFor([&] { return gadget.status() == 0x28; }));
  const std::string reply = PrinterModel(PrinterOptions{}).SettingsReply();
  gadget.HostWrite("^G1\r\n");
  EXPECT_TRUE(gadget.WaitFor([&] { return gadget.host_in().size() >= reply.size(); }));
  EXPECT_EQ(reply, gadget.host_in());
  gadget.Unbind();
  gadget.Bind();
  gadget.HostWrite("^G1\r\n");
  EXPECT_TRUE(gadget.WaitFor([&] { return gadget.host_in().size() >= 2 * reply.size(); }));
  EXPECT_EQ(reply + reply, gadget.host_in());
  EXPECT_EQ(0x28, gadget.status());
  EXPECT_FALSE(served.finished());
  EXPECT_EQ(0, served.Stop());
}

}  // namespace
}  // namespace vidodez::sim
