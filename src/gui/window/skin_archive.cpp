#include "gui/window/skin_archive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace vidodez::gui {
namespace {

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

SkinZip* SkinArchive::Archive() const {
  if (!open_tried_) {
    open_tried_ = true;
    archive_ = SkinZip::Open(ArchivePath());
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
  SkinZip* archive = Archive();
  return archive != nullptr && archive->Read(name, kMaxEntryBytes, data);
}

QStringList SkinArchive::Names() const {
  QStringList names;
  if (SkinZip* archive = Archive()) names = archive->Names();
  const QDir folder(OverrideFolder());
  QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString name = folder.relativeFilePath(it.next());
    if (!names.contains(name)) names << name;
  }
  return names;
}

}  // namespace vidodez::gui
