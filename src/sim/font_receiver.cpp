#include "sim/font_receiver.h"

namespace vidodez::sim {
namespace {

constexpr size_t kFullLineDigits = 2 * kFontBytesPerLine;

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

size_t FontReceiver::Take(const uint8_t* data, size_t size) {
  size_t at = 0;
  for (; at < size && !ended_; ++at) {
    uint8_t c = data[at];
    if (c == '\r') continue;
    if (c == '\n') {
      EndLine();
    } else if (HexValue(c) < 0) {
      ended_ = true;
      return at;
    } else if (line_.size() == kFullLineDigits) {
      malformed_ = true;  // longer than any line of a download
    } else {
      line_.push_back(static_cast<char>(c));
    }
  }
  return at;
}

void FontReceiver::EndLine() {
  const size_t digits = line_.size();
  if (digits % 2 != 0 || font_.size() + digits / 2 > header_.size) {
    malformed_ = true;
  } else {
    for (size_t i = 0; i < digits; i += 2) {
      int high = HexValue(static_cast<uint8_t>(line_[i]));
      int low = HexValue(static_cast<uint8_t>(line_[i + 1]));
      font_.push_back(static_cast<char>(high << 4 | low));
    }
  }
  line_.clear();
  if (digits < kFullLineDigits) ended_ = true;
}

std::optional<std::string> FontReceiver::Font() const {
  if (malformed_ || font_.size() != header_.size) return std::nullopt;
  return font_;
}

}  // namespace vidodez::sim
