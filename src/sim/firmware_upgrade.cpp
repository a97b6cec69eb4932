#include "sim/firmware_upgrade.h"

#include <algorithm>

namespace vidodez::sim {
namespace {

// The version text of an image: printable, no "*" (it would shift the
// settings reply), at most what the printer's version field holds.
std::string ImageVersion(const std::vector<uint8_t>& header, size_t capacity) {
  if (header.size() <= kImageVersionOffset) return {};
  auto first = header.begin() + static_cast<std::ptrdiff_t>(kImageVersionOffset);
  auto end = std::find(first, header.end(), uint8_t{0});
  std::string version(first, end);
  bool usable = !version.empty() && version.size() <= capacity &&
                std::all_of(version.begin(), version.end(),
                            [](char c) { return c > 0x20 && c < 0x7f && c != '*'; });
  return usable ? version : std::string();
}

}  // namespace

bool FirmwareUpgrade::Begin(std::span<const uint8_t> transfer, Clock::time_point now) {
  if (!BeginsStampedImage(transfer)) return false;
  receiving_ = true;
  header_.clear();
  checksum_ = FirmwareChecksum();
  Add(transfer, now);
  return true;
}

void FirmwareUpgrade::Add(std::span<const uint8_t> transfer, Clock::time_point now) {
  last_byte_ = now;
  size_t to_header = std::min(transfer.size(), kImageBodyOffset - header_.size());
  header_.insert(header_.end(), transfer.begin(),
                 transfer.begin() + static_cast<std::ptrdiff_t>(to_header));
  checksum_.Add(transfer.subspan(to_header));
}

void FirmwareUpgrade::Judge(Clock::time_point end, const std::string& part_number,
                            size_t version_capacity) {
  receiving_ = false;
  std::span<const uint8_t> header(header_);
  bool right = PartNumberFromHeader(header) == part_number &&
               std::equal(header_.begin() + kChecksumOffset,
                          header_.begin() + kChecksumOffset + kChecksumSize,
                          ChecksumText(checksum_.value()).begin());
  if (right) {
    // A version the image does not carry leaves the old one.
    steps_ = {{end, kUpdatingByte, {}},
              {end + step_, kUpgradeCompleteByte, ImageVersion(header_, version_capacity)},
              {end + 2 * step_, kReadyByte, {}}};
  } else {
    steps_ = {{end, kUpgradeErrorByte, {}}, {end + step_, kReadyByte, {}}};
  }
}

void FirmwareUpgrade::Advance(Clock::time_point now, const std::string& part_number,
                              size_t version_capacity, std::vector<StatusStep>* due) {
  if (receiving_ && now - last_byte_ >= kImageQuietEnd)
    Judge(last_byte_ + kImageQuietEnd, part_number, version_capacity);
  auto first_later = std::find_if(steps_.begin(), steps_.end(),
                                  [&](const StatusStep& step) { return step.at > now; });
  due->assign(steps_.begin(), first_later);
  steps_.erase(steps_.begin(), first_later);
}

std::optional<Clock::time_point> FirmwareUpgrade::NextDeadline() const {
  if (receiving_) return last_byte_ + kImageQuietEnd;
  if (!steps_.empty()) return steps_.front().at;
  return std::nullopt;
}

}  // namespace vidodez::sim
