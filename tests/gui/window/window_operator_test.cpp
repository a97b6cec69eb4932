// The window's Operator and the language kept in "Sys.ini".

#include "gui/window/window_operator.h"

#include <gtest/gtest.h>

#include "core/font/font_texts.h"
#include "gui/system/program_settings.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez {
namespace {

TEST(WindowOperator, MessagesAndQuestionsUseTheProgramsBox) {
  gui::ScriptedDialogService dialogs;
  gui::WindowOperator op(dialogs, test::BuiltSkins(), nullptr, [] { return std::string("eng"); });
  op.Tell({"t", 0, "Sending Failed!"});
  dialogs.QueueBoxAnswer(gui::kBoxCancel);
  EXPECT_FALSE(op.Confirm({"t", 1, "Are you sure?"}));
  dialogs.QueueBoxAnswer(gui::kBoxNotAnswered);  // closed without an answer: not OK
  EXPECT_FALSE(op.Confirm({"t", 1, "Are you sure?"}));
  dialogs.QueueBoxAnswer(gui::kBoxOk);
  EXPECT_TRUE(op.Confirm({"t", 1, "Are you sure?"}));
  ASSERT_EQ(dialogs.shown().size(), 4u);
  EXPECT_EQ(dialogs.shown()[0].text, "Sending Failed!");
  EXPECT_EQ(dialogs.shown()[0].caption, gui::kProgramCaption);
  EXPECT_EQ(dialogs.shown()[0].type, gui::kBoxTypeOk);
  EXPECT_EQ(dialogs.shown()[1].type, gui::kBoxTypeOkCancel);
}

TEST(WindowOperator, SavedFileGetsTheDefaultExtension) {
  gui::ScriptedDialogService dialogs;
  gui::WindowOperator op(dialogs, test::BuiltSkins(), nullptr, [] { return std::string("eng"); });
  FileChoice choice{"Save", "INI files", "*.ini", "ini", ""};
  EXPECT_EQ(gui::FilterText(choice), "INI files (*.ini)");
  EXPECT_EQ(gui::FilterText({"Save", "保存INI文件(*.ini)", "*.ini", "ini", ""}),
            "保存INI文件(*.ini)");
  dialogs.QueueFile("/tmp/printer");
  std::string path;
  ASSERT_TRUE(op.ChooseFileToSave(choice, &path));
  EXPECT_EQ(path, "/tmp/printer.ini");
  std::string untouched = "keep";
  EXPECT_FALSE(op.ChooseFileToOpen(choice, &untouched));  // nothing queued: cancelled
  EXPECT_EQ(untouched, "keep");
}

// The font dialog's filter shows its pattern once, in either language.
TEST(WindowOperator, FontFilterShowsItsPatternOnce) {
  for (const char* language : {"eng", "chi"}) {
    SCOPED_TRACE(language);
    const FileChoice choice{"", Pick(kFontFilterName, language), kFontFilterPattern, "", ""};
    EXPECT_EQ(
        gui::FilterText(choice).toStdString(),
        std::string(language == std::string("eng") ? "Supported font files" : "支持字体文件") +
            " (*.ttf *.TTF)");
  }
}

TEST(SysIniSettings, FirstStartSavesTheLocaleLanguageAndChangesAreKept) {
  test::TempDir dir;
  std::string ini = dir.File("Sys.ini");
  gui::ScriptedDialogService dialogs;
  gui::WindowOperator op(dialogs, test::BuiltSkins(), nullptr, [] { return std::string("chi"); });
  gui::SysIniSettings settings(ini, "chi", op);
  EXPECT_EQ(settings.LoadLanguage(), "chi");
  EXPECT_NE(test::ReadFileBytes(ini).find("LanguageValue=chi"), std::string::npos);
  EXPECT_EQ(settings.SetLanguage(1), "eng");
  gui::SysIniSettings restarted(ini, "chi", op);
  EXPECT_EQ(restarted.LoadLanguage(), "eng");
  EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
}  // namespace vidodez
