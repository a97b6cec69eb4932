// The simulated bus over message-mode named pipes: one pipe name per
// printer, one pipe instance per connected host. A message is one transfer,
// as a SOCK_SEQPACKET message is on Linux.

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/platform/sim/bus_transport.h"
#include "core/platform/sim/sim_bus_protocol.h"
#include "core/platform/windows/wide_text.h"
#include "core/platform/windows/windows_errors.h"

namespace vidodez::platform::simbus {
namespace {

// How long a host waits for a free instance of a printer's pipe.
constexpr DWORD kConnectWaitMs = 5000;
constexpr DWORD kPipeBuffer = static_cast<DWORD>(kMaxMessage);

int HungUpAsUnplug(int error) { return error == EPIPE ? ENODEV : error; }

// A manual-reset event, closed with its owner.
class Event {
 public:
  Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Event() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Waits for an overlapped transfer started on `pipe`: ETIMEDOUT (the
// transfer cancelled) when `wait_ms` runs out, ENODEV when the other side
// hung up. `*more` tells a message longer than the buffer.
int Finish(HANDLE pipe, OVERLAPPED* io, DWORD wait_ms, DWORD* moved, bool* more) {
  *more = false;
  bool timed_out = false;
  if (WaitForSingleObject(io->hEvent, wait_ms) == WAIT_TIMEOUT) {
    CancelIoEx(pipe, io);
    timed_out = true;
  }
  if (GetOverlappedResult(pipe, io, moved, TRUE)) return 0;
  const DWORD error = GetLastError();
  if (error == ERROR_MORE_DATA) {
    *more = true;
    return 0;
  }
  if (timed_out || error == ERROR_OPERATION_ABORTED) return ETIMEDOUT;
  return HungUpAsUnplug(win::ErrnoOf(error));
}

int WriteMessage(HANDLE pipe, const uint8_t* data, size_t size) {
  Event done;
  OVERLAPPED io{};
  io.hEvent = done.get();
  if (!WriteFile(pipe, data, static_cast<DWORD>(size), nullptr, &io) &&
      GetLastError() != ERROR_IO_PENDING) {
    return HungUpAsUnplug(win::LastErrno());
  }
  DWORD moved = 0;
  bool more = false;
  return Finish(pipe, &io, INFINITE, &moved, &more);
}

// Reads what is left of a message longer than the buffer: it is cut, as
// the socket cuts it.
void DropRest(HANDLE pipe) {
  std::vector<uint8_t> rest(kMaxMessage);
  for (;;) {
    Event done;
    OVERLAPPED io{};
    io.hEvent = done.get();
    if (!ReadFile(pipe, rest.data(), static_cast<DWORD>(rest.size()), nullptr, &io) &&
        GetLastError() != ERROR_IO_PENDING && GetLastError() != ERROR_MORE_DATA) {
      return;
    }
    DWORD moved = 0;
    bool more = false;
    if (Finish(pipe, &io, INFINITE, &moved, &more) != 0 || !more) return;
  }
}

class PipeConnection final : public BusConnection {
 public:
  explicit PipeConnection(HANDLE pipe) : pipe_(pipe) {}
  ~PipeConnection() override { CloseHandle(pipe_); }
  PipeConnection(const PipeConnection&) = delete;
  PipeConnection& operator=(const PipeConnection&) = delete;

  int Send(const Part* parts, size_t count) override {
    outgoing_.clear();
    for (size_t i = 0; i < count; ++i)
      outgoing_.insert(outgoing_.end(), parts[i].data, parts[i].data + parts[i].size);
    return WriteMessage(pipe_, outgoing_.data(), outgoing_.size());
  }

  int SendEach(const Part* messages, size_t count, size_t* sent) override {
    for (*sent = 0; *sent < count; ++*sent) {
      if (int rc = WriteMessage(pipe_, messages[*sent].data, messages[*sent].size); rc != 0)
        return rc;
    }
    return 0;
  }

  int Receive(const Part* parts, size_t count, size_t* got, int wait_ms) override {
    *got = 0;
    size_t capacity = 0;
    for (size_t i = 0; i < count; ++i) capacity += parts[i].size;
    incoming_.resize(std::max<size_t>(capacity, 1));
    Event done;
    OVERLAPPED io{};
    io.hEvent = done.get();
    if (!ReadFile(pipe_, incoming_.data(), static_cast<DWORD>(capacity), nullptr, &io) &&
        GetLastError() != ERROR_IO_PENDING && GetLastError() != ERROR_MORE_DATA) {
      return HungUpAsUnplug(win::LastErrno());
    }
    DWORD moved = 0;
    bool more = false;
    if (int rc = Finish(pipe_, &io, static_cast<DWORD>(std::max(wait_ms, 0)), &moved, &more);
        rc != 0)
      return rc;
    if (more) DropRest(pipe_);
    size_t at = 0;
    for (size_t i = 0; i < count && at < moved; ++i) {
      const size_t take = std::min<size_t>(parts[i].size, moved - at);
      std::copy_n(incoming_.data() + at, take, parts[i].data);
      at += take;
    }
    *got = moved;
    return 0;
  }

 private:
  HANDLE pipe_;
  std::vector<uint8_t> outgoing_;
  std::vector<uint8_t> incoming_;
};

// One host's instance of the pipe, with a read always under way so that a
// message's arrival signals `readable`.
class PipePeer final : public BusPeer {
 public:
  explicit PipePeer(HANDLE pipe) : pipe_(pipe), buffer_(kMaxMessage) { StartRead(); }
  ~PipePeer() override {
    CancelIoEx(pipe_, &io_);
    DWORD ignored = 0;
    GetOverlappedResult(pipe_, &io_, &ignored, TRUE);
    DisconnectNamedPipe(pipe_);
    CloseHandle(pipe_);
  }
  PipePeer(const PipePeer&) = delete;
  PipePeer& operator=(const PipePeer&) = delete;

  int ReceiveNow(uint8_t* buffer, size_t capacity, size_t* got) override {
    *got = 0;
    if (broken_) return ENODEV;
    DWORD moved = 0;
    if (!GetOverlappedResult(pipe_, &io_, &moved, FALSE)) {
      const DWORD error = GetLastError();
      if (error == ERROR_IO_INCOMPLETE) return EAGAIN;
      if (error != ERROR_MORE_DATA) {
        broken_ = true;
        return ENODEV;
      }
      DropRest(pipe_);
    }
    *got = std::min<size_t>(moved, capacity);
    std::copy_n(buffer_.data(), *got, buffer);
    StartRead();
    return 0;
  }

  int Send(const uint8_t* data, size_t size) override { return WriteMessage(pipe_, data, size); }

  HANDLE readable() const { return readable_.get(); }

 private:
  void StartRead() {
    io_ = OVERLAPPED{};
    io_.hEvent = readable_.get();
    ResetEvent(readable_.get());
    if (!ReadFile(pipe_, buffer_.data(), static_cast<DWORD>(buffer_.size()), nullptr, &io_)) {
      const DWORD error = GetLastError();
      if (error != ERROR_IO_PENDING && error != ERROR_MORE_DATA) {
        broken_ = true;
        SetEvent(readable_.get());  // the next look finds it hung up
      }
    }
  }

  HANDLE pipe_;
  Event readable_;
  OVERLAPPED io_{};
  std::vector<uint8_t> buffer_;
  bool broken_ = false;
};

class PipeListener final : public BusListener {
 public:
  explicit PipeListener(std::wstring name) : name_(std::move(name)) {}
  ~PipeListener() override { Drop(); }
  PipeListener(const PipeListener&) = delete;
  PipeListener& operator=(const PipeListener&) = delete;

  // The next instance for a host to connect to; the first one claims the
  // name, so a second printer with the same name fails to register.
  int Offer(bool first) {
    pending_ = CreateNamedPipeW(
        name_.c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        PIPE_UNLIMITED_INSTANCES, kPipeBuffer, kPipeBuffer, 0, nullptr);
    if (pending_ == INVALID_HANDLE_VALUE) {
      pending_ = nullptr;
      return win::LastErrno();
    }
    io_ = OVERLAPPED{};
    io_.hEvent = connected_.get();
    ResetEvent(connected_.get());
    if (!ConnectNamedPipe(pending_, &io_)) {
      const DWORD error = GetLastError();
      if (error == ERROR_PIPE_CONNECTED) {
        SetEvent(connected_.get());
      } else if (error != ERROR_IO_PENDING) {
        Drop();
        return win::ErrnoOf(error);
      }
    }
    return 0;
  }

  int Accept(std::unique_ptr<BusPeer>* peer) override {
    if (pending_ == nullptr) return EAGAIN;
    if (WaitForSingleObject(connected_.get(), 0) != WAIT_OBJECT_0) return EAGAIN;
    HANDLE connected = pending_;
    pending_ = nullptr;
    *peer = std::make_unique<PipePeer>(connected);
    return Offer(false);
  }

  HANDLE connected() const { return connected_.get(); }

 private:
  void Drop() {
    if (pending_ == nullptr) return;
    CancelIoEx(pending_, &io_);
    DWORD ignored = 0;
    GetOverlappedResult(pending_, &io_, &ignored, TRUE);
    CloseHandle(pending_);
    pending_ = nullptr;
  }

  std::wstring name_;
  HANDLE pending_ = nullptr;
  Event connected_;
  OVERLAPPED io_{};
};

class EventWaiter final : public BusWaiter {
 public:
  EventWaiter() : wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~EventWaiter() override { CloseHandle(wake_); }
  EventWaiter(const EventWaiter&) = delete;
  EventWaiter& operator=(const EventWaiter&) = delete;

  void Wake() override { SetEvent(wake_); }

  int Wait(BusListener* listener, const std::vector<BusPeer*>& peers,
           const std::vector<bool>& ignored, int timeout_ms, bool* listener_ready,
           std::vector<bool>* peer_ready) override {
    std::vector<HANDLE> handles{wake_};
    if (listener != nullptr) handles.push_back(static_cast<PipeListener*>(listener)->connected());
    for (size_t i = 0; i < peers.size(); ++i)
      if (!ignored[i]) handles.push_back(static_cast<PipePeer*>(peers[i])->readable());
    // WaitForMultipleObjects takes 64 handles; the hosts past that are
    // looked at when the wait ends.
    const DWORD count = static_cast<DWORD>(std::min<size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS));
    const DWORD wait = timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
    const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE, wait);
    if (result == WAIT_FAILED) return win::LastErrno();
    (void)WaitForSingleObject(wake_, 0);  // a wake-up is spent by any end of the wait
    auto ready = [](HANDLE h) { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; };
    *listener_ready =
        listener != nullptr && ready(static_cast<PipeListener*>(listener)->connected());
    peer_ready->assign(peers.size(), false);
    for (size_t i = 0; i < peers.size(); ++i)
      (*peer_ready)[i] = !ignored[i] && ready(static_cast<PipePeer*>(peers[i])->readable());
    return 0;
  }

