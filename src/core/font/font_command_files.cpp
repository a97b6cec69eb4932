#include "core/font/font_command_files.h"

#include <algorithm>
#include <cstring>

#include "core/font/font_codes.h"
#include "core/platform/user_folders.h"
#include "core/shell/file_replacement.h"
#include "core/shell/shell_codes.h"

namespace vidodez {
namespace {

constexpr std::size_t kChunkBytes = 256 * 1024;

const char* TypePrefix(FontCommandType type) {
  return type == FontCommandType::VRLZ ? "VRLZ_" : "VRLE_";
}

}  // namespace

int WriteTextMode(std::string_view text, const std::function<int(const std::string&)>& write) {
  std::string chunk;
  chunk.reserve(kChunkBytes + 2);
  while (!text.empty()) {
    chunk.clear();
    while (!text.empty() && chunk.size() < kChunkBytes) {
      std::size_t room = kChunkBytes - chunk.size();
      const void* found = std::memchr(text.data(), '\n', std::min(room, text.size()));
      std::size_t take =
          found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                           : std::min(room, text.size());
      chunk.append(text.data(), take);
      text.remove_prefix(take);
      if (found != nullptr) {
        chunk += "\r\n";
        text.remove_prefix(1);
      }
    }
    if (int rc = write(chunk); rc != 0) return rc;
  }
  return 0;
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

int WriteCommandFile(const std::string& path, std::string_view text) {
  FileReplacement file;
  bool ok = file.Begin(path) == kShellOk &&
            WriteTextMode(text, [&file](const std::string& chunk) { return file.Write(chunk); }) ==
                kShellOk &&
            file.Commit() == kShellOk;
  return ok ? kFontOk : kFontCommandFileFailed;
}

int WriteDesktopCommandFile(const std::string& file_name, std::string_view text,
                            std::string* path) {
  path->clear();
  std::string desktop;
  if (platform::PrepareDesktopFolder(&desktop) != 0) return kFontNoDesktop;
  *path = CommandFilePath(desktop, file_name);
  return WriteCommandFile(*path, text);
}

}  // namespace vidodez
