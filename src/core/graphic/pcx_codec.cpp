#include "core/graphic/pcx_codec.h"

#include <algorithm>
#include <array>

#include "core/graphic/graphic_codes.h"

namespace vidodez {
namespace {

constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kVersion = 5;
constexpr std::uint8_t kRunFlag = 0xC0;
constexpr int kMaxRun = 63;
constexpr std::size_t kVgaPaletteSize = 769;  // marker 0x0C and 256 RGB triples

void Put16(std::uint8_t* at, int value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

int Get16(const std::uint8_t* at) { return at[0] | (at[1] << 8); }

// `count` pixels (8, or fewer at a line's right edge, the rest then white)
// as one byte, the leftmost in the top bit, white as 1. Without a branch: a
// photograph's black and white follow no pattern a processor could predict.
std::uint8_t PackedByte(const std::uint8_t* pixels, int count) {
  unsigned byte = 0;
  for (int k = 0; k < 8; ++k) byte = (byte << 1) | unsigned{k >= count || IsWhite(pixels[k])};
  return static_cast<std::uint8_t>(byte);
}

void EncodeLine(const std::uint8_t* line, int count, std::vector<std::uint8_t>& out) {
  int i = 0;
  while (i < count) {
    const std::uint8_t value = line[i];
    int run = 1;
    while (i + run < count && run < kMaxRun && line[i + run] == value) ++run;
    // A lone byte with both top bits set would read as a run count.
    if (run > 1 || (value & kRunFlag) == kRunFlag)
      out.push_back(static_cast<std::uint8_t>(kRunFlag | run));
    out.push_back(value);
    i += run;
  }
}

// Reads run-length encoded (or plain) bytes across line ends, since several
// writers let a run continue into the next line.
class RunReader {
 public:
  RunReader(const std::uint8_t* data, std::size_t size, bool encoded)
      : data_(data), size_(size), encoded_(encoded) {}

  // Fills `count` bytes; false when the data ends first.
  bool Read(std::uint8_t* out, std::size_t count) {
    std::size_t filled = 0;
    while (filled < count) {
      if (pending_ == 0 && !Refill()) return false;
      const std::size_t take = std::min<std::size_t>(pending_, count - filled);
      std::fill_n(out + filled, take, value_);
      filled += take;
      pending_ -= static_cast<int>(take);
    }
    return true;
  }

 private:
  bool Refill() {
    if (pos_ >= size_) return false;
    const std::uint8_t byte = data_[pos_++];
    if (!encoded_ || (byte & kRunFlag) != kRunFlag) {
      value_ = byte;
      pending_ = 1;
      return true;
    }
    if (pos_ >= size_) return false;
    value_ = data_[pos_++];
    pending_ = byte & kMaxRun;  // a count of 0 is legal and yields nothing
    return true;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  bool encoded_;
  std::size_t pos_ = 0;
  std::uint8_t value_ = 0;
  int pending_ = 0;
};

struct Layout {
  int bits = 0;  // per plane
  int planes = 0;
  bool Supported() const {
    if (planes == 1) return bits == 1 || bits == 2 || bits == 4 || bits == 8;
    if (bits == 1) return planes >= 2 && planes <= 4;
    return bits == 8 && (planes == 3 || planes == 4);
  }
  bool Indexed() const { return !(bits == 8 && planes >= 3); }
};

// Grey values of the palette indices, from the header's 16 colours, the
// VGA palette at the end of the file or a grey ramp.
std::array<std::uint8_t, 256> GreyPalette(const std::uint8_t* header, Layout layout,
                                          std::span<const std::uint8_t> file, bool* vga) {
  std::array<std::uint8_t, 256> grey{};
  *vga = false;
  // The 256-colour palette trails only files of one 8-bit plane; in a
  // 24-bit file the byte 769 from the end is picture data, whatever it is.
  if (layout.bits == 8 && layout.planes == 1) {
    const std::size_t tail = file.size() - kVgaPaletteSize;
    if (file.size() >= kPcxHeaderSize + kVgaPaletteSize && file[tail] == 0x0C) {
      *vga = true;
      for (std::size_t i = 0; i < 256; ++i)
        grey[i] = GreyOf(file[tail + 1 + 3 * i], file[tail + 2 + 3 * i], file[tail + 3 + 3 * i]);
    } else {
      for (std::size_t i = 0; i < 256; ++i) grey[i] = static_cast<std::uint8_t>(i);
    }
    return grey;
  }
  const std::uint8_t* map = header + 16;
  for (std::size_t i = 0; i < 16; ++i) grey[i] = GreyOf(map[3 * i], map[3 * i + 1], map[3 * i + 2]);
  // Many writers of one-bit files leave the palette blank; readers then take
  // 0 as black and 1 as white.
  if (layout.bits * layout.planes == 1 && grey[0] == grey[1]) {
    grey[0] = kBlack;
    grey[1] = kWhite;
  }
  return grey;
}

}  // namespace

int EncodePcx(const GreyBitmap& picture, int dpi, std::vector<std::uint8_t>* out) {
  if (picture.empty() || picture.width > 65535 || picture.height > 65535) return kGraphicBadSize;
  const int bytes_per_line = ((picture.width + 15) / 16) * 2;
  std::vector<std::uint8_t> file(kPcxHeaderSize, 0);
  std::uint8_t* h = file.data();
  h[0] = kManufacturer;
  h[1] = kVersion;
  h[2] = 1;  // run-length encoded
  h[3] = 1;  // bits per pixel per plane
  Put16(h + 8, picture.width - 1);
  Put16(h + 10, picture.height - 1);
  Put16(h + 12, std::clamp(dpi, 0, 65535));
  Put16(h + 14, std::clamp(dpi, 0, 65535));
  // Palette entry 0 black, 1 white, for readers that honour it.
  h[19] = h[20] = h[21] = 0xFF;
  h[65] = 1;  // planes
  Put16(h + 66, bytes_per_line);
  Put16(h + 68, 1);  // colour or black and white

  // Bits past the right edge are white: no ink if a printer ever used them.
  // The line's padding byte, if it has one, is never written over.
  std::vector<std::uint8_t> line(static_cast<std::size_t>(bytes_per_line), 0xFF);
  file.reserve(kPcxHeaderSize + std::size_t(bytes_per_line) * std::size_t(picture.height) / 4);
  const int whole_bytes = picture.width / 8;
  const int cut = picture.width % 8;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (int b = 0; b < whole_bytes; ++b) line[std::size_t(b)] = PackedByte(row + 8 * b, 8);
    if (cut != 0) line[std::size_t(whole_bytes)] = PackedByte(row + 8 * whole_bytes, cut);
    EncodeLine(line.data(), bytes_per_line, file);
  }
  *out = std::move(file);
  return kGraphicOk;
}

int DecodePcx(std::span<const std::uint8_t> file, GreyBitmap* out, PcxInfo* info) {
  if (file.size() < kPcxHeaderSize) return kGraphicBadPicture;
  const std::uint8_t* h = file.data();
  if (h[0] != kManufacturer || h[2] > 1) return kGraphicBadPicture;
  const Layout layout{h[3], h[65]};
  if (!layout.Supported()) return kGraphicBadPicture;
  const int x_min = Get16(h + 4);
  const int y_min = Get16(h + 6);
  const int x_max = Get16(h + 8);
  const int y_max = Get16(h + 10);
  if (x_max < x_min || y_max < y_min) return kGraphicBadPicture;
  const int width = x_max - x_min + 1;
  const int height = y_max - y_min + 1;
  if (!PictureSizeAcceptable(width, height)) return kGraphicPictureTooLarge;
  const int bytes_per_line = Get16(h + 66);
  const std::int64_t needed_per_line = (std::int64_t(width) * layout.bits + 7) / 8;
  if (bytes_per_line < needed_per_line) return kGraphicBadPicture;

  bool vga = false;
  const std::array<std::uint8_t, 256> grey = GreyPalette(h, layout, file, &vga);
  std::size_t data_size = file.size() - kPcxHeaderSize;
  if (vga) data_size -= kVgaPaletteSize;
  // A run of 63 bytes takes two bytes of file: a file too short for its
  // header's size, even at the best ratio, is cut short, and is refused
  // before the picture's memory is taken.
  const bool encoded = h[2] == 1;
  const std::uint64_t raw =
      std::uint64_t(bytes_per_line) * std::uint64_t(layout.planes) * std::uint64_t(height);
  // What is left after the full runs takes one byte when it is one
  // literal byte, else at least a run's two.
  const std::uint64_t best_case =
      encoded ? raw / kMaxRun * 2 + std::min<std::uint64_t>(raw % kMaxRun, 2) : raw;
  if (data_size < best_case) return kGraphicBadPicture;

  GreyBitmap picture;
  picture.width = width;
  picture.height = height;
  if (out != nullptr) picture.pixels.resize(std::size_t(width) * std::size_t(height));
  RunReader reader(file.data() + kPcxHeaderSize, data_size, encoded);
  const std::size_t plane_bytes = std::size_t(bytes_per_line);
  std::vector<std::uint8_t> planes(plane_bytes * std::size_t(layout.planes));
  for (int y = 0; y < height; ++y) {
    if (!reader.Read(planes.data(), planes.size())) return kGraphicBadPicture;
    if (out == nullptr) continue;
    std::uint8_t* row = picture.Row(y);
    const std::uint8_t* p = planes.data();
    if (!layout.Indexed()) {
      for (int x = 0; x < width; ++x)
        row[x] = GreyOf(p[x], p[plane_bytes + std::size_t(x)], p[2 * plane_bytes + std::size_t(x)]);
    } else if (layout.planes == 1 && layout.bits == 8) {
      for (int x = 0; x < width; ++x) row[x] = grey[p[x]];
    } else if (layout.planes == 1) {
      const int per_byte = 8 / layout.bits;
      const unsigned mask = (1u << layout.bits) - 1;
      for (int x = 0; x < width; ++x) {
        const int shift = 8 - layout.bits * (x % per_byte + 1);
        row[x] = grey[(p[x / per_byte] >> shift) & mask];
      }
    } else {
      for (int x = 0; x < width; ++x) {
        unsigned index = 0;
        for (int plane = 0; plane < layout.planes; ++plane)
          index |=
              ((p[std::size_t(plane) * plane_bytes + std::size_t(x >> 3)] >> (7 - (x & 7))) & 1u)
              << plane;
        row[x] = grey[index];
      }
    }
  }
  if (info != nullptr) *info = {width, height, layout.bits * layout.planes};
  if (out != nullptr) *out = std::move(picture);
  return kGraphicOk;
}

}  // namespace vidodez
