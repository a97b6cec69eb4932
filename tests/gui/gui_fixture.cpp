#include "gui_fixture.h"

#include <QTest>

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

std::vector<std::string> FrameRig::Shown() const {
  std::vector<std::string> shown;
  for (const auto& box : dialogs.shown()) shown.push_back(box.text.toStdString());
  return shown;
}

void ControlDriver::Type(const char* name, const QString& text) {
  auto* edit = Control<QLineEdit>(name);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

}  // namespace vidodez::test
