#include "gui/window/binders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QSpinBox>

#include "gui/window/controls.h"

namespace vidodez::gui {

void Bindings::BindCheck(const QString& name, bool* value) {
  QPointer<QAbstractButton> box = FindControl<QAbstractButton>(root_, name);
  bindings_.push_back({[box, value] {
                         if (!box) return;
                         const QSignalBlocker quiet(box);
                         box->setChecked(*value);
                       },
                       [box, value] {
                         if (box) *value = box->isChecked();
                       }});
}

void Bindings::BindComboIndex(const QString& name, int* index) {
  QPointer<QComboBox> combo = FindControl<QComboBox>(root_, name);
  bindings_.push_back({[combo, index] {
                         if (!combo) return;
                         const QSignalBlocker quiet(combo);
                         combo->setCurrentIndex(*index < combo->count() ? *index : -1);
                       },
                       [combo, index] {
                         if (combo) *index = combo->currentIndex();
                       }});
}

void Bindings::BindLineEdit(const QString& name, std::string* text) {
  QPointer<QLineEdit> edit = FindControl<QLineEdit>(root_, name);
  bindings_.push_back({[edit, text] {
                         if (!edit) return;
                         const QSignalBlocker quiet(edit);
                         edit->setText(QString::fromStdString(*text));
                       },
                       [edit, text] {
                         if (edit) *text = edit->text().toStdString();
                       }});
}

void Bindings::BindSpin(const QString& name, int* number) {
  QPointer<QSpinBox> spin = FindControl<QSpinBox>(root_, name);
  bindings_.push_back({[spin, number] {
                         if (!spin) return;
                         const QSignalBlocker quiet(spin);
                         spin->setValue(*number);
                       },
                       [spin, number] {
                         if (spin) *number = spin->value();
                       }});
}

void Bindings::Load() const {
  for (const Binding& binding : bindings_) binding.load();
}

void Bindings::Store() const {
  for (const Binding& binding : bindings_) binding.store();
}

}  // namespace vidodez::gui
