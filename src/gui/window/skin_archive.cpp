#include "gui/window/skin_archive.h"

#include <zip.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace vidodez::gui {
namespace {

struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// A name from a skin may not climb out of the skin folder.
bool IsSafeName(const QString& name) {
  if (name.isEmpty() || name.startsWith('/') || name.contains('\\')) return false;
  for (const QString& part : name.split('/')) {
    if (part == ".." || part.isEmpty()) return false;
  }
  return true;
}

}  // namespace

SkinArchive::SkinArchive(QString program_folder) : program_folder_(std::move(program_folder)) {}
SkinArchive::~SkinArchive() = default;

void SkinArchive::ZipCloser::operator()(zip* archive) const { zip_discard(archive); }

zip* SkinArchive::Archive() const {
  if (!open_tried_) {
    open_tried_ = true;
    int error = 0;
    archive_.reset(zip_open(QFile::encodeName(ArchivePath()).constData(), ZIP_RDONLY, &error));
  }
  return archive_.get();
}

QString SkinArchive::ArchivePath() const { return QDir(program_folder_).filePath("SkinRes.dat"); }
QString SkinArchive::OverrideFolder() const { return QDir(program_folder_).filePath("skins"); }

bool SkinArchive::Read(const QString& name, QByteArray* data) const {
  if (!IsSafeName(name)) return false;
  QFile loose(QDir(OverrideFolder()).filePath(name));
  if (loose.exists()) {
    if (loose.size() > kMaxEntryBytes || !loose.open(QIODevice::ReadOnly)) return false;
    *data = loose.read(kMaxEntryBytes);
    return true;
  }
  return ReadFromArchive(name, data);
}

bool SkinArchive::ReadFromArchive(const QString& name, QByteArray* data) const {
  zip_t* archive = Archive();
  if (archive == nullptr) return false;
  const QByteArray entry = name.toUtf8();
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive, entry.constData(), 0, &stat) != 0) return false;
  if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > static_cast<zip_uint64_t>(kMaxEntryBytes)) {
    return false;
  }
  std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen(archive, entry.constData(), 0));
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

QStringList SkinArchive::Names() const {
  QStringList names;
  if (zip_t* archive = Archive()) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
      const char* entry = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
      if (entry != nullptr && !QString::fromUtf8(entry).endsWith('/')) {
        names << QString::fromUtf8(entry);
      }
    }
  }
  const QDir folder(OverrideFolder());
  QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString name = folder.relativeFilePath(it.next());
    if (!names.contains(name)) names << name;
  }
  return names;
}

}  // namespace vidodez::gui
