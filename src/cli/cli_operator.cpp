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
  const std::string* option = nullptr;
  for (const OwnAnswer& own : own_answers_) {
    if (own.table != question.table || own.index != question.index) continue;
    if (own.answer) return true;
    option = &own.option;
  }
  if (option == nullptr && yes_) return true;
  std::string refusal = Say(CliText::kNotConfirmed, language_);
  // The hint names the question's own option.
  if (const size_t yes = refusal.find("--yes"); option != nullptr && yes != std::string::npos)
    refusal.replace(yes, 5, *option);
  Fail(question.text + refusal);
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
