#include "core/graphic/picture_formats.h"

#include <array>

namespace vidodez {
namespace {

struct FormatEntry {
  std::string_view extension;
  int code;
};

constexpr std::array<FormatEntry, 24> kFormats{{
    {"bmp", kFormatBmp},   {"jpg", kFormatJpeg},  {"jpeg", kFormatJpeg}, {"gif", kFormatGif},
    {"png", kFormatPng},   {"mng", kFormatMng},   {"jng", kFormatMng},   {"ico", kFormatIco},
    {"tif", kFormatTiff},  {"tiff", kFormatTiff}, {"tga", kFormatTga},   {"pcx", kFormatPcx},
    {"wbmp", kFormatWbmp}, {"wmf", kFormatWmf},   {"emf", kFormatWmf},   {"jp2", kFormatJp2},
    {"j2k", kFormatJp2},   {"jpc", kFormatJpc},   {"j2c", kFormatJpc},   {"pgx", kFormatPgx},
    {"ras", kFormatRas},   {"pnm", kFormatPnm},   {"pgm", kFormatPnm},   {"ppm", kFormatPnm},
}};

}  // namespace

std::string ExtensionOf(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  std::string extension(name.substr(dot + 1));
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return extension;
}

int PictureFormatCode(std::string_view extension) {
  for (const auto& [name, code] : kFormats)
    if (name == extension) return code;
  return kFormatNone;
}

}  // namespace vidodez
