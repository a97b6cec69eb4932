// Font downloads and test programs as the simulated printer takes them.

#include <gtest/gtest.h>

#include "core/font/font_command_files.h"
#include "core/font/font_download_command.h"
#include "core/font/font_test_program.h"
#include "download_command.h"
#include "model_io.h"
#include "sim/printer_model.h"
#include "support/expect_code.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

using test::TempDir;

// Sent as a file is: in transfers of 1024 bytes.
void SendInTransfers(PrinterModel& model, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size(); at += 1024) Send(model, bytes.substr(at, 1024));
}

// Every byte value, and more.
std::string FontBytes(size_t size) {
  std::string bytes;
  for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<char>((i * 7 + i / 256) & 0xff));
  return bytes;
}

// The download command of a font file of these bytes, as the builder makes it.
std::string DownloadCommand(const TempDir& dir, const std::string& font, FontCommandType type) {
  test::WriteFileBytes(dir.File("ARIAL.ttf"), font);
  FontDownloadJob job;
  job.font_path = dir.File("ARIAL.ttf");
  job.font_size = static_cast<std::uint32_t>(font.size());
  job.font_name = "ARIAL";
  job.command_type = type;
  return DownloadCommandText(job);
}

// As the download file is written before it is sent: CR CR LF.
std::string AsCommandFile(const TempDir& dir, const std::string& command) {
  EXPECT_CODE(kFontOk, WriteCommandFile(dir.File("ARIAL.prn"), command));
  return test::ReadFileBytes(dir.File("ARIAL.prn"));
}

TEST(FontDownload, StoresExactlyTheFontOfEitherLineEndAndCommandType) {
  struct Case {
    const char* what;
    size_t size;
    FontCommandType type;
    bool command_file;
  } cases[] = {
      {"command file, VRLE", 1000, FontCommandType::VRLE, true},
      {"command file, VRLZ, whole lines", 4096, FontCommandType::VRLZ, true},
      {"CR LF, VRLZ", 1000, FontCommandType::VRLZ, false},
      {"CR LF, VRLE, one line", 32, FontCommandType::VRLE, false},
      {"empty font", 0, FontCommandType::VRLE, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const std::string font = FontBytes(c.size);
    std::string command = DownloadCommand(dir, font, c.type);
    if (c.command_file) command = AsCommandFile(dir, command);
    PrinterModel model(PrinterOptions{});
    SendInTransfers(model, command + "^S1\r\n");
    EXPECT_EQ(Replies(model), std::vector<std::string>{"ARIAL#"});
    ASSERT_EQ(model.stored().fonts.size(), 1u);
    EXPECT_EQ(model.stored().fonts[0].first, "ARIAL");
    EXPECT_TRUE(model.stored().fonts[0].second == font) << "the stored font differs";
  }
}

// The announced size must match: a font cut short or run long is not kept,
// and what follows it is still read as commands.
TEST(FontDownload, KeepsNoFontWhosePayloadMissesTheAnnouncedSize) {
  const std::string hex64(64, 'A');
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"short", "DT1,ARIAL,4,\r\n001FA0\r\n"},
      {"long", "DT1,ARIAL,2,\r\n001FA0\r\n"},
      {"line past the size", "~DTE:ARIAL,32,\r\r\n" + hex64 + "\r\r\n00\r\r\n"},
      {"whole lines short", "~DTE:ARIAL,33,\r\n" + hex64 + "\r\n\r\n"},
      {"odd digits", "DT1,ARIAL,2,\r\n001\r\n"},
      {"overlong line", "DT1,ARIAL,33,\r\n" + hex64 + "00\r\n"},
      {"cut by a command", "DT1,ARIAL,64,\r\n" + hex64 + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PrinterModel model(PrinterOptions{});
    SendInTransfers(model, c.bytes + "^S1\r\n");
    EXPECT_TRUE(model.stored().fonts.empty());
    EXPECT_EQ(Replies(model), std::vector<std::string>{"\r\n"});
  }
}

TEST(FontDownload, FontIsListedDeletedByItsNameAndKeptAcrossARestart) {
  TempDir dir, state;
  PrinterOptions options;
  options.state_dir = state.path();
  const std::string font = FontBytes(100);
  {
    PrinterModel model(options);
    SendInTransfers(model, AsCommandFile(dir, DownloadCommand(dir, font, FontCommandType::VRLE)));
  }
  PrinterModel again(options);
  ASSERT_EQ(again.stored().fonts.size(), 1u);
  EXPECT_TRUE(again.stored().fonts[0].second == font);
  SendInTransfers(again, "^ZF\"ARIAL\"\r\n^S1\r\n");
  EXPECT_TRUE(again.stored().fonts.empty());
  EXPECT_EQ(Replies(again), std::vector<std::string>{"\r\n"});
}

// The rows hold quotes, carets and tildes raw: none of them may start a
// command, and the program prints one label in its font, every row's line
// understood.
TEST(FontTestProgram, IsPrintedWithItsFontAndStartsNoCommand) {
  for (FontCommandType type : {FontCommandType::VRLE, FontCommandType::VRLZ}) {
    SCOPED_TRACE(static_cast<int>(type));
    TempDir dir;
    std::string program;
    const char id = type == FontCommandType::VRLE ? 'B' : '3';
    ASSERT_CODE(kFontOk, BuildFontTestProgram(type, id, "ARIAL", FontStorage::FLASH, &program));
    for (bool command_file : {false, true}) {
      std::vector<PrintedLabel> labels;
      PrinterOptions options;
      options.label_sink = [&](const PrintedLabel& label) { labels.push_back(label); };
      PrinterModel model(options);
      SendInTransfers(model, command_file ? AsCommandFile(dir, program) : program + "\r\n");
      ASSERT_EQ(labels.size(), 1u);
      EXPECT_EQ(labels[0].kind, "font-test");
      EXPECT_EQ(labels[0].job.fields.size(), 14u);
      EXPECT_TRUE(labels[0].job.skipped.empty()) << labels[0].job.skipped[0];
      EXPECT_TRUE(model.actions().empty());
      EXPECT_TRUE(Replies(model).empty());
    }
  }
}

}  // namespace
}  // namespace vidodez::sim
