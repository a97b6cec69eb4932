#pragma once
// The five pages that carry a printer selector. Each page's own controls
// arrive with its model; what they share (the selector, the caption, the
// refresh) lives here once.

#include "core/shell/texts.h"
#include "gui/pages/page_ui.h"
#include "gui/pages/port_selector.h"

namespace vidodez::gui {

struct SelectorPageInfo {
  const char* skin_file;
  const char* device_prefix;
  const char* label_prefix;
  Text caption;
  Text summary;
};

class SelectorPageUI : public PageUI {
  Q_OBJECT
 public:
  SelectorPageUI(PageContext& context, const SelectorPageInfo& info, QWidget* parent);

  void Init() override;
  void SetTexts() override;
  void RefreshPage() override;
  void Notify(const Notification& notification) override;

  PortSelector& selector() { return selector_; }

 private:
  const SelectorPageInfo& info_;
  PortSelector selector_;
};

class PrinterNicUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  PrinterNicUI(PageContext& context, QWidget* parent);
};

class FontDownloadUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FontDownloadUI(PageContext& context, QWidget* parent);
};

class FirmwareUpgradeUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FirmwareUpgradeUI(PageContext& context, QWidget* parent);
};

}  // namespace vidodez::gui
