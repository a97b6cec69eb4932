#pragma once
// Finding a skin's controls by name and kind, and setting their texts.

#include <QString>
#include <QWidget>

namespace vidodez::gui {

template <typename T>
T* FindControl(QWidget* root, const QString& name) {
  if (root == nullptr) return nullptr;
  if (root->objectName() == name) {
    if (auto* self = qobject_cast<T*>(root)) return self;
  }
  return root->findChild<T*>(name);
}

// Sets a label's text, turning the program's inline markup into rich text.
void SetMarkupText(QWidget* label, const QString& markup);

// Sets the text (when `text` is not null) and, with `with_tool_tip`, the tool
// tip of the control `name` of `kind`: "Label", "Button", "Option", "Edit",
// "Combo", "Text" or "RichEdit". Other kinds and missing controls are skipped.
void SetControlTexts(QWidget* root, const char* kind, const QString& name, const char* text,
                     const char* tool_tip = nullptr, bool with_tool_tip = false);

// Sets a combo's entries, keeping `selected` chosen (when in range) without
// raising "itemselect".
void SetComboItems(QWidget* root, const QString& name, const QStringList& items, int selected);

}  // namespace vidodez::gui
