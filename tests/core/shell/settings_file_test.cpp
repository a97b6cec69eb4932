#include "core/shell/settings_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <iterator>

#include "core/shell/shell_codes.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(FindIniValue, KeyCountsOnlyInsideItsOwnFirstSection) {
  const std::string text =
      "MLValue=9\r\n[Other]\r\nMLValue=8\r\n[Machine Language]\r\nMLValue =7\r\nmlvalue=6\r\n"
      "MLValue=1\r\n[Machine Language]\r\nMLValue=5\r\n";
  struct Case {
    const char* section;
    const char* key;
    int code;
    const char* value;
  } cases[] = {
      {"Machine Language", "MLValue", kShellOk, "1"},  // not the key before any section
      {"Other", "MLValue", kShellOk, "8"},
      {"machine language", "MLValue", kSettingsSectionMissing, ""},  // exact section
      {"Other", "MLValueX", kSettingsKeyMissing, ""},
      {"Other", "mlvalue", kSettingsKeyMissing, ""},  // exact key
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    std::string value;
    EXPECT_STREQ(ShellCodeName(c.code),
                 ShellCodeName(FindIniValue(text, c.section, c.key, &value)));
    if (c.code == kShellOk) {
      EXPECT_EQ(c.value, value);
    }
  }
}

TEST(FindIniValue, OverlongLineTailIsNotALineOfItsOwn) {
  // The tail of a long value line looks like a section line; a reader that
  // cut lines into pieces would find [S] here.
  std::string text = "[A]\nK=" + std::string(300, 'x') + "[S]\n[B]\nK=2\n";
  std::string value;
  EXPECT_EQ(kSettingsSectionMissing, FindIniValue(text, "S", "K", &value));
  ASSERT_EQ(kShellOk, FindIniValue(text, "A", "K", &value));
  EXPECT_EQ(kIniMaxLineBytes - 2, value.size());
  ASSERT_EQ(kShellOk, FindIniValue(text, "B", "K", &value));
  EXPECT_EQ("2", value);
}

TEST(SettingsFile, ValueIsCutToItsSlotAndAnEmptyOneCountsAsMissing) {
  TempDir dir;
  WriteFileBytes(dir.File("a.ini"), "[Port]\nPortValue=910012\n[Darkness]\r\nDarkValue=\r\n");
  SettingsFile file;
  ASSERT_TRUE(file.OpenSettings(dir.File("a.ini"), false));
  std::string value;
  ASSERT_TRUE(file.ReadSetting("Port", "PortValue", &value, 5));
  EXPECT_EQ("9100", value);
  value = "old";
  EXPECT_FALSE(file.ReadSetting("Darkness", "DarkValue", &value, 3));
  EXPECT_EQ("old", value);
  EXPECT_EQ(kSettingsKeyMissing, file.error_code());
  EXPECT_EQ("In the settings file " + dir.File("a.ini") +
                ", section [Darkness] has no setting DarkValue.",
            file.GetSettingsErrorMessage("eng").text);
  EXPECT_EQ("配置文件 " + dir.File("a.ini") + " 中，组 [Darkness] 下无此配置参数 DarkValue 。",
            file.GetSettingsErrorMessage("chi").text);
}

TEST(SettingsFile, OpenFailuresNameTheirCause) {
  TempDir dir;
  ::mkdir(dir.File("folder").c_str(), 0700);
  struct Case {
    std::string path;
    bool writing;
    int code;
    int index;
  } cases[] = {
      {"", false, kSettingsPathEmpty, 0},
      {dir.File("none.ini"), false, kSettingsFileMissing, 1},
      {dir.File("no/such/folder.ini"), true, kSettingsCreateFailed, 2},
      {dir.File("folder"), false, kSettingsOpenFailed, 3},  // not a regular file
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    SettingsFile file;
    EXPECT_FALSE(file.OpenSettings(c.path, c.writing));
    EXPECT_STREQ(ShellCodeName(c.code), ShellCodeName(file.error_code()));
    OperatorMessage message = file.GetSettingsErrorMessage("eng");
    EXPECT_STREQ(kSettingsFileTable, message.table);
    EXPECT_EQ(c.index, message.index);
    EXPECT_EQ(std::string::npos, message.text.find("%s"));
  }
}

