// Saves a picture of every page in both languages, and of the small windows,
// into the build's artifacts folder, for a person to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QSet>

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
  const QImage image = widget->grab().toImage();
  ASSERT_FALSE(image.isNull());
  // A window whose skin failed to build is nearly one flat colour.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7) {
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 8) << name.toStdString();
  ASSERT_TRUE(image.save(path)) << path.toStdString();
}

TEST(Screenshots, EveryPageInBothLanguages) {
  const char* const tabs[] = {"PrinterConfiguration", "SetPrinterNic",  "FontDownload",
                              "FirmwareUpgrade",      "FileManagement", "SystermConfiguration"};
  for (const auto& [locale, tag] : {std::pair{"en_US", "eng"}, std::pair{"zh_CN", "chi"}}) {
    SCOPED_TRACE(locale);
    test::FrameRig rig(locale);
    rig.AddReadyPrinter();
    rig.AddSampleFirmware();
    rig.frame().show();
    for (const char* tab : tabs) {
      rig.Click(tab);
      rig.frame().RefreshShownPage();
      Save(&rig.frame(), QStringLiteral("page-%1-%2").arg(tag, tab));
    }
    CMarliXMsgBox box(
        test::BuiltSkins(), &rig.frame(),
        tag == std::string("eng") ? "Settings were sent to the printer." : "设置已发送到打印机。",
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
