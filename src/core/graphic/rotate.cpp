#include "core/graphic/rotate.h"

#include <algorithm>
#include <cstddef>

namespace vidodez {

GreyBitmap RotateRight(const GreyBitmap& source, int quarter_turns) {
  const int turns = ((quarter_turns % 4) + 4) % 4;
  if (turns == 0 || source.empty()) return source;
  const int w = source.width;
  const int h = source.height;
  GreyBitmap out;
  out.width = turns == 2 ? w : h;
  out.height = turns == 2 ? h : w;
  out.pixels.resize(source.pixels.size());
  if (turns == 2) {
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* in = source.Row(y);
      std::reverse_copy(in, in + w, out.Row(h - 1 - y));
    }
    return out;
  }
  // Source row y becomes target column h-1-y (90) or column y read upwards
  // (270). Walking the source row by row keeps its reads sequential.
  const std::size_t stride = std::size_t(out.width);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = source.Row(y);
    if (turns == 1) {
      std::uint8_t* column = out.pixels.data() + std::size_t(h - 1 - y);
      for (int x = 0; x < w; ++x) column[std::size_t(x) * stride] = in[x];
    } else {
      std::uint8_t* column = out.pixels.data() + std::size_t(y);
      for (int x = 0; x < w; ++x) column[std::size_t(w - 1 - x) * stride] = in[x];
    }
  }
  return out;
}

}  // namespace vidodez
