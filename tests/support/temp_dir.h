#pragma once
// A private folder under $TMPDIR (else /tmp) for one test, removed with
// everything in it.

#include <string>
#include <vector>

namespace vidodez::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Whole contents of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The names in a folder, sorted: what a failed write may have left there.
std::vector<std::string> FileNames(const std::string& folder);

// Makes `folder` the working folder while it lives: the folder where files
// named without a folder are written.
class ScopedWorkingFolder {
 public:
  explicit ScopedWorkingFolder(const std::string& folder);
  ~ScopedWorkingFolder();
  ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
  ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

 private:
  std::string previous_;
};

// Lowers this process's file-size limit (RLIMIT_FSIZE) while it lives, as a
// full disk would stop a write half way.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  unsigned long previous_ = 0;
};

}  // namespace vidodez::test
