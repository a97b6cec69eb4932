#include "sim/sim_printer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/platform/file_system.h"
#include "core/platform/process.h"
#include "core/platform/sim/sim_bus_protocol.h"
#include "core/platform/usb_printing.h"

namespace vidodez::sim {
namespace {

namespace simbus = platform::simbus;

// Messages taken from one host before the others get their turn.
constexpr int kMaxBatch = 64;
// How far ahead of its rate a slow printer may take data: the wait between
// turns is whole milliseconds, and a printer that took one transfer a turn
// would fall far behind its rate.
constexpr auto kRateSlack = std::chrono::milliseconds(5);

std::string Hex4(uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof(text), "%04x", value);
  return text;
}

bool SendMessage(simbus::BusPeer& peer, const std::vector<uint8_t>& message) {
  return peer.Send(message.data(), message.size()) == 0;
}

std::vector<uint8_t> Tagged(char tag, const uint8_t* data = nullptr, size_t size = 0) {
  std::vector<uint8_t> message(size + 1);
  message[0] = static_cast<uint8_t>(tag);
  if (size > 0) std::memcpy(message.data() + 1, data, size);
  return message;
}

}  // namespace

SimPrinter::SimPrinter(std::string bus_dir, PrinterOptions options)
    : bus_dir_(std::move(bus_dir)),
      model_(std::move(options)),
      write_rate_(model_.options().write_rate) {
  const PrinterOptions& o = model_.options();
  std::string serial = model_.Serial();
  device_path_ = platform::WindowsStyleDevicePath(Hex4(o.vid), Hex4(o.pid), serial);
  socket_path_ = simbus::ListenAddress(bus_dir_, serial);
  registration_path_ = bus_dir_ + "/" + serial + simbus::kRegistrationSuffix;
}

SimPrinter::~SimPrinter() {
  stop_ = true;
  Wake();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  DropAllClients();
  Unregister();
}

int SimPrinter::Start() {
  if (int rc = simbus::MakeBusWaiter(&waiter_); rc != 0) return rc;
  {
    std::lock_guard lock(mutex_);
    if (int rc = Register(); rc != 0) return rc;
  }
  thread_ = std::thread([this] { Serve(); });
  return 0;
}

int SimPrinter::Register() {
  std::error_code ignored;
  std::filesystem::create_directories(bus_dir_, ignored);
  std::unique_ptr<simbus::BusListener> listener;
  if (int rc = simbus::Listen(socket_path_, &listener); rc != 0) return rc;
  simbus::Registration r;
  r.device_path = device_path_;
  r.port_number = model_.options().port_number;
  r.has_description = true;
  r.description = model_.Description();
  r.socket_path = socket_path_;
  r.pid = platform::ProcessId();
  // Written aside and renamed, so a listing never reads half a registration.
  std::string temp = registration_path_ + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << simbus::FormatRegistration(r);
    if (!out) return EIO;
  }
  if (int rc = platform::ReplaceWith(temp, registration_path_); rc != 0) return rc;
  listener_ = std::move(listener);
  plugged_ = true;
  ++generation_;
  return 0;
}

void SimPrinter::Unregister() {
  if (!plugged_) return;
  (void)platform::RemoveFile(registration_path_);
  if (listener_) closed_listeners_.push_back(std::move(listener_));
  plugged_ = false;
  ++generation_;
}

void SimPrinter::Unplug() {
  {
    std::lock_guard lock(mutex_);
    DropAllClients();
    Unregister();
    model_.ForgetUnreadTransfers();
  }
  Wake();
}

int SimPrinter::Plug() {
  int rc;
  {
    std::lock_guard lock(mutex_);
    rc = plugged_ ? 0 : Register();
  }
  Wake();
  return rc;
}

void SimPrinter::SetStatus(uint8_t status) {
  std::lock_guard lock(mutex_);
  model_.set_status(status);
}

