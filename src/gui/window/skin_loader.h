#pragma once
// Builds windows and pages from Qt Designer skins. A builder callback creates
// the program's own containers for custom class names (the pages, the
// firmware list); standard classes come from Qt, with the combo box replaced
// by one that reports when its list drops down.

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "gui/window/skin_archive.h"
#include "gui/window/skin_images.h"

namespace vidodez::gui {

// Returns the widget for a custom class name, or null to leave the name to
// Qt (an unknown name then yields no widget).
using SkinCallback =
    std::function<QWidget*(const QString& class_name, QWidget* parent, const QString& name)>;

// Builds skin `file` into `host`: the skin's top widget becomes the host's
// only child, filling it. False (and an empty host) when the skin is missing
// or does not build.
bool BuildSkin(const SkinArchive& skins, const QString& file, QWidget* host,
               const SkinCallback& callback = {});

// Makes the archive's images reachable as "skin:NAME" (style sheets use
// url(skin:USB.png)) and applies "style.qss" to the application. Lives as
// long as the windows that use the images. With a cache folder the images
// are written once for each archive, not at every start.
class SkinResources {
 public:
  explicit SkinResources(const SkinArchive& skins, const QString& cache_root = {});
  bool ok() const { return ok_; }
  const QString& style_sheet() const { return style_sheet_; }

 private:
  SkinImageFolder images_;
  QString style_sheet_;
  bool ok_ = false;
};

}  // namespace vidodez::gui
