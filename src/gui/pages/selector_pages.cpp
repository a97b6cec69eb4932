#include "gui/pages/selector_pages.h"

#include "gui/window/controls.h"

namespace vidodez::gui {

SelectorPageUI::SelectorPageUI(PageContext& context, const SelectorPageInfo& info,
                               QString skin_file, QWidget* parent)
    : PageUI(context, std::move(skin_file), parent),
      info_(info),
      selector_(this, info.device_prefix, info.label_prefix) {}

void SelectorPageUI::Init() { selector_.Init(context_.usb, context_.comm, context_.selector); }

void SelectorPageUI::ShowTexts(const std::string& lang) {
  const QString prefix = info_.label_prefix;
  if (info_.caption.eng != nullptr) {
    SetControlTexts(this, "Label", prefix + "PageTitle", Pick(info_.caption, lang));
    SetControlTexts(this, "Label", prefix + "PageSummary", Pick(info_.summary, lang));
  }
  selector_.SetTexts(lang);
}

void SelectorPageUI::RefreshPage() {
  selector_.Refresh(context_.usb, context_.comm, context_.selector);
}

void SelectorPageUI::Notify(const Notification& notification) {
  (void)selector_.Handle(notification, context_.selector, context_.timer);
}
}  // namespace vidodez::gui
