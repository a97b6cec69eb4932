#include "gui/window/skin_loader.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QUiLoader>
#include <QVBoxLayout>

#include "gui/window/plugins_out_of_reach.h"
#include "gui/window/skin_combo_box.h"

namespace vidodez::gui {
namespace {

class SkinUiLoader final : public QUiLoader {
 public:
  // One loader serves every build (on the interface thread, like every
  // window). The skins use only Qt's own widgets and the program's
  // containers, but a loader loads every Designer plugin under the library
  // paths as it is made (Qt Quick's among them, pulling in QML and OpenGL),
  // which cost more start-up time than the rest of the window; so it is made
  // while the library paths are empty.
  static SkinUiLoader& Shared() {
    static SkinUiLoader& loader = *[] {
      const PluginsOutOfReach plugins;
      return new SkinUiLoader;  // kept for the program's life
    }();
    return loader;
  }

  QWidget* Load(QIODevice* device, QWidget* host, const SkinCallback* callback) {
    const SkinCallback* outer = callback_;
    callback_ = callback;  // a page built inside a build brings its own
    QWidget* root = load(device, host);
    callback_ = outer;
    return root;
  }

  QWidget* createWidget(const QString& class_name, QWidget* parent, const QString& name) override {
    if (callback_ != nullptr && *callback_) {
      if (QWidget* custom = (*callback_)(class_name, parent, name)) {
        custom->setObjectName(name);
        return custom;
      }
    }
    if (class_name == "QComboBox") {
      auto* combo = new SkinComboBox(parent);
      combo->setObjectName(name);
      return combo;
    }
    return QUiLoader::createWidget(class_name, parent, name);
  }

 private:
  SkinUiLoader() = default;
  const SkinCallback* callback_ = nullptr;
};

}  // namespace

bool BuildSkin(const SkinArchive& skins, const QString& file, QWidget* host,
               const SkinCallback& callback) {
  QByteArray xml;
  if (!skins.Read(file, &xml)) return false;
  QBuffer buffer(&xml);
  buffer.open(QIODevice::ReadOnly);
  QWidget* root = SkinUiLoader::Shared().Load(&buffer, host, &callback);
  if (root == nullptr) return false;
  if (host->layout() == nullptr) {
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  host->layout()->addWidget(root);
  // The skin's own minimum size is the host's too, so a page never squeezes.
  host->setMinimumSize(root->minimumSize());
  return true;
}

SkinResources::SkinResources(const SkinArchive& skins, const QString& cache_root)
    : images_(skins, cache_root) {
  if (images_.path().isEmpty()) return;
  // Texts name images bare ("{i list_icon_a.png}"), style sheets by path.
  const QString loose = skins.OverrideFolder();
  QDir::setSearchPaths("skin", {loose, QDir(loose).filePath("images"), images_.path(),
                                QDir(images_.path()).filePath("images")});
  QByteArray qss;
  if (skins.Read("style.qss", &qss)) {
    style_sheet_ = QString::fromUtf8(qss);
    if (qApp != nullptr) qApp->setStyleSheet(style_sheet_);
  }
  ok_ = true;
}

}  // namespace vidodez::gui
