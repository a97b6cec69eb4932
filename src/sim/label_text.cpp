#include "sim/label_text.h"

#include <array>
#include <charconv>

#include "core/font/font_test_program.h"
#include "core/platform/text_converter.h"
#include "core/platform/text_encoding.h"

namespace vidodez::sim {
namespace {

// What each language reads when a job chose no code page.
constexpr int kVrleCodePage = 437;
constexpr int kVrlzCodePage = 850;

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

int CodePageOfField(std::string_view field) {
  if (field.empty()) return kVrleCodePage;
  for (const CodePage& page : CodePages()) {
    if (field != page.field) continue;
    // "DOS 437", "Windows 1252": the number after the space; "GBK" alone.
    std::string_view name = page.name;
    const size_t space = name.find(' ');
    if (space == std::string_view::npos) return platform::kCodePageGbk;
    int number = 0;
    std::from_chars(name.data() + space + 1, name.data() + name.size(), number);
    return number;
  }
  return 0;
}

int CodePageOfVrlzCharset(int number) {
  switch (number) {
    case 0:
      return kVrlzCodePage;
    case 27:
      return 1252;
    case 28:
      return platform::kCodePageUtf8;
    default:
      return 0;
  }
}

std::u32string DecodeLabelText(std::string_view bytes, int code_page) {
  const std::string utf8 = platform::CodePageForDisplay(code_page, bytes);
  // The converter's output is whole UTF-8 characters.
  std::u32string text;
  for (size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const int length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7f >> length);
    for (int i = 1; i < length && at + static_cast<size_t>(i) < utf8.size(); ++i)
      code = code << 6 | (static_cast<unsigned char>(utf8[at + static_cast<size_t>(i)]) & 0x3f);
    text.push_back(code);
    at += static_cast<size_t>(length);
  }
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
