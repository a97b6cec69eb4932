#include "imaging/picture_preview.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <cstring>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/picture_formats.h"
#include "imaging/qt_reader.h"

namespace vidodez::imaging {

QImage ImageFromGrey(const GreyBitmap& bitmap) {
  if (bitmap.empty()) return {};
  QImage image(bitmap.width, bitmap.height, QImage::Format_Grayscale8);
  if (image.isNull()) return {};
  for (int y = 0; y < bitmap.height; ++y)
    std::memcpy(image.scanLine(y), bitmap.Row(y), std::size_t(bitmap.width));
  return image;
}

QImage FitOnWhite(const QImage& image, QSize box) {
  if (image.isNull() || box.isEmpty()) return {};
  const QSize fitted = image.size().scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  const bool shrinking = fitted.width() < image.width();
  QImage out(fitted, QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter painter(&out);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, shrinking);
  painter.drawImage(QRect(QPoint(0, 0), fitted), image);
  return out;
}

QImage PicturePreview(const std::string& path, const GreyBitmap& loaded, QSize box) {
  const int format = PictureFormatCode(ExtensionOf(path));
  QFile file;
  if (QtReadsFormat(format) && OpenPictureFile(path, &file) == kGraphicOk) {
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid()) {
      // Turned photographs report their stored size; the box fits either way.
      const QImageIOHandler::Transformations turn = reader.transformation();
      if (turn & QImageIOHandler::TransformationRotate90) size.transpose();
      if (size.width() > box.width() || size.height() > box.height()) {
        QSize scaled = size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        if (turn & QImageIOHandler::TransformationRotate90) scaled.transpose();
        reader.setScaledSize(scaled);
      }
    }
    QImage image;
    if (reader.read(&image) && !image.isNull()) return FitOnWhite(image, box);
  }
  return FitOnWhite(ImageFromGrey(loaded), box);
}

}  // namespace vidodez::imaging
