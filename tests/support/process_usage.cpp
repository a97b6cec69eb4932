#include "support/process_usage.h"

#include <dirent.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace vidodez::test {

int OpenDescriptorCount() {
  DIR* dir = ::opendir("/proc/self/fd");
  if (dir == nullptr) return -1;
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  ::closedir(dir);
  return count - 1;
}

int DescriptorCountSettlingAt(int expected) {
  int count = OpenDescriptorCount();
  for (int i = 0; i < 200 && count != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    count = OpenDescriptorCount();
  }
  return count;
}

int64_t ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6));
  }
  return -1;
}

}  // namespace vidodez::test
