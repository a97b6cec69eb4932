#include "core/link/transfer_progress.h"

#include <cstdio>

#include "core/shell/texts.h"

namespace vidodez {
namespace {

constexpr Text kSentOf{"Sent %s of %s", "已发送 %s，共 %s"};
constexpr Text kBytes{"bytes", "字节"};
constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = kKiB * 1024;

std::string Size(uint64_t bytes, std::string_view language) {
  if (bytes < kKiB) return std::to_string(bytes) + " " + Pick(kBytes, language);
  char text[32];
  const bool mib = bytes >= kMiB;
  std::snprintf(text, sizeof(text), mib ? "%.1f MiB" : "%.1f KiB",
                static_cast<double>(bytes) / static_cast<double>(mib ? kMiB : kKiB));
  return text;
}

}  // namespace

std::string TransferProgressText(uint64_t sent, uint64_t total, std::string_view language) {
  return FillText(Pick(kSentOf, language), {Size(sent, language), Size(total, language)});
}

int TransferPerMille(uint64_t sent, uint64_t total) {
  if (total == 0 || sent >= total) return 1000;
  // Divides first where the product could overflow: only a file of
  // exabytes gets there, and a thousandth of it is still exact enough.
  if (sent > UINT64_MAX / 1000) return static_cast<int>(sent / (total / 1000));
  return static_cast<int>(sent * 1000 / total);
}

}  // namespace vidodez
