#pragma once
// Picture formats by file extension. The codes are the program's own format
// numbers: an extension without a code is no picture at all.

#include <string>
#include <string_view>

namespace vidodez {

inline constexpr int kFormatNone = 0;
inline constexpr int kFormatBmp = 1;
inline constexpr int kFormatGif = 2;
inline constexpr int kFormatJpeg = 3;
inline constexpr int kFormatPng = 4;
inline constexpr int kFormatIco = 5;
inline constexpr int kFormatTiff = 6;
inline constexpr int kFormatTga = 7;
inline constexpr int kFormatPcx = 8;
inline constexpr int kFormatWbmp = 9;
inline constexpr int kFormatWmf = 10;
inline constexpr int kFormatJp2 = 11;
inline constexpr int kFormatJpc = 12;
inline constexpr int kFormatPgx = 13;
inline constexpr int kFormatPnm = 14;
inline constexpr int kFormatRas = 15;
inline constexpr int kFormatMng = 17;

// The text after the last "." of the file name (not of a folder), lower-cased;
// empty when the name has no ".".
std::string ExtensionOf(std::string_view path);

// Format code of a lower-case extension; kFormatNone when it has none.
int PictureFormatCode(std::string_view extension);

}  // namespace vidodez
