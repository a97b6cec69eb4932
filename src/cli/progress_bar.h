#pragma once
// A transfer's progress as one line of stderr redrawn in place, shown only
// when stderr is a terminal: a script that reads stderr gets no bar.

#include <cstdint>
#include <cstdio>
#include <string>

namespace vidodez::cli {

class ProgressBar {
 public:
  ProgressBar(std::FILE* stream, std::string language);
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  bool shown() const { return shown_; }
  void Draw(uint64_t sent, uint64_t total);
  // Clears the line, so a message can be printed where it was.
  void Clear();
  // Leaves the last drawing on its line.
  void Finish();

 private:
  void Put(const std::string& text);

  std::FILE* stream_;
  std::string language_;
  bool shown_;
  bool drawn_ = false;
};

}  // namespace vidodez::cli
