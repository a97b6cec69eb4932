#pragma once
// The header of a firmware image and its checksum, over bytes in memory:
//   0  16 bytes  part number of the model the image is for, NUL-padded
//  16   4 bytes  checksum as four lower-case hex digits; zeros until stamped
//  20  28 bytes  not read
//  48  the body the checksum covers

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vidodez {

inline constexpr size_t kPartNumberSize = 16;
inline constexpr size_t kChecksumOffset = 16;
inline constexpr size_t kChecksumSize = 4;
inline constexpr size_t kImageBodyOffset = 48;
// Far beyond any printer's firmware: a larger file is no image, and summing
// or sending it (a sparse file of gigabytes) would take minutes.
inline constexpr uint64_t kMaxFirmwareImageSize = 64 * 1024 * 1024;

// The sum, modulo 65536, of the body read as big-endian 16-bit words; fed in
// pieces of any size, a last odd byte counting as a high byte.
class FirmwareChecksum {
 public:
  void Add(std::span<const uint8_t> bytes);
  uint16_t value() const { return static_cast<uint16_t>(sum_); }

 private:
  uint32_t sum_ = 0;
  // The last piece ended on a high byte; the next byte is its low byte.
  bool odd_ = false;
};

// The four characters written into the image: "%04x".
std::string ChecksumText(uint16_t checksum);
// True for the four zero bytes of an image that has not been stamped.
bool IsUnstamped(std::span<const uint8_t, kChecksumSize> field);
// The part number in the first bytes of an image, up to its first NUL.
std::string PartNumberFromHeader(std::span<const uint8_t> header);
// Whether `bytes` begin as a stamped image does, for the printer's side,
// which gets an image with no command around it: a part number of printable
// ASCII padded with at least one NUL to 16 bytes (so no text line looks like
// one), then four lower-case hex digits.
bool BeginsStampedImage(std::span<const uint8_t> bytes);

}  // namespace vidodez
