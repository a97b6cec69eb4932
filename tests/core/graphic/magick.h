#pragma once
// ImageMagick and netpbm as the independent readers our PCX files must satisfy.

#include <cstdint>
#include <string>
#include <vector>

namespace vidodez::test {

struct MagickPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel
};

// True when `convert` can be run.
bool MagickAvailable();
// Decodes `path` with ImageMagick; false when it cannot read it.
bool MagickDecode(const std::string& path, MagickPicture* out);
// Decodes a PCX file with netpbm's pcxtoppm, a second independent reader.
// ImageMagick 6.9 reads one-bit PCX with black and white swapped, against
// the Paintbrush convention (1 is white) that netpbm, GIMP and printers
// follow, so one-bit pixels are compared with netpbm.
bool NetpbmDecodePcx(const std::string& path, MagickPicture* out);
// Runs `convert` with the given arguments; true on exit code 0.
bool MagickConvert(const std::vector<std::string>& arguments);

}  // namespace vidodez::test