void SimPrinter::SetReplyMode(ReplyMode mode) {
  std::lock_guard lock(mutex_);
  model_.set_reply_mode(mode);
}

void SimPrinter::SetWriteRate(uint64_t bytes_per_second) {
  {
    std::lock_guard lock(mutex_);
    write_rate_ = bytes_per_second;
    next_write_ = {};
  }
  Wake();
}

void SimPrinter::SetStallWrites(bool stall) {
  {
    std::lock_guard lock(mutex_);
    stall_writes_ = stall;
  }
  Wake();
}

std::vector<uint8_t> SimPrinter::Wire() {
  std::lock_guard lock(mutex_);
  return model_.wire();
}

std::vector<size_t> SimPrinter::TransferSizes() {
  std::lock_guard lock(mutex_);
  return model_.transfer_sizes();
}

std::string SimPrinter::WireText() {
  auto wire = Wire();
  return std::string(wire.begin(), wire.end());
}

void SimPrinter::WithModel(const std::function<void(PrinterModel&)>& fn) {
  {
    std::lock_guard lock(mutex_);
    fn(model_);
  }
  Wake();
}

void SimPrinter::Wake() {
  if (waiter_) waiter_->Wake();
}

void SimPrinter::DropClient(size_t index) {
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

void SimPrinter::DropAllClients() {
  for (Client& client : clients_) closed_peers_.push_back(std::move(client.peer));
  clients_.clear();
  ++generation_;
}

void SimPrinter::HandleMessage(Client& client, std::span<const uint8_t> message) {
  auto now = Clock::now();
  char tag = static_cast<char>(message[0]);
  if (tag == simbus::kStatus) {
    uint8_t status = model_.status();
    client.alive = SendMessage(*client.peer, Tagged(simbus::kStatusReply, &status, 1));
  } else if (tag == simbus::kOpen) {
    bool busy = std::any_of(clients_.begin(), clients_.end(),
                            [&](const Client& c) { return c.opened && &c != &client; });
    uint8_t error = busy ? EBUSY : 0;
    client.opened = !busy;
    client.alive = SendMessage(*client.peer, Tagged(simbus::kOpenReply, &error, 1));
  } else if (tag == simbus::kRead && client.opened && message.size() == 5) {
    client.read_pending = true;
    client.read_deadline = now + std::chrono::milliseconds(simbus::GetU32(&message[1]));
  } else {
    client.alive = false;  // not a host this printer understands
  }
}

void SimPrinter::ServeClient(Client& client, std::vector<uint8_t>& buffer) {
  // Take what the host queued in one go and acknowledge the transfers
  // together: one wake-up per transfer would make the bus the bottleneck.
  uint32_t transfers = 0, bytes = 0;
  auto acknowledge = [&] {
    if (transfers == 0) return;
    uint8_t counts[8];
    simbus::PutU32(counts, transfers);
    simbus::PutU32(counts + 4, bytes);
    client.alive = SendMessage(*client.peer, Tagged(simbus::kWriteReply, counts, sizeof(counts)));
    transfers = bytes = 0;
  };
  for (int taken = 0; taken < kMaxBatch && client.alive; ++taken) {
    // A printer that takes its data slowly leaves the rest for later.
    if (client.opened && write_rate_ != 0 && !WriteAllowed(Clock::now())) break;
    size_t n = 0;
    if (const int rc = client.peer->ReceiveNow(buffer.data(), buffer.size(), &n); rc != 0) {
      if (rc != EAGAIN) client.alive = false;
      break;
    }
    if (n == 0) {
      client.alive = false;  // no transfer of this bus is empty: not a host of ours
      break;
    }
    const std::span<const uint8_t> message(buffer.data(), n);
    if (static_cast<char>(message[0]) == simbus::kWrite && client.opened) {
      size_t size = message.size() - 1;
      model_.Receive(message.data() + 1, size, Clock::now());
      TookWrite(size);
      ++transfers;
      bytes += static_cast<uint32_t>(size);
      continue;
    }
    acknowledge();
    HandleMessage(client, message);
  }
  acknowledge();
}

bool SimPrinter::WriteAllowed(Clock::time_point now) const {
  return write_rate_ == 0 || now + kRateSlack >= next_write_;
}

void SimPrinter::TookWrite(size_t size) {
  if (write_rate_ == 0) return;
  // The time the printer needs for these bytes at its rate; an idle spell
  // earns no credit, so a burst is never faster than the rate.
  const auto now = Clock::now();
  if (next_write_ < now) next_write_ = now;
  next_write_ += std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(static_cast<double>(size) / static_cast<double>(write_rate_)));
}

