#include "gui/firmware/firmware_list_ui.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "gui/window/controls.h"
#include "gui/window/markup.h"

namespace vidodez::gui {
namespace {

constexpr int kWheelStep = 120;  // eighths of a degree in one step of a wheel
constexpr int kNameWidth = 300;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 27;

QString ExpanderMarkup(bool expanded) {
  return QStringLiteral("<i %1> <x %2>")
      .arg(expanded ? "list_icon_b.png" : "list_icon_a.png")
      .arg(CFirmwareListUI::kIndent);
}

// A name as it is on disk, whatever codes of the markup it holds.
QString NameText(const FirmwareListNode& node) {
  const QString lead = node.is_folder ? QString() : MarkupToRichText("<x 10> ");
  return lead + QString::fromStdString(node.text).toHtmlEscaped();
}

// The tool tip's lines as the system shows them.
QString TooltipLines(QString text) { return text.replace("\r\n", "\n"); }

}  // namespace

CFirmwareListUI::CFirmwareListUI(QWidget* parent)
    : QScrollArea(parent),
      content_(new QWidget),
      rows_layout_(new QVBoxLayout(content_)),
      timers_([this](int id) {
        if (id == kScrollTimer) Glide();
      }) {
  content_->setObjectName("FUFirmwareRows");
  rows_layout_->setContentsMargins(0, 0, 0, 0);
  rows_layout_->setSpacing(0);
  rows_layout_->addStretch(1);
  setWidget(content_);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CFirmwareListUI::SetRows(const std::vector<FirmwareListNode>& nodes, const RowTexts& texts) {
  // Out of the tree at once, so no lookup finds an old button; deleted
  // later, as its own click may be what asked for the new rows.
  for (Row& row : rows_) {
    row.frame->hide();
    row.frame->setParent(nullptr);
    row.frame->deleteLater();
  }
  rows_.clear();
  for (const FirmwareListNode& node : nodes) {
    auto* frame = new QFrame(content_);
    frame->setObjectName(QString::fromStdString("FirmwareRow_" + node.key));
    frame->setProperty("role", node.is_folder ? "firmwareFolderRow" : "firmwareRow");
    frame->installEventFilter(this);
    auto* line = new QHBoxLayout(frame);
    line->setContentsMargins(node.level * kIndent, 0, 0, 0);
    line->setSpacing(0);
    Row row{frame, nullptr};
    if (node.is_folder) {
      auto* expander = new QLabel(frame);
      expander->setObjectName("expander");
      // The row takes the click wherever it lands; a label that took the
      // press would keep the release from the row.
      expander->setAttribute(Qt::WA_TransparentForMouseEvents);
      row.expander = expander;
      line->addWidget(expander);
    }
    auto* name = new QLabel(frame);
    name->setObjectName("nickName");
    name->setProperty("role", "firmwareName");
    name->setTextFormat(Qt::RichText);
    name->setText(NameText(node));
    name->setContentsMargins(3, 5, 3, 5);
    name->setMinimumWidth(kNameWidth);
    name->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->addWidget(name, 1);
    if (!node.is_folder) {
      auto* cell = new QWidget(frame);
      auto* cell_layout = new QHBoxLayout(cell);
      cell_layout->setContentsMargins(3, 2, 3, 2);
      auto* button = new QPushButton(texts.button, cell);
      button->setObjectName(QString::fromStdString(node.button_name));
      button->setProperty("role", "listButton");
      button->setMinimumSize(kButtonWidth, kButtonHeight);
      button->setToolTip(TooltipLines(texts.tooltip ? texts.tooltip(node.tooltip) : QString()));
      cell_layout->addWidget(button);
      line->addWidget(cell);
    }
    rows_layout_->insertWidget(rows_layout_->count() - 1, frame);
    rows_.push_back(row);
    // The button's "click" reaches the page through the list's notifier.
    notifier_.Attach(frame);
  }
  ShowExpanded(nodes);
}

void CFirmwareListUI::ShowExpanded(const std::vector<FirmwareListNode>& nodes) {
  for (size_t i = 0; i < rows_.size() && i < nodes.size(); ++i) {
    if (rows_[i].expander != nullptr)
      SetMarkupText(rows_[i].expander, ExpanderMarkup(nodes[i].expanded));
    rows_[i].frame->setVisible(IsFirmwareRowShown(nodes, i));
  }
}

int CFirmwareListUI::RowIndexOf(const QWidget* control) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].frame == control) return static_cast<int>(i);
  return -1;
}

bool CFirmwareListUI::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    auto* frame = qobject_cast<QWidget*>(watched);
    if (mouse->button() == Qt::LeftButton && frame != nullptr && RowIndexOf(frame) >= 0 &&
        frame->rect().contains(mouse->position().toPoint())) {
      notifier_.Send(Notification{kItemClick, frame->objectName(), frame, {}});
      return true;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void CFirmwareListUI::wheelEvent(QWheelEvent* event) {
  wheel_rest_ += event->angleDelta().y();
  for (; wheel_rest_ >= kWheelStep; wheel_rest_ -= kWheelStep) scroll_.Wheel(true);
  for (; wheel_rest_ <= -kWheelStep; wheel_rest_ += kWheelStep) scroll_.Wheel(false);
  if (scroll_.running() && !timers_.IsRunning(kScrollTimer))
    timers_.SetTimer(kScrollTimer, kScrollTickMs);
  event->accept();
}

void CFirmwareListUI::Glide() {
  QScrollBar* bar = verticalScrollBar();
  const int move = scroll_.Tick(bar->value() <= bar->minimum(), bar->value() >= bar->maximum());
  bar->setValue(bar->value() - move);
  if (!scroll_.running()) timers_.KillTimer(kScrollTimer);
}

}  // namespace vidodez::gui
