#pragma once
// Keeps Qt's plugin folders out of reach while it lives, or until Release():
// plugins Qt looks up meanwhile are not found, and Qt finds them again as soon
// as the folders come back. Used where Qt would load plugins the program has
// no use for at that moment.

#include <QCoreApplication>
#include <QStringList>

namespace vidodez::gui {

class PluginsOutOfReach {
 public:
  PluginsOutOfReach() : saved_(QCoreApplication::libraryPaths()) {
    QCoreApplication::setLibraryPaths({});
  }
  ~PluginsOutOfReach() { Release(); }
  PluginsOutOfReach(const PluginsOutOfReach&) = delete;
  PluginsOutOfReach& operator=(const PluginsOutOfReach&) = delete;

  void Release() {
    if (!held_) return;
    held_ = false;
    QCoreApplication::setLibraryPaths(saved_);
  }

 private:
  QStringList saved_;
  bool held_ = true;
};

}  // namespace vidodez::gui
