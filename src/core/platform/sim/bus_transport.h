#pragma once
// The connections of the simulated bus. Each keeps message boundaries, one
// message standing for one USB transfer: Unix SOCK_SEQPACKET sockets on
// Linux, message-mode named pipes on Windows. Results are 0 or an errno:
// ENODEV when the other side hung up, ETIMEDOUT when a wait ran out, EAGAIN
// when a call that does not wait found nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vidodez::platform::simbus {

struct Part {
  uint8_t* data;
  size_t size;
};

// The host's side: one connection to one printer.
class BusConnection {
 public:
  virtual ~BusConnection() = default;
  // One message made of `parts`, sent without copying them together.
  virtual int Send(const Part* parts, size_t count) = 0;
  // `count` messages, one a part, in as few system calls as the system
  // allows; `*sent` counts those that went, also on failure.
  virtual int SendEach(const Part* messages, size_t count, size_t* sent) = 0;
  // One message within `wait_ms`, spread over `parts` (what does not fit is
  // cut), its length in `got`. The parts are the caller's own memory.
  virtual int Receive(const Part* parts, size_t count, size_t* got, int wait_ms) = 0;
};

int Connect(const std::string& address, std::unique_ptr<BusConnection>* connection);

// The printer's side: one host connected to it.
class BusPeer {
 public:
  virtual ~BusPeer() = default;
  // One message that is already there, or EAGAIN.
  virtual int ReceiveNow(uint8_t* buffer, size_t capacity, size_t* got) = 0;
  virtual int Send(const uint8_t* data, size_t size) = 0;
};

// Where hosts connect to one printer. Closing it refuses new hosts; those
// connected stay until their peers are closed.
class BusListener {
 public:
  virtual ~BusListener() = default;
  // A host that has connected, or EAGAIN.
  virtual int Accept(std::unique_ptr<BusPeer>* peer) = 0;
};

// The address of the printer `serial` on the bus in `bus_dir`: what its
// registration names and hosts connect to.
std::string ListenAddress(const std::string& bus_dir, const std::string& serial);

int Listen(const std::string& address, std::unique_ptr<BusListener>* listener);

// The printer's one wait: for a host to connect, for a message from a host
// it watches (or its hanging up), for a wake-up from another thread, or for
// the time-out.
class BusWaiter {
 public:
  virtual ~BusWaiter() = default;
  // From any thread; a wake-up while nobody waits ends the next wait.
  virtual void Wake() = 0;
  // `peers` are watched, `ignored` (paused hosts) are kept open but their
  // messages stay where they are. `listener` may be null. `timeout_ms` -1
  // waits without end. Which of them is ready comes back in the flags.
  virtual int Wait(BusListener* listener, const std::vector<BusPeer*>& peers,
                   const std::vector<bool>& ignored, int timeout_ms, bool* listener_ready,
                   std::vector<bool>* peer_ready) = 0;
};

int MakeBusWaiter(std::unique_ptr<BusWaiter>* waiter);

}  // namespace vidodez::platform::simbus
