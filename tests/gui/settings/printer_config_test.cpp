// The printer settings page through its controls, against a simulated
// printer: what reaches the wire when the operator reads, edits and sends,
// the interlocks' answers, the input rules and the two languages.
#include "gui/settings/printer_config_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <fstream>

#include "core/config/settings_ini.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

constexpr char kRead[] = "^G1\r\n\r\n";
// The read before a send: asked twice, so a late answer cannot pass for it.
constexpr char kSendRead[] = "^G1\r\n\r\n^G1\r\n\r\n";
// The simulated printer's own settings, sent back unchanged.
constexpr char kFactoryLine41[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
    "0100*0*12*12*1*E\r\n";

class SettingsPageUi : public test::PageTest<PrinterConfigUI, kPageSettings> {
 protected:
  SettingsPageUi() : PageTest("PrinterConfiguration") {}
  // Shows the page again, as a switch to it does.
  void ShowPage() {
    rig_.Click("SystermConfiguration");
    rig_.Click("PrinterConfiguration");
  }
  void SetUnit(int unit) {
    rig_.frame().comm().SetUnit(unit);
    ShowPage();
  }
};

// Catches a page that shows a choice before anything was read, a read that
// fills the wrong control or skips the two-digit lists, and an offset shown
// in the wrong unit: 0008 on a 203 dpi printer is 8 dots, 1.00 mm and
// 0.039 in. The way back to dots is in the round trip.
TEST_F(SettingsPageUi, StartsEmptyThenShowsThePrintersValuesInEachUnit) {
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentIndex(), -1);
  EXPECT_EQ(Control<QComboBox>("SMediaSensorsCombo")->currentIndex(), -1);
  EXPECT_FALSE(Checked("SCutterEnableOp"));
  EXPECT_FALSE(Checked("SCutterDisableOp"));
  auto& printer = Printer();
  // The read on arrival is quiet: it fills the record, not the controls.
  EXPECT_WIRE(printer, kRead);
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentIndex(), -1);
  Click("SAdvGetInfoFromPrinter");
  EXPECT_WIRE(printer, std::string(kRead) + kRead);
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentText(), "10");
  EXPECT_EQ(Control<QComboBox>("SPrintingSpeedCombo")->currentText(), "3");
  EXPECT_TRUE(Checked("SCutterDisableOp"));
  EXPECT_TRUE(Checked("STearOffEnableOp"));
  EXPECT_EQ(Text("SHorizontalOffsetEdit"), "8");
  EXPECT_TRUE(Enabled("SDetectThCombo"));
  struct Case {
    int unit;
    const char* shown;
    const char* label;
  } cases[] = {{2, "1.00", "mm"}, {1, "0.039", "Inch"}, {0, "8", "Dot"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    SetUnit(c.unit);
    EXPECT_EQ(Control<QLabel>("SHorizontalOffsetUnitLabel")->text(), c.label);
    Click("SAdvGetInfoFromPrinter");
    EXPECT_EQ(Text("SHorizontalOffsetEdit"), c.shown);
  }
}

// The rules have their own tests; these catch a box wired to the wrong
// rule, a refusal not told, typing key by key that differs from a paste,
// and a box longer than its field.
TEST_F(SettingsPageUi, TypingFollowsEachBoxsRule) {
  Printer();
  // Typed key by key, a leading "." is refused on its own before the digit.
  Type("SVerticalOffsetEdit", ".5");
  EXPECT_EQ(Text("SVerticalOffsetEdit"), "5");
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown().back(), "Vaild Value: -(negative sign), .(decimal) and number 0~9");
  struct Case {
    const char* box;
    const char* typed;
    const char* kept;
    bool told;
  } cases[] = {
      {"SVerticalOffsetEdit", "-", "-", false},
      {"SVerticalOffsetEdit", ".5", "", true},
      {"SCutterStopPosEdit", "75", "60", false},
      {"SCutterStopPosEdit", "7a", "", true},
      // The boxes hold no more than their fields: more would be cut at send.
      {"SCalibrationLenEdit", "99999", "9999", false},
      {"SCuttingPapeNumEdit", "123", "12", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " " + c.typed);
    const size_t boxes = rig_.dialogs.shown().size();
    Paste(c.box, c.typed);
    EXPECT_EQ(Text(c.box), c.kept);
    EXPECT_EQ(rig_.dialogs.shown().size() > boxes, c.told);
  }
}

