#pragma once
// What window tests share: the built skins, a scripted dialog service, a
// private simulated bus, and a main frame built over them.

#include <QAbstractButton>
#include <QApplication>
#include <QString>
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
#include "support/sim_bus.h"

namespace vidodez::test {

const gui::SkinArchive& BuiltSkins();

struct FrameRig {
  // The frame's start finished at once, as after its first paint, unless
  // the test watches the start itself.
  explicit FrameRig(const std::string& locale = "en_US", bool finish_start = true);
  gui::CDialogFrameWnd& frame() { return *frame_; }
  // Clicks a control of the frame by name, as the operator would.
  void Click(const QString& name);
  // A simulated printer on USB port 1 that reports READY.
  sim::SimPrinter& AddReadyPrinter();

  SimBus bus;
  CountingUsb usb{bus.usb()};
  gui::ScriptedDialogService dialogs;
  gui::SessionSettings settings;
  std::vector<std::string> routines;  // "refresh:2", "texts:6", ...
  std::unique_ptr<gui::CDialogFrameWnd> frame_;
};

}  // namespace vidodez::test
