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
#include <filesystem>
#include <string>
#include <vector>

#include "gui_fixture.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

// A font of the Debian package fonts-dejavu-core.
constexpr char kDebianFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontPageUi : public ::testing::Test {
 protected:
  FontPageUi()
      : working_(work_.path()), desktop_("VIDODEZ_DESKTOP", desktop_dir_.File("Desktop").c_str()) {}

  // A printer on USB port 1 taking `rate` bytes a second (0: at once),
  // chosen in the shown font page.
  sim::SimPrinter& Printer(uint64_t rate = 0) {
    sim::PrinterOptions options = test::PrinterOnPort(1);
    options.status = 0;
    options.write_rate = rate;
    auto& printer = rig_.bus.AddPrinter(std::move(options));
    rig_.frame().show();
    rig_.Click("FontDownload");
    rig_.frame().RefreshShownPage();
    return printer;
  }
  FontDownloadUI* page() { return dynamic_cast<FontDownloadUI*>(rig_.frame().page(kPageFonts)); }
  template <typename T>
  T* Control(const char* name) {
    return test::ExpectControl<T>(page(), name);
  }
  // Browse, answered with a copy of `bytes` named `file_name`.
  void Browse(const std::string& file_name, const std::string& bytes) {
    const std::string path = fonts_.File(file_name);
    test::WriteFileBytes(path, bytes);
    rig_.dialogs.QueueFile(QString::fromStdString(path));
    rig_.Click("BrowseFontBtn");
  }
  void ChooseId(int index) {
    auto* combo = Control<QComboBox>("FontIDCombo");
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  static sim::StoredObjects Stored(sim::SimPrinter& printer) {
    sim::StoredObjects stored;
    printer.WithModel([&](sim::PrinterModel& model) { stored = model.stored(); });
    return stored;
  }
  QStringList Shown() const {
    QStringList shown;
    for (const auto& box : rig_.dialogs.shown()) shown << box.text;
    return shown;
  }
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
  QString progress;
  bool held = true;
  int ticks = 0;
  rig_.WhileTransferring([&] {
    ++ticks;
    held = held && !Control<QWidget>("DownLoadBtn")->isEnabled();
    if (bar->isVisible()) progress = bar->format();
  });
  rig_.Click("DownLoadBtn");
  rig_.transfer_watch.stop();

  EXPECT_GT(ticks, 5) << "the window did not run during the download";
  EXPECT_TRUE(held);
  EXPECT_TRUE(progress.startsWith("Sent ")) << progress.toStdString();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(Shown(), QStringList{"Click OK to download this font to printer."});
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

// Catches an ID position lost on a switch of command type, a position the
// new list lacks taken for an ID, and Print Test acting without one.
TEST_F(FontPageUi, IdPositionSurvivesASwitchAndNoIdStopsBothOperations) {
  auto& printer = Printer();
  Browse("ARIAL.ttf", std::string("\x00\x1F\xA0", 3));
  // Named as no font, yet taken as the download allows any file.
  EXPECT_EQ(Control<QLabel>("FDFontFamilyLabel")->text(),
            "This file is not a TrueType or OpenType font.");
  ChooseId(2);
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->currentText(), "C");
  rig_.Click("VRLZOP");
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->count(), 10);
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->currentText(), "2");
  // Cancel at the question offers Print Test, having written nothing.
  rig_.dialogs.QueueBoxAnswer(kBoxCancel);
  rig_.Click("DownLoadBtn");
  EXPECT_TRUE(Control<QWidget>("PrintTestBtn")->isEnabled());
  EXPECT_TRUE(test::FileNames(work_.path()).empty());

  rig_.Click("VRLEOp");
  ChooseId(25);
  rig_.Click("VRLZOP");
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->currentText(), "");
  rig_.Click("DownLoadBtn");
  rig_.Click("PrintTestBtn");
  EXPECT_EQ(Shown(),
            (QStringList{"Click OK to download this font to printer.", "Please select Font ID!"}));
  EXPECT_FALSE(std::filesystem::exists(desktop_dir_.File("Desktop/TEST_ARIAL.txt")));
  EXPECT_TRUE(printer.Wire().empty());
  // Back on VRLE the kept position is "Z" again.
  rig_.Click("VRLEOp");
  EXPECT_EQ(Control<QComboBox>("FontIDCombo")->currentText(), "Z");
}

// Catches Print to File sending to the printer, writing other names or
// line ends, and a storage choice that does not reach the command.
TEST_F(FontPageUi, PrintToFileWritesTheTwoDesktopFilesAndSendsNothing) {
  auto& printer = Printer();
  Browse("ARIAL.ttf", std::string("\x00\x1F\xA0", 3));
  rig_.Click("VRLZOP");
  rig_.Click("SDRAMOp");
  ChooseId(3);
  rig_.Click("PrintToFileOp");
  rig_.Click("DownLoadBtn");
  EXPECT_EQ(Shown(), QStringList{"Click OK to print to a desktop file"});
  EXPECT_EQ(test::FileNames(desktop_dir_.File("Desktop")),
            (std::vector<std::string>{"VRLZ_ARIAL.txt", "VRLZ_TEST.txt"}));
  EXPECT_EQ(Desktop("VRLZ_ARIAL.txt"), "~DTR:ARIAL,3,\r\r\n001FA0\r\r\n");
  EXPECT_TRUE(Desktop("VRLZ_TEST.txt").starts_with("^XA\r\r\n~SD15\r\r\n^CW3,R:ARIAL.TTF\r\r\n"));
  EXPECT_TRUE(printer.Wire().empty());
  EXPECT_TRUE(Control<QWidget>("PrintTestBtn")->isEnabled());
}

// Catches a code page chosen in the page that does not reach the VRLE test
// program, and one offered for VRLZ, which has none.
TEST_F(FontPageUi, ChosenCodePageReachesTheVrleTestProgram) {
  Printer();
  Browse("ARIAL.ttf", std::string("\x00\x1F\xA0", 3));
  auto* pages = Control<QComboBox>("FDCodePageCombo");
  EXPECT_EQ(pages->count(), 22);
  EXPECT_EQ(pages->currentIndex(), 0) << "none by default";
  pages->setCurrentIndex(pages->findText("DOS 850"));
  rig_.Click("PrintToFileOp");
  rig_.Click("DownLoadBtn");
  EXPECT_TRUE(
      Desktop("VRLE_TEST.txt").starts_with("I8,1,001\r\r\nN\r\r\nH12\r\r\nCF1,A,ARIAL\r\r\n"));
  rig_.Click("VRLZOP");
  EXPECT_FALSE(pages->isEnabled());
}

// Catches a second download let in while the first one, its send included,
// is still running.
TEST_F(FontPageUi, ASecondDownloadWhileOneRunsDoesNothing) {
  auto& printer = Printer(1 << 20);
  Browse("BIG.ttf", std::string(600000, 'x'));
  bool second_tried = false;
  rig_.WhileTransferring([&] {
    if (second_tried || printer.Wire().empty()) return;
    second_tried = true;
    page()->Notify({"click", "DownLoadBtn", Control<QWidget>("DownLoadBtn"), {}});
  });
  rig_.Click("DownLoadBtn");
  rig_.transfer_watch.stop();
  EXPECT_TRUE(second_tried);
  EXPECT_EQ(Shown(), QStringList{"Click OK to download this font to printer."});
  EXPECT_EQ(printer.Wire().size(), test::ReadFileBytes(work_.File("BIG.prn")).size());
  EXPECT_EQ(Stored(printer).fonts.size(), 1u);
}

}  // namespace
}  // namespace vidodez::gui
