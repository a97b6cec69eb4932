#include "gui/font/font_preview.h"

#include <QFile>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>

#include "core/font/font_job.h"

namespace vidodez::gui {
namespace {

constexpr int kMargin = 12;
// Shown only when the font has the characters: a Latin-only font draws no
// empty boxes.
QString LatinSample() { return QStringLiteral("AaBbCc XxYyZz 0123456789 !?&@"); }
QString ChineseSample() { return QStringLiteral(" 中文字体"); }

bool BeginsAsSfnt(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(kSfntSignatureBytes);
  return HasSfntSignature(std::string_view(head.constData(), static_cast<size_t>(head.size())));
}

QString SampleText(const QRawFont& font) {
  for (QChar c : ChineseSample().trimmed())
    if (!font.supportsCharacter(c)) return LatinSample();
  return LatinSample() + ChineseSample();
}

QImage DrawSample(const QRawFont& font, QSize size) {
  const QString text = SampleText(font);
  const QList<quint32> glyphs = font.glyphIndexesForString(text);
  const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
  QList<QPointF> positions;
  QPointF at;
  for (const QPointF& advance : advances) {
    positions << at;
    at += advance;
  }
  QGlyphRun run;
  run.setRawFont(font);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);

  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(Qt::black);
  const qreal baseline = (size.height() + font.ascent() - font.descent()) / 2;
  painter.drawGlyphRun(QPointF(kMargin, baseline), run);
  return image;
}

}  // namespace

FontPreview PreviewFontFile(const QString& path, QSize size) {
  FontPreview preview;
  if (!BeginsAsSfnt(path)) return preview;
  const QRawFont font(path, size.height() * 0.5);
  if (!font.isValid()) return preview;
  preview.is_font = true;
  preview.family = font.familyName();
  if (!size.isEmpty()) preview.sample = DrawSample(font, size);
  return preview;
}

}  // namespace vidodez::gui
