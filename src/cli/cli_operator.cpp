#include "cli/cli_operator.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "cli/cli_env.h"
#include "cli/cli_texts.h"

namespace vidodez::cli {

void CliOperator::Tell(const OperatorMessage& message) {
  ++told_;
  Fail(message.text);
}

bool CliOperator::Confirm(const OperatorMessage& question) {
  if (yes_) return true;
  Fail(question.text + Say(CliText::kNotConfirmed, language_));
  refused_ = true;
  return false;
}

bool CliOperator::ChooseFileToOpen(const FileChoice&, std::string* path) {
  if (chosen_file_.empty()) return false;
  *path = chosen_file_;
  return true;
}

bool CliOperator::ChooseFileToSave(const FileChoice&, std::string* path) {
  if (chosen_file_.empty()) return false;
  *path = chosen_file_;
  return true;
}

void CliOperator::WaitWithCountdown(int seconds) {
  for (int left = seconds; left >= 0; --left) {
    std::fprintf(stderr, "\r%d ", left);
    std::fflush(stderr);
    if (left > 0) std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  std::fputc('\n', stderr);
}

}  // namespace vidodez::cli
