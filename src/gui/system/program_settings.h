#pragma once
// The program's own setting, its language, as the window needs it: loaded
// once at start, saved when the operator changes it on the system page.

#include <string>

#include "core/shell/operator.h"

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
  explicit SessionSettings(const std::string& locale_name);
  std::string LoadLanguage() override { return language_; }
  std::string SetLanguage(int choice) override;

 private:
  std::string language_;
};

// The language kept in "Sys.ini": read at start (chosen from the locale and
// saved on the first start), saved again on every change.
class SysIniSettings final : public ProgramSettings {
 public:
  SysIniSettings(std::string sys_ini_path, std::string locale_language, Operator& op);
  std::string LoadLanguage() override;
  std::string SetLanguage(int choice) override;
  const std::string& language() const { return language_; }

 private:
  std::string path_;
  std::string locale_language_;
  Operator& op_;
  std::string language_;
};

}  // namespace vidodez::gui
