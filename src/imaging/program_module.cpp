#include "imaging/program_module.h"

#include "core/platform/process.h"
#include "core/platform/user_folders.h"
#include "core/shell/log.h"

namespace vidodez::imaging {

void* LoadProgramModule(const char* file_name, const char* what) {
  const std::string folder = platform::ExecutableFolder() + "/";
  std::string why;
  for (const std::string& path :
       {folder + file_name, folder + VIDODEZ_MODULES_INSTALLED_DIR + "/" + file_name,
        std::string(file_name)}) {
    if (void* handle = platform::LoadModule(path, &why); handle != nullptr) return handle;
  }
  Log(LogLevel::kWarning, std::string("imaging: ") + what + " module not loaded: " +
                              (why.empty() ? std::string("unknown") : why));
  return nullptr;
}

}  // namespace vidodez::imaging
