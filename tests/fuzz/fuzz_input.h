#pragma once
// Reads one fuzz input as the parts of a call: single bytes for choices and
// numbers, texts of a length byte and as many bytes, and what is left over.
// Past the end every part is empty or zero, so any input makes a call.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vidodez::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : rest_(data, size) {}

  uint8_t Byte() {
    if (rest_.empty()) return 0;
    const uint8_t byte = rest_.front();
    rest_ = rest_.subspan(1);
    return byte;
  }
  int SignedByte() { return static_cast<int8_t>(Byte()); }
  // A text of up to 255 bytes.
  std::string Text() { return Take(Byte()); }
  std::string Take(size_t count) {
    const std::span<const uint8_t> part = rest_.first(count < rest_.size() ? count : rest_.size());
    rest_ = rest_.subspan(part.size());
    return std::string(part.begin(), part.end());
  }
  std::span<const uint8_t> Rest() const { return rest_; }

 private:
  std::span<const uint8_t> rest_;
};

}  // namespace vidodez::fuzz
