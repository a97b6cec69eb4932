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

class PrinterConfigUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  PrinterConfigUI(PageContext& context, QWidget* parent);
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

class FileManagementUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FileManagementUI(PageContext& context, QWidget* parent);
  // The picture the conversion dialog saved last (empty: none).
  void SetChosenPicture(const QString& path) { chosen_picture_ = path; }
  const QString& chosen_picture() const { return chosen_picture_; }

 private:
  QString chosen_picture_;
};

}  // namespace vidodez::gui
