#pragma once
// Where skins come from: the archive "SkinRes.dat" in the program folder, or
// a "skins" folder beside it that wins over the archive, so a skin author can
// edit a file and restart without repacking.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "gui/window/skin_zip.h"

namespace vidodez::gui {

class SkinArchive {
 public:
  // Entries larger than this are refused: a damaged archive must not make
  // the program allocate without bound.
  static constexpr qint64 kMaxEntryBytes = 8 * 1024 * 1024;

  explicit SkinArchive(QString program_folder);
  ~SkinArchive();
  SkinArchive(const SkinArchive&) = delete;
  SkinArchive& operator=(const SkinArchive&) = delete;

  // The bytes of one skin file; false when neither the folder nor the
  // archive holds it, or it is too large or unreadable.
  bool Read(const QString& name, QByteArray* data) const;
  // Every file name the archive and the override folder hold.
  QStringList Names() const;

  const QString& program_folder() const { return program_folder_; }
  QString ArchivePath() const;
  QString OverrideFolder() const;

 private:
  bool ReadFromArchive(const QString& name, QByteArray* data) const;
  // The archive, opened on first use and kept open: start-up reads dozens of
  // entries, and each open reads the archive's whole directory again.
  SkinZip* Archive() const;

  QString program_folder_;
  mutable std::unique_ptr<SkinZip> archive_;
  mutable bool open_tried_ = false;
};

}  // namespace vidodez::gui
