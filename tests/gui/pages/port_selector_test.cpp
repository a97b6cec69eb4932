// The printer selector against printers on a private simulated bus.
#include "gui/pages/port_selector.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <optional>

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

// Catches the selector of any page showing the wrong entry, model, status
// text or colour: no printer, a ready one, a description in the printer's
// GBK bytes, a status byte that is an error.
TEST(PortSelector, ShowsThePrinterItsModelAndItsStatusInItsColour) {
  struct Case {
    const char* locale;
    const char* tab;
    int page;
    const char* prefix;  // of the page's selector controls
    std::optional<sim::PrinterOptions> printer;
    QStringList entries;
    const char* model;
    const char* status;
    QRgb colour;
  };
  sim::PrinterOptions ready = test::PrinterOnPort(1);
  ready.status = 0;
  sim::PrinterOptions gbk = ready;
  gbk.description = "MarliXPrinters \xd6\xd0\xce\xc4";
  sim::PrinterOptions error = test::PrinterOnPort(2);
  error.status = 1;
  const Case cases[] = {
      {"en_US",
       "FileManagement",
       kPageStorage,
       "FM",
       std::nullopt,
       {},
       "No printer connected",
       "Unconnected",
       kNotReadyColour},
      {"zh_CN",
       "FileManagement",
       kPageStorage,
       "FM",
       std::nullopt,
       {},
       "当前未连接任何打印机",
       "未连接打印机",
       kNotReadyColour},
      {"en_US", "SetPrinterNic", kPageNetwork, "PN", ready,
       QStringList{"USB01 [MarliXPrinters VT-4100]"}, "VT-4100", "READY", kReadyColour},
      {"en_US", "FileManagement", kPageStorage, "FM", gbk,
       QStringList{"USB01 [MarliXPrinters 中文]"}, "中文", "READY", kReadyColour},
      {"zh_CN", "FontDownload", kPageFonts, "FD", error,
       QStringList{"USB02 [MarliXPrinters VT-4100]"}, "VT-4100", "语法错误", kNotReadyColour},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.tab + " " + c.status);
    test::FrameRig rig(c.locale);
    if (c.printer) rig.bus.AddPrinter(*c.printer);
    rig.Click(c.tab);
    const Shown shown = ShownOn(rig.frame().page(c.page), c.prefix, c.prefix);
    EXPECT_EQ(shown.entries, c.entries);
    EXPECT_EQ(shown.current, c.entries.isEmpty() ? -1 : 0);
    EXPECT_EQ(shown.model, c.model);
    EXPECT_EQ(shown.status, c.status);
    EXPECT_EQ(shown.colour, c.colour);
    if (!c.printer) {
      auto* page = dynamic_cast<SelectorPageUI*>(rig.frame().page(c.page));
      EXPECT_EQ(page->selector().drop_width(), kDefaultDropWidth);
    } else {
      EXPECT_EQ(rig.frame().selector_state().last_status_index, c.printer->status);
    }
  }
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

// Catches a list closed without a choice (Escape) that leaves the refresh
// stopped, so a status of READY stays shown after an unplug.
TEST(PortSelector, DropDownStopsTheRefreshAndClosingOrChoosingRestartsIt) {
  test::FrameRig rig;
  rig.bus.AddPrinter(test::PrinterOnPort(1));
  rig.frame().show();
  ASSERT_TRUE(rig.frame().refresh_running());
  auto* combo = FindControl<QComboBox>(rig.frame().page(kPageSettings), "AdvPCPort");
  for (const bool choose : {false, true}) {
    SCOPED_TRACE(choose);
    combo->showPopup();
    EXPECT_FALSE(rig.frame().refresh_running());
    combo->hidePopup();
    if (choose) emit combo->activated(0);
    EXPECT_TRUE(rig.frame().refresh_running());
  }
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
