#pragma once
// The "please wait" window: a fixed hint while a long job runs, or a seconds
// countdown that closes the window after it has shown 0.

#include <QRect>
#include <string>

#include "gui/window/skin_dialog.h"

namespace vidodez::gui {

// Top-left corner for a window of `size` anchored at `anchor` (relative to
// `reference`): centred above the anchor, then pulled inside `work_area`.
QPoint PlaceWaitWindow(QSize size, QRect work_area, QRect reference, QPoint anchor);

// The countdown hint for `seconds` in the language.
QString CountdownText(int seconds, const std::string& language);

class CDateAccessWnd final : public SkinDialog {
  Q_OBJECT
 public:
  static constexpr int kCountdownTimer = 2;

  CDateAccessWnd(const SkinArchive& skins, int anchor_x, int anchor_y, bool countdown,
                 const std::string& language, QWidget* owner);

  void StartCountdown(int interval_ms, int seconds);
  QString HintText() const;
  int remaining_seconds() const { return remaining_; }

 signals:
  // Every hint the countdown shows, in order.
  void hintChanged(const QString& markup);

 protected:
  void Notify(const Notification& notification) override;
  void OnTimer(int id) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPoint anchor_;
  std::string language_;
  int remaining_ = 0;
  QString hint_markup_;
};

}  // namespace vidodez::gui
