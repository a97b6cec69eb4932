#include "core/link/transfer_progress.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vidodez {
namespace {

// Catches sizes in the wrong unit or language, a bar past its end, and a
// share that overflows on a huge file.
TEST(TransferProgress, SaysTheBytesInEitherLanguageAndItsShare) {
  struct Case {
    uint64_t sent, total;
    const char* language;
    const char* text;
    int per_mille;
  } cases[] = {
      {0, 2500, "eng", "Sent 0 bytes of 2.4 KiB", 0},
      {1024, 2500, "eng", "Sent 1.0 KiB of 2.4 KiB", 409},
      {3 << 20, 64 << 20, "chi", "已发送 3.0 MiB，共 64.0 MiB", 46},
      {700, 700, "chi", "已发送 700 字节，共 700 字节", 1000},
      {900, 800, "eng", "Sent 900 bytes of 800 bytes", 1000},  // the file grew meanwhile
      {0, 0, "eng", "Sent 0 bytes of 0 bytes", 1000},
      {UINT64_MAX / 2, UINT64_MAX, "eng", nullptr, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sent);
    if (c.text != nullptr) {
      EXPECT_EQ(TransferProgressText(c.sent, c.total, c.language), c.text);
    }
    EXPECT_EQ(TransferPerMille(c.sent, c.total), c.per_mille);
  }
}

}  // namespace
}  // namespace vidodez
