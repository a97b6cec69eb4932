#pragma once
// The five pages that carry a printer selector. Each page's own controls
// arrive with its model; what they share (the selector, the caption, the
// refresh) lives here once.

#include "core/shell/texts.h"
#include "gui/pages/page_ui.h"
#include "gui/pages/port_selector.h"

namespace vidodez::gui {

struct SelectorPageInfo {
  const char* device_prefix;
  const char* label_prefix;
  // The title and summary of a page whose skin has them (PREFIXPageTitle,
  // PREFIXPageSummary); null for a page that lays out cards of its own.
  Text caption = {nullptr, nullptr};
  Text summary = {nullptr, nullptr};
};

class SelectorPageUI : public PageUI {
  Q_OBJECT
 public:
  SelectorPageUI(PageContext& context, const SelectorPageInfo& info, QString skin_file,
                 QWidget* parent);

  void Init() override;
  void ShowTexts(const std::string& language) override;
  void RefreshPage() override;
  void Notify(const Notification& notification) override;

  PortSelector& selector() { return selector_; }

 private:
  const SelectorPageInfo& info_;
  PortSelector selector_;
};

}  // namespace vidodez::gui
