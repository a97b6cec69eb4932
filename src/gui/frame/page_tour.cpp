#include "gui/frame/page_tour.h"

#include <QAbstractButton>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include "gui/frame/dialog_frame_wnd.h"
#include "gui/window/controls.h"

namespace vidodez::gui {

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
    const QString name = QStringLiteral("%1-%2.png").arg(index_).arg(options[index_ - 1]);
    const QString path = QDir(folder_).filePath(name);
    if (frame_.grab().save(path)) saved_.append(path);
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
