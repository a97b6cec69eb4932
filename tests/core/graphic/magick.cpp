#include "magick.h"

#include <cstdio>
#include <sstream>

namespace vidodez::test {
namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool Run(const std::string& command, std::string* output) {
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    if (output != nullptr) output->append(buffer, n);
  return ::pclose(pipe) == 0;
}

// Both readers are asked for binary PPM with 8 bits a sample.
bool DecodeWith(const std::string& command, MagickPicture* out) {
  std::string ppm;
  if (!Run(command, &ppm)) return false;
  std::istringstream in(ppm);
  std::string magic;
  int maxval = 0;
  MagickPicture picture;
  if (!(in >> magic >> picture.width >> picture.height >> maxval) || magic != "P6" || maxval != 255)
    return false;
  in.get();  // the single white space before the pixels
  const std::size_t start = static_cast<std::size_t>(in.tellg());
  if (ppm.size() - start != std::size_t(picture.width) * std::size_t(picture.height) * 3)
    return false;
  picture.rgb.assign(ppm.begin() + std::ptrdiff_t(start), ppm.end());
  *out = std::move(picture);
  return true;
}

}  // namespace

bool MagickAvailable() { return Run("convert -version", nullptr); }

bool MagickConvert(const std::vector<std::string>& arguments) {
  std::string command = "convert";
  for (const auto& argument : arguments) command += " " + Quote(argument);
  return Run(command, nullptr);
}

bool MagickDecode(const std::string& path, MagickPicture* out) {
  return DecodeWith("convert " + Quote(path) + " -depth 8 ppm:-", out);
}

bool NetpbmDecodePcx(const std::string& path, MagickPicture* out) {
  return DecodeWith("pcxtoppm " + Quote(path), out);
}

}  // namespace vidodez::test
