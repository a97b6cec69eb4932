#include "core/font/font_test_program.h"

#include <new>

#include "core/font/font_codes.h"

namespace vidodez {
namespace {

constexpr CodePage kCodePages[] = {
    {"DOS 437", "0"},      {"DOS 850", "1"},      {"DOS 852", "2"},      {"DOS 860", "3"},
    {"DOS 863", "4"},      {"DOS 865", "5"},      {"DOS 857", "6"},      {"DOS 861", "7"},
    {"DOS 862", "8"},      {"DOS 855", "9"},      {"DOS 866", "10"},     {"DOS 737", "11"},
    {"DOS 851", "12"},     {"DOS 869", "13"},     {"Windows 1250", "A"}, {"Windows 1251", "B"},
    {"Windows 1252", "C"}, {"Windows 1253", "D"}, {"Windows 1254", "E"}, {"Windows 1255", "F"},
    {"GBK", "G"},
};

constexpr int kRows = 14;
constexpr int kRowChars = 16;

// Row r (1 to 14): the codes 0x20 + 16 (r - 1) onwards, as raw bytes.
std::string Row(int r) {
  std::string row;
  for (int i = 0; i < kRowChars; ++i)
    row.push_back(static_cast<char>(0x20 + kRowChars * (r - 1) + i));
  return row;
}

std::string VrleProgram(char id, const std::string& name, char storage_code,
                        std::string_view code_page) {
  const CodePage* page = FindCodePage(code_page);
  std::string text = std::string("I8,") + (page != nullptr ? page->field : "") + ",001\r\n";
  text += "N\r\nH12\r\n";
  text += std::string("CF") + storage_code + "," + id + "," + name + "\r\n";
  for (int r = 1; r <= kRows; ++r) {
    text += "A100," + std::to_string(50 * r) + ",0," + id + ",32,32,N,\"" + Row(r) + "\"\r\n";
  }
  return text + "P1,1\r\n";
}

std::string VrlzProgram(char id, const std::string& name, char device) {
  std::string text = "^XA\r\n~SD15\r\n";
  text += std::string("^CW") + id + "," + device + ":" + name + ".TTF\r\n";
  for (int r = 1; r <= kRows; ++r) {
    text += "^FO100," + std::to_string(50 * r) + "^A" + id + "N,32,32^FD" + Row(r) + "^FS\r\n";
  }
  return text + "^XZ\r\n";
}

}  // namespace

std::span<const CodePage> CodePages() { return kCodePages; }

const CodePage* FindCodePage(std::string_view name) {
  for (const CodePage& page : kCodePages)
    if (name == page.name) return &page;
  return nullptr;
}

int BuildFontTestProgram(FontCommandType type, char font_id, const std::string& font_name,
                         FontStorage storage, std::string* program, std::string_view code_page) {
  program->clear();
  if (int code = CheckFontId(type, font_id); code != kFontOk) return code;
  std::string gbk_name;
  if (int code = FontNameForPrinter(font_name, &gbk_name); code != kFontOk) return code;
  const char storage_code = StorageCode(type, storage);
  try {
    *program = type == FontCommandType::VRLZ
                   ? VrlzProgram(font_id, gbk_name, storage_code)
                   : VrleProgram(font_id, gbk_name, storage_code, code_page);
  } catch (const std::bad_alloc&) {
    return kFontOutOfMemory;
  }
  return kFontOk;
}

}  // namespace vidodez
