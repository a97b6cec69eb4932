#pragma once
// A PNG file read back with libpng, one grey byte a pixel.

#include <cstdint>
#include <string>
#include <vector>

namespace vidodez::test {

struct PngPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> grey;  // rows top to bottom
  bool Black(int x, int y) const { return grey[static_cast<size_t>(y * width + x)] < 128; }
};

// False when libpng cannot read the file.
bool ReadPng(const std::string& path, PngPicture* picture);

}  // namespace vidodez::test
