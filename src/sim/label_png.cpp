#include "sim/label_png.h"

#include <errno.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vidodez::sim {
namespace {

constexpr double kMetresPerInch = 0.0254;

// libpng reports a failure by longjmp, which must not cross C++ frames
// with destructors: everything it may skip lives in the caller.
bool WritePng(std::FILE* file, const LabelBitmap& label, int dpi, std::vector<png_byte>* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  // libpng has no other way to report a failure.
  // NOLINTNEXTLINE(cert-err52-cpp): nothing with a destructor lives in this frame
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(label.width),
               static_cast<png_uint_32>(label.height), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  const auto per_metre = static_cast<png_uint_32>(std::lround(dpi / kMetresPerInch));
  png_set_pHYs(png, info, per_metre, per_metre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  const auto width = static_cast<size_t>(label.width);
  for (size_t y = 0; y < static_cast<size_t>(label.height); ++y) {
    const std::uint8_t* dots = label.dots.data() + y * width;
    std::fill(row->begin(), row->end(), png_byte{0});
    for (size_t x = 0; x < width; ++x)
      if (dots[x] == 0) (*row)[x / 8] |= static_cast<png_byte>(0x80 >> (x % 8));
    png_write_row(png, row->data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

int WriteLabelPng(const LabelBitmap& label, int dpi, const std::string& path) {
  if (label.width <= 0 || label.height <= 0) return EINVAL;
  const std::string temp = path + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wbe");
  if (file == nullptr) return errno;
  std::vector<png_byte> row((static_cast<size_t>(label.width) + 7) / 8);
  bool written = WritePng(file, label, dpi, &row);
  int rc = 0;
  if (!written) rc = EIO;
  if (std::fflush(file) != 0 && rc == 0) rc = errno;
  if (std::fclose(file) != 0 && rc == 0) rc = errno;
  if (rc == 0 && std::rename(temp.c_str(), path.c_str()) != 0) rc = errno;
  if (rc != 0) std::remove(temp.c_str());
  return rc;
}

}  // namespace vidodez::sim