TEST(SettingsFile, WritesEachSectionOnceWithCrLf) {
  TempDir dir;
  SettingsFile file;
  ASSERT_TRUE(file.OpenSettings(dir.File("a.ini"), true));
  ASSERT_TRUE(file.WriteSetting("A", "K", "1"));
  ASSERT_TRUE(file.WriteSetting("B", "K", "2\r\n[C]"));  // a line end cannot add a line
  ASSERT_TRUE(file.WriteSetting("C", "K", "3"));
  ASSERT_TRUE(file.WriteSetting("A", "K", "4"));  // same section: replaced in place
  ASSERT_EQ(kShellOk, file.CloseSettings());
  EXPECT_EQ("[A]\r\nK=4\r\n[B]\r\nK=2\r\n[C]\r\nK=3\r\n", ReadFileBytes(dir.File("a.ini")));
}

TEST(SettingsFile, OldFileSurvivesFailedWrite) {
  TempDir dir;
  std::string path = dir.File("a.ini");
  WriteFileBytes(path, "[A]\r\nK=old\r\n");
  {
    // Abandoned before closing: the target is untouched, no temporary left.
    SettingsFile file;
    ASSERT_TRUE(file.OpenSettings(path, true));
    ASSERT_TRUE(file.WriteSetting("A", "K", "new"));
  }
  EXPECT_EQ("[A]\r\nK=old\r\n", ReadFileBytes(path));
  // A target that cannot be replaced (a non-empty folder of that name).
  std::string blocked = dir.File("blocked.ini");
  ::mkdir(blocked.c_str(), 0700);
  WriteFileBytes(blocked + "/keep", "x");
  SettingsFile file;
  ASSERT_TRUE(file.OpenSettings(blocked, true));
  ASSERT_TRUE(file.WriteSetting("A", "K", "new"));
  EXPECT_EQ(kSettingsWriteFailed, file.CloseSettings());
  EXPECT_EQ("x", ReadFileBytes(blocked + "/keep"));
  EXPECT_EQ("Creating the settings file " + blocked + " failed!",
            file.GetSettingsErrorMessage("eng").text);
  auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  EXPECT_EQ(2, entries) << "a temporary file was left behind";
}

// A save changes the file's contents and nothing else: not its mode, not a
// link that names it; a valid long name saves; a save stopped by a size
// limit says so and leaves the old file and no temporary one.
TEST(SettingsFile, SaveHasNoSideEffects) {
  TempDir dir;
  auto save = [](const std::string& path, const char* value) {
    SettingsFile file;
    if (!file.OpenSettings(path, true) || !file.WriteSetting("A", "K", value)) return -1;
    return file.CloseSettings();
  };
  const std::string secret = dir.File("secret.ini");
  WriteFileBytes(secret, "[A]\r\nK=old\r\n");
  ::chmod(secret.c_str(), 0600);
  ASSERT_EQ(::symlink("secret.ini", dir.File("link.ini").c_str()), 0);
  const std::string long_name = std::string(246, 'n') + ".ini";

  EXPECT_EQ(save(dir.File("link.ini"), "1"), kShellOk);
  EXPECT_EQ("[A]\r\nK=1\r\n", ReadFileBytes(secret));
  struct stat info {};
  ASSERT_EQ(::lstat(dir.File("link.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat(secret.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(save(dir.File(long_name), "2"), kShellOk);
  {
    const test::FileSizeLimit limit(5);
    EXPECT_EQ(save(secret, "3"), kSettingsWriteFailed);
  }
  EXPECT_EQ("[A]\r\nK=1\r\n", ReadFileBytes(secret));
  EXPECT_EQ(test::FileNames(dir.path()),
            (std::vector<std::string>{"link.ini", long_name, "secret.ini"}));
}

}  // namespace
}  // namespace vidodez
