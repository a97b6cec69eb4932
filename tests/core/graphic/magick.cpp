#include "magick.h"

#include <sstream>

#include "support/process.h"

namespace vidodez::test {
namespace {

// Both readers are asked for binary PPM with 8 bits a sample.
bool DecodeWith(const std::vector<std::string>& command, MagickPicture* out) {
  const RunResult run = Run(command);
  if (run.exit_code != 0) return false;
  std::istringstream in(run.out);
  std::string magic;
  int maxval = 0;
  MagickPicture picture;
  if (!(in >> magic >> picture.width >> picture.height >> maxval) || magic != "P6" || maxval != 255)
    return false;
  in.get();  // the single white space before the pixels
  const std::size_t start = static_cast<std::size_t>(in.tellg());
  if (run.out.size() - start != std::size_t(picture.width) * std::size_t(picture.height) * 3)
    return false;
  picture.rgb.assign(run.out.begin() + std::ptrdiff_t(start), run.out.end());
  *out = std::move(picture);
  return true;
}

}  // namespace

bool MagickAvailable() { return Run({"/usr/bin/convert", "-version"}).exit_code == 0; }

bool MagickConvert(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"/usr/bin/convert"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return Run(command).exit_code == 0;
}

bool MagickDecode(const std::string& path, MagickPicture* out) {
  return DecodeWith({"/usr/bin/convert", path, "-depth", "8", "ppm:-"}, out);
}

bool NetpbmDecodePcx(const std::string& path, MagickPicture* out) {
  return DecodeWith({"/usr/bin/pcxtoppm", path}, out);
}

}  // namespace vidodez::test
