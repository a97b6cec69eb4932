#include "gui/frame/page_tour.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdint>
#include <span>

#include "core/shell/file_replacement.h"
#include "core/shell/shell_codes.h"
#include "gui/frame/dialog_frame_wnd.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

// Whole or not at all, like every file written for the operator.
bool SaveBytes(const QByteArray& data, const QString& path) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
  return ReplaceFile(QFile::encodeName(path).toStdString(),
                     std::span(bytes, static_cast<size_t>(data.size()))) == kShellOk;
}

bool SavePicture(const QPixmap& picture, const QString& path) {
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return false;
  return SaveBytes(png, path);
}

// What the window's labels show, one a line: a check that reads no pixels
// (the printer's name on the page, whatever the system's fonts).
bool SaveLabelTexts(const QWidget& window, const QString& path) {
  QByteArray texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    if (label->isVisible() && !label->text().isEmpty()) texts += label->text().toUtf8() + '\n';
  }
  return SaveBytes(texts, path);
}

}  // namespace

PageTour::PageTour(CDialogFrameWnd& frame, QString folder, int dwell_ms)
    : QObject(&frame), frame_(frame), folder_(std::move(folder)), dwell_ms_(dwell_ms) {}

void PageTour::Start(std::function<void(const QStringList&)> done) {
  done_ = std::move(done);
  if (!QDir().mkpath(folder_)) {
    done_({});
    return;
  }
  connect(
      &frame_, &CDialogFrameWnd::started, this, [this] { Next(); }, Qt::QueuedConnection);
}

void PageTour::Next() {
  const QStringList options = CDialogFrameWnd::PageOptions();
  if (index_ > 0) {
    const QString name = QStringLiteral("%1-%2").arg(index_).arg(options[index_ - 1]);
    const QString path = QDir(folder_).filePath(name + ".png");
    if (SavePicture(frame_.grab(), path) &&
        SaveLabelTexts(frame_, QDir(folder_).filePath(name + ".txt")))
      saved_.append(path);
  }
  if (index_ == options.size()) {
    done_(saved_);
    return;
  }
  if (auto* option = FindControl<QAbstractButton>(&frame_, options[index_])) option->click();
  ++index_;
  QTimer::singleShot(dwell_ms_, this, [this] { Next(); });
}

}  // namespace vidodez::gui
