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

const QString kPrefix = QStringLiteral("skin-images-");
const QString kPartPrefix = QStringLiteral("part-");

// Writes every image of the skins below `folder`; false when one could not
// be written (the others still are).
bool WriteImages(const SkinArchive& skins, const QString& folder) {
  bool all = true;
  for (const QString& name : skins.Names()) {
    if (name.endsWith(".ui") || name.endsWith(".qss")) continue;
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
  const QString name = kPrefix + ArchiveKey(archive);
  const QDir root(cache_root);
  // Only a complete folder ever carries the name: it is written under a
  // name of its own and renamed when whole.
  if (QFileInfo(root.filePath(name)).isDir()) {
    path_ = root.filePath(name);
    return true;
  }
  if (!QDir().mkpath(cache_root)) return false;
  QTemporaryDir part(root.filePath(kPrefix + kPartPrefix + "XXXXXX"));
  if (!part.isValid() || !WriteImages(skins, part.path())) return false;
  const QByteArray from = QFile::encodeName(part.path());
  const QByteArray to = QFile::encodeName(root.filePath(name));
  if (::rename(from.constData(), to.constData()) == 0) {
    part.setAutoRemove(false);
  } else if (!QFileInfo(root.filePath(name)).isDir()) {
    return false;  // another start that got there first is fine, else give up
  }
  path_ = root.filePath(name);
  // Folders of earlier archives are of no further use. A program of an
  // earlier build still running loses the images it has not read yet.
  for (const QString& other : root.entryList({kPrefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (other != name && !other.startsWith(kPrefix + kPartPrefix)) {
      QDir(root.filePath(other)).removeRecursively();
    }
  }
  return true;
}

}  // namespace vidodez::gui
