#include "core/config/settings_ini.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::ScriptedOperator;
using test::TempDir;
using test::WriteFileBytes;

PrinterSettingsRecord PrinterRecord(int* count) {
  PrinterSettingsRecord record;
  const std::string reply =
      "S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
      "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*0100*"
      "0*12*12*1*0*E\r\n";
  EXPECT_EQ(kConfigOk, ParseSettingsReply(reply, &record, count));
  return record;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(SettingsIni, SavedFileLoadsBackToTheSameLine) {
  TempDir dir;
  int count = 0;
  PrinterSettingsRecord record = PrinterRecord(&count);
  ScriptedOperator op;
  ASSERT_EQ(kConfigOk, SaveSettingsFile(dir.File("x.ini"), count, record, op, "eng"));
  std::string file = ReadFileBytes(dir.File("x.ini"));
  EXPECT_EQ(0u, file.find("[Machine Language]\r\nMLValue=1\r\n[Print Method]\r\nPMValue=0\r\n"));
  EXPECT_NE(std::string::npos, file.find("[Vertical Offset]\r\nVerOffsetValue=-012\r\n"));
  EXPECT_NE(std::string::npos,
            file.find("[PrintingBlank]\r\nPrintingBlankValue=0\r\n[CalibrationLen]\r\nCalibrationLenValue=0100\r\n"));
  EXPECT_EQ(31u, Count(file, "["));  // 31 sections
  EXPECT_EQ(30u, Count(file, "\r\n["));  // no blank line between them
  EXPECT_EQ(0u, Count(file, "\n\r"));
  EXPECT_EQ(std::string::npos, file.find(" ="));
  PrinterSettingsRecord loaded;
  ASSERT_EQ(kConfigOk, LoadSettingsFile(dir.File("x.ini"), count, &loaded, op, "eng"));
  // The fields a file does not hold come from the printer's own reply.
  loaded.FirmwareVersion = record.FirmwareVersion;
  loaded.FirmwareId = record.FirmwareId;
  loaded.CommandSetFlag = record.CommandSetFlag;
  loaded.ResolutionCode = record.ResolutionCode;
  loaded.Field27Head = record.Field27Head;
  loaded.Field27Tail = record.Field27Tail;
  loaded.Field28 = record.Field28;
  loaded.Field30 = record.Field30;
  loaded.Field31 = record.Field31;
  loaded.DhcpFlag = record.DhcpFlag;
  std::string want, got;
  ASSERT_EQ(kConfigOk, BuildSettingsCommand(record, count, &want));
  ASSERT_EQ(kConfigOk, BuildSettingsCommand(loaded, count, &got));
  EXPECT_EQ(want, got);
  EXPECT_TRUE(op.shown().empty());
}

TEST(SettingsIni, ThirtyTwoFieldFileFailsForA39FieldPrinterAtMediaHeight) {
  TempDir dir;
  int count = 0;
  PrinterSettingsRecord record = PrinterRecord(&count);
  ScriptedOperator op;
  ASSERT_EQ(kConfigOk, SaveSettingsFile(dir.File("x.ini"), 32, record, op, "eng"));
  std::string file = ReadFileBytes(dir.File("x.ini"));
  EXPECT_EQ(25u, Count(file, "["));
  EXPECT_NE(std::string::npos, file.find("[Peeling Offset]\r\nPeelOffsetValue=0000\r\n[CalibrationLen]"));
  PrinterSettingsRecord loaded;
  std::string missing;
  EXPECT_EQ(kSettingsEntryMissing, LoadSettingsFile(dir.File("x.ini"), 39, &loaded, op, "eng", &missing));
  EXPECT_EQ("MediaHeight", missing);
  EXPECT_EQ("0008", loaded.HorizontalOffset.view());  // read before the stop
  EXPECT_EQ(kConfigOk, LoadSettingsFile(dir.File("x.ini"), 32, &loaded, op, "eng"));
}

TEST(SettingsIni, MissingOrEmptyEntriesStopTheLoadButCalibrationLenIsOptional) {
  TempDir dir;
  int count = 0;
  PrinterSettingsRecord record = PrinterRecord(&count);
  ScriptedOperator op;
  ASSERT_EQ(kConfigOk, SaveSettingsFile(dir.File("x.ini"), count, record, op, "eng"));
  std::string file = ReadFileBytes(dir.File("x.ini"));
  struct Case {
    const char* name;
    std::string from;
    std::string to;
    int code;
  } cases[] = {
      {"no CalibrationLen", "[CalibrationLen]\r\nCalibrationLenValue=0100\r\n", "", kConfigOk},
      {"Key= empty", "DarkValue=10", "DarkValue=", kSettingsEntryMissing},
      {"key outside its section", "[Speed]\r\n", "", kSettingsEntryMissing},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string changed = file;
    changed.replace(changed.find(c.from), c.from.size(), c.to);
    WriteFileBytes(dir.File("y.ini"), changed);
    PrinterSettingsRecord loaded;
    loaded.CalibrationLen.Set("0042");
    EXPECT_STREQ(ConfigCodeName(c.code), ConfigCodeName(LoadSettingsFile(dir.File("y.ini"), count, &loaded, op, "eng")));
    if (c.code == kConfigOk) {
      EXPECT_EQ("0042", loaded.CalibrationLen.view());
    }
  }
  EXPECT_TRUE(op.shown().empty());
}

TEST(SettingsIni, UnreadableFileShowsTheReadersMessage) {
  TempDir dir;
  ScriptedOperator op;
  PrinterSettingsRecord record;
  EXPECT_EQ(kSettingsFileUnreadable, LoadSettingsFile(dir.File("none.ini"), 40, &record, op, "chi"));
  ASSERT_EQ(1u, op.shown().size());
  EXPECT_EQ(1, op.shown()[0].index);
  EXPECT_EQ("找不到配置文件 " + dir.File("none.ini") + " ，请确认其路径。", op.shown()[0].text);
}

TEST(SettingsIni, OldFileSurvivesFailedSave) {
  TempDir dir;
  int count = 0;
  PrinterSettingsRecord record = PrinterRecord(&count);
  ScriptedOperator op;
  EXPECT_EQ(kSettingsFileUnwritable, SaveSettingsFile(dir.File("no/x.ini"), count, record, op, "eng"));
  ASSERT_EQ(1u, op.shown().size());
  EXPECT_EQ(2, op.shown()[0].index);
  // A previous file is replaced only by a complete one.
  WriteFileBytes(dir.File("x.ini"), "old");
  ASSERT_EQ(kConfigOk, SaveSettingsFile(dir.File("x.ini"), count, record, op, "eng"));
  EXPECT_EQ(0u, ReadFileBytes(dir.File("x.ini")).find("[Machine Language]"));
}

}  // namespace
}  // namespace vidodez
