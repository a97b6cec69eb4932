#pragma once
// The skin archive itself, a zip file read entry by entry: libzip where
// Debian ships it (Linux), Qt's own zip reader on Windows, chosen by the
// build.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace vidodez::gui {

class SkinZip {
 public:
  // Null when the archive cannot be opened.
  static std::unique_ptr<SkinZip> Open(const QString& path);
  virtual ~SkinZip() = default;

  // The bytes of one entry; false when it is missing, larger than `limit`
  // or unreadable.
  virtual bool Read(const QString& entry, qint64 limit, QByteArray* data) = 0;
  // The names of its files (folders left out).
  virtual QStringList Names() = 0;
};

}  // namespace vidodez::gui
