#include "gui/system/program_settings.h"

namespace vidodez::gui {

SessionSettings::SessionSettings(std::string locale_name)
    : language_(locale_name.rfind("zh", 0) == 0 ? "chi" : "eng") {}

std::string SessionSettings::SetLanguage(int choice) {
  if (choice == 0) language_ = "chi";
  if (choice == 1) language_ = "eng";
  return language_;
}

}  // namespace vidodez::gui
