#include "sim/sim_files.h"

#include <cerrno>
#include <cstdint>
#include <vector>

#include "core/link/io_error_texts.h"
#include "core/platform/file_system.h"
#include "core/platform/process.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez::sim {
namespace {

// 0, or the errno of a file that cannot be made in `folder`.
int TryWriting(const std::string& folder) {
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  const std::string probe =
      folder + "/.vidodez-sim-" + std::to_string(platform::ProcessId()) + ".probe";
  const int fd = calls.open(
      probe.c_str(), platform::kOpenWrite | platform::kOpenCreate | platform::kOpenExclusive, 0600);
  if (fd < 0) return errno;
  calls.close(fd);
  (void)platform::RemoveFile(probe);
  return 0;
}

}  // namespace

size_t StateFileBound(const std::string& suffix) {
  return suffix == ".stored" ? kMaxStoredFileBytes : kMaxStateFileBytes;
}

std::string StatePath(const PrinterOptions& options, const std::string& suffix) {
  return options.state_dir + "/" + SerialOf(options) + suffix;
}

std::string ReadStateFile(const std::string& path, const std::string& suffix) {
  std::vector<std::uint8_t> bytes;
  if (ReadInputFile(path, StateFileBound(suffix), &bytes) != kShellOk) return {};
  return std::string(bytes.begin(), bytes.end());
}

int OpenWireLog(const std::string& path) {
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  const int fd = calls.open(
      path.c_str(),
      platform::kOpenWrite | platform::kOpenCreate | platform::kOpenAppend | platform::kOpenNoWait,
      0644);
  if (fd < 0) return -1;
  platform::FileStatus info;
  if (calls.status(fd, &info) != 0 || info.kind != platform::FileKind::kRegular) {
    calls.close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

std::string SimFilesProblem(const PrinterOptions& options) {
  const platform::FileCalls& calls = platform::DefaultFileCalls();
  if (!options.state_dir.empty()) {
    const std::string named = "--state-dir " + options.state_dir + ": ";
    platform::FileStatus folder;
    if (calls.path_status(options.state_dir.c_str(), &folder) != 0)
      return named + SystemErrorText(errno);
    if (folder.kind != platform::FileKind::kFolder) return named + "not a folder";
    if (const int error = TryWriting(options.state_dir); error != 0)
      return named + SystemErrorText(error);
    for (const char* suffix : kStateSuffixes) {
      const std::string path = StatePath(options, suffix);
      platform::FileStatus file;
      if (calls.link_status(path.c_str(), &file) != 0) continue;  // started afresh
      if (file.kind != platform::FileKind::kRegular) return path + ": not a regular file";
      if (file.size > StateFileBound(suffix))
        return path + ": larger than " + std::to_string(StateFileBound(suffix)) + " bytes";
    }
  }
  if (!options.wire_log.empty()) {
    const int fd = OpenWireLog(options.wire_log);
    if (fd < 0) {
      return "--wire-log " + options.wire_log + ": " +
             (errno == EINVAL ? std::string("not a regular file") : SystemErrorText(errno));
    }
    calls.close(fd);
  }
  return {};
}

}  // namespace vidodez::sim
