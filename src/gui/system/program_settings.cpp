#include "gui/system/program_settings.h"

#include "core/shell/program_settings.h"

namespace vidodez::gui {

SessionSettings::SessionSettings(const std::string& locale_name)
    : language_(locale_name.rfind("zh", 0) == 0 ? "chi" : "eng") {}

std::string SessionSettings::SetLanguage(int choice) {
  if (choice == 0) language_ = "chi";
  if (choice == 1) language_ = "eng";
  return language_;
}

SysIniSettings::SysIniSettings(std::string sys_ini_path, std::string locale_language, Operator& op)
    : path_(std::move(sys_ini_path)), locale_language_(std::move(locale_language)), op_(op) {}

std::string SysIniSettings::LoadLanguage() {
  language_ = vidodez::LoadLanguage(path_, locale_language_, op_);
  return language_;
}

std::string SysIniSettings::SetLanguage(int choice) {
  language_ = vidodez::SetLanguage(choice, path_, language_, op_);
  return language_;
}

}  // namespace vidodez::gui
