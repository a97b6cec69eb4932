#include "cli/progress_bar.h"

#include "core/link/transfer_progress.h"
#include "core/platform/process.h"

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

ProgressBar::ProgressBar(std::FILE* stream, std::string language)
    : stream_(stream), language_(std::move(language)), shown_(platform::IsTerminal(stream)) {}

void ProgressBar::Put(const std::string& text) {
  // The bar is only a courtesy: a terminal that stops taking it is ignored.
  (void)std::fwrite(text.data(), 1, text.size(), stream_);
  (void)std::fflush(stream_);
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
