#pragma once
// What the font page shows of a chosen file: the font's family name and a
// sample line drawn from the file itself, or that it is no TrueType or
// OpenType font. Nothing is installed: the file is read for the picture
// alone.

#include <QImage>
#include <QString>

namespace vidodez::gui {

struct FontPreview {
  bool is_font = false;  // TrueType or OpenType, and readable as such
  QString family;
  QImage sample;  // null when the file is no font
};

// The sample is drawn `size` large (device pixels) in black on white.
FontPreview PreviewFontFile(const QString& path, QSize size);

}  // namespace vidodez::gui
