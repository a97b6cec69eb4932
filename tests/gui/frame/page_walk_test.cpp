// One walk over every page and small window in both languages: the texts a
// person reads, compared with the texts themselves (never with the program's
// own tables, which a wrong translation would pass), and a picture of each
// in the build's artifacts folder, for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "gui/system/about_wnd.h"
#include "gui/window/message_box.h"
#include "gui/window/wait_window.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

void Save(QWidget* widget, const QString& name) {
  QDir().mkpath(VIDODEZ_ARTIFACTS_DIR);
  const QString path = QDir(VIDODEZ_ARTIFACTS_DIR).filePath(name + ".png");
  QApplication::processEvents();  // let the layouts settle on the new texts
  ASSERT_TRUE(widget->grab().toImage().save(path)) << path.toStdString();
}

// What a person reads on a control: its caption, else its tooltip.
std::string Shown(QWidget* window, const char* name, bool tooltip) {
  QWidget* control = test::ExpectControl<QWidget>(window, name);
  if (control == nullptr) return {};
  if (tooltip) return control->toolTip().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  return control->property("text").toString().toStdString();
}

struct Seen {
  const char* tab;  // the page's tab, which shows the page
  const char* control;
  bool tooltip;
  const char* english;
  const char* chinese;
};

// Every tab's own caption, then a few texts of each page (the two rows of
// the network page whose captions are crossed among them).
const Seen kSeen[] = {
    {"PrinterConfiguration", "PrinterConfiguration", false, "Settings", "功能设置"},
    {"PrinterConfiguration", "SetPrinterNic", false, "Network ", "网络设置"},
    {"PrinterConfiguration", "FontDownload", false, "Fonts", "字体下载"},
    {"PrinterConfiguration", "FirmwareUpgrade", false, "Firmware ", "固件升级"},
    {"PrinterConfiguration", "FileManagement", false, "Storage ", "文件管理"},
    {"PrinterConfiguration", "SystermConfiguration", false, "System ", "系统选项"},
    {"PrinterConfiguration", "SAdvGetInfoFromPrinter", false, "Retrieve From Printer",
     "从打印机获取"},
    {"PrinterConfiguration", "SAdvSendBtn", true,
     "Please make sure the printer is in the READY state before sending parameters to the "
     "printer. Restart the printer if needed.",
     "设置前请让打印机处于“就绪”状态，若无法恢复到“就绪”状态，建议重启打印机。"},
    {"SetPrinterNic", "NicGateWayHintLabel", false, "Network Port :", "网络端口："},
    {"SetPrinterNic", "NicNetPortHintLabel", false, "Gateway :", "默认网关："},
    {"SetPrinterNic", "NicGetIPBtn", false, "Get IP Address", "获取IP地址"},
    {"FontDownload", "FDFontIDHintLabel", false, "Font ID:", "字体ID："},
    {"FontDownload", "BrowseFontBtn", false, "View Fonts", "浏览字体"},
    {"FontDownload", "BrowseFontBtn", true, "Browse Local Fonts", "浏览字本地需下载的字体"},
    {"FirmwareUpgrade", "FUFirmwareListLabel", false, "Available Firmware:", "可升级固件列表："},
    {"FirmwareUpgrade", "FUGetInfoBtn", true, "Get Current Firmware Info",
     "获取打印机固件版本和料号信息"},
    {"FileManagement", "FMSendFileBtn", false, "Send File to Printer", "发送文件到打印机"},
    {"FileManagement", "CMDRichEdit", true, "Input printer command here.",
     "此编辑框用于输入打印机指令"},
    {"FileManagement", "FMPortHintLabel", false, "Port", "端口"},
    {"SystermConfiguration", "HelpBtn", false, "Help", "帮助"},
    {"SystermConfiguration", "SysUnitText", false, "Units", "单位"},
};

TEST(PageWalk, EveryPageShowsItsTextsInBothLanguages) {
  const char* const tabs[] = {"PrinterConfiguration", "SetPrinterNic",  "FontDownload",
                              "FirmwareUpgrade",      "FileManagement", "SystermConfiguration"};
  for (const auto& [locale, tag] : {std::pair{"en_US", "eng"}, std::pair{"zh_CN", "chi"}}) {
    SCOPED_TRACE(locale);
    const bool english = tag == std::string("eng");
    test::FrameRig rig(locale);
    rig.AddReadyPrinter();
    rig.AddSampleFirmware();
    rig.frame().show();
    for (const char* tab : tabs) {
      rig.Click(tab);
      rig.frame().RefreshShownPage();
      for (const Seen& seen : kSeen) {
        if (std::string(seen.tab) != tab) continue;
        SCOPED_TRACE(seen.control);
        EXPECT_EQ(Shown(&rig.frame(), seen.control, seen.tooltip),
                  english ? seen.english : seen.chinese);
      }
      Save(&rig.frame(), QStringLiteral("page-%1-%2").arg(tag, tab));
    }
    CMarliXMsgBox box(test::BuiltSkins(), &rig.frame(),
                      english ? "Settings were sent to the printer." : "设置已发送到打印机。",
                      kProgramCaption, kBoxTypeOkCancel, tag);
    box.show();
    Save(&box, QStringLiteral("messagebox-%1").arg(tag));
    CAboutWnd about(test::BuiltSkins(), rig.dialogs, tag, &rig.frame());
    about.show();
    Save(&about, QStringLiteral("about-%1").arg(tag));
    CDateAccessWnd wait(test::BuiltSkins(), 300, 300, false, tag, &rig.frame());
    wait.show();
    Save(&wait, QStringLiteral("wait-%1").arg(tag));
  }
}

}  // namespace
}  // namespace vidodez::gui
