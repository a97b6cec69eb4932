#include "gui/window/controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <cstring>

#include "core/shell/log.h"
#include "gui/window/markup.h"

namespace vidodez::gui {

void NoteMissingControl(const QWidget* root, const QString& name, const char* kind) {
  const QString where = root->window() != nullptr ? root->window()->objectName() : QString();
  Log(LogLevel::kWarning, (QStringLiteral("skin lacks control %1 (%2) in %3: %4")
                               .arg(name, QString::fromLatin1(kind), where, root->objectName()))
                              .toStdString());
}

void SetMarkupText(QWidget* widget, const QString& markup) {
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    // Most labels hold plain words; a rich-text label costs a document and
    // its layout, and the pages have dozens of labels.
    const bool plain = ReadsAsPlainText(markup);
    label->setTextFormat(plain ? Qt::PlainText : Qt::RichText);
    label->setText(plain ? markup : MarkupToRichText(markup));
  } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
    const QSignalBlocker quiet(rich);
    rich->setHtml(MarkupToRichText(markup));
  }
}

namespace {

QWidget* FindOfKind(QWidget* root, const char* kind, const QString& name) {
  if (std::strcmp(kind, "Label") == 0 || std::strcmp(kind, "Text") == 0) {
    return FindControl<QLabel>(root, name);
  }
  if (std::strcmp(kind, "Button") == 0 || std::strcmp(kind, "Option") == 0) {
    return FindControl<QAbstractButton>(root, name);
  }
  if (std::strcmp(kind, "Edit") == 0) return FindControl<QLineEdit>(root, name);
  if (std::strcmp(kind, "Combo") == 0) return FindControl<QComboBox>(root, name);
  if (std::strcmp(kind, "RichEdit") == 0) return FindControl<QTextEdit>(root, name);
  return nullptr;
}

}  // namespace

void SetControlTexts(QWidget* root, const char* kind, const QString& name, const char* text,
                     const char* tool_tip, bool with_tool_tip) {
  QWidget* control = FindOfKind(root, kind, name);
  if (control == nullptr) return;
  if (text != nullptr) {
    const QString value = QString::fromUtf8(text);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      const QSignalBlocker quiet(edit);
      edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      if (combo->isEditable()) {
        combo->setEditText(value);
      } else {
        combo->setPlaceholderText(value);
      }
    } else {
      SetMarkupText(control, value);
    }
  }
  if (with_tool_tip && tool_tip != nullptr) control->setToolTip(QString::fromUtf8(tool_tip));
}

bool HasTexts(std::string_view language) { return language == "chi" || language == "eng"; }

void SetControlTexts(QWidget* root, std::span<const ControlText> texts, std::string_view language) {
  if (!HasTexts(language)) return;
  for (const ControlText& t : texts) {
    const bool has_tip = t.tool_tip.eng != nullptr || t.tool_tip.chi != nullptr;
    const char* tip = has_tip ? Pick(t.tool_tip, language) : nullptr;
    SetControlTexts(root, t.kind, t.name, t.text.eng != nullptr ? Pick(t.text, language) : nullptr,
                    tip != nullptr ? tip : "", has_tip);
  }
}

QStringList TextItems(std::span<const Text> texts, std::string_view language) {
  QStringList items;
  for (const Text& text : texts) items << QString::fromUtf8(Pick(text, language));
  return items;
}

void SetComboItems(QWidget* root, const QString& name, const QStringList& items, int selected) {
  auto* combo = FindControl<QComboBox>(root, name);
  if (combo == nullptr) return;
  const QSignalBlocker quiet(combo);
  combo->clear();
  combo->addItems(items);
  if (selected >= 0 && selected < combo->count()) combo->setCurrentIndex(selected);
}

}  // namespace vidodez::gui
