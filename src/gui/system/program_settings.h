#pragma once
// The program's own setting, its language, as the window needs it: loaded
// once at start, saved when the operator changes it on the system page.

#include <string>

namespace vidodez::gui {

class ProgramSettings {
 public:
  virtual ~ProgramSettings() = default;
  // "chi", "eng", or whatever the settings file holds.
  virtual std::string LoadLanguage() = 0;
  // Choice 0 Chinese, 1 English; returns the language code now in force
  // (unchanged for any other choice).
  virtual std::string SetLanguage(int choice) = 0;
};

// Language from the desktop's locale, kept for this run only.
class SessionSettings final : public ProgramSettings {
 public:
  explicit SessionSettings(std::string locale_name);
  std::string LoadLanguage() override { return language_; }
  std::string SetLanguage(int choice) override;

 private:
  std::string language_;
};

}  // namespace vidodez::gui
