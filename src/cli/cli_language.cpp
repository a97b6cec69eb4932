#include "cli/cli_language.h"

#include "core/platform/user_folders.h"
#include "core/shell/program_settings.h"

namespace vidodez::cli {

std::string DefaultCliLanguage() {
  return ResolveCliLanguage(SysIniPath(platform::AppDataFolder()), LocaleLanguage());
}

}  // namespace vidodez::cli
