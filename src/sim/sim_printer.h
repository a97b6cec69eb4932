#pragma once
// A simulated printer plugged into the simulated USB bus, served by a thread
// of its own. The simulator program runs one; tests run them in-process to
// change their status, plug and unplug them and read what they received.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/sim/bus_transport.h"
#include "sim/printer_model.h"

namespace vidodez::sim {

class SimPrinter {
 public:
  SimPrinter(std::string bus_dir, PrinterOptions options);
  ~SimPrinter();
  SimPrinter(const SimPrinter&) = delete;
  SimPrinter& operator=(const SimPrinter&) = delete;

  // Registers the interface on the bus and starts serving; 0 or an errno.
  int Start();
  // Unplugging closes every connection (open devices then fail with ENODEV)
  // and removes the interface from the bus; plugging registers it again.
  void Unplug();
  int Plug();

  void SetStatus(uint8_t status);
  void SetReplyMode(ReplyMode mode);
  // A paused printer: bulk-out data is not taken until resumed.
  void SetStallWrites(bool stall);
  // A slow printer: bulk-out data is taken at no more than this many bytes
  // a second; 0 takes it as fast as it comes.
  void SetWriteRate(uint64_t bytes_per_second);

  std::vector<uint8_t> Wire();
  std::vector<size_t> TransferSizes();
  std::string WireText();

  // Runs `fn` on the model while the printer is not serving.
  void WithModel(const std::function<void(PrinterModel&)>& fn);

  const std::string& device_path() const { return device_path_; }
  const std::string& socket_path() const { return socket_path_; }
  const std::string& registration_path() const { return registration_path_; }

 private:
  struct Client {
    std::unique_ptr<platform::simbus::BusPeer> peer;
    bool alive = true;
    bool opened = false;
    bool read_pending = false;
    Clock::time_point read_deadline;
  };

  void Serve();
  int Register();
  void Unregister();
  void Wake();
  void ServeClient(Client& client, std::vector<uint8_t>& buffer);
  void HandleMessage(Client& client, std::span<const uint8_t> message);
  // Whether the printer's rate lets it take bulk-out data at `now`, and
  // the time it then spends on `size` bytes.
  bool WriteAllowed(Clock::time_point now) const;
  void TookWrite(size_t size);
  void ServePendingReads(Clock::time_point now);
  int NextTimeoutMs(Clock::time_point now);
  void DropClient(size_t index);
  void DropAllClients();

  std::string bus_dir_;
  std::string device_path_;
  std::string socket_path_;
  std::string registration_path_;

  std::mutex mutex_;  // guards model_ and everything below it
  PrinterModel model_;
  bool plugged_ = false;
  bool stall_writes_ = false;
  uint64_t write_rate_ = 0;
  Clock::time_point next_write_{};
  std::unique_ptr<platform::simbus::BusListener> listener_;
  std::vector<Client> clients_;
  // Changes whenever connections are closed from outside the serving thread.
  uint64_t generation_ = 0;
  // Connections closed from outside the serving thread while it waits on
  // them: kept open until its wait has returned, so the wait never reads a
  // freed connection or polls a descriptor number already reused.
  std::vector<std::unique_ptr<platform::simbus::BusPeer>> closed_peers_;
  std::vector<std::unique_ptr<platform::simbus::BusListener>> closed_listeners_;

  std::unique_ptr<platform::simbus::BusWaiter> waiter_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vidodez::sim
