#include "gui_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/firmware_image.h"

namespace vidodez::test {

const gui::SkinArchive& BuiltSkins() {
  static const gui::SkinArchive skins(VIDODEZ_TEST_PROGRAM_FOLDER);
  static const gui::SkinResources resources(skins);
  return skins;
}

FrameRig::FrameRig(const std::string& locale, bool finish_start) : settings(locale) {
  gui::FrameContext context{BuiltSkins(),
                            dialogs,
                            usb,
                            settings,
                            VIDODEZ_TEST_PROGRAM_FOLDER,
                            [this](const char* routine, int code) {
                              routines.push_back(std::string(routine) + ":" + std::to_string(code));
                            }};
  frame_ = std::make_unique<gui::CDialogFrameWnd>(std::move(context));
  if (finish_start) frame_->FinishStart();
}

void FrameRig::Click(const QString& name) {
  auto* button = gui::FindControl<QAbstractButton>(frame_.get(), name);
  ASSERT_NE(button, nullptr) << name.toStdString();
  UserClick(button);
}

sim::SimPrinter& FrameRig::AddReadyPrinter() {
  sim::PrinterOptions options = PrinterOnPort(1);
  options.status = 0;
  return bus.AddPrinter(std::move(options));
}

void FrameRig::AddSampleFirmware() {
  auto image = [](const char* version) { return FirmwareImage(version, std::string(4096, 'Z')); };
  std::filesystem::create_directory(firmware.File("VT-4100"));
  WriteFileBytes(firmware.File("VT-4100/P152.bin"), image("1.52"));
  WriteFileBytes(firmware.File("VT-4100/P160.bin"), image("1.60"));
  WriteFileBytes(firmware.File("P161.bin"), image("1.61"));
  WriteFileBytes(firmware.File("FactoryDefaults.txt"), "^XA^JUF^XZ\r\n");
}

void FrameRig::WhileTransferring(std::function<void()> look) {
  transfer_watch.disconnect();
  QObject::connect(&transfer_watch, &QTimer::timeout, [this, look = std::move(look)] {
    if (frame_->transfers().busy()) look();
  });
  transfer_watch.start(20);
}

sim::SimPrinter& FrameRig::ShowWithPrinter(const QString& tab, std::uint64_t rate) {
  sim::PrinterOptions options = PrinterOnPort(1);
  options.status = 0;
  options.write_rate = rate;
  auto& printer = bus.AddPrinter(std::move(options));
  frame_->show();
  Click(tab);
  frame_->RefreshShownPage();
  return printer;
}

FrameRig::TransferSeen FrameRig::ClickAndWatch(const QString& button, QProgressBar* bar,
                                               const std::vector<QWidget*>& held,
                                               const std::function<void()>& more) {
  TransferSeen seen;
  WhileTransferring([&] {
    ++seen.looks;
    for (QWidget* control : held) seen.held = seen.held && !control->isEnabled();
    if (bar != nullptr && bar->isVisible()) {
      if (bar->value() > bar->minimum() && bar->value() < bar->maximum()) ++seen.between;
      seen.progress = bar->format();
    }
    if (more) more();
  });
  Click(button);
  transfer_watch.stop();
  transfer_watch.disconnect();  // the look refers to this frame's locals
  return seen;
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
  TypeKey(edit, Qt::Key_Backspace);
  TypeText(edit, text);
}

}  // namespace vidodez::test
