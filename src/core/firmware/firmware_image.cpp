#include "core/firmware/firmware_image.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vidodez {
namespace {

// Eight 16-bit lanes in one vector register. The lanes may wrap: only the
// sum modulo 65536 is wanted, and 65536 divides every lane's modulus.
typedef uint16_t Lanes __attribute__((vector_size(16)));

// The word sum of an even number of bytes, wrapping at 2^32.
uint32_t SumWords(const uint8_t* bytes, size_t size) {
  Lanes first{};
  Lanes second{};
  size_t at = 0;
  // Two accumulators so the additions of neighbouring blocks overlap.
  for (; at + 2 * sizeof(Lanes) <= size; at += 2 * sizeof(Lanes)) {
    Lanes a;
    Lanes b;
    std::memcpy(&a, bytes + at, sizeof a);
    std::memcpy(&b, bytes + at + sizeof a, sizeof b);
    // Memory holds big-endian words; a lane reads them little-endian on the
    // machines we build for, so swap the bytes of each lane.
    if constexpr (std::endian::native == std::endian::little) {
      a = (a << 8) | (a >> 8);
      b = (b << 8) | (b >> 8);
    }
    first += a;
    second += b;
  }
  first += second;
  uint32_t sum = 0;
  for (size_t lane = 0; lane < sizeof(Lanes) / sizeof(uint16_t); ++lane) sum += first[lane];
  for (; at + 1 < size; at += 2) sum += static_cast<uint32_t>(bytes[at] << 8 | bytes[at + 1]);
  return sum;
}

}  // namespace

void FirmwareChecksum::Add(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  if (odd_) {
    sum_ += bytes[0];
    bytes = bytes.subspan(1);
    odd_ = false;
  }
  const size_t even = bytes.size() & ~size_t{1};
  sum_ += SumWords(bytes.data(), even);
  if (even < bytes.size()) {
    sum_ += static_cast<uint32_t>(bytes[even]) << 8;
    odd_ = true;
  }
}

std::string ChecksumText(uint16_t checksum) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(kChecksumSize, '0');
  for (size_t i = 0; i < kChecksumSize; ++i)
    text[kChecksumSize - 1 - i] = kDigits[(checksum >> (4 * i)) & 0xf];
  return text;
}

bool IsUnstamped(std::span<const uint8_t, kChecksumSize> field) {
  return std::all_of(field.begin(), field.end(), [](uint8_t byte) { return byte == 0; });
}

std::string PartNumberFromHeader(std::span<const uint8_t> header) {
  header = header.first(std::min(header.size(), kPartNumberSize));
  auto end = std::find(header.begin(), header.end(), uint8_t{0});
  return std::string(header.begin(), end);
}

bool BeginsStampedImage(std::span<const uint8_t> bytes) {
  if (bytes.size() < kChecksumOffset + kChecksumSize) return false;
  auto part = bytes.first(kPartNumberSize);
  auto nul = std::find(part.begin(), part.end(), uint8_t{0});
  if (nul == part.begin() || nul == part.end()) return false;
  bool printable = std::all_of(part.begin(), nul, [](uint8_t b) { return b >= 0x20 && b < 0x7f; });
  bool padded = std::all_of(nul, part.end(), [](uint8_t b) { return b == 0; });
  auto field = bytes.subspan(kChecksumOffset, kChecksumSize);
  bool hex = std::all_of(field.begin(), field.end(), [](uint8_t b) {
    return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'f');
  });
  return printable && padded && hex;
}

}  // namespace vidodez
