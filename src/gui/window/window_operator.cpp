#include "gui/window/window_operator.h"

#include "gui/window/wait_window.h"

namespace vidodez::gui {

WindowOperator::WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* parent,
                               std::function<std::string()> language)
    : dialogs_(dialogs), skins_(skins), parent_(parent), language_(std::move(language)) {}

QString FilterText(const FileChoice& choice) {
  if (choice.pattern.empty()) return {};
  QString name = QString::fromStdString(choice.filter_name);
  QString pattern = QString::fromStdString(choice.pattern);
  // A name that already shows its pattern ("Settings (*.ini)") is not given it twice.
  return name.contains(pattern) ? name : name + " (" + pattern + ")";
}

void WindowOperator::Tell(const OperatorMessage& message) {
  dialogs_.MessageBox(parent_, QString::fromStdString(message.text), kProgramCaption, kBoxTypeOk,
                      language_());
}

bool WindowOperator::Confirm(const OperatorMessage& question) {
  return dialogs_.MessageBox(parent_, QString::fromStdString(question.text), kProgramCaption,
                             kBoxTypeOkCancel, language_()) == kBoxOk;
}

bool WindowOperator::ChooseFileToOpen(const FileChoice& choice, std::string* path) {
  QString chosen = dialogs_.OpenFile(parent_, QString::fromStdString(choice.title), FilterText(choice));
  if (chosen.isEmpty()) return false;
  *path = chosen.toStdString();
  return true;
}

bool WindowOperator::ChooseFileToSave(const FileChoice& choice, std::string* path) {
  QString chosen = dialogs_.SaveFile(parent_, QString::fromStdString(choice.title), FilterText(choice),
                                     QString());
  if (chosen.isEmpty()) return false;
  if (!choice.default_extension.empty() && !chosen.contains('.'))
    chosen += "." + QString::fromStdString(choice.default_extension);
  *path = chosen.toStdString();
  return true;
}

void WindowOperator::WaitWithCountdown(int seconds) {
  // The anchor is relative to the owner: the wait window adds the owner's
  // place on the screen itself.
  QPoint anchor = parent_ != nullptr ? parent_->rect().center() : QPoint();
  CDateAccessWnd wait(skins_, anchor.x(), anchor.y(), true, language_(), parent_);
  wait.StartCountdown(1000, seconds);
  wait.exec();
}

}  // namespace vidodez::gui
