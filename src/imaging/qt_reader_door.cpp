// LoadWithQt for a program that does not link Qt: Qt's readers are loaded
// as a module the first time a picture needs them.

#include <mutex>

#include "core/graphic/graphic_codes.h"
#include "core/platform/process.h"
#include "imaging/program_module.h"
#include "imaging/qt_reader.h"
#include "imaging/qt_reader_module_api.h"

namespace vidodez::imaging {
namespace {

VidodezQtLoadFn LoadFunction() {
  static VidodezQtLoadFn load = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    if (void* handle = LoadProgramModule(VIDODEZ_QT_READER_MODULE, "Qt picture reader");
        handle != nullptr)
      load = reinterpret_cast<VidodezQtLoadFn>(platform::ModuleSymbol(handle, "vidodez_qt_load"));
  });
  return load;
}

}  // namespace

int LoadWithQt(const std::string& path, LoadedPicture* out, bool* unread) {
  const VidodezQtLoadFn load = LoadFunction();
  // Without the module, ImageMagick is still asked.
  if (load == nullptr) {
    *unread = true;
    return kGraphicBadPicture;
  }
  int not_read = 0;
  const int code = load(path.c_str(), out, &not_read);
  *unread = not_read != 0;
  return code;
}

}  // namespace vidodez::imaging
