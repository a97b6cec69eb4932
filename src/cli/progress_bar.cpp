#include "cli/progress_bar.h"

#include <errno.h>
#include <unistd.h>

#include "core/link/transfer_progress.h"

namespace vidodez::cli {
namespace {

constexpr int kBarWidth = 30;
// Back to the line's start, and everything after the cursor cleared.
constexpr char kReturn[] = "\r";
constexpr char kClearRest[] = "\033[K";

// The line drawn for `sent` of `total`: "[####----]  50%  Sent ... of ...".
std::string ProgressBarLine(uint64_t sent, uint64_t total, const std::string& language) {
  const int per_mille = TransferPerMille(sent, total);
  const int filled = per_mille * kBarWidth / 1000;
  std::string line = "[" + std::string(static_cast<size_t>(filled), '#') +
                     std::string(static_cast<size_t>(kBarWidth - filled), '-') + "] ";
  std::string percent = std::to_string(per_mille / 10) + "%";
  line += std::string(4 - percent.size(), ' ') + percent + "  ";
  return line + TransferProgressText(sent, total, language);
}

}  // namespace

ProgressBar::ProgressBar(int fd, std::string language)
    : fd_(fd), language_(std::move(language)), shown_(::isatty(fd) == 1) {}

void ProgressBar::Put(const std::string& text) {
  // The bar is only a courtesy: a terminal that stops taking it is ignored.
  size_t at = 0;
  while (at < text.size()) {
    ssize_t n = ::write(fd_, text.data() + at, text.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    at += static_cast<size_t>(n);
  }
}

void ProgressBar::Draw(uint64_t sent, uint64_t total) {
  // Nothing reported yet: no bar at 100 % of nothing.
  if (!shown_ || (sent == 0 && total == 0)) return;
  Put(kReturn + ProgressBarLine(sent, total, language_) + kClearRest);
  drawn_ = true;
}

void ProgressBar::Clear() {
  if (!shown_ || !drawn_) return;
  Put(std::string(kReturn) + kClearRest);
  drawn_ = false;
}

void ProgressBar::Finish() {
  if (!shown_ || !drawn_) return;
  Put("\n");
  drawn_ = false;
}

}  // namespace vidodez::cli
