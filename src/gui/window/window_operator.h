#pragma once
// The window's side of the Operator: the program's message box, the file
// dialogs and the wait window, through the dialog service.

#include <QWidget>
#include <functional>
#include <string>

#include "core/shell/operator.h"
#include "gui/window/dialog_service.h"

namespace vidodez::gui {

class SkinArchive;

class WindowOperator final : public Operator {
 public:
  // `language` gives the program's language at the moment a box is shown.
  WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* parent,
                 std::function<std::string()> language);

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override;

  void set_parent(QWidget* parent) { parent_ = parent; }

 private:
  DialogService& dialogs_;
  const SkinArchive& skins_;
  QWidget* parent_;
  std::function<std::string()> language_;
};

// "Settings files (*.ini)" from the choice's name and pattern.
QString FilterText(const FileChoice& choice);

}  // namespace vidodez::gui
