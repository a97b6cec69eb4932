#pragma once
// The archive's images as files, for Qt to read by name (style sheets and
// texts name them). They are written once for each archive into a folder of
// the cache and found there at later starts; without a cache, or when it
// cannot be written, they go to a temporary folder for this run.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "gui/window/skin_archive.h"

namespace vidodez::gui {

class SkinImageFolder {
 public:
  // `cache_root` is the program's cache folder; empty for no cache.
  SkinImageFolder(const SkinArchive& skins, const QString& cache_root);
  // The folder holding the images; empty when none could be made.
  const QString& path() const { return path_; }

 private:
  bool UseCache(const SkinArchive& skins, const QString& cache_root);

  std::unique_ptr<QTemporaryDir> temporary_;
  QString path_;
};

}  // namespace vidodez::gui