 private:
  HANDLE wake_;
};

// Pipe names are one namespace for the whole machine: the bus folder's name
// goes into each, so private buses (one per test) never meet.
std::string FolderKey(const std::string& folder) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : folder) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

std::string ListenAddress(const std::string& bus_dir, const std::string& serial) {
  return "\\\\.\\pipe\\vidodez-sim-" + FolderKey(bus_dir) + "-" + serial;
}

int Connect(const std::string& address, std::unique_ptr<BusConnection>* connection) {
  const std::wstring name = win::Widen(address);
  for (;;) {
    HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) {
      DWORD mode = PIPE_READMODE_MESSAGE;
      if (!SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) {
        const int error = win::LastErrno();
        CloseHandle(pipe);
        return error;
      }
      *connection = std::make_unique<PipeConnection>(pipe);
      return 0;
    }
    const DWORD error = GetLastError();
    // Every instance taken: the printer offers another in a moment.
    if (error == ERROR_PIPE_BUSY && WaitNamedPipeW(name.c_str(), kConnectWaitMs)) continue;
    // The printer went away between listing and opening.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PIPE_BUSY) return ENODEV;
    return win::ErrnoOf(error);
  }
}

int Listen(const std::string& address, std::unique_ptr<BusListener>* listener) {
  auto pipes = std::make_unique<PipeListener>(win::Widen(address));
  if (int rc = pipes->Offer(true); rc != 0) return rc;
  *listener = std::move(pipes);
  return 0;
}

int MakeBusWaiter(std::unique_ptr<BusWaiter>* waiter) {
  *waiter = std::make_unique<EventWaiter>();
  return 0;
}

}  // namespace vidodez::platform::simbus