// Catches a send that writes the settings although the operator refused to
// leave the printer's peel mode.
TEST_F(SettingsPageUi, CutOverPrintersPeelModeCancelledSendsNothing) {
  auto& printer = Printer();
  // Put in peel mode (field 14) behind the page's back, as another program would.
  std::string peel = kFactoryLine41;
  peel.replace(peel.find("*01*00*0*"), 9, "*01*00*2*");
  printer.WithModel([&peel](sim::PrinterModel& model) {
    model.Receive(reinterpret_cast<const std::uint8_t*>(peel.data()), peel.size(),
                  sim::Clock::now());
  });
  Click("SAdvGetInfoFromPrinter");
  ASSERT_TRUE(Checked("SPeelOffEnableOp"));
  rig_.dialogs.QueueBoxAnswer(kBoxOk);  // the page's own question: leave peel
  Click("SCutterEnableOp");
  ASSERT_TRUE(Checked("SCutterEnableOp"));
  // The page no longer shows peel, but the printer is still in peel mode.
  const size_t before = printer.WireText().size();
  rig_.dialogs.QueueBoxAnswer(kBoxCancel);
  Click("SAdvSendBtn");
  EXPECT_EQ(test::Escaped(printer.WireText().substr(before)), test::Escaped(kSendRead));
  EXPECT_EQ(Shown().back(),
            "Your printer has enabled peeling mode already, enabling cutting mode will disable "
            "peeling mode, continue?");
  EXPECT_TRUE(Checked("SCutterDisableOp"));
  EXPECT_TRUE(Checked("SPeelOffEnableOp"));
}

// Catches the model check missing on choosing the entry, or the entry
// dropped after it. That the send then stops is the model's own test.
TEST_F(SettingsPageUi, UpperReflectiveForAnUnlistedModelIsToldAndKept) {
  const std::string list = rig_.bus.File("MARLIX.dat");
  std::ofstream(list) << "VT-9000\n";
  Printer();
  page()->SetModelListPath(list);
  Choose("SMediaSensorsCombo", 2);
  ASSERT_FALSE(Shown().empty());
  EXPECT_EQ(Shown().back(),
            "UP Reflective Sensor is not supported on the currently connected printer, please "
            "select another option.");
  EXPECT_EQ(Control<QComboBox>("SMediaSensorsCombo")->currentIndex(), 2);
}

// Catches a 32-field printer offered the settings it does not have.
TEST_F(SettingsPageUi, ShortSettingsLineDisablesTheLongerLinesControls) {
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.fields = 32;
  Printer(options);
  for (const char* name : {"AddContinPrintEnableOp", "ContinPrintEnableOp", "PrintBlankEnableOp",
                           "PrintBlankDisableOp", "SMediaHeiCombo", "SDetectThCombo"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(Enabled(name));
  }
  EXPECT_TRUE(Enabled("SDarkNessCombo"));
}

// Catches lists refilled in the new language without their choice, and
// unit labels left in the old one (the captions are the page walk's).
TEST_F(SettingsPageUi, LanguageSwitchRefillsListsAndKeepsChoices) {
  Printer();
  Choose("SPrintModeCombo", 1);
  Choose("SParityBitCombo", 2);
  struct Case {
    const char* language;
    const char* print_mode;
    const char* parity;
    const char* unit;
  } cases[] = {{"chi", "热转印", "偶校验", "像素点"}, {"eng", "Thermal Transfer", "Even", "Dot"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    SetLanguage(c.language);
    EXPECT_EQ(Control<QComboBox>("SPrintModeCombo")->currentText(),
              QString::fromUtf8(c.print_mode));
    EXPECT_EQ(Control<QComboBox>("SParityBitCombo")->currentText(), QString::fromUtf8(c.parity));
    EXPECT_EQ(Control<QLabel>("STearOffsetUnitLabel")->text(), QString::fromUtf8(c.unit));
  }
}

// The operator's whole round from a page cleared with Reset All: darkness,
// two offsets in millimetres and the cut mode sent, read back, saved to a
// file and loaded again. Catches Reset All leaving a choice behind, a send
// that writes anything but the printer's own values and the edits, an
// offset sent without converting back to dots or into the wrong field, and
// a file that does not bring back what was sent (what a load sends is the
// model's test).
TEST_F(SettingsPageUi, ChangesReachThePrinterAndSurviveAFileRoundTrip) {
  auto& printer = Printer();
  Click("SAdvResetSetting");
  for (const char* option : {"STearOffEnableOp", "STearOffDisableOp", "SCutterDisableOp",
                             "SPositiveOp", "SChiOp", "SEngOp", "AddContinPrintEnableOp"}) {
    SCOPED_TRACE(option);
    EXPECT_FALSE(Checked(option));
  }
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentIndex(), -1);
  EXPECT_TRUE(Text("SHorizontalOffsetEdit").isEmpty());
  SetUnit(2);
  Choose("SDarkNessCombo", 15);
  Type("SVerticalOffsetEdit", "2.00");
  Type("STearOffsetEdit", "1.00");
  Click("SCutterEnableOp");
  const std::size_t before = printer.WireText().size();
  Click("SAdvSendBtn");
  // Darkness (field 4), cutter (11), vertical and tear offsets (23, 24) in dots.
  const std::string line =
      "#PS>S*1*0*0*15*04*0*1.52*VT41-0152*0*2*1*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
      "192.168.1.1*9100*0008*0016*0008*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
      "0100*0*12*12*1*E\r\n";
  EXPECT_EQ(test::Escaped(printer.WireText().substr(before)), test::Escaped(kSendRead + line));
  Click("SAdvResetSetting");
  Click("SAdvGetInfoFromPrinter");
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentText(), "15");
  EXPECT_EQ(Text("SVerticalOffsetEdit"), "2.00");
  EXPECT_EQ(Text("STearOffsetEdit"), "1.00");
  EXPECT_TRUE(Checked("SCutterEnableOp"));

  const QString file = QString::fromStdString(rig_.bus.File("saved.ini"));
  rig_.dialogs.QueueFile(file);
  Click("SAdvSaveConfigToINIBtn");
  Click("SAdvResetSetting");
  rig_.dialogs.QueueFile(file);
  Click("SAdvGetInfoFormINIBtn");
  EXPECT_EQ(Control<QComboBox>("SDarkNessCombo")->currentText(), "15")
      << ::testing::PrintToString(Shown());
  EXPECT_EQ(Text("SVerticalOffsetEdit"), "2.00");
  EXPECT_TRUE(Checked("SCutterEnableOp"));
}

