#include "gui/window/notifier.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "gui/window/skin_combo_box.h"

namespace vidodez::gui {

void Notifier::Send(const Notification& notification) {
  if (handler_) handler_(notification);
}

void Notifier::Attach(QWidget* root) {
  Hook(root);
  for (QWidget* child : root->findChildren<QWidget*>()) Hook(child);
}

void Notifier::Hook(QWidget* control) {
  const QString name = control->objectName();
  if (name.isEmpty() || name.startsWith("qt_")) return;
  if (control->property("vidodez_hooked").toBool()) return;
  control->setProperty("vidodez_hooked", true);
  QPointer<QWidget> who(control);
  auto send = [this, who, name](const char* type, const QString& link = {}) {
    Send(Notification{type, name, who, link});
  };
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    connect(button, &QAbstractButton::clicked, this, [send] { send(kClick); });
    if (button->isCheckable()) {
      // An option reports only being chosen; a check box reports both ways.
      const bool is_option = button->autoExclusive() || button->group() != nullptr;
      connect(button, &QAbstractButton::toggled, this, [send, is_option](bool on) {
        if (on || !is_option) send(kSelectChanged);
      });
    }
  } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
    connect(combo, &QComboBox::activated, this, [send] { send(kItemSelect); });
    if (auto* skin_combo = qobject_cast<SkinComboBox*>(control)) {
      connect(skin_combo, &SkinComboBox::droppedDown, this, [send] { send(kDropDown); });
      connect(skin_combo, &SkinComboBox::closedUp, this, [send] { send(kCloseUp); });
    }
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    connect(edit, &QLineEdit::textEdited, this, [send] { send(kTextChanged); });
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    connect(label, &QLabel::linkActivated, this,
            [send](const QString& link) { send(kLink, link); });
  } else if (auto* list = qobject_cast<QListWidget*>(control)) {
    connect(list, &QListWidget::itemClicked, this, [send] { send(kItemClick); });
    connect(list, &QListWidget::currentRowChanged, this, [send] { send(kItemSelect); });
  }
}

}  // namespace vidodez::gui
