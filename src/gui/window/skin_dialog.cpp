#include "gui/window/skin_dialog.h"

#include "gui/window/caption_dragger.h"
#include "gui/window/skin_loader.h"

namespace vidodez::gui {

SkinDialog::SkinDialog(const SkinArchive& skins, const QString& skin_file, QWidget* owner,
                       int caption_height)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      notifier_(this),
      timers_([this](int id) { OnTimer(id); }) {
  skin_built_ = BuildSkin(skins, skin_file, this);
  notifier_.SetHandler([this](const Notification& n) { Notify(n); });
  notifier_.Attach(this);
  new CaptionDragger(this, caption_height, 0);
}

void SkinDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!window_init_sent_) {
    window_init_sent_ = true;
    notifier_.Send(Notification{kWindowInit, objectName(), nullptr, {}});
  }
}

}  // namespace vidodez::gui
