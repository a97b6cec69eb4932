// The firmware page through its controls, against a simulated printer: the
// list as the window shows it (rows, buttons named by the model, tooltips,
// folders opening and closing, the wheel), the labels of "Get Info", and an
// upgrade from the list to the printer's new version.
#include "gui/firmware/firmware_upgrade_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QWheelEvent>
#include <chrono>

#include "gui/firmware/firmware_list_ui.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

constexpr char kUploadEnded[] =
    "The whole file was sent. Watch the printer's status and lamps until it is ready again.";

class FirmwarePageUi : public test::PageTest<FirmwareUpgradeUI, kPageFirmware> {
 protected:
  FirmwarePageUi() : PageTest("FirmwareUpgrade") {}
  // Shows the page, or with the page shown sets its texts again, as a
  // switch to it does.
  void Show() {
    if (rig_.frame().current_page_code() == kPageFirmware) page()->SetTexts();
    rig_.Click("FirmwareUpgrade");
    rig_.frame().RefreshShownPage();
  }
  QString Label(const char* name) { return Control<QLabel>(name)->text(); }
  // The rows the list shows, by their names.
  QStringList ShownRows() {
    QStringList shown;
    for (const FirmwareListNode& node : page()->model().rows) {
      const auto* row = Control<QWidget>(("FirmwareRow_" + node.key).c_str());
      if (row != nullptr && !row->isHidden()) shown << QString::fromStdString(node.relative_path);
    }
    return shown;
  }
  // Refreshes the page as the frame's timer does until the status shows.
  bool WaitForStatus(const char* status) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < give_up) {
      rig_.frame().RefreshShownPage();
      if (Label("FUPritnerIsConnect") == status) return true;
      test::RunEventsFor(20);
    }
    return false;
  }
};

// Every switch to the page lists the folder again and stamps what is new.
TEST_F(FirmwarePageUi, ListShowsFoldersClosedAndNamesEachButtonByItsRow) {
  Show();
  EXPECT_TRUE(ShownRows().isEmpty());
  rig_.AddSampleFirmware();
  rig_.Click("FileManagement");
  Show();
  EXPECT_EQ(ShownRows(), (QStringList{"VT-4100", "P161.bin", "FactoryDefaults.txt"}));
  EXPECT_NE(test::ReadFileBytes(rig_.firmware.File("VT-4100/P160.bin")).substr(16, 4),
            std::string(4, '\0'));
  // The rows follow a language switch (their texts are the page walk's).
  rig_.frame().comm().set_language("chi");
  page()->SetTexts();
  EXPECT_EQ(Control<QAbstractButton>("FirmareBtn_2")->text().toStdString(), "升级");
  // A click on the folder's name opens it, one on its expander closes it.
  auto in_folder_row = [this](const char* part) {
    auto* row = Control<QWidget>("FirmwareRow_1");
    return row != nullptr ? row->findChild<QWidget*>(part) : nullptr;
  };
  test::UserClick(in_folder_row("nickName"));
  EXPECT_EQ(ShownRows(), (QStringList{"VT-4100", "VT-4100/P152.bin", "VT-4100/P160.bin", "P161.bin",
                                      "FactoryDefaults.txt"}));
  EXPECT_NE(Control<QAbstractButton>("FirmareBtn_1_2"), nullptr);
  test::UserClick(in_folder_row("expander"));
  EXPECT_EQ(ShownRows().size(), 3);
  // A file row opens nothing.
  test::UserClick(Control<QWidget>("FirmwareRow_FirmareBtn_2"));
  EXPECT_EQ(ShownRows().size(), 3);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(FirmwarePageUi, TheWheelGlidesTheListDown) {
  for (int i = 0; i < 40; ++i)
    test::WriteFileBytes(rig_.firmware.File("F" + std::to_string(i) + ".txt"), "x");
  Show();
  rig_.frame().show();
  CFirmwareListUI* list = page()->list();
  ASSERT_NE(list, nullptr);
  QApplication::processEvents();
  QScrollBar* bar = list->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  QWheelEvent down(QPointF(10, 10), list->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(list->viewport(), &down);
  EXPECT_TRUE(list->gliding());
  test::RunEventsUntil([list] { return !list->gliding(); }, 30000);
  EXPECT_FALSE(list->gliding());
  EXPECT_EQ(bar->value(), 27);  // the glide of one step: 8 + 6 + 5 + 3 + 2 + 2 + 1
}

// What an operator does: reads the version, upgrades from the list, sees
// the printer update and complete, and reads the new version.
TEST_F(FirmwarePageUi, UpgradeFromTheListReachesTheNewVersion) {
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.upgrade_step = std::chrono::seconds(1);
  auto& printer = Printer(options);
  rig_.AddSampleFirmware();
  Show();
  rig_.Click("FUGetInfoBtn");
  EXPECT_EQ(Label("FUFirmwareVersionLabel"), "V1.52");
  EXPECT_EQ(Label("FUPartNumberLabel"), "VT41-0152");
  rig_.Click("FirmareBtn_2");  // P161.bin, answered OK
  EXPECT_EQ(Shown(), std::vector<std::string>{
                         "Please make sure the partnumber of the printer is:\"VT41-0152\" ?"});
  const std::string image = test::ReadFileBytes(rig_.firmware.File("P161.bin"));
  const std::string wire = printer.WireText();
  ASSERT_GE(wire.size(), image.size());
  EXPECT_TRUE(wire.substr(wire.size() - image.size()) == image);
  EXPECT_EQ(Label("FUTransferLabel"), kUploadEnded);
  EXPECT_TRUE(WaitForStatus("USBSTATUS UPDATING"));
  EXPECT_TRUE(WaitForStatus("UPGRADE COMPLETE"));
  EXPECT_TRUE(WaitForStatus("READY"));
  rig_.Click("FUGetInfoBtn");
  EXPECT_EQ(Label("FUFirmwareVersionLabel"), "V1.61");
  EXPECT_EQ(Shown().size(), 1u);
}

// Catches the end of an upload told under the list for whatever printer is
// chosen afterwards, and kept after the operator left the page.
TEST_F(FirmwarePageUi, UploadEndIsToldOnlyForItsPrinter) {
  Printer();
  Printer(test::PrinterOnPort(2));
  rig_.AddSampleFirmware();
  Show();
  auto* ports = Control<QComboBox>("FUPort");
  ASSERT_EQ(ports->count(), 2);
  auto choose = [&](int index) {
    ports->setCurrentIndex(index);
    emit ports->activated(index);
    rig_.frame().RefreshShownPage();
  };
  choose(0);
  rig_.Click("FirmareBtn_2");  // P161.bin to the first printer, answered OK
  auto* told = Control<QLabel>("FUTransferLabel");
  EXPECT_TRUE(told->isVisible());
  EXPECT_EQ(told->text(), kUploadEnded);
  choose(1);
  EXPECT_FALSE(told->isVisible());
  choose(0);
  EXPECT_TRUE(told->isVisible());
  rig_.Click("FileManagement");
  Show();
  EXPECT_FALSE(told->isVisible());
}

}  // namespace
}  // namespace vidodez::gui
