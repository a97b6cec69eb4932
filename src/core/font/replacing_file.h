#pragma once
// A file written beside its final name and renamed over it only when whole,
// so a failed write never leaves a cut-off file where a good one stood.

#include <string>
#include <string_view>

namespace vidodez {

class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  // A file never committed is removed; the old one stays.
  ~ReplacingFile();

  // Creates the temporary file beside `path`. 0 or the errno.
  [[nodiscard]] int Open(const std::string& path);
  // Appends all of `bytes`. 0 or the errno; after a failure only the
  // destructor is left to run.
  [[nodiscard]] int Write(std::string_view bytes);
  // Flushes to the disk and renames over `path`. 0 or the errno.
  [[nodiscard]] int Commit();

 private:
  void Abandon();

  int fd_ = -1;
  std::string path_;
  std::string temp_path_;
};

}  // namespace vidodez
