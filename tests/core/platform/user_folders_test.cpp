#include "core/platform/user_folders.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace vidodez::platform {
namespace {

using test::ScopedEnv;
using test::TempDir;
using test::WriteFileBytes;

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST(UserFolders, DesktopLineReadAsTheShellSourcingUserDirsDoes) {
  struct Case {
    const char* text;
    const char* want;
  } cases[] = {
      {"XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/h/Desktop"},
      {"# comment\nXDG_DOWNLOAD_DIR=\"$HOME/dl\"\n  XDG_DESKTOP_DIR=\"$HOME/桌面\"\n", "/h/桌面"},
      {"XDG_DESKTOP_DIR=\"/srv/desk\"  # shared\r\n", "/srv/desk"},
      {"XDG_DESKTOP_DIR=$HOME/D\n", "/h/D"},
      {"XDG_DESKTOP_DIR=\"${HOME}/D\"\n", "/h/D"},
      {"XDG_DESKTOP_DIR=\"$HOME\"\n", "/h"},
      {"XDG_DESKTOP_DIR=\"$HOME/a \\\"b\\\"\"\n", "/h/a \"b\""},
      {"XDG_DESKTOP_DIR=\"/one\"\nXDG_DESKTOP_DIR=\"/two\"\n", "/two"},
      {"XDG_DESKTOP_DIR=\"/one\"\nXDG_DESKTOP_DIR=\"\"\n", ""},  // empty: the default
      // Forms a shell would need more than $HOME for are no answer.
      {"XDG_DESKTOP_DIR=\"/one\"\nXDG_DESKTOP_DIR=\"Desktop\"\n", "/one"},
      {"XDG_DESKTOP_DIR=\"$HOMEX/a\"\n", ""},
      {"XDG_DESKTOP_DIR=\"$USER/a\"\n", ""},
      {"XDG_DESKTOP_DIR=\"/a`id`\"\n", ""},
      {"XDG_DESKTOP_DIR=\"/unclosed\n", ""},
      {"# XDG_DESKTOP_DIR=\"/no\"\nXDG_DESKTOP_DIRX=\"/no\"\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.want, DesktopFromUserDirs(c.text, "/h"));
  }
  EXPECT_EQ("", DesktopFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/D\"\n", ""));
}

TEST(UserFolders, DesktopOverrideThenUserDirsThenHome) {
  TempDir dir;
  ScopedEnv home("HOME", dir.File("home").c_str());
  ScopedEnv config("XDG_CONFIG_HOME", dir.File("config").c_str());
  ScopedEnv own("VIDODEZ_DESKTOP", nullptr);
  EXPECT_EQ(dir.File("home/Desktop"), DesktopFolder());
  ASSERT_EQ(0, MakeFolders(dir.File("config"), 0700));
  WriteFileBytes(dir.File("config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  EXPECT_EQ(dir.File("home/Schreibtisch"), DesktopFolder());
  ScopedEnv set("VIDODEZ_DESKTOP", "/t/desk");
  EXPECT_EQ("/t/desk", DesktopFolder());
}

TEST(UserFolders, PrepareDesktopCreatesItOrSaysWhyNot) {
  TempDir dir;
  {
    ScopedEnv own("VIDODEZ_DESKTOP", dir.File("a/b/Desktop").c_str());
    std::string path;
    ASSERT_EQ(0, PrepareDesktopFolder(&path));
    EXPECT_EQ(dir.File("a/b/Desktop"), path);
    EXPECT_TRUE(IsFolder(path));
  }
  WriteFileBytes(dir.File("file"), "x");
  ScopedEnv own("VIDODEZ_DESKTOP", dir.File("file/Desktop").c_str());
  std::string path = "stale";
  EXPECT_EQ(ENOTDIR, PrepareDesktopFolder(&path));
  EXPECT_EQ("", path);
}

TEST(UserFolders, AppDataFolderOrder) {
  ScopedEnv own("VIDODEZ_APPDATA", nullptr), xdg("XDG_CONFIG_HOME", "/x/cfg"), home("HOME", "/h");
  EXPECT_EQ("/x/cfg", AppDataFolder());
  {
    ScopedEnv relative("XDG_CONFIG_HOME", "cfg");
    EXPECT_EQ("/h/.config", AppDataFolder());
  }
  ScopedEnv set("VIDODEZ_APPDATA", "/t");
  EXPECT_EQ("/t", AppDataFolder());
  ScopedEnv data("XDG_DATA_HOME", "/x/data");
  EXPECT_EQ("/x/data", DataFolder());
  ScopedEnv relative_data("XDG_DATA_HOME", "data");
  EXPECT_EQ("/h/.local/share", DataFolder());
}

TEST(UserFolders, ProgramFolderHoldsTheSkinsBesideOrInstalled) {
  TempDir root;
  const std::string build = root.File("build/bin"), installed = root.File("usr/bin");
  for (const std::string& folder : {build, installed, root.File("usr/share/vidodez")})
    ASSERT_EQ(0, MakeFolders(folder, 0700));
  WriteFileBytes(build + "/" + kSkinArchiveName, "zip");
  WriteFileBytes(root.File("usr/share/vidodez/") + kSkinArchiveName, "zip");
  EXPECT_EQ(build, ProgramFolderFor(build));
  EXPECT_EQ(root.File("usr/share/vidodez"), ProgramFolderFor(installed));
  // Neither holds the skins: the executable's own folder.
  EXPECT_EQ(root.File("usr"), ProgramFolderFor(root.File("usr")));
  EXPECT_FALSE(ExecutableFolder().empty());
}

}  // namespace
}  // namespace vidodez::platform
