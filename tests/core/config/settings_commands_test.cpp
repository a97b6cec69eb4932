#include "core/config/settings_commands.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_lists.h"

namespace vidodez {
namespace {

// Fields 0..n-1 of a reply, each the last digit of its position (fits every
// slot), the addresses (17-19) "1.2.3." and that digit, field 27 given apart.
std::string Fields(int n, const std::string& field27 = "ABCDEFGHIJKLMN") {
  std::string text;
  for (int i = 0; i < n; ++i) {
    if (i > 0) text += '*';
    if (i >= 17 && i <= 19) text += "1.2.3.";
    text += i == 27 ? field27 : std::to_string(i % 10);
  }
  return text;
}

TEST(SettingsCommand, CarriesExactlyTheFieldsThePrinterHas) {
  for (int count : {32, 35, 39, 40, 41}) {
    SCOPED_TRACE(count);
    PrinterSettingsRecord record;
    int field_count = kSettingsReadPending;
    ASSERT_EQ(kConfigOk,
              ParseSettingsReply("^G1\r\nS*" + Fields(count) + "*E\r\n", &record, &field_count));
    EXPECT_EQ(count, field_count);
    std::string line;
    ASSERT_EQ(kConfigOk, BuildSettingsCommand(record, field_count, &line));
    int sent = count >= 40 ? 40 : count >= 39 ? 39 : 32;
    EXPECT_EQ("#PS>S*" + Fields(sent) + "*E", line);
    std::vector<std::string> values;
    ASSERT_TRUE(ParseSettingsCommand(line, &values));
    ASSERT_EQ(static_cast<size_t>(sent), values.size());
    EXPECT_EQ("ABCDEFGHIJKLMN", values[27]);
    EXPECT_EQ(std::to_string((sent - 1) % 10), values.back());
  }
}

// The printer's side takes only a whole line of a count some printer has.
TEST(SettingsCommand, ParsedBackOnlyWhenWhole) {
  const std::string values32 = Fields(32);
  for (const std::string& line :
       {"#PS>S*" + Fields(31) + "*E", "#PS>S*" + Fields(33) + "*E", "#PS>S*" + Fields(41) + "*E",
        "#PS>S*" + values32, "#PS>S" + values32 + "*E", "PS>S*" + values32 + "*E",
        "#PS>S*" + values32 + "*E\r", std::string("#PS>S*E"), std::string()}) {
    SCOPED_TRACE(line);
    std::vector<std::string> values{"kept"};
    EXPECT_FALSE(ParseSettingsCommand(line, &values));
    EXPECT_EQ(std::vector<std::string>{"kept"}, values);
  }
}

TEST(SettingsReply, Field27IsSplitAndJoinedBack) {
  struct Case {
    const char* value;
    const char* head;
    const char* tail;
    const char* sent;
  } cases[] = {
      {"ABCDEFGHIJKLMN", "ABCDEFGH", "IJKLMN", "ABCDEFGHIJKLMN"},
      {"ABCDEFGHIJ", "ABCDEFGH", "IJ", "ABCDEFGHIJ"},  // short: no character sent twice
      {"ABC", "ABC", "", "ABC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    PrinterSettingsRecord record;
    int count = 0;
    ASSERT_EQ(kConfigOk,
              ParseSettingsReply("S*" + Fields(32, c.value) + "*E\r\n", &record, &count));
    EXPECT_EQ(c.head, record.Field27Head.view());
    EXPECT_EQ(c.tail, record.Field27Tail.view());
    std::string line;
    ASSERT_EQ(kConfigOk, BuildSettingsCommand(record, count, &line));
    EXPECT_NE(std::string::npos, line.find(std::string("*6*") + c.sent + "*8*"));
  }
}

TEST(SettingsCommand, NeverSendsALineWithoutKnownSettings) {
  PrinterSettingsRecord record;
  std::string line = "keep";
  for (int count : {kSettingsReadPending, kSettingsNotKnown, 0, 31}) {
    SCOPED_TRACE(count);
    EXPECT_EQ(kSettingsCountUnknown, BuildSettingsCommand(record, count, &line));
  }
  record.Darkness.Set("1*");  // from a file: would shift every later field
  EXPECT_EQ(kSettingsValueUnsendable, BuildSettingsCommand(record, 40, &line));
  record.Darkness.Set("1\n");
  EXPECT_EQ(kSettingsValueUnsendable, BuildSettingsCommand(record, 40, &line));
  EXPECT_EQ("keep", line);
}

// A reply without both markers is no settings read. A value longer than its
// slot was cut to it (a 20-digit darkness read as "99"), and one out of form
// taken ("*" in an address shifted every field after it): such a reply is no
// settings read either, and the record stays.
TEST(SettingsReply, ValuesOutOfFormAreRefusedNotCut) {
  // Fields(32) with field `at` replaced.
  auto with = [](size_t at, const std::string& value) {
    std::string fields = Fields(32);
    size_t start = 0;
    for (size_t i = 0; i < at; ++i) start = fields.find('*', start) + 1;
    return "S*" + fields.replace(start, fields.find('*', start) - start, value) + "*E\r\n";
  };
  struct Case {
    std::string reply;
    int code;
  } cases[] = {
      {"", kSettingsReplyEmpty},
      {"S*" + Fields(40) + "*E", kSettingsReplyUnmarked},  // no CR LF after "*E"
      {"S*" + Fields(40) + "*E\n", kSettingsReplyUnmarked},
      {Fields(40) + "*E\r\n", kSettingsReplyUnmarked},
      {"*E\r\nS*" + Fields(40), kSettingsReplyUnmarked},  // markers the wrong way round
      {"S*E\r\n", kSettingsReplyUnmarked},
      {with(0, "12345"), kSettingsReplyUnfit},
      {with(3, std::string(20, '9')), kSettingsReplyUnfit},
      {with(3, " 10"), kSettingsReplyUnfit},
      {with(17, "*"), kSettingsReplyUnfit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    PrinterSettingsRecord record;
    record.Darkness.Set("15");
    int count = 39;
    EXPECT_STREQ(ConfigCodeName(c.code),
                 ConfigCodeName(ParseSettingsReply(c.reply, &record, &count)));
    EXPECT_EQ("15", record.Darkness.view());
    EXPECT_EQ(39, count);
  }
}

TEST(SignedOffset, TextIsFourCharacters) {
  struct Case {
    int dots;
    const char* text;
  } cases[] = {{12, "0012"}, {-12, "-012"}, {0, "0000"}, {9999, "9999"}, {-999, "-999"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dots);
    std::string text;
    ASSERT_EQ(kConfigOk, SignedOffsetText(c.dots, &text));
    EXPECT_EQ(c.text, text);
    int back = 1;
    ASSERT_TRUE(ParseSignedOffset(text, &back));
    EXPECT_EQ(c.dots, back);
  }
  std::string text;
  EXPECT_EQ(kSettingsValueOutOfRange, SignedOffsetText(10000, &text));  // would be cut to 1000
  EXPECT_EQ(kSettingsValueOutOfRange, SignedOffsetText(-1000, &text));
  int dots;
  EXPECT_FALSE(ParseSignedOffset("", &dots));
  EXPECT_FALSE(ParseSignedOffset("1x", &dots));
}

TEST(Threshold, GoesToTheSelectedSensorsSlot) {
  PrinterSettingsRecord record;
  ASSERT_EQ(kConfigOk, ThresholdToRecord(&record, 1, 10));
  EXPECT_EQ("12", record.DetectLrThreshold.view());
  ASSERT_EQ(kConfigOk, ThresholdToRecord(&record, -1, 0));  // no sensor chosen: transmissive
  EXPECT_EQ("02", record.DetectTrThreshold.view());
  EXPECT_EQ(kSettingsValueOutOfRange, ThresholdToRecord(&record, 2, 23));
  EXPECT_TRUE(record.DetectUrThreshold.empty());
  EXPECT_EQ(10, ThresholdFromRecord(record, 1));
  EXPECT_EQ(0, ThresholdFromRecord(record, 0));
  for (const char* bad : {"", "x", "01", "25"}) {
    SCOPED_TRACE(bad);
    record.DetectUrThreshold.Set(bad);
    EXPECT_EQ(kNoSelection, ThresholdFromRecord(record, 2));
  }
}

TEST(CalibrationLength, ZeroPaddedToFourDigits) {
  std::string text;
  ASSERT_EQ(kConfigOk, CalibrationLengthText(5, &text));
  EXPECT_EQ("0005", text);
  std::string command;
  ASSERT_EQ(kConfigOk, BuildCalibrationLengthCommand("5", &command));
  EXPECT_EQ("#UM>SL0005", command);  // not "#UM>SL   5"
  ASSERT_EQ(kConfigOk, BuildCalibrationLengthCommand("0100", &command));
  EXPECT_EQ("#UM>SL0100", command);
  for (const char* bad : {"", "12345", " 5", "a"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(kSettingsValueOutOfRange, BuildCalibrationLengthCommand(bad, &command));
  }
  EXPECT_EQ(kSettingsValueOutOfRange, CalibrationLengthText(10000, &text));
}

// A slot listed twice would leave another one out of every line; the
// field-count table cannot see it when the two positions end in one digit.
TEST(RecordFields, EveryFieldHasOneSlotAndOneName) {
  const auto& fields = RecordFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    SCOPED_TRACE(fields[i].name);
    EXPECT_EQ(&fields[i], FindRecordField(fields[i].name));
    for (size_t j = i + 1; j < fields.size(); ++j) EXPECT_NE(fields[i].slot, fields[j].slot);
  }
  EXPECT_EQ(&fields[3], FindRecordField("darkness"));
  EXPECT_EQ(nullptr, FindRecordField("Dark"));
}

}  // namespace
}  // namespace vidodez
