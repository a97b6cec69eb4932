#include "sim/label_text.h"

#include <endian.h>
#include <errno.h>
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "core/font/font_test_program.h"

namespace vidodez::sim {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct ResidentFont {
  FontCommandType language;
  char id;
  ResidentCell cell;  // at 203 dpi
};

constexpr std::array<ResidentFont, 14> kResidentFonts{{
    {FontCommandType::VRLE, '1', {8, 12}},
    {FontCommandType::VRLE, '2', {10, 16}},
    {FontCommandType::VRLE, '3', {12, 20}},
    {FontCommandType::VRLE, '4', {14, 24}},
    {FontCommandType::VRLE, '5', {32, 48}},
    {FontCommandType::VRLZ, 'A', {5, 9}},
    {FontCommandType::VRLZ, 'B', {7, 11}},
    {FontCommandType::VRLZ, 'C', {10, 18}},
    {FontCommandType::VRLZ, 'D', {10, 18}},
    {FontCommandType::VRLZ, 'E', {15, 28}},
    {FontCommandType::VRLZ, 'F', {13, 26}},
    {FontCommandType::VRLZ, 'G', {40, 60}},
    {FontCommandType::VRLZ, 'H', {13, 21}},
    {FontCommandType::VRLZ, '0', {12, 15}},
}};

constexpr int kBaseDpi = 203;

}  // namespace

std::string CharsetOfCodePageField(std::string_view field) {
  if (field.empty()) return "CP437";
  for (const CodePage& page : CodePages()) {
    if (field != page.field) continue;
    std::string_view name = page.name;
    // "DOS 437" and "Windows 1252" are iconv's "CP437" and "CP1252".
    size_t space = name.find(' ');
    return space == std::string_view::npos ? std::string(name)
                                           : "CP" + std::string(name.substr(space + 1));
  }
  return {};
}

std::string CharsetOfVrlzCodePage(int number) {
  switch (number) {
    case 0:
      return "CP850";
    case 27:
      return "CP1252";
    case 28:
      return "UTF-8";
    default:
      return {};
  }
}

std::u32string DecodeLabelText(std::string_view bytes, const std::string& charset) {
  std::u32string text;
  iconv_t cd = iconv_open("UTF-32LE", charset.c_str());
  if (reinterpret_cast<std::intptr_t>(cd) == -1) {
    text.assign(bytes.size(), kReplacement);
    return text;
  }
  std::array<char, 256> out{};
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  while (in_left > 0) {
    char* to = out.data();
    size_t out_left = out.size();
    size_t rc = iconv(cd, &in, &in_left, &to, &out_left);
    const int error = rc == static_cast<size_t>(-1) ? errno : 0;
    for (const char* at = out.data(); at + 4 <= to; at += 4) {
      uint32_t code = 0;
      std::memcpy(&code, at, 4);
      text.push_back(static_cast<char32_t>(le32toh(code)));
    }
    if (error == E2BIG) continue;
    if (error != 0) {
      // A byte that begins no character, or a character cut off at the end.
      text.push_back(kReplacement);
      ++in;
      --in_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return text;
}

std::optional<ResidentCell> ResidentFontCell(FontCommandType language, char id, int dpi) {
  for (const ResidentFont& font : kResidentFonts) {
    if (font.language != language || font.id != id) continue;
    return ResidentCell{(font.cell.width * dpi + kBaseDpi / 2) / kBaseDpi,
                        (font.cell.height * dpi + kBaseDpi / 2) / kBaseDpi};
  }
  return std::nullopt;
}

}  // namespace vidodez::sim
