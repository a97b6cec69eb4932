#pragma once
// CFirmwareListUI ("FirmwareList" in the skin): the firmware list as a tree.
// A folder row shows an expander icon and opens or closes its files; a file
// row has an "Upgrade" button named by the row's button name. Rows report
// "itemclick" (the row) and "click" (its button) to the page's handler.
// The wheel makes the list glide rather than jump.

#include <QScrollArea>
#include <QString>
#include <functional>
#include <vector>

#include "core/firmware/firmware_list.h"
#include "core/firmware/firmware_list_scroll.h"
#include "gui/window/notifier.h"
#include "gui/window/timer_set.h"

class QVBoxLayout;

namespace vidodez::gui {

class CFirmwareListUI final : public QScrollArea {
  Q_OBJECT
 public:
  // How far each level of the tree is indented, and the space after an
  // expander icon.
  static constexpr int kIndent = 20;
  static constexpr int kScrollTimer = 10;
  static constexpr int kScrollTickMs = 50;

  explicit CFirmwareListUI(QWidget* parent = nullptr);

  void SetNotifyHandler(NotifyHandler handler) { notifier_.SetHandler(std::move(handler)); }

  struct RowTexts {
    QString button;  // "Upgrade" in the page's language
    std::function<QString(FirmwareTooltip)> tooltip;
  };
  // Replaces every row by the rows of `nodes`.
  void SetRows(const std::vector<FirmwareListNode>& nodes, const RowTexts& texts);
  // Shows each row as its folder's state says, with the folders' icons.
  void ShowExpanded(const std::vector<FirmwareListNode>& nodes);
  // The index of the row `control` is, or -1 for anything else.
  int RowIndexOf(const QWidget* control) const;
  int row_count() const { return static_cast<int>(rows_.size()); }
  bool gliding() const { return scroll_.running(); }

 protected:
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QWidget* frame = nullptr;
    QWidget* expander = nullptr;  // folder rows only
  };
  void Glide();

  QWidget* content_;
  QVBoxLayout* rows_layout_;
  std::vector<Row> rows_;
  Notifier notifier_;
  ListWheelScroll scroll_;
  int wheel_rest_ = 0;  // a fine wheel's eighths of a degree short of a step
  TimerSet timers_;
};

}  // namespace vidodez::gui
