#pragma once
// The firmware page: the printer's firmware version and ID, and the list of
// firmware images and command files with an "Upgrade" button each. Every
// rule lives in the FirmwareUpgradePage model; the page moves its controls
// to and from the model.

#include <QString>
#include <QStringList>
#include <string>

#include "core/firmware/firmware_page.h"
#include "gui/pages/selector_pages.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class CFirmwareListUI;

class FirmwareUpgradeUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  // The firmware folders are those of `program_folder`.
  FirmwareUpgradeUI(PageContext& context, std::string program_folder, QString skin_file,
                    QWidget* parent);

  void Init() override;
  void ShowTexts(const std::string& language) override;
  void RefreshPage() override;
  void Notify(const Notification& notification) override;

  const FirmwareUpgradePage& model() const { return model_; }
  CFirmwareListUI* list() const { return list_; }

 protected:
  QWidget* CreateSkinWidget(const QString& class_name, QWidget* parent) override;

 private:
  // The folders listed again, new images stamped, and the rows shown.
  void RebuildList();
  void Load();
  void GetInfo();
  // An upgrade on a worker while the window shows its progress.
  void Upgrade(const QString& button_name);
  // The page's buttons, none of which may start while an upload runs.
  QStringList HeldDuringUpload() const;
  // How the last upload ended, while the printer it went to is chosen.
  void ShowUploadEnd();

  std::string program_folder_;
  FirmwareUpgradePage model_;
  WindowOperator operator_;
  CFirmwareListUI* list_ = nullptr;
  bool uploading_ = false;
  bool list_stale_ = false;  // the texts were set during an upload
  // The cause of a broken upload, kept for the other language.
  int upload_error_ = 0;
  std::string upload_device_;
  std::string upload_printer_;  // the display name the last upload went to
};

}  // namespace vidodez::gui
