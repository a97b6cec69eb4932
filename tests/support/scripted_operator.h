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
  bool question;               // shown with OK and Cancel
  bool while_waiting = false;  // the wait hint was up
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
  void BeginWait() override;
  void EndWait() override;

  const std::vector<ShownMessage>& shown() const { return shown_; }
  const std::vector<FileChoice>& file_dialogs() const { return file_dialogs_; }
  const std::vector<int>& countdowns() const { return countdowns_; }
  // How often the wait hint was shown, and whether it is up now.
  int waits() const { return waits_; }
  bool waiting() const { return waiting_; }

 private:
  bool NextFile(const FileChoice& choice, std::string* path);

  std::deque<bool> confirms_;
  std::deque<std::string> files_;
  std::vector<ShownMessage> shown_;
  std::vector<FileChoice> file_dialogs_;
  std::vector<int> countdowns_;
  int waits_ = 0;
  bool waiting_ = false;
};

}  // namespace vidodez::test
