#pragma once
// The window's side of the Operator: the program's message box, the file
// dialogs and the wait window, through the dialog service.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/shell/operator.h"
#include "gui/window/dialog_service.h"

namespace vidodez::gui {

class CDateAccessWnd;
class SkinArchive;

class WindowOperator final : public Operator {
 public:
  // Boxes and dialogs show over the window `anchor` is in at that moment
  // (a page's is the main frame); `language` gives the program's language
  // at the moment a box is shown.
  WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* anchor,
                 std::function<std::string()> language);
  ~WindowOperator() override;

  void Tell(const OperatorMessage& message) override;
  bool Confirm(const OperatorMessage& question) override;
  bool ChooseFileToOpen(const FileChoice& choice, std::string* path) override;
  bool ChooseFileToSave(const FileChoice& choice, std::string* path) override;
  void WaitWithCountdown(int seconds) override;
  // The wait window with its fixed hint, shown without holding anything.
  void BeginWait() override;
  void EndWait() override;

  // For an operator made before its window.
  void set_anchor(QWidget* anchor) { anchor_ = anchor; }
  // The countdown stands over `control` (its centre, 43 px below its top
  // edge) rather than over the window's centre.
  void set_countdown_anchor(QWidget* control) { countdown_anchor_ = control; }
  // The wait window stands above the top centre of `control` (by default
  // above the window's centre).
  void set_wait_anchor(QWidget* control) { wait_anchor_ = control; }
  CDateAccessWnd* wait_window() const { return wait_.get(); }

 private:
  QWidget* Parent() const;

  DialogService& dialogs_;
  const SkinArchive& skins_;
  QWidget* anchor_;
  QPointer<QWidget> countdown_anchor_;
  std::function<std::string()> language_;
  QPointer<QWidget> wait_anchor_;
  std::unique_ptr<CDateAccessWnd> wait_;
};

// "Settings files (*.ini)" from the choice's name and pattern.
QString FilterText(const FileChoice& choice);

}  // namespace vidodez::gui
