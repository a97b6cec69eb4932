// Saving into a folder that is gone, read-only or full: the save fails with
// a message for the operator, the file saved before is untouched and no
// temporary file is left beside it. The settings file (saved where the
// operator chooses, the desktop by default) and "Sys.ini" in the
// application-data folder are the program's two kinds of saved settings.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_ini.h"
#include "core/shell/program_settings.h"
#include "sim/printer_model.h"
#include "support/scripted_operator.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

enum class Folder { kMissing, kReadOnly, kFull };

// Makes `folder` read-only: by its mode, or for root, whom modes do not
// stop, by a read-only bind mount in a mount namespace of this test's own.
// False when neither can be had.
bool MakeReadOnly(const std::string& folder) {
  if (::geteuid() != 0) return ::chmod(folder.c_str(), 0500) == 0;
  static const bool own_mounts = ::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return own_mounts && ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
         ::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void MakeWritable(const std::string& folder) {
  if (::geteuid() != 0) ::chmod(folder.c_str(), 0700);
  else ::umount2(folder.c_str(), MNT_DETACH);
}

TEST(SaveFaults, FailedSaveKeepsThePreviousFileAndTellsTheOperator) {
  PrinterSettingsRecord record;
  int field_count = 0;
  ASSERT_EQ(kConfigOk, ParseSettingsReply(sim::PrinterModel(sim::PrinterOptions{}).SettingsReply(),
                                          &record, &field_count));
  struct Writer {
    const char* what;
    const char* file_name;
    std::function<bool(const std::string&, Operator&)> save;
  } writers[] = {
      {"settings file", "printer.ini",
       [&](const std::string& path, Operator& op) {
         return SaveSettingsFile(path, field_count, record, op, "eng") == kConfigOk;
       }},
      {"Sys.ini", kSysIniName,
       [](const std::string& path, Operator& op) {
         return SaveSetting(path, kLanguageSection, kLanguageKey, kChinese, "eng", &op);
       }},
  };
  const std::string previous = "[LanguageSetting]\r\nLanguageValue=eng\r\n";
  for (const Writer& writer : writers) {
    for (Folder state : {Folder::kMissing, Folder::kReadOnly, Folder::kFull}) {
      SCOPED_TRACE(std::string(writer.what) + " " + std::to_string(static_cast<int>(state)));
      test::TempDir dir;
      const std::string folder = dir.File("folder");
      const std::string path = folder + "/" + writer.file_name;
      if (state != Folder::kMissing) {
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
        WriteFileBytes(path, previous);
      }
      if (state == Folder::kReadOnly && !MakeReadOnly(folder)) {
        std::printf("read-only folder not tried: no mount namespace for root\n");
        continue;
      }
      test::ScriptedOperator op;
      bool saved = true;
      if (state == Folder::kFull) {
        const test::FileSizeLimit limit(8);
        saved = writer.save(path, op);
      } else {
        saved = writer.save(path, op);
      }
      if (state == Folder::kReadOnly) MakeWritable(folder);
      EXPECT_FALSE(saved);
      ASSERT_EQ(op.shown().size(), 1u);
      EXPECT_NE(op.shown()[0].text.find(path), std::string::npos) << op.shown()[0].text;
      if (state == Folder::kMissing) {
        EXPECT_TRUE(test::FileNames(dir.path()).empty());
      } else {
        EXPECT_EQ(ReadFileBytes(path), previous);
        EXPECT_EQ(test::FileNames(folder), std::vector<std::string>{writer.file_name});
      }
    }
  }
}

}  // namespace
}  // namespace vidodez
