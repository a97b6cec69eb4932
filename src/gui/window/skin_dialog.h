#pragma once
// A frameless modal or modeless window built from one skin, with its caption
// drag, its notifications and its timers: the base of the program's small
// windows (message box, wait window, About).

#include <QDialog>
#include <string>

#include "gui/window/notifier.h"
#include "gui/window/skin_archive.h"
#include "gui/window/timer_set.h"

namespace vidodez::gui {

class SkinDialog : public QDialog {
  Q_OBJECT
 public:
  SkinDialog(const SkinArchive& skins, const QString& skin_file, QWidget* owner,
             int caption_height);

  bool skin_built() const { return skin_built_; }
  QWidget* root() { return this; }

 protected:
  virtual void Notify(const Notification& notification) = 0;
  virtual void OnTimer(int /*id*/) {}
  void showEvent(QShowEvent* event) override;

  TimerSet& timers() { return timers_; }
  Notifier& notifier() { return notifier_; }

 private:
  Notifier notifier_;
  TimerSet timers_;
  bool skin_built_ = false;
  bool window_init_sent_ = false;
};

}  // namespace vidodez::gui
