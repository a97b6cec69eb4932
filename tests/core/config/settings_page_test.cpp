// The settings page's operations against a simulated printer, checked on the
// wire byte for byte and by the messages the operator was shown.

#include "core/config/settings_page.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/config/settings_page_texts.h"
#include "core/link/port_codes.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ScriptedOperator;

int Index(SettingsText text) { return static_cast<int>(text); }

constexpr char kRead[] = "^G1\r\n\r\n";
// What the simulated printer reports, sent back as the program builds it.
constexpr char kFactoryLine41[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
    "0100*0*12*12*1*E\r\n";
constexpr char kFactoryLine32[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*E\r\n";

std::vector<std::string> Settings(sim::SimPrinter& printer) {
  std::vector<std::string> settings;
  printer.WithModel([&](sim::PrinterModel& model) { settings = model.settings(); });
  return settings;
}

class SettingsPageTest : public ::testing::Test {
 protected:
  sim::SimPrinter& Printer(int fields = 41) {
    sim::PrinterOptions options;
    options.fields = fields;
    auto& printer = bus_.AddPrinter(options);
    page_.printer = "USB01 [MarliXPrinters VT-4100]\n";
    return printer;
  }
  std::vector<int> Shown() const {
    std::vector<int> shown;
    for (const auto& m : op_.shown()) shown.push_back(m.index);
    return shown;
  }

  test::SimBus bus_;
  CPrinterComm comm_{bus_.usb()};
  ScriptedOperator op_;
  SettingsPage page_;
};

TEST_F(SettingsPageTest, SendRefusedWhilePrintingAndGoesOnWithoutStatus) {
  auto& printer = Printer();
  EXPECT_EQ(page_.SendSettings(comm_, op_, 2), kSettingsPrinterNotReady);
  EXPECT_TRUE(printer.Wire().empty());
  EXPECT_EQ(Shown(), std::vector<int>{Index(SettingsText::kNotReady)});

  EXPECT_EQ(page_.SendSettings(comm_, op_, -1), kConfigOk);
  EXPECT_WIRE(printer, std::string(kRead) + kFactoryLine41);
  EXPECT_EQ(op_.countdowns(), std::vector<int>{9});
}

TEST_F(SettingsPageTest, BlankPageSendsThePrintersOwnValuesBack) {
  struct Case {
    int fields;
    const char* line;
  } cases[] = {{41, kFactoryLine41}, {32, kFactoryLine32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    test::SimBus bus;
    CPrinterComm comm(bus.usb());
    sim::PrinterOptions options;
    options.fields = c.fields;
    auto& printer = bus.AddPrinter(options);
    SettingsPage page;
    page.printer = "USB01 [MarliXPrinters VT-4100]\n";
    ASSERT_EQ(page.RetrieveFromPrinter(comm, op_), kConfigOk);
    page.darkness = 3;  // edited, then reset
    page.ResetAll();
    EXPECT_EQ(page.darkness, kNoSelection);
    EXPECT_EQ(page.SendSettings(comm, op_, 0), kConfigOk);
    EXPECT_WIRE(printer, std::string(kRead) + kRead + c.line);
  }
}

TEST_F(SettingsPageTest, CalibrationLengthTravelsApartOnlyOn32Fields) {
  auto& short_printer = Printer(32);
  page_.unit = 2;  // millimetres
  page_.calibration_length = "5";
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  EXPECT_WIRE(short_printer, std::string(kRead) + "#UM>SL0005\r\n" + kFactoryLine32);

  test::SimBus bus;
  CPrinterComm comm(bus.usb());
  sim::PrinterOptions options;
  options.fields = 39;
  auto& printer39 = bus.AddPrinter(options);
  ASSERT_EQ(page_.SendSettings(comm, op_, 0), kConfigOk);
  std::string wire = printer39.WireText();
  EXPECT_EQ(wire.find("#UM>SL"), std::string::npos);
  EXPECT_NE(wire.find("*0*10*1*0005*0*12*12*E"), std::string::npos) << wire;
}

TEST_F(SettingsPageTest, ReplyWithoutEndMarkerIsAFailedReadAndSendsNothing) {
  sim::PrinterOptions options;
  options.reply_mode = sim::ReplyMode::kSplit;  // the reader keeps only the first part
  auto& printer = bus_.AddPrinter(options);
  page_.printer = "USB01 [MarliXPrinters VT-4100]\n";
  EXPECT_EQ(page_.SendSettings(comm_, op_, 0), kSettingsReplyUnmarked);
  EXPECT_WIRE(printer, kRead);
  EXPECT_EQ(Shown(), std::vector<int>{Index(SettingsText::kReplyHoldsNoSettings)});
  EXPECT_EQ(page_.field_count, kSettingsReadPending);
}

TEST_F(SettingsPageTest, OffsetsShownInTheDisplayUnitAndSentAsDots) {
  auto& printer = Printer();
  struct Case {
    int unit;
    const char* horizontal;  // 0008 on a 203 dpi printer
  } cases[] = {{0, "8"}, {2, "1.00"}, {1, "0.039"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit);
    page_.unit = c.unit;
    ASSERT_EQ(page_.RetrieveFromPrinter(comm_, op_), kConfigOk);
    EXPECT_EQ(page_.horizontal_offset, c.horizontal);
    EXPECT_EQ(page_.vertical_offset, page_.unit == 0 ? "-12" : page_.vertical_offset);
  }
  page_.ResetAll();
  page_.unit = 2;
  page_.tear_offset = "1.00";
  page_.peeling_offset = "-1.5";
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  std::string wire = printer.WireText();
  // tear-off 23 and peel 26: 8 dots and -12 dots.
  EXPECT_NE(wire.find("*0008*-012*0008*0000*0000*-012*0011"), std::string::npos) << wire;
}

TEST_F(SettingsPageTest, SendTimeCutCheckAgainstPrinterInPeelMode) {
  auto& printer = Printer();
  page_.peel = 1;  // put the printer into peel mode first
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  ASSERT_EQ(Settings(printer)[13], "2");
  ASSERT_EQ(Settings(printer)[29], "1");
  size_t before = printer.Wire().size();

  page_.ResetAll();
  page_.cutter = 1;
  op_.AnswerConfirm(false);
  EXPECT_EQ(page_.SendSettings(comm_, op_, 0), kSettingsCancelled);
  EXPECT_EQ(printer.WireText().substr(before), kRead);  // nothing written
  EXPECT_EQ(page_.cutter, 0);
  EXPECT_EQ(page_.peel, 1);
  EXPECT_EQ(Shown().back(), Index(SettingsText::kPrinterPeelBlocksCut));

  page_.ResetAll();
  page_.cutter = 1;
  op_.AnswerConfirm(true);
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  EXPECT_EQ(Settings(printer)[10], "1");
  EXPECT_EQ(Settings(printer)[13], "0");
  EXPECT_EQ(Settings(printer)[29], "1");
  EXPECT_EQ(page_.peel, 0);
  EXPECT_EQ(page_.tear, 1);
}

TEST_F(SettingsPageTest, TearDisableTurnsOffPrintersCutter) {
  auto& printer = Printer();
  page_.cutter = 1;
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  page_.ResetAll();
  page_.tear = 0;
  op_.AnswerConfirm(true);
  ASSERT_EQ(page_.SendSettings(comm_, op_, 0), kConfigOk);
  EXPECT_EQ(Settings(printer)[10], "0");
  EXPECT_EQ(Settings(printer)[29], "0");
  EXPECT_EQ(page_.cutter, 0);
}

TEST_F(SettingsPageTest, PageInterlocksKeepCutAndPeelApart) {
  page_.cutter = 1;
  page_.peel = 1;
  op_.AnswerConfirm(false);
  page_.OnPeelEnabled(op_, "eng");
  EXPECT_EQ(page_.cutter, 1);
  EXPECT_EQ(page_.peel, 0);

  page_.peel = 1;
  op_.AnswerConfirm(true);
  page_.OnPeelEnabled(op_, "eng");
  EXPECT_EQ(page_.cutter, 0);
  EXPECT_EQ(page_.peel, 1);
  EXPECT_EQ(page_.tear, 1);

  page_.tear = 0;
  op_.AnswerConfirm(false);
  page_.OnTearDisabled(op_, "eng");
  EXPECT_EQ(page_.tear, 1);
  EXPECT_EQ(page_.peel, 1);

  page_.after_error = 0;
  op_.AnswerConfirm(false);
  page_.OnPrintNextChosen(op_, "chi");
  EXPECT_EQ(page_.after_error, 1);
  EXPECT_EQ(op_.shown().back().text, "选择“仅续打”,按取消/复位键续打，按“进纸/测纸”补打功能无效。如果您已了解此功能，请确认，否则请取消！");
}

TEST_F(SettingsPageTest, UpperReflectiveOffModelStopsTheSend) {
  auto& printer = Printer();
  test::TempDir dir;
  page_.model_list_path = dir.File("MARLIX.dat");
  {
    std::ofstream out(page_.model_list_path);
    out << "VT-9000\r\n\r\n";
  }
  page_.sensor_type = kSensorUpperReflective;
  page_.OnSensorTypeChosen(op_, "eng");
  EXPECT_EQ(page_.sensor_type, kSensorUpperReflective);  // the entry stays
  EXPECT_EQ(page_.SendSettings(comm_, op_, 0), kSettingsModelNotSupported);
  EXPECT_WIRE(printer, kRead);
  EXPECT_EQ(Shown(), (std::vector<int>{Index(SettingsText::kUpperReflectiveUnsupported),
                                       Index(SettingsText::kUpperReflectiveUnsupported)}));

  page_.model_list_path = dir.File("missing.dat");
  EXPECT_FALSE(page_.CheckUpperReflectiveModel(op_, "eng"));
  EXPECT_EQ(Shown().back(), Index(SettingsText::kModelListMissing));
  EXPECT_EQ(UpperReflectiveModelName("USB01 [QUORINPrinters VT-4100]\n"), " VT-4100");
}

TEST_F(SettingsPageTest, ClearBufferAsksAndTellsToReboot) {
  auto& printer = Printer();
  EXPECT_EQ(page_.ClearBuffer(comm_, op_), kSettingsCancelled);
  EXPECT_TRUE(printer.Wire().empty());
  op_.AnswerConfirm(true);
  EXPECT_EQ(page_.ClearBuffer(comm_, op_), kConfigOk);
  ASSERT_EQ(page_.MediaCalibration(comm_, op_), kConfigOk);
  ASSERT_EQ(page_.PrintTestPage(comm_, op_), kConfigOk);
  ASSERT_EQ(page_.RestoreFactorySettings(comm_, op_), kConfigOk);
  EXPECT_WIRE(printer, "^z\r\nMD\r\nU\r\n#UM>IF\r\n");
  EXPECT_EQ(Shown(), (std::vector<int>{Index(SettingsText::kConfirmClearBuffer),
                                       Index(SettingsText::kConfirmClearBuffer),
                                       Index(SettingsText::kRebootToTakeEffect)}));
}

TEST_F(SettingsPageTest, IniFileOn32FieldsSendsLengthAfterTheLine) {
  auto& printer = Printer(32);
  test::TempDir dir;
  std::string path = dir.File("x.ini");
  op_.AnswerFile(path);
  ASSERT_EQ(page_.SaveSettingsToFile(comm_, op_), kConfigOk);
  // A 32-field printer does not report its length: the file brings one.
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  size_t at = text.find("[CalibrationLen]");
  ASSERT_NE(at, std::string::npos) << text;
  std::ofstream(path, std::ios::binary) << text.substr(0, at)
                                        << "[CalibrationLen]\r\nCalibrationLenValue=0150\r\n";
  op_.AnswerFile(path);
  ASSERT_EQ(page_.LoadSettingsFromFile(comm_, op_), kConfigOk);
  EXPECT_WIRE(printer, std::string(kRead) + kRead + kFactoryLine32 + "#UM>SL0150\r\n");
  EXPECT_EQ(op_.file_dialogs().at(0).pattern, "*.ini");

  // A file that lacks an entry stops before anything is sent.
  std::ofstream(path) << "[Machine Language]\r\nMLValue=\r\n";
  op_.AnswerFile(path);
  EXPECT_EQ(page_.LoadSettingsFromFile(comm_, op_), kSettingsEntryMissing);
  EXPECT_EQ(Shown().back(), Index(SettingsText::kIniLoadFailed));
}

TEST_F(SettingsPageTest, AutoReadRunsOnceWhenArmed) {
  auto& printer = Printer(39);
  page_.AutoReadOnStatus(comm_, op_, -2);  // no printer: nothing known
  page_.AutoReadOnStatus(comm_, op_, 0);
  EXPECT_TRUE(printer.Wire().empty());
  page_.AutoReadOnStatus(comm_, op_, -1);  // a failed status re-arms
  page_.AutoReadOnStatus(comm_, op_, 0);
  page_.AutoReadOnStatus(comm_, op_, 0);
  EXPECT_WIRE(printer, kRead);
  EXPECT_EQ(page_.field_count, 39);
  EXPECT_TRUE(page_.extended_enabled);
  EXPECT_TRUE(op_.shown().empty());
}

TEST(SettingsFill, ChoicesFollowTheRecordAndItsFieldCount) {
  struct Case {
    int fields;
    int after_error;
    int threshold;
  } cases[] = {{32, kNeither, kNoSelection}, {39, 0, 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    SettingsPage page;
    page.field_count = c.fields;
    page.record.Darkness.Set("07");
    page.record.Speed.Set("7");  // not two digits: no entry matches
    page.record.Peel.Set("1");   // neither "0" nor "2": the pair stays as it was
    page.peel = 1;
    page.record.Cutter.Set("1");
    page.record.MediaSensorType.Set("1");
    page.record.DetectLrThreshold.Set("12");
    page.record.PrintingState.Set("0");
    page.record.ResolutionCode.Set("3");
    page.record.CalibrationLen.Set("0254");
    page.unit = 1;
    page.FillFromRecord();
    EXPECT_EQ(page.darkness, 7);
    EXPECT_EQ(page.speed, kNoSelection);
    EXPECT_EQ(page.peel, 1);
    EXPECT_EQ(page.cutter, 1);
    EXPECT_EQ(page.sensor_type, kSensorLowerReflective);
    EXPECT_EQ(page.after_error, c.after_error);
    EXPECT_EQ(page.threshold, c.threshold);
    EXPECT_EQ(page.calibration_length, "10.00");
    page.ChangeUnit(2);
    EXPECT_EQ(page.calibration_length, "254");
  }
}

TEST(SettingsInput, EditRules) {
  struct Case {
    SettingsEdit edit;
    const char* typed;
    int result;
    const char* kept;
  } cases[] = {
      {SettingsEdit::kTearOffset, "-", kInputAccepted, "-"},
      {SettingsEdit::kTearOffset, "-1.25", kInputAccepted, "-1.25"},
      {SettingsEdit::kTearOffset, ".5", kInputRefusedSigned, ""},
      {SettingsEdit::kTearOffset, "1.2.3", kInputRefusedSigned, ""},
      {SettingsEdit::kTearOffset, "1-", kInputRefusedSigned, ""},
      {SettingsEdit::kBladeStopDelay, "75", kInputClamped, "60"},
      {SettingsEdit::kBladeStopDelay, "6a", kInputRefusedDigits, ""},
      {SettingsEdit::kCalibrationLength, "99999", kInputClamped, "9999"},
      {SettingsEdit::kCalibrationLength, "99999999999999999999", kInputClamped, "9999"},
      {SettingsEdit::kCutFrequency, "150", kInputClamped, "99"},
      {SettingsEdit::kCutFrequency, "", kInputAccepted, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string text = c.typed;
    EXPECT_EQ(ApplyEditRule(c.edit, &text), c.result);
    EXPECT_EQ(text, c.kept);
  }
}

TEST(SettingsChoice, FieldNamesPickThePagesChoices) {
  SettingsPage page;
  EXPECT_EQ(page.ChooseByFieldName("darkness", "15"), kConfigOk);
  EXPECT_EQ(page.darkness, 15);
  EXPECT_EQ(page.ChooseByFieldName("Peel", "2"), kConfigOk);
  EXPECT_EQ(page.peel, 1);
  for (auto [name, value] : {std::pair{"Darkness", "21"}, {"Peel", "1"}, {"IPAddress", "1.2.3.4"},
                             {"Nope", "1"}, {"DetectLrThreshold", "10"},
                             {"HorizontalOffset", "1.2.3"}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(page.ChooseByFieldName(name, value), kSettingsChoiceInvalid);
  }
  EXPECT_EQ(page.ChooseByFieldName("MediaSensorType", "1"), kConfigOk);
  EXPECT_EQ(page.ChooseByFieldName("DetectLrThreshold", "10"), kConfigOk);
  EXPECT_EQ(page.threshold, 8);
}

}  // namespace
}  // namespace vidodez
