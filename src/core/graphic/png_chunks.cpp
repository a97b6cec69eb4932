#include "core/graphic/png_chunks.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vidodez {
namespace {

constexpr std::size_t kSignatureBytes = 8;
// Length and type before the data, the check value after it.
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kChunkTrailerBytes = 4;

bool HasChunkSignature(std::span<const std::uint8_t> bytes) {
  // The first two bytes tell PNG (0x89 'P'), MNG (0x8a 'M') and JNG (0x8b
  // 'J') apart; the six after them are the same for all three.
  static constexpr std::array<std::uint8_t, 6> kRest{'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (bytes.size() < kSignatureBytes) return false;
  const bool kind = (bytes[0] == 0x89 && bytes[1] == 'P') ||
                    (bytes[0] == 0x8a && bytes[1] == 'M') || (bytes[0] == 0x8b && bytes[1] == 'J');
  return kind && std::equal(kRest.begin(), kRest.end(), bytes.begin() + 2);
}

std::uint32_t BigEndian32(const std::uint8_t* at) {
  return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 |
         std::uint32_t(at[3]);
}

}  // namespace

bool PngChunksWithinFile(std::span<const std::uint8_t> bytes) {
  if (!HasChunkSignature(bytes)) return true;
  std::size_t at = kSignatureBytes;
  while (at < bytes.size()) {
    const std::size_t left = bytes.size() - at;
    if (left < kChunkHeaderBytes + kChunkTrailerBytes) return false;
    const std::uint64_t length = BigEndian32(&bytes[at]);
    if (length > left - kChunkHeaderBytes - kChunkTrailerBytes) return false;
    // What follows the end chunk is not read by any decoder.
    const std::uint8_t* type = &bytes[at + 4];
    if (std::memcmp(type, "IEND", 4) == 0 || std::memcmp(type, "MEND", 4) == 0) return true;
    at += kChunkHeaderBytes + std::size_t(length) + kChunkTrailerBytes;
  }
  // No end chunk, but nothing overruns either: the decoders judge that.
  return true;
}

}  // namespace vidodez
