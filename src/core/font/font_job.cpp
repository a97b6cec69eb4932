#include "core/font/font_job.h"

#include <algorithm>
#include <cstring>

#include "core/font/font_codes.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"
#include "core/storage/storage_commands.h"

namespace vidodez {
namespace {

struct TypeRule {
  char first_id;
  int id_count;
  int out_of_range_code;
  char storage_codes[2];  // by FontStorage
};

constexpr TypeRule kRules[] = {
    {'A', 26, kFontIdNotLetter, {'0', '1'}},  // VRLE
    {'0', 10, kFontIdNotDigit, {'R', 'E'}},   // VRLZ
};

const TypeRule& RuleOf(FontCommandType type) { return kRules[static_cast<int>(type) & 1]; }

}  // namespace

int FontIdCount(FontCommandType type) { return RuleOf(type).id_count; }

char FontIdAtIndex(FontCommandType type, int index) {
  const TypeRule& rule = RuleOf(type);
  if (index < 0 || index >= rule.id_count) return '\0';
  return static_cast<char>(rule.first_id + index);
}

int CheckFontId(FontCommandType type, char font_id) {
  if (font_id == '\0') return kFontNoId;
  const TypeRule& rule = RuleOf(type);
  int offset = font_id - rule.first_id;
  return offset >= 0 && offset < rule.id_count ? kFontOk : rule.out_of_range_code;
}

int FontNameForPrinter(const std::string& utf8_name, std::string* gbk) {
  gbk->clear();
  // The name stands bare in "DTNAME,size," and "~DTE:NAME,size,": a comma
  // would move the size, a quote, caret or tilde would start a text or a
  // command of the printer's own, so a file named so cannot be downloaded.
  bool usable = !utf8_name.empty() && std::none_of(utf8_name.begin(), utf8_name.end(), [](char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F || std::strchr("/,\"^~", c) != nullptr;
  });
  if (!usable) return kFontNameInvalid;
  std::string encoded;
  if (platform::Utf8ToGbk(utf8_name, &encoded) != 0) return kFontNameNotGbk;
  if (encoded.size() > kMaxFontNameBytes) return kFontNameTooLong;
  *gbk = std::move(encoded);
  return kFontOk;
}

bool HasSfntSignature(std::string_view head) {
  if (head.size() < kSfntSignatureBytes) return false;
  const std::string_view signature = head.substr(0, kSfntSignatureBytes);
  return signature == std::string_view("\0\1\0\0", 4) || signature == "true" ||
         signature == "OTTO" || signature == "ttcf";
}

std::string FontFileTitle(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FontNameFromPath(const std::string& path) { return BaseNameForId(path); }

char StorageCode(FontCommandType type, FontStorage storage) {
  return RuleOf(type).storage_codes[static_cast<int>(storage) & 1];
}

int OpenFontFile(const std::string& path, int* fd, std::uint64_t* size) {
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  *fd = calls.open(path.c_str(), platform::kOpenRead | platform::kOpenNoWait, 0);
  if (*fd < 0) return kFontFileOpenFailed;
  platform::FileStatus info;
  if (calls.status(*fd, &info) != 0 || info.kind != platform::FileKind::kRegular) {
    calls.close(*fd);
    *fd = -1;
    return kFontFileOpenFailed;
  }
  if (size != nullptr) *size = info.size;
  return kFontOk;
}

void CloseFontFile(int fd) { platform::DefaultFileCalls().close(fd); }

int TakeFontFileSize(const std::string& path, std::uint32_t* size) {
  *size = 0;
  int fd = -1;
  std::uint64_t file_size = 0;
  if (int code = OpenFontFile(path, &fd, &file_size); code != kFontOk) return code;
  CloseFontFile(fd);
  if (file_size > kMaxFontFileBytes) return kFontFileTooLarge;
  *size = static_cast<std::uint32_t>(file_size);
  return kFontOk;
}

}  // namespace vidodez
