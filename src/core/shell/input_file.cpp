#include "core/shell/input_file.h"

#include <algorithm>
#include <cerrno>

#include "core/platform/file_system.h"
#include "core/shell/shell_codes.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

struct InputText {
  int code;
  Text text;
};

constexpr InputText kTexts[] = {
    {kInputMissing, {"The file %s cannot be found.", "找不到文件 %s 。"}},
    {kInputOpenFailed, {"The file %s cannot be opened.", "无法打开文件 %s 。"}},
    {kInputNotRegular,
     {"%s is not a regular file (a folder, a pipe or a device cannot be used).",
      "%s 不是普通文件（不能使用文件夹、管道或设备）。"}},
    {kInputTooLarge, {"The file %s is larger than %s bytes.", "文件 %s 大于 %s 字节。"}},
    {kInputReadFailed, {"The file %s cannot be read.", "无法读取文件 %s 。"}},
};

int Fail(int code, int errno_value, int* error) {
  if (error != nullptr) *error = errno_value;
  return code;
}

}  // namespace

int OpenInputFile(const std::string& path, int* fd, int* error) {
  *fd = -1;
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  const int opened = calls.open(path.c_str(), platform::kOpenRead | platform::kOpenNoWait, 0);
  if (opened < 0) return Fail(errno == ENOENT ? kInputMissing : kInputOpenFailed, errno, error);
  platform::FileStatus info;
  if (calls.status(opened, &info) != 0) {
    const int cause = errno;
    calls.close(opened);
    return Fail(kInputOpenFailed, cause, error);
  }
  if (info.kind != platform::FileKind::kRegular) {
    calls.close(opened);
    return Fail(kInputNotRegular, info.kind == platform::FileKind::kFolder ? EISDIR : EINVAL,
                error);
  }
  platform::SetBlocking(opened);
  *fd = opened;
  return kShellOk;
}

void CloseInputFile(int fd) { platform::DefaultFileCalls().close(fd); }

int ReadInputFile(const std::string& path, std::size_t limit, std::vector<std::uint8_t>* bytes,
                  int* error) {
  int fd = -1;
  if (const int code = OpenInputFile(path, &fd, error); code != kShellOk) return code;
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  // Room for what the file holds now; it may still grow or shrink while it
  // is read, so the reads, not its size, decide.
  std::vector<std::uint8_t> data;
  platform::FileStatus info;
  if (calls.status(fd, &info) == 0 && info.size > 0)
    data.reserve(std::min<std::size_t>(std::size_t(info.size), limit) + 1);
  std::uint8_t piece[65536];
  int code = kShellOk;
  while (data.size() <= limit) {
    const std::size_t want = std::min(sizeof piece, limit + 1 - data.size());
    std::size_t got = 0;
    if (const int failed = platform::ReadFully(fd, piece, want, &got); failed != 0) {
      code = Fail(kInputReadFailed, failed, error);
      break;
    }
    if (got == 0) break;
    data.insert(data.end(), piece, piece + got);
  }
  calls.close(fd);
  if (code != kShellOk) return code;
  if (data.size() > limit) return Fail(kInputTooLarge, EFBIG, error);
  *bytes = std::move(data);
  return kShellOk;
}

OperatorMessage InputFileMessage(int code, std::string_view path, std::size_t limit,
                                 std::string_view language) {
  const Text* text = &kTexts[1].text;
  for (const InputText& entry : kTexts)
    if (entry.code == code) text = &entry.text;
  return {kInputFileTable, code, FillText(Pick(*text, language), {path, std::to_string(limit)})};
}

}  // namespace vidodez
