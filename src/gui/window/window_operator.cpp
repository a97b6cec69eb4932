#include "gui/window/window_operator.h"

#include "gui/window/wait_window.h"

namespace vidodez::gui {

WindowOperator::WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* anchor,
                               std::function<std::string()> language)
    : dialogs_(dialogs), skins_(skins), anchor_(anchor), language_(std::move(language)) {}

QWidget* WindowOperator::Parent() const { return anchor_ != nullptr ? anchor_->window() : nullptr; }

QString FilterText(const FileChoice& choice) {
  if (choice.pattern.empty()) return {};
  QString name = QString::fromStdString(choice.filter_name);
  QString pattern = QString::fromStdString(choice.pattern);
  // A name that already shows its pattern ("Settings (*.ini)") is not given it twice.
  return name.contains(pattern) ? name : name + " (" + pattern + ")";
}

void WindowOperator::Tell(const OperatorMessage& message) {
  dialogs_.MessageBox(Parent(), QString::fromStdString(message.text), kProgramCaption, kBoxTypeOk,
                      language_());
}

bool WindowOperator::Confirm(const OperatorMessage& question) {
  return dialogs_.MessageBox(Parent(), QString::fromStdString(question.text), kProgramCaption,
                             kBoxTypeOkCancel, language_()) == kBoxOk;
}

bool WindowOperator::ChooseFileToOpen(const FileChoice& choice, std::string* path) {
  QString chosen = dialogs_.OpenFile(Parent(), QString::fromStdString(choice.title), FilterText(choice));
  if (chosen.isEmpty()) return false;
  *path = chosen.toStdString();
  return true;
}

bool WindowOperator::ChooseFileToSave(const FileChoice& choice, std::string* path) {
  QString chosen = dialogs_.SaveFile(Parent(), QString::fromStdString(choice.title), FilterText(choice),
                                     QString::fromStdString(choice.suggested_path));
  if (chosen.isEmpty()) return false;
  if (!choice.default_extension.empty() && !chosen.contains('.'))
    chosen += "." + QString::fromStdString(choice.default_extension);
  *path = chosen.toStdString();
  return true;
}

void WindowOperator::WaitWithCountdown(int seconds) {
  // The anchor is relative to the owner: the wait window adds the owner's
  // place on the screen itself.
  QWidget* parent = Parent();
  QPoint anchor = parent != nullptr ? parent->rect().center() : QPoint();
  if (countdown_anchor_ && parent != nullptr && countdown_anchor_->isVisible()) {
    constexpr int kBelowTop = 43;
    const QRect control = countdown_anchor_->rect();
    anchor = countdown_anchor_->mapTo(parent, QPoint(control.center().x(), control.top() + kBelowTop));
  }
  CDateAccessWnd wait(skins_, anchor.x(), anchor.y(), true, language_(), parent);
  wait.StartCountdown(1000, seconds);
  wait.exec();
}

}  // namespace vidodez::gui
