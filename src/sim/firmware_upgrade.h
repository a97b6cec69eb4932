#pragma once
// A firmware upgrade as the simulated printer goes through it. An image
// comes with no command around it, so it is known by its header: a transfer
// that begins as a stamped image does starts one, and the image ends when no
// byte has come for kImageQuietEnd. The printer then checks its part number
// and checksum and steps its status: updating, upgrade complete (the new
// version in effect from here), ready; or upgrade error, then ready with the
// old version. Each step lasts the printer's upgrade time.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/firmware/firmware_image.h"

namespace vidodez::sim {

using Clock = std::chrono::steady_clock;

inline constexpr auto kImageQuietEnd = std::chrono::milliseconds(300);
// The printer's version after an upgrade: the text at this offset of the
// image (in the header's bytes the program never reads), up to its first NUL.
inline constexpr size_t kImageVersionOffset = 20;

inline constexpr uint8_t kReadyByte = 24;
inline constexpr uint8_t kUpdatingByte = 19;
inline constexpr uint8_t kUpgradeCompleteByte = 107;
inline constexpr uint8_t kUpgradeErrorByte = 106;

struct StatusStep {
  Clock::time_point at;
  uint8_t status = kReadyByte;
  std::string version;  // the version from here on; empty: unchanged
};

class FirmwareUpgrade {
 public:
  explicit FirmwareUpgrade(Clock::duration step) : step_(step) {}

  bool receiving() const { return receiving_; }
  // Starts an image when `transfer` begins as one; false otherwise.
  bool Begin(std::span<const uint8_t> transfer, Clock::time_point now);
  // The next transfer of the image being received.
  void Add(std::span<const uint8_t> transfer, Clock::time_point now);

  // Ends an image that has been quiet long enough, judged against the
  // printer's part number, and hands over the status steps due at `now`.
  void Advance(Clock::time_point now, const std::string& part_number, size_t version_capacity,
               std::vector<StatusStep>* due);
  // When Advance has something to do next; none: nothing pending.
  std::optional<Clock::time_point> NextDeadline() const;

 private:
  void Judge(Clock::time_point end, const std::string& part_number, size_t version_capacity);

  Clock::duration step_;
  bool receiving_ = false;
  Clock::time_point last_byte_;
  std::vector<uint8_t> header_;  // the first kImageBodyOffset bytes
  FirmwareChecksum checksum_;
  std::vector<StatusStep> steps_;  // in time order
};

}  // namespace vidodez::sim
