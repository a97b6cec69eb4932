#pragma once
// What the simulated USB bus is made of, shared by the programs' backend and
// the simulator: one registration file per printer interface in the bus
// folder, and a connection point (bus_transport.h: a SOCK_SEQPACKET socket
// beside it on Linux, a message-mode named pipe on Windows). One message is
// one USB transfer, so message boundaries are kept as on the real bus.
//
// Host -> printer: 'O' open | 'W' bytes (bulk-out) | 'R' u32 wait_ms (one
//                  bulk-in read) | 'S' (status byte; needs no open)
// Printer -> host: 'o' u8 errno | 'w' u32 transfers u32 bytes (taken since
//                  the last 'w') | 'r' bytes | 't' (read
//                  timed out) | 's' u8 status
// A connection that opened holds the device until it closes; another 'O'
// meanwhile gets EBUSY, as usblp allows one open at a time. Unplugging closes
// every connection and removes the files.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vidodez::platform::simbus {

constexpr char kOpen = 'O';
constexpr char kWrite = 'W';
constexpr char kRead = 'R';
constexpr char kStatus = 'S';
constexpr char kOpenReply = 'o';
constexpr char kWriteReply = 'w';
constexpr char kReadReply = 'r';
constexpr char kReadTimedOut = 't';
constexpr char kStatusReply = 's';

// Bulk-out bytes per 'W' message; larger writes go in several.
constexpr size_t kMaxWriteMessage = 64 * 1024;
// The largest message either side accepts.
constexpr size_t kMaxMessage = kMaxWriteMessage + 16;

constexpr const char* kRegistrationSuffix = ".printer";
constexpr const char* kSocketSuffix = ".sock";  // Linux's sockets, beside the registrations

struct Registration {
  std::string device_path;
  int port_number = -1;
  bool has_description = false;
  std::string description;
  std::string socket_path;  // the connection point: a socket, or a pipe's name
  long pid = 0;
};

std::string FormatRegistration(const Registration& registration);
// Nothing when a required line is missing or malformed.
std::optional<Registration> ParseRegistration(const std::string& text);

void PutU32(uint8_t* out, uint32_t value);
uint32_t GetU32(const uint8_t* in);

}  // namespace vidodez::platform::simbus
