#pragma once
// What window tests share: the built skins, a scripted dialog service, a
// private simulated bus, and a main frame built over them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/frame/dialog_frame_wnd.h"
#include "gui/system/program_settings.h"
#include "gui/window/controls.h"
#include "gui/window/dialog_service.h"
#include "gui/window/skin_archive.h"
#include "gui/window/skin_loader.h"
#include "support/counting_usb.h"
#include "support/gui_events.h"
#include "support/scoped_env.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"
#include "support/user_click.h"

namespace vidodez::test {

const gui::SkinArchive& BuiltSkins();

// The control of `page` with that name; the test fails when there is none.
template <typename T>
T* ExpectControl(QWidget* page, const char* name) {
  T* control = gui::FindControl<T>(page, name);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

struct FrameRig {
  // The frame's start finished at once, as after its first paint, unless
  // the test watches the start itself.
  explicit FrameRig(const std::string& locale = "en_US", bool finish_start = true);
  gui::CDialogFrameWnd& frame() { return *frame_; }
  // Clicks a control of the frame by name, as the operator would.
  void Click(const QString& name);
  // A simulated printer on USB port 1 that reports READY.
  sim::SimPrinter& AddReadyPrinter();
  // Images and a command file in the rig's firmware folder, one subfolder
  // among them, as a maker's installation brings them.
  void AddSampleFirmware();
  // Runs `look` every 20 ms while a transfer holds the port, until
  // transfer_watch is stopped.
  void WhileTransferring(std::function<void()> look);
  // A printer on USB port 1 that reports READY and takes `rate` bytes a
  // second (0: at once), with the frame shown on the page of tab `tab`.
  sim::SimPrinter& ShowWithPrinter(const QString& tab, std::uint64_t rate = 0);
  // What the window showed while a transfer ran.
  struct TransferSeen {
    int looks = 0;     // looks taken while the transfer held the port
    bool held = true;  // every held control was disabled at every look
    int between = 0;   // looks at which the bar was shown between 0 and full
    QString progress;  // the bar's last text while it was shown
  };
  // Clicks `button` and looks every 20 ms at `bar` and `held` while the
  // transfer it starts runs, running `more` at each look as well.
  TransferSeen ClickAndWatch(const QString& button, QProgressBar* bar,
                             const std::vector<QWidget*>& held,
                             const std::function<void()>& more = {});
  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> Shown() const;

  // The user's firmware folder while the rig lives: the window never lists
  // the real one.
  TempDir firmware;
  ScopedEnv firmware_env{"VIDODEZ_FIRMWARE_DIR", firmware.path().c_str()};
  SimBus bus;
  CountingUsb usb{bus.usb()};
  gui::ScriptedDialogService dialogs;
  gui::SessionSettings settings;
  std::vector<std::string> routines;  // "refresh:2", "texts:6", ...
  std::unique_ptr<gui::CDialogFrameWnd> frame_;
  QTimer transfer_watch;
};

// Finds a window's controls by name and works them as the operator does.
class ControlDriver {
 public:
  virtual ~ControlDriver() = default;

  template <typename T>
  T* Control(const char* name) {
    return ExpectControl<T>(driven(), name);
  }
  void Click(const char* name) { UserClick(Control<QAbstractButton>(name)); }
  bool Checked(const char* name) { return Control<QAbstractButton>(name)->isChecked(); }
  bool Enabled(const char* name) { return Control<QWidget>(name)->isEnabled(); }
  QString Text(const char* name) { return Control<QLineEdit>(name)->text(); }
  // Picks a list entry as the operator's choice does.
  void Choose(const char* combo_name, int index) {
    auto* combo = Control<QComboBox>(combo_name);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  // Types one key at a time over what was there.
  void Type(const char* name, const QString& text);
  // Pastes a whole text at once, as one change of the box.
  void Paste(const char* name, const QString& text) {
    auto* edit = Control<QLineEdit>(name);
    edit->setText(text);
    emit edit->textEdited(text);
  }

 protected:
  // The window whose controls are driven.
  virtual QWidget* driven() = 0;
};

// A page of the frame worked through its controls, with a ready printer
// chosen in the page's selector by Printer().
template <typename Page, int kCode>
class PageTest : public ::testing::Test, public ControlDriver {
 protected:
  explicit PageTest(const char* tab) : tab_(tab) {}
  QWidget* driven() override { return page(); }
  Page* page() { return dynamic_cast<Page*>(rig_.frame().page(kCode)); }
  sim::SimPrinter& Printer(sim::PrinterOptions options = PrinterOnPort(1)) {
    options.status = 0;
    auto& printer = rig_.bus.AddPrinter(std::move(options));
    rig_.Click(tab_);
    rig_.frame().RefreshShownPage();
    return printer;
  }
  std::vector<std::string> Shown() const { return rig_.Shown(); }
  void SetLanguage(const char* language) {
    rig_.frame().comm().set_language(language);
    page()->SetTexts();
  }

  FrameRig rig_;

 private:
  const char* tab_;
};

}  // namespace vidodez::test
