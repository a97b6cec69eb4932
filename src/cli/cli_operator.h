#pragma once
// The command line's side of the Operator: messages on stderr, questions
// answered by --yes (without it the question is printed and refused), a
// countdown on stderr.

#include <string>
#include <vector>

#include "core/shell/operator.h"

namespace vidodez::cli {

class CliOperator final : public Operator {
 public:
  // Messages and the refusal of a question read in `language`.
  CliOperator(bool yes, std::string language) : yes_(yes), language_(std::move(language)) {}

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override;

  // The question (`table`, `index`) is answered by its own option, not by
  // --yes: `answer`, and a refusal names `option`.
  void AnswerWith(std::string table, int index, bool answer, std::string option) {
    own_answers_.push_back({std::move(table), index, answer, std::move(option)});
  }
  // The file the command line names stands for the dialog's choice.
  void set_chosen_file(std::string path) { chosen_file_ = std::move(path); }
  // Whether a question was refused for want of --yes, or a message told.
  bool refused() const { return refused_; }
  int told() const { return told_; }

 private:
  struct OwnAnswer {
    std::string table;
    int index;
    bool answer;
    std::string option;
  };

  bool yes_;
  std::vector<OwnAnswer> own_answers_;
  std::string language_;
  bool refused_ = false;
  int told_ = 0;
  std::string chosen_file_;
};

}  // namespace vidodez::cli
