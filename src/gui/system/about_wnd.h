#pragma once
// The About window: version, rights and the maker's contact lines.

#include <string>

#include "gui/window/dialog_service.h"
#include "gui/window/skin_dialog.h"

namespace vidodez::gui {

class CAboutWnd final : public SkinDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 511;
  static constexpr int kHeight = 371;

  CAboutWnd(const SkinArchive& skins, DialogService& dialogs, const std::string& language,
            QWidget* owner);

 protected:
  void Notify(const Notification& notification) override;

 private:
  DialogService& dialogs_;
};

}  // namespace vidodez::gui
