#include "core/font/font_command_files.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/font/font_codes.h"
#include "core/font/font_download_command.h"
#include "core/platform/file_system.h"
#include "core/platform/user_folders.h"
#include "core/shell/file_replacement.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;
// More than a download's header line takes: "~DTE:" a name of 8 bytes, a size.
constexpr std::size_t kHeadBytes = 512;

const char* TypePrefix(FontCommandType type) {
  return type == FontCommandType::VRLZ ? "VRLZ_" : "VRLE_";
}

// Appends `text` to `chunk` as a text-mode write stores it, handing `write`
// each chunk that reaches kChunkBytes; the rest stays in `chunk`.
int AppendTextMode(std::string_view text, std::string& chunk,
                   const std::function<int(const std::string&)>& write) {
  while (!text.empty()) {
    const std::size_t room = kChunkBytes - chunk.size();
    const void* found = std::memchr(text.data(), '\n', std::min(room, text.size()));
    const std::size_t take =
        found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                         : std::min(room, text.size());
    chunk.append(text.data(), take);
    text.remove_prefix(take);
    if (found != nullptr) {
      chunk += "\r\n";
      text.remove_prefix(1);
    }
    if (chunk.size() >= kChunkBytes) {
      if (int rc = write(chunk); rc != 0) return rc;
      chunk.clear();
    }
  }
  return 0;
}

}  // namespace

int WriteTextMode(std::string_view text, const std::function<int(const std::string&)>& write) {
  std::string chunk;
  chunk.reserve(kChunkBytes + 2);
  if (int rc = AppendTextMode(text, chunk, write); rc != 0) return rc;
  return chunk.empty() ? 0 : write(chunk);
}

std::string DownloadFileName(const std::string& font_name) { return font_name + ".prn"; }

std::string DesktopCommandFileName(FontCommandType type, const std::string& font_name) {
  return TypePrefix(type) + font_name + ".txt";
}

std::string DesktopTestFileName(FontCommandType type) {
  return std::string(TypePrefix(type)) + "TEST.txt";
}

std::string TestPrintFileName(const std::string& font_name) { return "TEST_" + font_name + ".txt"; }

std::string CommandFilePath(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

int WriteCommandFile(const std::string& path, const CommandSource& source, int* error) {
  FileReplacement file;
  auto failed = [&file, error] {
    if (error != nullptr) *error = file.error();
    return kFontCommandFileFailed;
  };
  if (file.Begin(path) != kShellOk) return failed();
  // One chunk for the whole file, however many pieces the source has.
  std::string chunk;
  chunk.reserve(kChunkBytes + 2);
  auto write_chunk = [&file](const std::string& bytes) {
    return file.Write(bytes) == kShellOk ? kFontOk : kFontCommandFileFailed;
  };
  if (int code =
          source([&](std::string_view piece) { return AppendTextMode(piece, chunk, write_chunk); });
      code != kFontOk) {
    return code == kFontCommandFileFailed ? failed() : code;
  }
  if (!chunk.empty() && write_chunk(chunk) != kFontOk) return failed();
  return file.Commit() == kShellOk ? kFontOk : failed();
}

int WriteCommandFile(const std::string& path, std::string_view text, int* error) {
  return WriteCommandFile(
      path, [text](const CommandSink& write) { return write(text); }, error);
}

bool MayReplaceCommandFile(const std::string& path) {
  int fd = -1;
  const int opened = OpenInputFile(path, &fd);
  // Nothing there, or nothing a write could replace (a folder, a FIFO): the
  // write says what became of it.
  if (opened == kInputMissing || opened == kInputNotRegular) return true;
  if (opened != kShellOk) return false;
  std::array<char, kHeadBytes> head{};
  std::size_t got = 0;
  const bool read = platform::ReadFully(fd, head.data(), head.size(), &got) == 0;
  CloseInputFile(fd);
  const std::string_view text(head.data(), read ? got : 0);
  const std::size_t end = text.find_first_of("\r\n");
  FontDownloadHeader header;
  return end != std::string_view::npos && ParseFontDownloadHeader(text.substr(0, end), &header);
}

int WriteDesktopCommandFile(const std::string& file_name, const CommandSource& source,
                            std::string* path) {
  path->clear();
  std::string desktop;
  if (platform::PrepareDesktopFolder(&desktop) != 0) return kFontNoDesktop;
  *path = CommandFilePath(desktop, file_name);
  return WriteCommandFile(*path, source);
}

int WriteDesktopCommandFile(const std::string& file_name, std::string_view text,
                            std::string* path) {
  return WriteDesktopCommandFile(
      file_name, [text](const CommandSink& write) { return write(text); }, path);
}

}  // namespace vidodez
