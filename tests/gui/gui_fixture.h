#pragma once
// What window tests share: the built skins, a scripted dialog service, a
// private simulated bus, and a main frame built over them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QString>
#include <QTimer>
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
#include "support/scoped_env.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

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

}  // namespace vidodez::test
