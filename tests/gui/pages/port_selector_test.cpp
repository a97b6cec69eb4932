// The printer selector against printers on a private simulated bus.
#include "gui/pages/port_selector.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "gui/pages/selector_pages.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

struct Shown {
  QStringList entries;
  int current;
  std::string model;
  std::string status;
  QRgb colour;
};

Shown ShownOn(PageUI* page, const char* device_prefix, const char* label_prefix) {
  const QString dev = device_prefix;
  const QString lab = label_prefix;
  auto* combo = FindControl<QComboBox>(page, dev + "Port");
  Shown shown{};
  for (int i = 0; i < combo->count(); ++i) shown.entries << combo->itemText(i);
  shown.current = combo->currentIndex();
  shown.model = FindControl<QLabel>(page, lab + "ConnectPrinterName")->text().toStdString();
  auto* status = FindControl<QLabel>(page, lab + "PritnerIsConnect");
  shown.status = status->text().toStdString();
  shown.colour = status->property("statusColour").toUInt();
  return shown;
}

TEST(PortSelector, NoPrinterShowsTheNoPrinterTextsInRed) {
  for (const auto& [locale, model, status] :
       {std::tuple{"en_US", "No printer connected", "Unconnected"},
        std::tuple{"zh_CN", "当前未连接任何打印机", "未连接打印机"}}) {
    SCOPED_TRACE(locale);
    test::FrameRig rig(locale);
    rig.Click("FileManagement");
    const Shown shown = ShownOn(rig.frame().page(kPageStorage), "FM", "FM");
    EXPECT_TRUE(shown.entries.isEmpty());
    EXPECT_EQ(shown.model, model);
    EXPECT_EQ(shown.status, status);
    EXPECT_EQ(shown.colour, kNotReadyColour);
    auto* page = dynamic_cast<SelectorPageUI*>(rig.frame().page(kPageStorage));
    EXPECT_EQ(page->selector().drop_width(), kDefaultDropWidth);
  }
}

TEST(PortSelector, OneReadyPrinterShowsItsModelInLightBlue) {
  test::FrameRig rig;
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.status = 0;
  rig.bus.AddPrinter(options);
  rig.Click("SetPrinterNic");
  const Shown shown = ShownOn(rig.frame().page(kPageNetwork), "PN", "PN");
  EXPECT_EQ(shown.entries, QStringList{"USB01 [MarliXPrinters VT-4100]"});
  EXPECT_EQ(shown.current, 0);
  EXPECT_EQ(shown.model, "VT-4100");
  EXPECT_EQ(shown.status, "READY");
  EXPECT_EQ(shown.colour, kReadyColour);
  EXPECT_EQ(rig.frame().selector_state().last_status_index, 0);
}

// The description is the printer's own bytes: GBK, as every other text a
// printer reports.
TEST(PortSelector, GbkDescriptionIsShownDecoded) {
  test::FrameRig rig;
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.description = "MarliXPrinters \xd6\xd0\xce\xc4";
  rig.bus.AddPrinter(options);
  rig.Click("FileManagement");
  const Shown shown = ShownOn(rig.frame().page(kPageStorage), "FM", "FM");
  EXPECT_EQ(shown.entries, QStringList{"USB01 [MarliXPrinters 中文]"});
  EXPECT_EQ(shown.model, "中文");
}

TEST(PortSelector, StatusByteOneShowsGrammarErrorInRed) {
  test::FrameRig rig("zh_CN");
  sim::PrinterOptions options = test::PrinterOnPort(2);
  options.status = 1;
  rig.bus.AddPrinter(options);
  rig.Click("FontDownload");
  const Shown shown = ShownOn(rig.frame().page(kPageFonts), "FD", "FD");
  EXPECT_EQ(shown.status, "语法错误");
  EXPECT_EQ(shown.colour, kNotReadyColour);
  EXPECT_EQ(rig.frame().selector_state().last_status_index, 1);
}

TEST(PortSelector, UnpluggingTheFirstOfThreeKeepsThePosition) {
  test::FrameRig rig;
  sim::SimPrinter& first = rig.bus.AddPrinter(test::PrinterOnPort(1));
  rig.bus.AddPrinter(test::PrinterOnPort(2));
  sim::PrinterOptions third = test::PrinterOnPort(3);
  third.description = "QUORINPrinters QX-300 long model description";
  rig.bus.AddPrinter(third);
  rig.Click("FirmwareUpgrade");
  PageUI* page = rig.frame().page(kPageFirmware);
  Shown shown = ShownOn(page, "FU", "FU");
  ASSERT_EQ(shown.entries.size(), 3);
  auto* selector_page = dynamic_cast<SelectorPageUI*>(page);
  // The longest entry widens the dropped list past the default.
  EXPECT_GT(selector_page->selector().drop_width(), kDefaultDropWidth);

  auto* combo = FindControl<QComboBox>(page, "FUPort");
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  EXPECT_EQ(rig.frame().selector_state().remembered_index, 1);
  first.Unplug();
  rig.frame().RefreshShownPage();
  shown = ShownOn(page, "FU", "FU");
  ASSERT_EQ(shown.entries.size(), 2);
  EXPECT_EQ(shown.current, 1);
  EXPECT_EQ(shown.model, "QX-300 long model description");
  // The position is shared: another page selects the same one.
  rig.Click("FileManagement");
  EXPECT_EQ(ShownOn(rig.frame().page(kPageStorage), "FM", "FM").current, 1);
}

TEST(PortSelector, DropDownStopsTheRefreshAndChoosingRestartsIt) {
  test::FrameRig rig;
  rig.bus.AddPrinter(test::PrinterOnPort(1));
  rig.frame().show();
  ASSERT_TRUE(rig.frame().refresh_running());
  auto* combo = FindControl<QComboBox>(rig.frame().page(kPageSettings), "AdvPCPort");
  combo->showPopup();
  EXPECT_FALSE(rig.frame().refresh_running());
  combo->hidePopup();
  emit combo->activated(0);
  EXPECT_TRUE(rig.frame().refresh_running());
}

TEST(PortSelector, DropButtonTogglesTheSelectorBar) {
  test::FrameRig rig;
  rig.frame().show();
  auto* bar = FindControl<QWidget>(rig.frame().page(kPageSettings), "AdvPCPrinterDropBar");
  ASSERT_TRUE(bar->isVisible());
  rig.Click("AdvPCDropBtn");
  EXPECT_FALSE(bar->isVisible());
  rig.Click("AdvPCDropBtn");
  EXPECT_TRUE(bar->isVisible());
}

}  // namespace
}  // namespace vidodez::gui