void SimPrinter::ServePendingReads(Clock::time_point now) {
  for (auto& client : clients_) {
    if (!client.read_pending || !client.alive) continue;
    std::vector<uint8_t> transfer;
    if (model_.TakeTransfer(now, &transfer)) {
      client.alive =
          SendMessage(*client.peer, Tagged(simbus::kReadReply, transfer.data(), transfer.size()));
      client.read_pending = false;
    } else if (now >= client.read_deadline) {
      client.alive = SendMessage(*client.peer, Tagged(simbus::kReadTimedOut));
      client.read_pending = false;
    }
  }
}

int SimPrinter::NextTimeoutMs(Clock::time_point now) {
  std::optional<Clock::time_point> next = model_.NextDeadline();
  if (!WriteAllowed(now) && (!next || next_write_ - kRateSlack < *next)) {
    next = next_write_ - kRateSlack;
  }
  for (const auto& client : clients_) {
    if (!client.read_pending) continue;
    if (!next || client.read_deadline < *next) next = client.read_deadline;
    if (auto due = model_.NextTransferDue(); due && *due < *next) next = due;
  }
  if (!next) return -1;
  auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*next - now).count();
  return wait <= 0 ? 0 : static_cast<int>(wait + 1);
}

void SimPrinter::Serve() {
  // Sized once: each message is received into it as it is, never grown back.
  std::vector<uint8_t> buffer(simbus::kMaxMessage);
  std::unique_lock lock(mutex_);
  while (!stop_) {
    std::vector<simbus::BusPeer*> peers;
    std::vector<bool> ignored;
    // One moment for both: a printer found not taking must also be woken
    // when it may take again.
    const auto now = Clock::now();
    const bool taking = WriteAllowed(now);
    for (const auto& client : clients_) {
      // A paused printer, or one still busy with the last bytes at its
      // rate, takes nothing from the host that holds it open.
      peers.push_back(client.peer.get());
      ignored.push_back((stall_writes_ || !taking) && client.opened);
    }
    int timeout = NextTimeoutMs(now);
    uint64_t generation = generation_;
    simbus::BusListener* listener = plugged_ ? listener_.get() : nullptr;
    bool listener_ready = false;
    std::vector<bool> peer_ready;
    lock.unlock();
    const int rc = waiter_->Wait(listener, peers, ignored, timeout, &listener_ready, &peer_ready);
    lock.lock();
    closed_peers_.clear();
    closed_listeners_.clear();
    if (rc != 0) break;
    model_.Advance(Clock::now());
    // Another thread unplugged or plugged meanwhile: what the wait saw is stale.
    if (generation != generation_) {
      ServePendingReads(Clock::now());
      continue;
    }
    for (size_t i = 0; i < clients_.size(); ++i) {
      if (!peer_ready[i]) continue;
      // Paused while the wait went on: leave the data where it is.
      if (stall_writes_ && clients_[i].opened) continue;
      ServeClient(clients_[i], buffer);
    }
    if (listener_ready) {
      Client client;
      if (listener_->Accept(&client.peer) == 0) clients_.push_back(std::move(client));
    }
    ServePendingReads(Clock::now());
    for (size_t i = clients_.size(); i-- > 0;)
      if (!clients_[i].alive) DropClient(i);
  }
}

}  // namespace vidodez::sim
