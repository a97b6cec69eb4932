#pragma once
// The printer selector that five pages carry: the list of printers, the
// chosen printer's model and its live status. All copies share one
// selector state, so the position chosen on one page is chosen on all.

#include <QColor>
#include <QString>
#include <QWidget>
#include <string>

#include "core/link/printer_comm.h"
#include "core/link/selector_state.h"
#include "core/platform/usb_printing.h"
#include "gui/window/notifier.h"

namespace vidodez::gui {

class RefreshTimer;

inline constexpr QRgb kReadyColour = 0xFF49C2EA;
inline constexpr QRgb kNotReadyColour = 0xFFC8102E;
inline constexpr int kDefaultDropWidth = 81;
inline constexpr int kDefaultDropHeight = 80;
inline constexpr int kNoStatusShown = -1;

class PortSelector {
 public:
  // `device_prefix` names the combo, icon, bar and button ("AdvPC", "FM");
  // `label_prefix` the labels ("Adv", "FM").
  PortSelector(QWidget* root, QString device_prefix, QString label_prefix);

  void Init(platform::UsbPrintingClass& usb, CPrinterComm& comm, SelectorState& state);
  // One refresh: printers listed again, remembered entry chosen, its status
  // read (which also sets the program-wide last status index) and shown.
  void Refresh(platform::UsbPrintingClass& usb, CPrinterComm& comm, SelectorState& state);
  // True when the notification was the selector's own.
  bool Handle(const Notification& n, SelectorState& state, RefreshTimer& timer);
  // Part of its page's text routine, in "chi" or "eng".
  void SetTexts(const std::string& language);

  // The display name the pages open: the entry at the remembered position.
  const std::string& selected_name() const { return selected_name_; }
  int drop_width() const;

 private:
  void Fill(const std::vector<std::string>& names, int remembered);
  void Show(const std::string& language, int status);

  QWidget* root_;
  QString device_prefix_;
  QString label_prefix_;
  std::vector<std::string> names_;
  std::string selected_name_;
  std::string connected_text_;
  std::string unconnected_text_;
  std::string no_printer_text_;
  int shown_status_ = kNoStatusShown;
};

}  // namespace vidodez::gui
