// Qt's picture readers behind the module's door, for the command line.

#include "imaging/qt_reader.h"
#include "imaging/qt_reader_module_api.h"

extern "C" __attribute__((visibility("default"))) int vidodez_qt_load(const char* path,
                                                                      void* picture, int* unread) {
  bool not_read = false;
  const int code = vidodez::imaging::LoadWithQt(
      path, static_cast<vidodez::imaging::LoadedPicture*>(picture), &not_read);
  *unread = not_read ? 1 : 0;
  return code;
}
