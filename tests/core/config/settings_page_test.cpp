// The settings page's operations against a simulated printer, checked on the
// wire byte for byte and by the messages the operator was shown.

#include "core/config/settings_page.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_input.h"
#include "core/config/settings_page_texts.h"
#include "core/link/port_codes.h"
#include "support/expect_code.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

int Index(SettingsText text) { return static_cast<int>(text); }

constexpr char kRead[] = "^G1\r\n\r\n";
// The read before a send: asked twice, so a late answer cannot pass for it.
constexpr char kSendRead[] = "^G1\r\n\r\n^G1\r\n\r\n";
// What the simulated printer reports, sent back as the program builds it.
constexpr char kFactoryLine41[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
    "0100*0*12*12*1*E\r\n";
constexpr char kFactoryLine32[] =
    "#PS>S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
    "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*E\r\n";

sim::PrinterOptions Options(int fields, sim::ReplyMode reply_mode) {
  sim::PrinterOptions options;
  options.fields = fields;
  options.reply_mode = reply_mode;
  return options;
}

// A page pointed at one simulated printer on a bus of its own.
struct Bench {
  explicit Bench(int fields = 41, sim::ReplyMode reply_mode = sim::ReplyMode::kNormal)
      : Bench(Options(fields, reply_mode)) {}
  explicit Bench(sim::PrinterOptions options) : printer(bus.AddPrinter(std::move(options))) {
    page.printer = "USB01 [MarliXPrinters VT-4100]\n";
  }
  std::vector<int> Shown() const {
    std::vector<int> shown;
    for (const auto& m : op.shown()) shown.push_back(m.index);
    return shown;
  }
  // The printer's own cutter, peel and tear-off fields.
  std::string Modes() {
    std::string modes;
    printer.WithModel([&](sim::PrinterModel& model) {
      const auto& s = model.settings();
      modes = "cut=" + s[10] + " peel=" + s[13] + " tear=" + s[29];
    });
    return modes;
  }

  test::SimBus bus;
  CPrinterComm comm{bus.usb()};
  sim::SimPrinter& printer;
  test::ScriptedOperator op;
  SettingsPage page;
};

TEST(SettingsPage, BlankPageSendsThePrintersOwnValuesBackOnlyWhenNotPrinting) {
  struct Case {
    int fields;
    const char* line;
    int status;  // -1: no status known, the send goes on
  } cases[] = {{41, kFactoryLine41, -1}, {32, kFactoryLine32, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    Bench b(c.fields);
    EXPECT_EQ(b.page.SendSettings(b.comm, b.op, 2), kSettingsPrinterNotReady);
    EXPECT_TRUE(b.printer.Wire().empty());
    EXPECT_EQ(b.Shown(), std::vector<int>{Index(SettingsText::kNotReady)});
    ASSERT_EQ(b.page.RetrieveFromPrinter(b.comm, b.op), kConfigOk);
    b.page.darkness = 3;  // edited, then reset
    b.page.ResetAll();
    EXPECT_EQ(b.page.darkness, kNoSelection);
    EXPECT_EQ(b.page.SendSettings(b.comm, b.op, c.status), kConfigOk);
    EXPECT_WIRE(b.printer, std::string(kRead) + kSendRead + c.line);
    EXPECT_EQ(b.op.countdowns(), std::vector<int>{9});
  }
}

TEST(SettingsPage, CalibrationLengthTravelsApartOnlyOn32Fields) {
  Bench short_printer(32), printer39(39);
  for (Bench* b : {&short_printer, &printer39}) {
    b->comm.SetUnit(2);  // millimetres
    b->page.unit = 2;
    b->page.calibration_length = "5";
    ASSERT_EQ(b->page.SendSettings(b->comm, b->op, 0), kConfigOk);
  }
  EXPECT_WIRE(short_printer.printer, std::string(kSendRead) + "#UM>SL0005\r\n" + kFactoryLine32);
  std::string wire = printer39.printer.WireText();
  EXPECT_EQ(wire.find("#UM>SL"), std::string::npos);
  EXPECT_NE(wire.find("*0*10*1*0005*0*12*12*E"), std::string::npos) << wire;
}

TEST(SettingsPage, ReplyWithoutEndMarkerIsAFailedReadAndSendsNothing) {
  Bench b(41, sim::ReplyMode::kSplit);  // the reader keeps only the first part
  EXPECT_EQ(b.page.SendSettings(b.comm, b.op, 0), kSettingsReplyUnmarked);
  EXPECT_WIRE(b.printer, kSendRead);
  EXPECT_EQ(b.Shown(), std::vector<int>{Index(SettingsText::kReplyHoldsNoSettings)});
  EXPECT_EQ(b.page.field_count, kSettingsReadPending);
}

// The first threshold of the list is a choice like the others.
TEST(SettingsPage, FirstThresholdOfTheListIsSent) {
  Bench b;
  b.page.threshold = 0;
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  ASSERT_EQ(b.page.RetrieveFromPrinter(b.comm, b.op), kConfigOk);
  EXPECT_EQ(b.page.threshold, 0);
}

TEST(SettingsPage, OffsetsShownInTheDisplayUnitAndSentAsDots) {
  Bench b;
  struct Case {
    int unit;
    const char* horizontal;  // 0008 on a 203 dpi printer
    const char* vertical;    // -012
  } cases[] = {{0, "8", "-12"}, {2, "1.00", "-1.50"}, {1, "0.039", "-0.059"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit);
    b.comm.SetUnit(c.unit);
    ASSERT_EQ(b.page.RetrieveFromPrinter(b.comm, b.op), kConfigOk);
    EXPECT_EQ(b.page.horizontal_offset, c.horizontal);
    EXPECT_EQ(b.page.vertical_offset, c.vertical);
  }
  b.page.ResetAll();
  b.comm.SetUnit(2);
  b.page.unit = 2;
  b.page.tear_offset = "1.00";
  b.page.peeling_offset = "-1.5";
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  std::string wire = b.printer.WireText();
  // tear-off 23 and peel 26: 8 dots and -12 dots.
  EXPECT_NE(wire.find("*0008*-012*0008*0000*0000*-012*0011"), std::string::npos) << wire;
}

TEST(SettingsPage, SendTimeModeChecksAgainstThePrintersOwnModes) {
  Bench b;
  b.page.peel = 1;  // put the printer into peel mode first
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  ASSERT_EQ(b.Modes(), "cut=0 peel=2 tear=1");
  size_t before = b.printer.Wire().size();

  // Cutting while the printer peels asks first; cancelled, nothing is written.
  b.page.ResetAll();
  b.page.cutter = 1;
  b.op.AnswerConfirm(false);
  EXPECT_EQ(b.page.SendSettings(b.comm, b.op, 0), kSettingsCancelled);
  EXPECT_EQ(b.printer.WireText().substr(before), kSendRead);
  EXPECT_EQ(b.page.cutter, 0);
  EXPECT_EQ(b.page.peel, 1);
  EXPECT_EQ(b.Shown().back(), Index(SettingsText::kPrinterPeelBlocksCut));

  b.page.ResetAll();
  b.page.cutter = 1;
  b.op.AnswerConfirm(true);
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  EXPECT_EQ(b.Modes(), "cut=1 peel=0 tear=1");
  EXPECT_EQ(b.page.peel, 0);
  EXPECT_EQ(b.page.tear, 1);

  // Tear-off disabled while the printer cuts turns its cutter off.
  b.page.ResetAll();
  b.page.tear = 0;
  b.op.AnswerConfirm(true);
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  EXPECT_EQ(b.Modes(), "cut=0 peel=0 tear=0");
  EXPECT_EQ(b.page.cutter, 0);
}

TEST(SettingsPage, PageInterlocksKeepCutAndPeelApart) {
  SettingsPage page;
  test::ScriptedOperator op;
  page.cutter = 1;
  page.peel = 1;
  op.AnswerConfirm(false);
  EXPECT_CODE(kSettingsCancelled, page.OnPeelEnabled(op, "eng"));
  EXPECT_EQ(page.cutter, 1);
  EXPECT_EQ(page.peel, 0);

  page.peel = 1;
  op.AnswerConfirm(true);
  EXPECT_CODE(kConfigOk, page.OnPeelEnabled(op, "eng"));
  EXPECT_EQ(page.cutter, 0);
  EXPECT_EQ(page.peel, 1);
  EXPECT_EQ(page.tear, 1);

  page.tear = 0;
  op.AnswerConfirm(false);
  EXPECT_CODE(kSettingsCancelled, page.OnTearDisabled(op, "eng"));
  EXPECT_EQ(page.tear, 1);
  EXPECT_EQ(page.peel, 1);
  page.cutter = 1;
  page.peel = 0;
  op.AnswerConfirm(true);
  EXPECT_CODE(kConfigOk, page.OnTearDisabled(op, "eng"));
  EXPECT_EQ(page.cutter, 0);

  page.after_error = 0;
  op.AnswerConfirm(false);
  EXPECT_CODE(kSettingsCancelled, page.OnPrintNextChosen(op, "chi"));
  EXPECT_EQ(page.after_error, 1);
  EXPECT_EQ(op.shown().back().text,
            "选择“仅续打”,按取消/复位键续打，按“进纸/"
            "测纸”补打功能无效。如果您已了解此功能，请确认，否则请取消！");
}

TEST(SettingsPage, UpperReflectiveOffModelStopsTheSend) {
  Bench b;
  test::TempDir dir;
  b.page.model_list_path = dir.File("MARLIX.dat");
  test::WriteFileBytes(b.page.model_list_path, "VT-9000\r\n\r\n");
  b.page.sensor_type = kSensorUpperReflective;
  EXPECT_CODE(kSettingsModelNotSupported, b.page.OnSensorTypeChosen(b.op, "eng"));
  EXPECT_EQ(b.page.sensor_type, kSensorUpperReflective);  // the entry stays
  EXPECT_EQ(b.page.SendSettings(b.comm, b.op, 0), kSettingsModelNotSupported);
  EXPECT_WIRE(b.printer, kSendRead);
  EXPECT_EQ(b.Shown(), (std::vector<int>{Index(SettingsText::kUpperReflectiveUnsupported),
                                         Index(SettingsText::kUpperReflectiveUnsupported)}));

  b.page.model_list_path = dir.File("missing.dat");
  EXPECT_FALSE(b.page.CheckUpperReflectiveModel(b.op, "eng"));
  EXPECT_EQ(b.Shown().back(), Index(SettingsText::kModelListMissing));
  EXPECT_EQ(UpperReflectiveModelName("USB01 [QUORINPrinters VT-4100]\n"), " VT-4100");
}

TEST(SettingsPage, ClearBufferAsksAndTellsToReboot) {
  Bench b;
  EXPECT_EQ(b.page.ClearBuffer(b.comm, b.op), kSettingsCancelled);
  EXPECT_TRUE(b.printer.Wire().empty());
  b.op.AnswerConfirm(true);
  EXPECT_EQ(b.page.ClearBuffer(b.comm, b.op), kConfigOk);
  ASSERT_EQ(b.page.MediaCalibration(b.comm, b.op), kConfigOk);
  ASSERT_EQ(b.page.PrintTestPage(b.comm, b.op), kConfigOk);
  ASSERT_EQ(b.page.RestoreFactorySettings(b.comm, b.op), kConfigOk);
  EXPECT_WIRE(b.printer, "^z\r\nMD\r\nU\r\n#UM>IF\r\n");
  EXPECT_EQ(b.Shown(), (std::vector<int>{Index(SettingsText::kConfirmClearBuffer),
                                         Index(SettingsText::kConfirmClearBuffer),
                                         Index(SettingsText::kRebootToTakeEffect)}));
}

TEST(SettingsPage, IniFileOn32FieldsSendsLengthAfterTheLine) {
  Bench b(32);
  test::TempDir dir;
  std::string path = dir.File("x.ini");
  b.op.AnswerFile(path);
  ASSERT_EQ(b.page.SaveSettingsToFile(b.comm, b.op), kConfigOk);
  // A 32-field printer does not report its length: the file brings one.
  std::string text = test::ReadFileBytes(path);
  size_t at = text.find("[CalibrationLen]");
  ASSERT_NE(at, std::string::npos) << text;
  test::WriteFileBytes(path,
                       text.substr(0, at) + "[CalibrationLen]\r\nCalibrationLenValue=0150\r\n");
  b.op.AnswerFile(path);
  ASSERT_EQ(b.page.LoadSettingsFromFile(b.comm, b.op), kConfigOk);
  EXPECT_WIRE(b.printer, std::string(kRead) + kSendRead + kFactoryLine32 + "#UM>SL0150\r\n");
  EXPECT_EQ(b.op.file_dialogs().at(0).pattern, "*.ini");

  // A file that lacks an entry stops before anything is sent.
  test::WriteFileBytes(path, "[Machine Language]\r\nMLValue=\r\n");
  b.op.AnswerFile(path);
  EXPECT_EQ(b.page.LoadSettingsFromFile(b.comm, b.op), kSettingsEntryMissing);
  EXPECT_EQ(b.Shown().back(), Index(SettingsText::kIniLoadFailed));
}

// Catches a page that converts with the unit it was built in rather than
// the one the link holds now: 8 dots shown under "mm", or 2 mm sent as 2 dots.
TEST(SettingsPage, ConvertsWithTheLinksUnitWheneverItChanged) {
  Bench b;
  b.page.unit = 0;
  b.comm.SetUnit(2);
  ASSERT_EQ(b.page.RetrieveFromPrinter(b.comm, b.op), kConfigOk);
  EXPECT_EQ(b.page.horizontal_offset, "1.00");
  b.page.vertical_offset = "2";
  b.comm.SetUnit(0);  // changed on the system page meanwhile
  ASSERT_EQ(b.page.SendSettings(b.comm, b.op, 0), kConfigOk);
  EXPECT_EQ(b.page.vertical_offset, "16");
  EXPECT_NE(b.printer.WireText().find("*0008*0016*0000*"), std::string::npos)
      << b.printer.WireText();
}

// Catches typed numbers that wrap into other values (1e20 dots sent as
// -001, 2^32 as 0000, "060" ms cut to "06") and a refusal that sends
// anything or does not name the field and its range in the typed unit.
TEST(SettingsPage, TypedNumbersOutOfRangeAreRefusedAndNothingIsSent) {
  struct Case {
    int unit;
    SettingsEdit edit;
    const char* typed;
    const char* told;  // null: sent
  } cases[] = {
      {0, SettingsEdit::kHorizontalOffset, "100000000000000000000",
       "HorizontalOffset: out of range; allowed -999 ~ 9999 Dot."},
      {0, SettingsEdit::kHorizontalOffset, "4294967296",
       "HorizontalOffset: out of range; allowed -999 ~ 9999 Dot."},
      {0, SettingsEdit::kVerticalOffset, "-1000",
       "VerticalOffset: out of range; allowed -999 ~ 9999 Dot."},
      {2, SettingsEdit::kPeelingOffset, "1252",
       "PeelingOffset: out of range; allowed -125.00 ~ 1251.11 mm."},
      {1, SettingsEdit::kCalibrationLength, "9999",
       "CalibrationLen: out of range; allowed 0 ~ 393.66 Inch."},
      {0, SettingsEdit::kBladeStopDelay, "060", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Bench b;
    b.comm.SetUnit(c.unit);
    b.page.unit = c.unit;
    b.page.Edit(c.edit) = c.typed;
    int rc = b.page.SendSettings(b.comm, b.op, 0);
    if (c.told == nullptr) {
      EXPECT_EQ(rc, kConfigOk);
      EXPECT_NE(b.printer.WireText().find("*0*01*60*0*"), std::string::npos)
          << b.printer.WireText();
      continue;
    }
    EXPECT_EQ(rc, kSettingsValueOutOfRange);
    EXPECT_WIRE(b.printer, kSendRead);
    ASSERT_FALSE(b.op.shown().empty());
    EXPECT_EQ(b.op.shown().back().text, c.told);
  }
}

// Catches a settings file whose impossible values reach the printer, and a
// refusal that does not name the entry.
TEST(SettingsPage, IniFileWithImpossibleValuesIsRefusedByKey) {
  Bench b;
  test::TempDir dir;
  std::string path = dir.File("x.ini");
  b.op.AnswerFile(path);
  ASSERT_EQ(b.page.SaveSettingsToFile(b.comm, b.op), kConfigOk);
  const std::string saved = test::ReadFileBytes(path);
  struct Case {
    const char* from;
    std::string to;
    const char* told;
  } cases[] = {
      {"DarkValue=10", "DarkValue=ZZ", "[Darkness] DarkValue"},
      {"DarkValue=10", "DarkValue=21", "[Darkness] DarkValue"},
      {"IPValue=192.168.1.100", "IPValue=999.999.999.999", "[IPAddress] IPValue"},
      {"PeelValue=0", "PeelValue=1", "[Peel] PeelValue"},
      {"HorOffsetValue=0008", "HorOffsetValue=00008", "[Horizontal Offset] HorOffsetValue"},
      {"PMValue=0", "PMValue=\xff\xfe\x80", "[Print Method] PMValue"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    std::string file = saved;
    file.replace(file.find(c.from), std::string(c.from).size(), c.to);
    test::WriteFileBytes(path, file);
    const size_t before = b.printer.Wire().size();
    b.op.AnswerFile(path);
    EXPECT_EQ(b.page.LoadSettingsFromFile(b.comm, b.op), kSettingsFileValueInvalid);
    EXPECT_EQ(b.printer.WireText().substr(before), kSendRead);
    EXPECT_EQ(b.op.shown().back().text, std::string("The settings file holds a value that ") +
                                            c.told + " cannot take; nothing was sent.");
  }
}

// Catches a reply parsed out of place (an address holding "*") being written
// back shifted, while fields past the known ones stay the printer's own.
TEST(SettingsPage, ReplyWhoseFieldsDoNotFitIsNotSentBack) {
  struct Case {
    size_t field;  // of the printer's 41
    const char* value;
    const char* unfit;  // null: sent
  } cases[] = {
      {17, "192.*168.1.100", "IPAddress"},
      {3, "1O", "Darkness"},
      {21, "00008", "HorizontalOffset"},
      {40, "*x*", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    test::TempDir state;
    sim::PrinterOptions options = Options(41, sim::ReplyMode::kNormal);
    options.state_dir = state.path();
    std::vector<std::string> fields = sim::PrinterModel(options).settings();
    fields[c.field] = c.value;
    std::string lines;
    for (const std::string& field : fields) lines += field + "\n";
    test::WriteFileBytes(state.File("SIM0001.settings"), lines);
    Bench b(options);
    b.page.darkness = 3;
    int rc = b.page.SendSettings(b.comm, b.op, 0);
    if (c.unfit == nullptr) {
      EXPECT_EQ(rc, kConfigOk);
      EXPECT_NE(b.printer.WireText().find("#PS>S*1*0*0*03*"), std::string::npos);
      continue;
    }
    EXPECT_EQ(rc, kSettingsReplyUnfit);
    EXPECT_WIRE(b.printer, kSendRead);
    ASSERT_FALSE(b.op.shown().empty());
    EXPECT_EQ(b.op.shown().back().text,
              std::string("The printer's settings do not have the expected "
                          "form at ") +
                  c.unfit + "; nothing was sent. Restart the printer and try again.");
  }
}

// Catches a field named on the command line that this printer does not
// have being dropped silently, and a value given back that the page cannot
// change being sent as if accepted.
TEST(SettingsPage, NamedFieldsThePrinterDoesNotCarryStopTheSend) {
  struct Case {
    int fields;
    const char* name;
    const char* value;
    int code;
  } cases[] = {
      {32, "MediaHeight", "1", kSettingsFieldNotCarried},
      {32, "CalibrationLen", "75", kConfigOk},  // sent on its own
      {41, "FirmwareVersion", "1.52", kConfigOk},
      {41, "FirmwareVersion", "9.99", kSettingsChoiceInvalid},
      {41, "FieldCount", "32", kSettingsChoiceInvalid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    Bench b(c.fields);
    ASSERT_EQ(b.page.ChooseByFieldName(c.name, c.value, b.op, "eng"), kConfigOk);
    EXPECT_EQ(b.page.SendSettings(b.comm, b.op, 0), c.code);
    if (c.code == kConfigOk) continue;
    EXPECT_WIRE(b.printer, kSendRead);
    EXPECT_NE(b.op.shown().back().text.find(c.name), std::string::npos);
  }
}

TEST(SettingsPage, AutoReadRunsOnceWhenArmed) {
  Bench b(39);
  EXPECT_CODE(kConfigOk, b.page.AutoReadOnStatus(b.comm, b.op, -2));  // no printer: nothing known
  EXPECT_CODE(kConfigOk, b.page.AutoReadOnStatus(b.comm, b.op, 0));
  EXPECT_TRUE(b.printer.Wire().empty());
  EXPECT_CODE(kConfigOk, b.page.AutoReadOnStatus(b.comm, b.op, -1));  // a failed status re-arms
  EXPECT_CODE(kConfigOk, b.page.AutoReadOnStatus(b.comm, b.op, 0));
  EXPECT_CODE(kConfigOk, b.page.AutoReadOnStatus(b.comm, b.op, 0));
  EXPECT_WIRE(b.printer, kRead);
  EXPECT_EQ(b.page.field_count, 39);
  EXPECT_TRUE(b.page.extended_enabled);
  EXPECT_TRUE(b.op.shown().empty());
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
    // The page keeps the same text, and says why only what it refused.
    SettingsPage page;
    test::ScriptedOperator op;
    page.Edit(c.edit) = c.typed;
    const bool digits = c.result == kInputRefusedDigits, sign = c.result == kInputRefusedSigned;
    EXPECT_CODE(digits || sign ? kSettingsChoiceInvalid : kConfigOk,
                page.OnEditChanged(c.edit, op, "eng"));
    EXPECT_EQ(page.Edit(c.edit), c.kept);
    std::vector<int> said;
    for (const auto& m : op.shown()) said.push_back(m.index);
    std::vector<int> why;
    if (digits) why.push_back(Index(SettingsText::kInvalidDigits));
    if (sign) why.push_back(Index(SettingsText::kInvalidSigned));
    EXPECT_EQ(said, why);
  }
}

// Catches a number given by name that is cut down or wrapped instead of
// refused, a refusal that does not say which field and what it takes, and a
// threshold that lands in another sensor's field.
TEST(SettingsChoice, FieldNamesPickThePagesChoicesOrSayWhyNot) {
  SettingsPage page;
  test::ScriptedOperator op;
  EXPECT_EQ(page.ChooseByFieldName("darkness", "15", op, "eng"), kConfigOk);
  EXPECT_EQ(page.darkness, 15);
  EXPECT_EQ(page.ChooseByFieldName("Peel", "2", op, "eng"), kConfigOk);
  EXPECT_EQ(page.peel, 1);
  EXPECT_EQ(page.ChooseByFieldName("DetectLrThreshold", "10", op, "eng"), kConfigOk);
  EXPECT_EQ(page.sensor_thresholds[kSensorLowerReflective], 8);
  EXPECT_EQ(page.threshold, kNoSelection);
  EXPECT_EQ(page.ChooseByFieldName("CutterStopPosition", "060", op, "eng"), kConfigOk);
  EXPECT_TRUE(op.shown().empty());
  struct Case {
    const char* name;
    const char* value;
    int code;
    const char* told;
  } cases[] = {
      {"Darkness", "21", kSettingsChoiceInvalid,
       "Darkness: not a value this setting takes; allowed 0 ~ 20."},
      {"Peel", "1", kSettingsChoiceInvalid, "Peel: not a value this setting takes; allowed 0, 2."},
      {"CutterStopPosition", "75", kSettingsValueOutOfRange,
       "CutterStopPosition: out of range; allowed 0 ~ 60."},
      {"CutterFrequency", "4294967296", kSettingsValueOutOfRange,
       "CutterFrequency: out of range; allowed 0 ~ 99."},
      {"Nope", "1", kSettingsChoiceInvalid, "Nope: there is no setting of this name."},
      {"HorizontalOffset", "1.2.3", kSettingsChoiceInvalid,
       "HorizontalOffset: not a number of Dot."},
      {"CalibrationLen", "-", kSettingsChoiceInvalid, "CalibrationLen: not a number of Dot."},
      {"HorizontalOffset", "2mm", kSettingsChoiceInvalid,
       "HorizontalOffset: give every length in one unit, Dot."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    EXPECT_EQ(page.ChooseByFieldName(c.name, c.value, op, "eng"), c.code);
    ASSERT_FALSE(op.shown().empty());
    EXPECT_EQ(op.shown().back().text, c.told);
  }
  EXPECT_EQ(page.darkness, 15);
}

}  // namespace
}  // namespace vidodez
