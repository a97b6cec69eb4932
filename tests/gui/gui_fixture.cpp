#include "gui_fixture.h"

#include <gtest/gtest.h>

namespace vidodez::test {

const gui::SkinArchive& BuiltSkins() {
  static const gui::SkinArchive skins(VIDODEZ_TEST_PROGRAM_FOLDER);
  static const gui::SkinResources resources(skins);
  return skins;
}

FrameRig::FrameRig(const std::string& locale, bool finish_start) : settings(locale) {
  gui::FrameContext context{BuiltSkins(), dialogs, usb, settings, VIDODEZ_TEST_PROGRAM_FOLDER,
                            [this](const char* routine, int code) {
                              routines.push_back(std::string(routine) + ":" +
                                                 std::to_string(code));
                            }};
  frame_ = std::make_unique<gui::CDialogFrameWnd>(std::move(context));
  if (finish_start) frame_->FinishStart();
}

void FrameRig::Click(const QString& name) {
  auto* button = gui::FindControl<QAbstractButton>(frame_.get(), name);
  ASSERT_NE(button, nullptr) << name.toStdString();
  button->click();
}

sim::SimPrinter& FrameRig::AddReadyPrinter() {
  sim::PrinterOptions options = PrinterOnPort(1);
  options.status = 0;
  return bus.AddPrinter(std::move(options));
}

}  // namespace vidodez::test
