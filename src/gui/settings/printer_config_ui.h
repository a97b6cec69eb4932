#pragma once
// The printer settings page: the tear, cut and peel modes, the printer's
// settings, the maintenance actions and the settings files. Every rule lives
// in the SettingsPage model; the page moves its controls to and from it.

#include "core/config/settings_page.h"
#include "gui/pages/selector_pages.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class PrinterConfigUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  PrinterConfigUI(PageContext& context, QString skin_file, QWidget* parent);

  void Init() override;
  // Page shown: the numeric boxes follow the program's unit.
  void Start() override;
  void ShowTexts(const std::string& language) override;
  void RefreshPage() override;
  void Notify(const Notification& notification) override;

  const SettingsPage& model() const { return model_; }
  // The model list beside the program unless told otherwise.
  void SetModelListPath(const std::string& path) { model_.model_list_path = path; }

 private:
  // Controls to model, and back.
  void Store();
  void Load();
  // Every list's entries in the language, the model's choice selected.
  void FillLists();
  void ShowExtendedEnabled();
  // The boxes rewritten into the link's unit, when they are in another.
  void FollowUnit();
  void OpenGuide(const QString& button);
  // Store, run the model's operation, Load.
  void Run(int (SettingsPage::*operation)(CPrinterComm&, Operator&));
  bool HandleOption(const Notification& n);
  bool HandleList(const Notification& n);
  bool HandleEdit(const Notification& n);

  SettingsPage model_;
  WindowOperator operator_;
  // An operation is running (its wait window may be up).
  bool busy_ = false;
};

}  // namespace vidodez::gui
