#include <zip.h>

#include <QFile>

#include "gui/window/skin_zip.h"

namespace vidodez::gui {
namespace {

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class LibzipArchive final : public SkinZip {
 public:
  explicit LibzipArchive(zip_t* archive) : archive_(archive) {}

  bool Read(const QString& name, qint64 limit, QByteArray* data) override {
    const QByteArray entry = name.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive_.get(), entry.constData(), 0, &stat) != 0) return false;
    if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > static_cast<zip_uint64_t>(limit)) {
      return false;
    }
    std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen(archive_.get(), entry.constData(), 0));
    if (!file) return false;
    QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
      const zip_int64_t n =
          zip_fread(file.get(), bytes.data() + got, static_cast<zip_uint64_t>(bytes.size() - got));
      if (n <= 0) return false;
      got += static_cast<qsizetype>(n);
    }
    *data = std::move(bytes);
    return true;
  }

  QStringList Names() override {
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
      const char* entry = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), 0);
      if (entry != nullptr && !QString::fromUtf8(entry).endsWith('/')) {
        names << QString::fromUtf8(entry);
      }
    }
    return names;
  }

 private:
  std::unique_ptr<zip_t, ZipCloser> archive_;
};

}  // namespace

std::unique_ptr<SkinZip> SkinZip::Open(const QString& path) {
  int error = 0;
  zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (archive == nullptr) return nullptr;
  return std::make_unique<LibzipArchive>(archive);
}

}  // namespace vidodez::gui
