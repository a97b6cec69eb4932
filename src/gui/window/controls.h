#pragma once
// Finding a skin's controls by name and kind, and setting their texts.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <span>
#include <string_view>

#include "core/shell/texts.h"

namespace vidodez::gui {

// A control the code names that the skin under `root` lacks (or holds as
// another kind): logged as a warning, so a skin author hears of it, and
// failed by the test that walks every window's lookups.
void NoteMissingControl(const QWidget* root, const QString& name, const char* kind);

// The control `name` of kind `T` under `root` (`root` itself included);
// null, and noted, when the skin has none.
template <typename T>
T* FindControl(QWidget* root, const QString& name) {
  if (root == nullptr) return nullptr;
  if (root->objectName() == name) {
    if (auto* self = qobject_cast<T*>(root)) return self;
  }
  T* found = root->findChild<T*>(name);
  if (found == nullptr) NoteMissingControl(root, name, T::staticMetaObject.className());
  return found;
}

// Sets a label's text, turning the program's inline markup into rich text.
void SetMarkupText(QWidget* label, const QString& markup);

// Sets the text (when `text` is not null) and, with `with_tool_tip`, the tool
// tip of the control `name` of `kind`: "Label", "Button", "Option", "Edit",
// "Combo", "Text" or "RichEdit". Other kinds and missing controls are skipped.
void SetControlTexts(QWidget* root, const char* kind, const QString& name, const char* text,
                     const char* tool_tip = nullptr, bool with_tool_tip = false);

// The text routines change texts only for "chi" and "eng"; any other code
// (an unreadable "Sys.ini") leaves the skins' own texts.
bool HasTexts(std::string_view language);

// One control's text and tool tip in both languages, as a text routine sets
// them. A null text keeps the control's text; a null tool tip in both
// languages sets none (in one language only: an empty one in the other).
struct ControlText {
  const char* kind;  // as SetControlTexts takes it
  const char* name;
  Text text;
  Text tool_tip = {nullptr, nullptr};
};

// Sets every control of `texts` in `language`, when it HasTexts.
void SetControlTexts(QWidget* root, std::span<const ControlText> texts, std::string_view language);

// The texts of a table in the language, as a list's entries.
QStringList TextItems(std::span<const Text> texts, std::string_view language);

// Sets a combo's entries, keeping `selected` chosen (when in range) without
// raising "itemselect".
void SetComboItems(QWidget* root, const QString& name, const QStringList& items, int selected);

}  // namespace vidodez::gui
