#include "core/shell/program_settings.h"

#include <gtest/gtest.h>

#include "core/platform/user_folders.h"
#include "support/scoped_env.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::ScopedEnv;
using test::ScriptedOperator;
using test::TempDir;
using test::WriteFileBytes;

TEST(ProgramSettings, FirstStartWritesTheLocaleLanguage) {
  struct Case {
    const char* lang;
    const char* want;
  } cases[] = {{"zh_CN.UTF-8", "chi"}, {"zh_TW", "chi"}, {"en_US.UTF-8", "eng"}, {"C", "eng"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lang);
    TempDir dir;
    ScopedEnv appdata("VIDODEZ_APPDATA", (dir.path() + "/appdata").c_str());
    ScopedEnv all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", c.lang);
    std::string path;
    ASSERT_EQ(0, PrepareSysIniPath(platform::AppDataFolder(), &path));
    EXPECT_EQ(dir.path() + "/appdata/Marlix Vidodez 3.0/Sys.ini", path);
    ScriptedOperator op;
    EXPECT_EQ(c.want, LoadLanguage(path, LocaleLanguage(), op));
    EXPECT_EQ(std::string("[LanguageSetting]\r\nLanguageValue=") + c.want + "\r\n",
              ReadFileBytes(path));
    EXPECT_TRUE(op.shown().empty());
  }
}

TEST(ProgramSettings, SysIniValueIsKeptEvenWhenUnknown) {
  TempDir dir;
  std::string path = dir.File("Sys.ini");
  WriteFileBytes(path, "[LanguageSetting]\r\nLanguageValue=fr\r\n");
  ScriptedOperator op;
  EXPECT_EQ("fr", LoadLanguage(path, "chi", op));
  EXPECT_EQ("fr", ResolveCliLanguage(path, "chi"));
  EXPECT_EQ("[LanguageSetting]\r\nLanguageValue=fr\r\n", ReadFileBytes(path));
  WriteFileBytes(path, "[LanguageSetting]\r\nLanguageValue=\r\n");
  EXPECT_EQ("", LoadLanguage(path, "chi", op));  // unreadable: texts left alone
}

TEST(ProgramSettings, FailedSaveIsShownAndTheChoiceStillHolds) {
  TempDir dir;
  std::string path = dir.File("missing/Sys.ini");
  ScriptedOperator op;
  EXPECT_EQ("eng", SetLanguage(1, path, "chi", op));
  ASSERT_EQ(1u, op.shown().size());
  EXPECT_EQ("settings_file", op.shown()[0].table);
  EXPECT_EQ("创建配置文件 " + path + " 失败！", op.shown()[0].text);  // in the language before
  EXPECT_EQ("chi", SetLanguage(7, path, "chi", op));
  EXPECT_EQ(1u, op.shown().size());
  // First start where the file cannot be created: the locale's choice, quietly.
  EXPECT_EQ("chi", LoadLanguage(path, "chi", op));
  EXPECT_EQ(1u, op.shown().size());
}

TEST(ProgramSettings, LocaleNames) {
  struct Case {
    const char* locale;
    const char* want;
  } cases[] = {{"zh", "chi"},    {"zh.GBK", "chi"}, {"zh_SG.UTF-8", "chi"}, {"zh_HK@x", "chi"},
               {"zh_MO", "eng"}, {"zhx_CN", "eng"}, {"en_GB", "eng"},       {"", "eng"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    EXPECT_EQ(c.want, LanguageForLocale(c.locale));
  }
  ScopedEnv all("LC_ALL", "en_US"), messages("LC_MESSAGES", "zh_CN"), lang("LANG", "zh_CN");
  EXPECT_EQ("eng", LocaleLanguage());  // LC_ALL first
}

}  // namespace
}  // namespace vidodez
