#include "core/config/settings_ini.h"

#include <gtest/gtest.h>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A 41-field printer's settings, saved to x.ini before each case.
class SettingsIni : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string reply =
        "S*1*0*0*10*04*0*1.52*VT41-0152*0*2*0*01*00*0*0*0*0*192.168.1.100*255.255.255.0*"
        "192.168.1.1*9100*0008*-012*0000*0000*0000*0000*00112233445566*000000*1*000*0000*0*10*1*"
        "0100*"
        "0*12*12*1*0*E\r\n";
    ASSERT_EQ(kConfigOk, ParseSettingsReply(reply, &record_, &count_));
    ASSERT_EQ(kConfigOk, SaveSettingsFile(path_, count_, record_, op_, "eng"));
    file_ = ReadFileBytes(path_);
  }

  test::TempDir dir_;
  std::string path_ = dir_.File("x.ini");
  PrinterSettingsRecord record_;
  int count_ = 0;
  test::ScriptedOperator op_;
  std::string file_;
};

TEST_F(SettingsIni, SavedFileLoadsBackToTheSameLine) {
  EXPECT_EQ(0u, file_.find("[Machine Language]\r\nMLValue=1\r\n[Print Method]\r\nPMValue=0\r\n"));
  EXPECT_NE(std::string::npos, file_.find("[Vertical Offset]\r\nVerOffsetValue=-012\r\n"));
  EXPECT_NE(std::string::npos, file_.find("[PrintingBlank]\r\nPrintingBlankValue=0\r\n["
                                          "CalibrationLen]\r\nCalibrationLenValue=0100\r\n"));
  EXPECT_EQ(31u, Count(file_, "["));      // 31 sections
  EXPECT_EQ(30u, Count(file_, "\r\n["));  // no blank line between them
  EXPECT_EQ(0u, Count(file_, "\n\r"));
  EXPECT_EQ(std::string::npos, file_.find(" ="));
  PrinterSettingsRecord loaded;
  ASSERT_EQ(kConfigOk, LoadSettingsFile(path_, count_, &loaded, op_, "eng"));
  // The fields a file does not hold come from the printer's own reply.
  using R = PrinterSettingsRecord;
  for (auto slot :
       {&R::FirmwareVersion, &R::FirmwareId, &R::CommandSetFlag, &R::ResolutionCode,
        &R::Field27Head, &R::Field27Tail, &R::Field28, &R::Field30, &R::Field31, &R::DhcpFlag}) {
    loaded.*slot = record_.*slot;
  }
  std::string want, got;
  ASSERT_EQ(kConfigOk, BuildSettingsCommand(record_, count_, &want));
  ASSERT_EQ(kConfigOk, BuildSettingsCommand(loaded, count_, &got));
  EXPECT_EQ(want, got);
  EXPECT_TRUE(op_.shown().empty());
}

TEST_F(SettingsIni, ThirtyTwoFieldFileFailsForA39FieldPrinterAtMediaHeight) {
  ASSERT_EQ(kConfigOk, SaveSettingsFile(path_, 32, record_, op_, "eng"));
  std::string file = ReadFileBytes(path_);
  EXPECT_EQ(25u, Count(file, "["));
  EXPECT_NE(std::string::npos,
            file.find("[Peeling Offset]\r\nPeelOffsetValue=0000\r\n[CalibrationLen]"));
  PrinterSettingsRecord loaded;
  SettingsFileEntry missing{};
  EXPECT_EQ(kSettingsEntryMissing, LoadSettingsFile(path_, 39, &loaded, op_, "eng", &missing));
  EXPECT_STREQ("MediaHeight", missing.section);
  EXPECT_EQ("0008", loaded.HorizontalOffset.view());  // read before the stop
  EXPECT_EQ(kConfigOk, LoadSettingsFile(path_, 32, &loaded, op_, "eng"));
}

TEST_F(SettingsIni, MissingOrEmptyEntriesStopTheLoadButCalibrationLenIsOptional) {
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
    std::string changed = file_;
    changed.replace(changed.find(c.from), c.from.size(), c.to);
    WriteFileBytes(dir_.File("y.ini"), changed);
    PrinterSettingsRecord loaded;
    loaded.CalibrationLen.Set("0042");
    EXPECT_STREQ(ConfigCodeName(c.code),
                 ConfigCodeName(LoadSettingsFile(dir_.File("y.ini"), count_, &loaded, op_, "eng")));
    if (c.code == kConfigOk) {
      EXPECT_EQ("0042", loaded.CalibrationLen.view());
    }
  }
  EXPECT_TRUE(op_.shown().empty());
}

TEST_F(SettingsIni, FailuresShowTheFileMessageAndASaveReplacesTheOldFile) {
  PrinterSettingsRecord loaded;
  EXPECT_EQ(kSettingsFileUnreadable,
            LoadSettingsFile(dir_.File("none.ini"), 40, &loaded, op_, "chi"));
  EXPECT_EQ(kSettingsFileUnwritable,
            SaveSettingsFile(dir_.File("no/x.ini"), count_, record_, op_, "eng"));
  ASSERT_EQ(2u, op_.shown().size());
  EXPECT_EQ(1, op_.shown()[0].index);
  EXPECT_EQ("找不到配置文件 " + dir_.File("none.ini") + " ，请确认其路径。", op_.shown()[0].text);
  EXPECT_EQ(2, op_.shown()[1].index);
  WriteFileBytes(path_, "old");
  ASSERT_EQ(kConfigOk, SaveSettingsFile(path_, count_, record_, op_, "eng"));
  EXPECT_EQ(file_, ReadFileBytes(path_));
}

}  // namespace
}  // namespace vidodez
