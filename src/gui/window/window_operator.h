#pragma once
// The window's side of the Operator: the program's message box, the file
// dialogs and the wait window, through the dialog service.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "core/shell/operator.h"
#include "gui/window/dialog_service.h"

namespace vidodez::gui {

class SkinArchive;

class WindowOperator final : public Operator {
 public:
  // Boxes and dialogs show over the window `anchor` is in at that moment
  // (a page's is the main frame); `language` gives the program's language
  // at the moment a box is shown.
  WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* anchor,
                 std::function<std::string()> language);

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override;

  // For an operator made before its window.
  void set_anchor(QWidget* anchor) { anchor_ = anchor; }
  // The countdown stands over `control` (its centre, 43 px below its top
  // edge) rather than over the window's centre.
  void set_countdown_anchor(QWidget* control) { countdown_anchor_ = control; }

 private:
  QWidget* Parent() const;

  DialogService& dialogs_;
  const SkinArchive& skins_;
  QWidget* anchor_;
  QPointer<QWidget> countdown_anchor_;
  std::function<std::string()> language_;
};

// "Settings files (*.ini)" from the choice's name and pattern.
QString FilterText(const FileChoice& choice);

}  // namespace vidodez::gui
