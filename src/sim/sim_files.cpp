#include "sim/sim_files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "core/link/io_error_texts.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"

namespace vidodez::sim {

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
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

std::string SimFilesProblem(const PrinterOptions& options) {
  if (!options.state_dir.empty()) {
    struct stat folder {};
    if (::stat(options.state_dir.c_str(), &folder) != 0)
      return "--state-dir " + options.state_dir + ": " + SystemErrorText(errno);
    if (!S_ISDIR(folder.st_mode)) return "--state-dir " + options.state_dir + ": not a folder";
    if (::access(options.state_dir.c_str(), W_OK | X_OK) != 0)
      return "--state-dir " + options.state_dir + ": " + SystemErrorText(errno);
    for (const char* suffix : kStateSuffixes) {
      const std::string path = StatePath(options, suffix);
      struct stat file {};
      if (::lstat(path.c_str(), &file) != 0) continue;  // started afresh
      if (!S_ISREG(file.st_mode)) return path + ": not a regular file";
      if (static_cast<uint64_t>(file.st_size) > StateFileBound(suffix))
        return path + ": larger than " + std::to_string(StateFileBound(suffix)) + " bytes";
    }
  }
  if (!options.wire_log.empty()) {
    const int fd = OpenWireLog(options.wire_log);
    if (fd < 0) {
      return "--wire-log " + options.wire_log + ": " +
             (errno == EINVAL ? std::string("not a regular file") : SystemErrorText(errno));
    }
    ::close(fd);
  }
  return {};
}

}  // namespace vidodez::sim
