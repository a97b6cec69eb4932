#pragma once
// The printer settings page.

#include "gui/pages/selector_pages.h"

namespace vidodez::gui {

class PrinterConfigUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  PrinterConfigUI(PageContext& context, QWidget* parent);
};

}  // namespace vidodez::gui
