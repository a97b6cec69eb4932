// Replays saved fuzz inputs through a fuzz target without libFuzzer, so every
// test run checks the inputs that once found a fault.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr std::uintmax_t kMaxInput = 16 << 20;

bool Replay(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::file_size(path, error) > kMaxInput || error) {
    std::fprintf(stderr, "cannot replay %s\n", path.c_str());
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(data.data(), data.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        ok = Replay(entry.path()) && ok;
        ++replayed;
      }
    } else {
      ok = Replay(path) && ok;
      ++replayed;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  // An empty corpus proves nothing: count it as a failure.
  return ok && replayed > 0 ? 0 : 1;
}
