#pragma once
// An Operator for tests: answers from a queue written by the test, and a
// record of everything it was shown, to assert on by table and index.

#include <deque>
#include <string>
#include <vector>

#include "core/shell/operator.h"

namespace vidodez::test {

struct ShownMessage {
  std::string table;
  int index;
  std::string text;
  bool question;  // shown with OK and Cancel
};

class ScriptedOperator final : public Operator {
 public:
  // Queued answers, taken in order. Questions without a queued answer are
  // answered Cancel, file dialogs without one are cancelled, so a test that
  // forgot an answer sees the operation stop rather than go on.
  void AnswerConfirm(bool ok) { confirms_.push_back(ok); }
  void AnswerFile(std::string path) { files_.push_back(std::move(path)); }

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override { countdowns_.push_back(seconds); }

  const std::vector<ShownMessage>& shown() const { return shown_; }
  const std::vector<FileChoice>& file_dialogs() const { return file_dialogs_; }
  const std::vector<int>& countdowns() const { return countdowns_; }

 private:
  bool NextFile(const FileChoice& choice, std::string* path);

  std::deque<bool> confirms_;
  std::deque<std::string> files_;
  std::vector<ShownMessage> shown_;
  std::vector<FileChoice> file_dialogs_;
  std::vector<int> countdowns_;
};

}  // namespace vidodez::test
