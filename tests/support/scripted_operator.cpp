#include "support/scripted_operator.h"

namespace vidodez::test {

void ScriptedOperator::Tell(const OperatorMessage& message) {
  shown_.push_back({message.table, message.index, message.text, false, waiting_});
}

bool ScriptedOperator::Confirm(const OperatorMessage& question) {
  shown_.push_back({question.table, question.index, question.text, true, waiting_});
  if (confirms_.empty()) return false;
  bool ok = confirms_.front();
  confirms_.pop_front();
  return ok;
}

bool ScriptedOperator::NextFile(const FileChoice& choice, std::string* path) {
  file_dialogs_.push_back(choice);
  if (files_.empty()) return false;
  *path = std::move(files_.front());
  files_.pop_front();
  return true;
}

bool ScriptedOperator::ChooseFileToOpen(const FileChoice& choice, std::string* path) {
  return NextFile(choice, path);
}

bool ScriptedOperator::ChooseFileToSave(const FileChoice& choice, std::string* path) {
  return NextFile(choice, path);
}

void ScriptedOperator::BeginWait() {
  ++waits_;
  waiting_ = true;
}

void ScriptedOperator::EndWait() { waiting_ = false; }

}  // namespace vidodez::test
