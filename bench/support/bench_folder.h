#pragma once
// A private folder under /tmp for the files of one benchmark program,
// removed with everything in it when the program ends.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vidodez::bench {

class BenchFolder {
 public:
  BenchFolder() {
    char pattern[] = "/tmp/vidodez-bench-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) ::abort();
    path_ = made;
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace vidodez::bench
