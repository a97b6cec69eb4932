#include "cli/cli_language.h"

#include "core/shell/program_settings.h"

namespace vidodez::cli {

std::string DefaultCliLanguage() {
  return ResolveCliLanguage(SysIniPath(AppDataFolder()), LocaleLanguage());
}

}  // namespace vidodez::cli