// Catches option pairs without an interlock that reach the model only when
// an operation runs: the automatic read after a brief unplug reloads the page
// from the model and would undo the operator's clicks.
TEST_F(SettingsPageUi, ChoicesSurviveTheAutomaticReRead) {
  auto& printer = Printer();
  Click("SAdvResetSetting");
  const char* chosen[] = {"SReverseOp",        "SChiOp",
                          "STearOffEnableOp",  "SCutterDisableOp",
                          "SPeelOffDisableOp", "AddContinPrintEnableOp",
                          "PrintBlankEnableOp"};
  for (const char* option : chosen) Click(option);
  printer.Unplug();
  rig_.frame().RefreshShownPage();
  ASSERT_EQ(printer.Plug(), 0);
  rig_.frame().RefreshShownPage();
  EXPECT_WIRE(printer, std::string(kRead) + kRead);  // read again on its return
  for (const char* option : chosen) {
    SCOPED_TRACE(option);
    EXPECT_TRUE(Checked(option));
  }
}

// A window started in Chinese, where the system page sets millimetres before
// the settings page is first shown. Catches the page converting with the unit
// it was built in (8 dots shown under "毫米", 2 mm sent as 0002) and taking
// the unit back from its labels after a page switch (the same boxes then read
// as millimetres and sent as -096 and 0799 with nothing touched).
TEST(SettingsPageChinese, ConvertsWithTheLinksUnitHoweverThePagesWereBuilt) {
  test::FrameRig rig("zh_CN");
  auto& printer = rig.AddReadyPrinter();
  rig.frame().RefreshShownPage();
  auto* page = rig.frame().page(kPageSettings);
  auto text = [&](const char* name) {
    return FindControl<QLineEdit>(page, name)->text().toStdString();
  };
  test::UserClick(FindControl<QAbstractButton>(page, "SAdvGetInfoFromPrinter"));
  EXPECT_EQ(text("SHorizontalOffsetEdit"), "1.00");
  EXPECT_EQ(text("SVerticalOffsetEdit"), "-1.50");
  EXPECT_EQ(text("SCalibrationLenEdit"), "100");
  EXPECT_EQ(FindControl<QLabel>(page, "SVerticalOffsetUnitLabel")->text().toStdString(), "毫米");
  auto* offset = FindControl<QLineEdit>(page, "STearOffsetEdit");
  offset->setText("2");
  emit offset->textEdited("2");
  // Tear-off 2 mm is 16 dots; the other offsets and the length unchanged.
  const std::string line =
      "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
      "192.168.1.1*9100*0008*-012*0016*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
      "0100*0*12*12*1*E\r\n";
  size_t before = printer.WireText().size();
  test::UserClick(FindControl<QAbstractButton>(page, "SAdvSendBtn"));
  EXPECT_EQ(test::Escaped(printer.WireText().substr(before)), test::Escaped(kSendRead + line));
  rig.Click("SystermConfiguration");
  rig.Click("PrinterConfiguration");
  EXPECT_EQ(text("SVerticalOffsetEdit"), "-1.50");
  before = printer.WireText().size();
  test::UserClick(FindControl<QAbstractButton>(page, "SAdvSendBtn"));
  EXPECT_EQ(test::Escaped(printer.WireText().substr(before)), test::Escaped(kSendRead + line));
}

}  // namespace
}  // namespace vidodez::gui
