// The font page through its controls against a simulated printer: a real
// TrueType font downloaded on the worker while the window paints, read back
// from the printer's store byte for byte and listed on the storage page;
// the ID list across command types; Print to File; Print Test.
#include "gui/font/font_download_ui.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

// A font of the Debian package fonts-dejavu-core.
constexpr char kDebianFont[] = VIDODEZ_DEBIAN_FONT;

class FontPageUi : public ::testing::Test, public test::ControlDriver {
 protected:
  FontPageUi()
      : working_(work_.path()), desktop_("VIDODEZ_DESKTOP", desktop_dir_.File("Desktop").c_str()) {}

  // A printer on USB port 1 taking `rate` bytes a second (0: at once),
  // chosen in the shown font page.
  sim::SimPrinter& Printer(uint64_t rate = 0) { return rig_.ShowWithPrinter("FontDownload", rate); }
  FontDownloadUI* page() { return dynamic_cast<FontDownloadUI*>(rig_.frame().page(kPageFonts)); }
  QWidget* driven() override { return page(); }
  // Browse, answered with a copy of `bytes` named `file_name`.
  void Browse(const std::string& file_name, const std::string& bytes) {
    const std::string path = fonts_.File(file_name);
    test::WriteFileBytes(path, bytes);
    rig_.dialogs.QueueFile(QString::fromStdString(path));
    rig_.Click("BrowseFontBtn");
  }
  void ChooseId(int index) { Choose("FontIDCombo", index); }
  static sim::StoredObjects Stored(sim::SimPrinter& printer) {
    sim::StoredObjects stored;
    printer.WithModel([&](sim::PrinterModel& model) { stored = model.stored(); });
    return stored;
  }
  std::vector<std::string> Shown() const { return rig_.Shown(); }
  std::string Desktop(const std::string& name) const {
    return test::ReadFileBytes(desktop_dir_.File("Desktop/" + name));
  }

  test::TempDir work_, desktop_dir_, fonts_;
  test::ScopedWorkingFolder working_;
  test::ScopedEnv desktop_;
  test::FrameRig rig_;
};

// Catches a download that blocks the window or shows no progress, bytes
// lost or changed on the way to the printer's store, a font the storage
// page does not list, and a test print of the wrong font.
TEST_F(FontPageUi, RealFontReachesThePrinterWhileTheWindowPaintsAndPrintsItsTest) {
  const std::string font = test::ReadFileBytes(kDebianFont);
  ASSERT_GT(font.size(), 100000u) << "fonts-dejavu-core is missing";
  auto& printer = Printer(2 << 20);
  Browse("DEJAVU.ttf", font);
  EXPECT_EQ(Control<QLineEdit>("ShowFontPathEdit")->text(), "dejavu.ttf");
  EXPECT_TRUE(Control<QLabel>("FDFontFamilyLabel")->text().contains("DejaVu Sans"));
  EXPECT_FALSE(Control<QWidget>("PrintTestBtn")->isEnabled());
  ChooseId(3);

  auto* bar = Control<QProgressBar>("FDTransferBar");
  const auto seen = rig_.ClickAndWatch("DownLoadBtn", bar, {Control<QWidget>("DownLoadBtn")});
  EXPECT_GT(seen.looks, 5) << "the window did not run during the download";
  EXPECT_TRUE(seen.held);
  EXPECT_TRUE(seen.progress.startsWith("Sent ")) << seen.progress.toStdString();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Click OK to download this font to printer."});
  const sim::StoredObjects stored = Stored(printer);
  ASSERT_EQ(stored.fonts.size(), 1u);
  EXPECT_EQ(stored.fonts[0].first, "DEJAVU");
  EXPECT_TRUE(stored.fonts[0].second == font) << "the stored font differs";
  EXPECT_TRUE(printer.WireText() == test::ReadFileBytes(work_.File("DEJAVU.prn")));
  EXPECT_TRUE(Control<QWidget>("PrintTestBtn")->isEnabled());

  const size_t sent = printer.Wire().size();
  rig_.Click("PrintTestBtn");
  const std::string test_program = Desktop("TEST_DEJAVU.txt");
  EXPECT_TRUE(test_program.starts_with("I8,,001\r\r\nN\r\r\nH12\r\r\nCF1,D,DEJAVU\r\r\n"));
  std::string as_sent = printer.WireText().substr(sent);
  EXPECT_TRUE(as_sent.starts_with("I8,,001\r\nN\r\nH12\r\nCF1,D,DEJAVU\r\n"))
      << as_sent.substr(0, 40);

  rig_.Click("FileManagement");
  rig_.frame().RefreshShownPage();
  rig_.Click("GetFontListBtn");
  auto* list = FindControl<QListWidget>(rig_.frame().page(kPageStorage), "FontList");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "DEJAVU");
}

