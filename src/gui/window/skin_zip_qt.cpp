#include <QtGui/private/qzipreader_p.h>

#include "gui/window/skin_zip.h"

namespace vidodez::gui {
namespace {

class QtZipArchive final : public SkinZip {
 public:
  explicit QtZipArchive(const QString& path) : reader_(path) {}

  bool usable() const { return reader_.isReadable(); }

  bool Read(const QString& name, qint64 limit, QByteArray* data) override {
    for (const QZipReader::FileInfo& info : reader_.fileInfoList()) {
      if (info.filePath != name || !info.isFile) continue;
      if (info.size > limit) return false;
      QByteArray bytes = reader_.fileData(name);
      if (bytes.size() != info.size) return false;
      *data = std::move(bytes);
      return true;
    }
    return false;
  }

  QStringList Names() override {
    QStringList names;
    for (const QZipReader::FileInfo& info : reader_.fileInfoList())
      if (info.isFile) names << info.filePath;
    return names;
  }

 private:
  QZipReader reader_;
};

}  // namespace

std::unique_ptr<SkinZip> SkinZip::Open(const QString& path) {
  auto archive = std::make_unique<QtZipArchive>(path);
  if (!archive->usable()) return nullptr;
  return archive;
}

}  // namespace vidodez::gui
