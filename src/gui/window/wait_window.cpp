#include "gui/window/wait_window.h"

#include <QLabel>
#include <QScreen>

#include "core/shell/texts.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

constexpr Text kFixedHint{"{f 2}Font data is converting， please wait...{/f}",
                          "{f 2}字体数据转换中，请等待......{/f}"};
constexpr Text kCountdownHead{"{f 2}Data processing, please wait for{c #FF0000}",
                              "{f 2}配置数据处理中，请等待{c #FF0000}"};
constexpr Text kCountdownTail{"{/c}seconds!{/f}", "{/c}秒。{/f}"};
constexpr char kHint[] = "WaitWndHintText";

}  // namespace

QPoint PlaceWaitWindow(QSize size, QRect work_area, QRect reference, QPoint anchor) {
  int x = reference.left() + anchor.x() - size.width() / 2;
  int y = reference.top() + anchor.y() - size.height() - 60;
  if (x + size.width() > work_area.left() + work_area.width()) {
    x = work_area.left() + work_area.width() - size.width();
  }
  if (x < work_area.left()) x = work_area.left();
  if (y + size.height() > work_area.top() + work_area.height()) {
    y = work_area.top() + work_area.height() - size.height();
  }
  if (y < work_area.top()) y = work_area.top();
  return {x, y};
}

QString CountdownText(int seconds, const std::string& language) {
  return QStringLiteral("%1 %2 %3")
      .arg(QString::fromUtf8(Pick(kCountdownHead, language)))
      .arg(seconds)
      .arg(QString::fromUtf8(Pick(kCountdownTail, language)));
}

CDateAccessWnd::CDateAccessWnd(const SkinArchive& skins, int anchor_x, int anchor_y, bool countdown,
                               const std::string& language, QWidget* owner)
    : SkinDialog(skins, "WaitWnd.ui", owner, 0), anchor_(anchor_x, anchor_y), language_(language) {
  setObjectName("DataAccessWnd");
  if (!countdown && (language == "chi" || language == "eng")) {
    hint_markup_ = QString::fromUtf8(Pick(kFixedHint, language));
    SetMarkupText(FindControl<QLabel>(this, kHint), hint_markup_);
  }
}

void CDateAccessWnd::showEvent(QShowEvent* event) {
  SkinDialog::showEvent(event);
  const QScreen* shown_on = screen();
  const QRect work = shown_on != nullptr ? shown_on->availableGeometry() : QRect(0, 0, 1024, 768);
  const QRect reference = parentWidget() != nullptr ? parentWidget()->frameGeometry() : work;
  move(PlaceWaitWindow(frameGeometry().size(), work, reference, anchor_));
}

void CDateAccessWnd::StartCountdown(int interval_ms, int seconds) {
  remaining_ = seconds;
  timers().SetTimer(kCountdownTimer, interval_ms);
}

QString CDateAccessWnd::HintText() const { return hint_markup_; }

void CDateAccessWnd::OnTimer(int id) {
  if (id != kCountdownTimer) return;
  hint_markup_ = CountdownText(remaining_, language_);
  SetMarkupText(FindControl<QLabel>(this, kHint), hint_markup_);
  emit hintChanged(hint_markup_);
  if (remaining_ <= 0) {
    timers().KillTimer(kCountdownTimer);
    accept();
    return;
  }
  --remaining_;
}

void CDateAccessWnd::Notify(const Notification& n) {
  if (n.Is(kClick, "LabelUI1")) {
    timers().KillTimer(kCountdownTimer);
    accept();
  }
}

}  // namespace vidodez::gui
