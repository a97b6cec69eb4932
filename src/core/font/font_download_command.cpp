#include "core/font/font_download_command.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

#include "core/font/font_codes.h"
#include "core/platform/file_system.h"

namespace vidodez {
namespace {

constexpr std::size_t kBytesPerLine = kFontBytesPerLine;
// A multiple of the line, so a block ends where a line ends.
constexpr std::size_t kBlockBytes = 8192 * kBytesPerLine;

// Two upper-case hex digits for every byte value.
constexpr std::array<char, 512> MakeHexPairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<char, 512> pairs{};
  for (int value = 0; value < 256; ++value) {
    pairs[2 * value] = kDigits[value >> 4];
    pairs[2 * value + 1] = kDigits[value & 15];
  }
  return pairs;
}
constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

std::string HeaderLine(const FontDownloadJob& job, const std::string& gbk_name) {
  const char code = StorageCode(job.command_type, job.storage);
  std::string header = job.command_type == FontCommandType::VRLZ ? std::string("~DT") + code + ":"
                                                                 : std::string("DT") + code + ",";
  return header + gbk_name + "," + std::to_string(job.font_size) + ",\r\n";
}

// Encodes `count` bytes that start a line at `out`; returns the end. Every
// full line ends in CR LF, a last part line does not.
char* EncodeLines(const unsigned char* bytes, std::size_t count, char* out) {
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(out, &kHexPairs[2 * bytes[i]], 2);
    out += 2;
    if (i % kBytesPerLine == kBytesPerLine - 1) {
      out[0] = '\r';
      out[1] = '\n';
      out += 2;
    }
  }
  return out;
}

// The hex lines of `size` bytes of the file, one block at a time, and the
// line end after the last.
int EncodeFile(int fd, std::size_t size, const CommandSink& write) {
  const std::size_t block_bytes = std::min(size, kBlockBytes);
  auto block = std::make_unique_for_overwrite<unsigned char[]>(block_bytes);
  // A block's hex, its line ends and the final line end.
  auto text = std::make_unique_for_overwrite<char[]>(2 * block_bytes +
                                                     2 * (block_bytes / kBytesPerLine) + 2);
  bool at_end = false;
  for (std::size_t done = 0; done < size;) {
    const std::size_t want = std::min(size - done, kBlockBytes);
    std::size_t got = 0;
    if (!at_end) {
      if (platform::ReadFully(fd, block.get(), want, &got) != 0) return kFontFileReadFailed;
      at_end = got < want;
    }
    // The file has become shorter than the size taken when it was chosen.
    std::memset(block.get() + got, 0, want - got);
    char* end = EncodeLines(block.get(), want, text.get());
    done += want;
    if (done == size) {
      // After the last byte, also when a line end has just been written.
      *end++ = '\r';
      *end++ = '\n';
    }
    if (int code = write(std::string_view(text.get(), static_cast<std::size_t>(end - text.get())));
        code != 0) {
      return code;
    }
  }
  return size == 0 ? write("\r\n") : kFontOk;
}

// The storage whose code the header carries, for either command type.
bool StorageOfCode(FontCommandType type, char code, FontStorage* storage) {
  for (FontStorage candidate : {FontStorage::SDRAM, FontStorage::FLASH}) {
    if (StorageCode(type, candidate) == code) {
      *storage = candidate;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseFontDownloadHeader(std::string_view line, FontDownloadHeader* header) {
  FontDownloadHeader parsed;
  std::string_view prefix = "DT";
  char separator = ',';
  if (line.starts_with("~")) {
    parsed.command_type = FontCommandType::VRLZ;
    prefix = "~DT";
    separator = ':';
  }
  // The shortest: "DT0," name "," size ",".
  if (!line.starts_with(prefix) || line.size() < prefix.size() + 6 || !line.ends_with(',') ||
      line[prefix.size() + 1] != separator ||
      !StorageOfCode(parsed.command_type, line[prefix.size()], &parsed.storage)) {
    return false;
  }
  std::string_view rest = line.substr(prefix.size() + 2, line.size() - prefix.size() - 3);
  std::size_t comma = rest.rfind(',');
  if (comma == std::string_view::npos || comma == 0) return false;
  std::string_view digits = rest.substr(comma + 1);
  constexpr std::size_t kMaxSizeDigits = 10;
  if (digits.empty() || digits.size() > kMaxSizeDigits) return false;
  std::uint64_t size = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    size = size * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (size > kMaxFontFileBytes) return false;
  parsed.name = std::string(rest.substr(0, comma));
  parsed.size = static_cast<std::uint32_t>(size);
  *header = std::move(parsed);
  return true;
}

int BuildFontDownloadCommand(const FontDownloadJob& job, const CommandSink& write) {
  if (job.font_path.empty()) return kFontNoFont;
  std::string gbk_name;
  if (int code = FontNameForPrinter(job.font_name, &gbk_name); code != kFontOk) return code;
  if (job.font_size > kMaxFontFileBytes) return kFontFileTooLarge;
  int fd = -1;
  // The size taken when the file was chosen holds, not today's.
  if (int code = OpenFontFile(job.font_path, &fd, nullptr); code != kFontOk) return code;
  int code = kFontOk;
  try {
    code = write(HeaderLine(job, gbk_name));
    if (code == kFontOk) code = EncodeFile(fd, job.font_size, write);
  } catch (const std::bad_alloc&) {
    code = kFontOutOfMemory;
  }
  CloseFontFile(fd);
  return code;
}

}  // namespace vidodez
