#include "gui/window/window_operator.h"

#include "gui/window/wait_window.h"

namespace vidodez::gui {

WindowOperator::WindowOperator(DialogService& dialogs, const SkinArchive& skins, QWidget* anchor,
                               std::function<std::string()> language)
    : dialogs_(dialogs), skins_(skins), anchor_(anchor), language_(std::move(language)) {}

WindowOperator::~WindowOperator() = default;

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
  QString chosen =
      dialogs_.OpenFile(Parent(), QString::fromStdString(choice.title), FilterText(choice));
  if (chosen.isEmpty()) return false;
  *path = chosen.toStdString();
  return true;
}

bool WindowOperator::ChooseFileToSave(const FileChoice& choice, std::string* path) {
  QString chosen =
      dialogs_.SaveFile(Parent(), QString::fromStdString(choice.title), FilterText(choice),
                        QString::fromStdString(choice.suggested_path));
  if (chosen.isEmpty()) return false;
  if (!choice.default_extension.empty() && !chosen.contains('.'))
    chosen += "." + QString::fromStdString(choice.default_extension);
  *path = chosen.toStdString();
  return true;
}

namespace {

// Where a wait window stands, relative to its owner: over the centre of
// `control`, `below_top` pixels below its top edge, or over the owner's
// centre without one. The wait window adds the owner's place on the screen
// itself.
QPoint WaitAnchor(QWidget* owner, QWidget* control, int below_top) {
  if (owner == nullptr) return {};
  if (control == nullptr) return owner->rect().center();
  return control->mapTo(owner, QPoint(control->width() / 2, below_top));
}

}  // namespace

void WindowOperator::WaitWithCountdown(int seconds) {
  QWidget* parent = Parent();
  QWidget* control =
      countdown_anchor_ && countdown_anchor_->isVisible() ? countdown_anchor_.data() : nullptr;
  constexpr int kBelowTop = 43;
  const QPoint anchor = WaitAnchor(parent, control, kBelowTop);
  CDateAccessWnd wait(skins_, anchor.x(), anchor.y(), true, language_(), parent);
  wait.StartCountdown(1000, seconds);
  wait.exec();
}

void WindowOperator::BeginWait() {
  QWidget* parent = Parent();
  QWidget* control =
      wait_anchor_ != nullptr && wait_anchor_->window() == parent ? wait_anchor_.data() : nullptr;
  const QPoint anchor = WaitAnchor(parent, control, 0);
  wait_ =
      std::make_unique<CDateAccessWnd>(skins_, anchor.x(), anchor.y(), false, language_(), parent);
  wait_->show();
}

void WindowOperator::EndWait() {
  if (wait_ == nullptr) return;
  wait_->close();
  wait_.reset();
}

}  // namespace vidodez::gui
