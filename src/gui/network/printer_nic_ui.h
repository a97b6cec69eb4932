#pragma once
// The network page: the printer's wired addresses, the Wi-Fi module's
// settings, the Wi-Fi reset and the ping. Every rule lives in the
// NetworkPage model; the page moves its controls to and from it.

#include <QString>

#include "core/network/network_page.h"
#include "gui/pages/selector_pages.h"
#include "gui/window/binders.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class PrinterNicUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  PrinterNicUI(PageContext& context, QString skin_file, QWidget* parent);

  void Init() override;
  // The list update of every switch to the page.
  void Start() override;
  void ShowTexts(const std::string& language) override;
  void RefreshPage() override;
  void Notify(const Notification& notification) override;

  const NetworkPage& model() const { return model_; }

 signals:
  // Each line of a ping as it is shown.
  void pingLineShown(const QString& line);

 private:
  // Controls to model, and back.
  void Store();
  void Load();
  // The three lists' entries in the language, the model's positions chosen.
  void FillLists();
  // Store, run the model's operation, Load.
  void Run(int (NetworkPage::*operation)(CPrinterComm&, Operator&));
  void Ping();
  void ShowPingLine(const QString& line);
  bool HandleChoice(const Notification& n);
  bool HandleEdit(const Notification& n);

  NetworkPage model_;
  Bindings bindings_;
  WindowOperator operator_;
  QString ping_lines_;
  // An operation is running (a question or the wait window may be up).
  bool busy_ = false;
};

}  // namespace vidodez::gui
