#include "gui/window/skin_images.h"

#include <stdio.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vidodez::gui {
namespace {

// Functions rather than QString globals, whose construction before main
// could throw where nothing can catch it.
QString Prefix() { return QStringLiteral("skin-images-"); }
QString PartPrefix() { return QStringLiteral("part-"); }

bool IsImage(const QString& name) { return !name.endsWith(".ui") && !name.endsWith(".qss"); }

// Writes every image of the skins below `folder`; false when one could not
// be written (the others still are).
bool WriteImages(const SkinArchive& skins, const QString& folder) {
  bool all = true;
  for (const QString& name : skins.Names()) {
    if (!IsImage(name)) continue;
    QByteArray bytes;
    if (!skins.Read(name, &bytes)) continue;
    const QString target = QDir(folder).filePath(name);
    QFile out(target);
    if (!QDir().mkpath(QFileInfo(target).path()) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()) {
      all = false;
    }
  }
  return all;
}

// A cache cleaner may have taken files from a kept folder.
bool HoldsEveryImage(const SkinArchive& skins, const QString& folder) {
  for (const QString& name : skins.Names()) {
    if (IsImage(name) && !QFileInfo::exists(QDir(folder).filePath(name))) return false;
  }
  return true;
}

// Names one build of the archive: its place, size and time.
QString ArchiveKey(const QFileInfo& archive) {
  const QByteArray identity = archive.canonicalFilePath().toUtf8() + '\n' +
                              QByteArray::number(archive.size()) + '\n' +
                              QByteArray::number(archive.lastModified().toMSecsSinceEpoch());
  return QString::fromLatin1(
      QCryptographicHash::hash(identity, QCryptographicHash::Sha256).toHex().left(16));
}

}  // namespace

SkinImageFolder::SkinImageFolder(const SkinArchive& skins, const QString& cache_root) {
  if (!cache_root.isEmpty() && UseCache(skins, cache_root)) return;
  temporary_ = std::make_unique<QTemporaryDir>();
  if (!temporary_->isValid()) return;
  (void)WriteImages(skins, temporary_->path());  // what could be written still shows
  path_ = temporary_->path();
}

bool SkinImageFolder::UseCache(const SkinArchive& skins, const QString& cache_root) {
  const QFileInfo archive(skins.ArchivePath());
  if (!archive.isFile()) return false;
  const QString name = Prefix() + ArchiveKey(archive);
  const QDir root(cache_root);
  // A folder carries the name only once it is whole: it is written under a
  // name of its own and then renamed.
  const QString kept = root.filePath(name);
  if (QFileInfo(kept).isDir()) {
    if (HoldsEveryImage(skins, kept)) {
      path_ = kept;
      return true;
    }
    QDir(kept).removeRecursively();
  }
  if (!QDir().mkpath(cache_root)) return false;
  QTemporaryDir part(root.filePath(Prefix() + PartPrefix() + "XXXXXX"));
  if (!part.isValid() || !WriteImages(skins, part.path())) return false;
  const QByteArray from = QFile::encodeName(part.path());
  const QByteArray to = QFile::encodeName(kept);
  if (::rename(from.constData(), to.constData()) == 0) {
    part.setAutoRemove(false);
  } else if (!QFileInfo(kept).isDir()) {
    return false;  // another start that got there first is fine, else give up
  }
  path_ = kept;
  // Folders of earlier archives are of no further use. A program of an
  // earlier build still running loses the images it has not read yet.
  for (const QString& other : root.entryList({Prefix() + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (other != name && !other.startsWith(Prefix() + PartPrefix())) {
      QDir(root.filePath(other)).removeRecursively();
    }
  }
  return true;
}

}  // namespace vidodez::gui
