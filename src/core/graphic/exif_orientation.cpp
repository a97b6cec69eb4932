#include "core/graphic/exif_orientation.h"

#include <cstddef>
#include <cstring>

namespace vidodez {
namespace {

// A reader in the manner of a data stream: a read past the end gives 0,
// keeps the bytes it could not have, and marks the stream failed for good.
class ExifReader {
 public:
  explicit ExifReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t position() const { return position_; }
  bool ok() const { return ok_; }
  void set_little_endian(bool little) { little_ = little; }
  void Seek(std::size_t position) { position_ = position; }

  std::uint32_t Read(std::size_t size) {
    if (data_.size() - position_ < size) {
      position_ = data_.size();
      ok_ = false;
      return 0;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::uint32_t byte = data_[position_ + (little_ ? size - 1 - i : i)];
      value = value << 8 | byte;
    }
    position_ += size;
    return value;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
  bool little_ = false;
  bool ok_ = true;
};

// The orientation tag's value 1 to 8, 0 when there is none, -1 for data
// that is not what it should be.
int ExifOrientation(std::span<const std::uint8_t> data) {
  // The Exif standard allows five IFDs; a few more are read for later ones.
  constexpr int kMaxIfds = 10;
  constexpr std::uint32_t kOrientationTag = 0x0112;
  constexpr std::uint32_t kUnsignedShort = 3;
  static constexpr std::uint8_t kMagic[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (data.size() < sizeof kMagic || std::memcmp(data.data(), kMagic, sizeof kMagic) != 0)
    return -1;
  ExifReader reader(data);
  reader.Seek(sizeof kMagic);
  const std::size_t header_start = reader.position();
  const std::uint32_t order = reader.Read(2);
  if (order == 0x4949) {
    reader.set_little_endian(true);
  } else if (order != 0x4d4d) {
    return -1;
  }
  if (reader.Read(2) != 0x2a) return -1;
  std::uint32_t offset = reader.Read(4);
  for (int ifd = 0; ifd < kMaxIfds; ++ifd) {
    // Only forwards, as the readers of these files go.
    const std::size_t read_so_far = reader.position() - header_start;
    if (offset < read_so_far || std::size_t{offset} + header_start >= data.size()) return -1;
    reader.Seek(offset + header_start);
    for (std::uint32_t entries = reader.Read(2); entries > 0 && reader.ok(); --entries) {
      const std::uint32_t tag = reader.Read(2);
      const std::uint32_t type = reader.Read(2);
      const std::uint32_t components = reader.Read(4);
      const std::uint32_t value = reader.Read(2);
      reader.Read(2);
      if (tag == kOrientationTag) {
        if (components != 1 || type != kUnsignedShort || value < 1 || value > 8) return -1;
        // An orientation given twice: the first counts.
        return static_cast<int>(value);
      }
    }
    offset = reader.Read(4);
    if (!reader.ok()) return -1;
    if (offset == 0) break;
  }
  return 0;
}

}  // namespace

int ExifQuarterTurns(std::span<const std::uint8_t> app1_data) {
  switch (ExifOrientation(app1_data)) {
    case 3:
      return 2;
    case 6:
      return 1;
    case 8:
      return 3;
    case 2:
    case 4:
    case 5:
    case 7:
      return kExifMirrored;
    default:
      return 0;
  }
}

}  // namespace vidodez