// Catches a code page or storage chosen in the page that does not reach the
// VRLE files, one offered for VRLZ, which has none, a command type switch that
// leaves the ID list of the other type or loses the position in it, and a
// file that is no font not said to be one.
// Catches a preview that widens the window a little at every font chosen
// (its picture as wide as its bordered label).
TEST_F(FontPageUi, ChoosingFontsKeepsTheWindowsSize) {
  const std::string font = test::ReadFileBytes(kDebianFont);
  ASSERT_GT(font.size(), 100000u) << "fonts-dejavu-core is missing";
  Printer();
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    Browse("FONT" + std::to_string(i) + ".ttf", font);
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    ASSERT_FALSE(Control<QLabel>("FDFontPreview")->pixmap().isNull());
    EXPECT_EQ(rig_.frame().width(), CDialogFrameWnd::kWidth);
    EXPECT_EQ(rig_.frame().height(), CDialogFrameWnd::kHeight);
  }
}

TEST_F(FontPageUi, CommandTypeAndCodePageReachTheModel) {
  auto& printer = Printer();
  Browse("ARIAL.ttf", std::string("\x00\x1F\xA0", 3));
  // Named as no font, yet taken as the download allows any file.
  EXPECT_EQ(Control<QLabel>("FDFontFamilyLabel")->text(),
            "This file is not a TrueType or OpenType font.");
  auto* pages = Control<QComboBox>("FDCodePageCombo");
  EXPECT_EQ(pages->count(), 22);
  EXPECT_EQ(pages->currentIndex(), 0) << "none by default";
  pages->setCurrentIndex(pages->findText("DOS 850"));
  rig_.Click("PrintToFileOp");
  rig_.Click("DownLoadBtn");
  EXPECT_TRUE(
      Desktop("VRLE_TEST.txt").starts_with("I8,1,001\r\r\nN\r\r\nH12\r\r\nCF1,A,ARIAL\r\r\n"));
  rig_.Click("SDRAMOp");
  rig_.Click("DownLoadBtn");
  EXPECT_EQ(Desktop("VRLE_ARIAL.txt"), "DT0,ARIAL,3,\r\r\n001FA0\r\r\n");
  ChooseId(2);
  rig_.Click("VRLZOP");
  EXPECT_FALSE(pages->isEnabled());
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->count(), 10);
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->currentText(), "2");
  EXPECT_TRUE(printer.Wire().empty());
}

// Catches a second download let in while the first one, its send included,
// is still running.
TEST_F(FontPageUi, ASecondDownloadWhileOneRunsDoesNothing) {
  auto& printer = Printer(1 << 20);
  Browse("BIG.ttf", std::string(600000, 'x'));
  bool second_tried = false;
  rig_.ClickAndWatch("DownLoadBtn", nullptr, {}, [&] {
    if (second_tried || printer.Wire().empty()) return;
    second_tried = true;
    page()->Notify({"click", "DownLoadBtn", Control<QWidget>("DownLoadBtn"), {}});
  });
  EXPECT_TRUE(second_tried);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Click OK to download this font to printer."});
  EXPECT_EQ(printer.Wire().size(), test::ReadFileBytes(work_.File("BIG.prn")).size());
  EXPECT_EQ(Stored(printer).fonts.size(), 1u);
}

}  // namespace
}  // namespace vidodez::gui
