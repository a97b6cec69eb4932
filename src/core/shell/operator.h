#pragma once
// How page-model operations talk to the person at the keyboard. The window
// answers with its message box, file dialogs and wait window; the command line
// with stderr and --yes; tests with a script that records what was shown.

#include <string>

namespace vidodez {

// One message of a message table: the table and index say which message it is
// (tests assert on those), the text is what the operator reads, already in
// the program's language.
struct OperatorMessage {
  const char* table = "";
  int index = -1;
  std::string text;
};

// What a file dialog offers: its title, one filter ("Settings files (*.ini)"
// with the pattern "*.ini"), the extension added to a bare name and, for a
// file to write, the name proposed ("" for none).
struct FileChoice {
  std::string title;
  std::string filter_name;
  std::string pattern;
  std::string default_extension;
  std::string suggested_path;
};

class Operator {
 public:
  virtual ~Operator() = default;

  // A message with an OK button only.
  virtual void Tell(const OperatorMessage& message) = 0;
  // A question with OK and Cancel: true for OK.
  virtual bool Confirm(const OperatorMessage& question) = 0;
  // An existing file to read; false when the operator cancelled.
  virtual bool ChooseFileToOpen(const FileChoice& choice, std::string* path) = 0;
  // A file to write (an existing one only after the operator agreed to
  // replace it); false when the operator cancelled.
  virtual bool ChooseFileToSave(const FileChoice& choice, std::string* path) = 0;
  // Holds the operation while the printer takes in what it was sent, showing
  // the seconds left; returns when they have run out.
  virtual void WaitWithCountdown(int seconds) = 0;
  // Shows the "please wait" hint while a long step runs, until EndWait;
  // returns at once. Messages and questions may come meanwhile. An
  // operator with nothing to show (a terminal, a script) ignores both.
  virtual void BeginWait() {}
  virtual void EndWait() {}
};

}  // namespace vidodez
