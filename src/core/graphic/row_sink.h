#pragma once
// Where a picture decoder puts its grey rows as it decodes them, so that
// what becomes of them (a whole picture, or only what a conversion needs)
// is not the decoder's business.

#include <cstdint>

namespace vidodez {

// Called from inside a decoder's loop, often among a C library's frames:
// nothing here may throw.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // The picture's size as stored and its quarter turns upright (see
  // ExifQuarterTurns) are known; kGraphicOk to decode it, another graphic
  // code to stop.
  virtual int Start(int width, int height, int bits_per_pixel, int quarter_turns) noexcept = 0;
  // Where row y goes (width bytes); rows come top to bottom, each once.
  virtual std::uint8_t* Row(int y) noexcept = 0;
  // Row y holds its final values.
  virtual void RowDone(int y) noexcept = 0;
};

}  // namespace vidodez
