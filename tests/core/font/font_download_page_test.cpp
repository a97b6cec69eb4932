// The font page's operations against a simulated printer: the order of its
// checks and questions, what they write and what reaches the printer.

#include "core/font/font_download_page.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/font/font_codes.h"
#include "core/font/font_texts.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "support/expect_code.h"
#include "support/scoped_env.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using test::ReadFileBytes;
using test::ScriptedOperator;

// A message as the operator met it: table, index, a question or not, and
// whether the wait hint stood behind it.
struct Met {
  std::string table;
  int index;
  bool question;
  bool while_waiting;
  bool operator==(const Met&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Met& m) {
  return out << m.table << ":" << m.index << (m.question ? "?" : "")
             << (m.while_waiting ? " (waiting)" : "");
}

Met Code(int code, bool waiting = false) { return {kFontTable, code, false, waiting}; }
Met Page(FontText text, bool question = false) {
  return {kFontTextTable, static_cast<int>(text), question, false};
}

const std::string kArialBytes("\x00\x1F\xA0", 3);

class FontPageTest : public ::testing::Test {
 protected:
  FontPageTest()
      : working_(work_.path()), desktop_("VIDODEZ_DESKTOP", desktop_dir_.File("Desktop").c_str()) {}

  sim::SimPrinter& Printer() {
    page_.printer = DisplayName(1, "MarliXPrinters VT-4100");
    return bus_.AddPrinter(test::PrinterOnPort(1));
  }
  // A font file chosen with Browse.
  void Choose(const std::string& file_name, const std::string& bytes = kArialBytes) {
    test::WriteFileBytes(fonts_.File(file_name), bytes);
    op_.AnswerFile(fonts_.File(file_name));
    ASSERT_CODE(kFontOk, page_.Browse(comm_, op_));
  }
  std::vector<Met> Shown() const {
    std::vector<Met> met;
    for (const auto& m : op_.shown())
      met.push_back({m.table, m.index, m.question, m.while_waiting});
    return met;
  }
  std::string Desktop(const std::string& name) const {
    return ReadFileBytes(desktop_dir_.File("Desktop/" + name));
  }

  test::TempDir work_, desktop_dir_, fonts_;
  test::ScopedWorkingFolder working_;
  test::ScopedEnv desktop_;
  test::SimBus bus_;
  CPrinterComm comm_{bus_.usb()};
  ScriptedOperator op_;
  FontDownloadPage page_;
};

// Each refusal comes at its step, with its message; the first two before
// the wait hint, the others while it stands, and it is gone afterwards.
// Nothing is written or sent and Print Test stays unavailable.
TEST_F(FontPageTest, ChecksComeInOrderWithTheirMessages) {
  struct Case {
    const char* what;
    const char* file;  // chosen with Browse; null: none
    void (*change)(FontDownloadPage&);
    int code;
    int waits;  // the shown code stood behind the wait hint
  } cases[] = {
      {"nothing chosen", nullptr, nullptr, kFontNoFont, 0},
      {"12 characters", "LongFontName.ttf", nullptr, kFontNameTooLong, 0},
      {"9 GBK bytes", "字体名称A.ttf", nullptr, kFontNameTooLong, 0},
      // Said to be too long before, of a name of one character.
      {"no GBK form", "\xF0\x9F\x98\x80.ttf", nullptr, kFontNameNotGbk, 0},
      {"no UTF-8", "\xFF\xFE.ttf", nullptr, kFontNameNotGbk, 0},
      {"gone since Browse", "ARIAL.ttf",
       [](FontDownloadPage& p) { std::remove(p.font_path.c_str()); }, kFontFileOpenFailed, 1},
      {"Z kept, VRLZ has no 26th ID", "ARIAL.ttf",
       [](FontDownloadPage& p) { p.id_index = 25, p.command_type = FontCommandType::VRLZ; },
       kFontNoId, 1}};
  auto& printer = Printer();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    op_ = ScriptedOperator();
    page_ = FontDownloadPage();
    page_.printer = DisplayName(1, "MarliXPrinters VT-4100");
    if (c.file != nullptr) Choose(c.file);
    if (c.change != nullptr) c.change(page_);
    EXPECT_CODE(c.code, page_.Download(comm_, op_));
    EXPECT_EQ(Shown(), std::vector<Met>{Code(c.code, c.waits == 1)});
    EXPECT_EQ(op_.waits(), c.waits);
    EXPECT_FALSE(op_.waiting());
    EXPECT_FALSE(page_.print_test_enabled);
  }
  EXPECT_TRUE(test::FileNames(work_.path()).empty());
  EXPECT_TRUE(printer.Wire().empty());
}

// Cancel at either question writes and sends nothing, yet Print Test
// becomes available; the wait hint is gone before the question.
TEST_F(FontPageTest, CancelAtTheQuestionWritesNothingAndOffersPrintTest) {
  auto& printer = Printer();
  Choose("Font1234.ttf");
  for (bool to_file : {false, true}) {
    SCOPED_TRACE(to_file ? "print to file" : "download");
    op_ = ScriptedOperator();
    page_.print_to_file = to_file;
    page_.print_test_enabled = false;
    op_.AnswerConfirm(false);
    EXPECT_CODE(kFontCancelled, page_.Download(comm_, op_));
    EXPECT_EQ(Shown(),
              std::vector<Met>{Page(
                  to_file ? FontText::kConfirmPrintToFile : FontText::kConfirmDownload, true)});
    EXPECT_EQ(op_.waits(), 1);
    EXPECT_TRUE(page_.print_test_enabled);
  }
  EXPECT_TRUE(test::FileNames(work_.path()).empty());
  EXPECT_TRUE(test::FileNames(desktop_dir_.path()).empty());
  EXPECT_TRUE(printer.Wire().empty());
}

TEST_F(FontPageTest, PrintToFileWritesBothDesktopFilesAndSendsNothing) {
  auto& printer = Printer();
  Choose("ARIAL.ttf");
  page_.command_type = FontCommandType::VRLZ;
  page_.id_index = 3;
  page_.print_to_file = true;
  op_.AnswerConfirm(true);
  EXPECT_CODE(kFontOk, page_.Download(comm_, op_));
  EXPECT_EQ(test::FileNames(desktop_dir_.File("Desktop")),
            (std::vector<std::string>{"VRLZ_ARIAL.txt", "VRLZ_TEST.txt"}));
  EXPECT_EQ(Desktop("VRLZ_ARIAL.txt"), "~DTE:ARIAL,3,\r\r\n001FA0\r\r\n");
  EXPECT_TRUE(Desktop("VRLZ_TEST.txt").starts_with("^XA\r\r\n~SD15\r\r\n^CW3,E:ARIAL.TTF\r\r\n"));
  EXPECT_TRUE(page_.print_test_enabled);
  EXPECT_TRUE(test::FileNames(work_.path()).empty());
  EXPECT_TRUE(printer.Wire().empty());
}

// A download goes out as the file it wrote, line ends and all, and the
// printer keeps the font; Print Test then leaves its file on the desktop
// and sends the program itself, which the printer prints.
TEST_F(FontPageTest, DownloadSendsTheFileItWroteAndPrintTestPrints) {
  auto& printer = Printer();
  std::string font;
  for (int i = 0; i < 100; ++i) font.push_back(static_cast<char>(i * 37));
  Choose("ARIAL.ttf", font);
  page_.code_page = "DOS 850";
  op_.AnswerConfirm(true);
  ASSERT_CODE(kFontOk, page_.Download(comm_, op_));
  const std::string download = ReadFileBytes(work_.File("ARIAL.prn"));
  EXPECT_TRUE(download.starts_with("DT1,ARIAL,100,\r\r\n"));
  EXPECT_EQ(printer.WireText(), download);

  ASSERT_CODE(kFontOk, page_.PrintTest(comm_, op_));
  const std::string on_desktop = Desktop("TEST_ARIAL.txt");
  EXPECT_TRUE(on_desktop.starts_with("I8,1,001\r\r\nN\r\r\nH12\r\r\nCF1,A,ARIAL\r\r\n"));
  std::string sent = printer.WireText().substr(download.size());
  EXPECT_TRUE(sent.starts_with("I8,1,001\r\nN\r\nH12\r\nCF1,A,ARIAL\r\n"));
  EXPECT_TRUE(sent.ends_with("P1,1\r\n\r\n"));
  printer.WithModel([&](sim::PrinterModel& model) {
    ASSERT_EQ(model.stored().fonts.size(), 1u);
    EXPECT_EQ(model.stored().fonts[0].first, "ARIAL");
    EXPECT_TRUE(model.stored().fonts[0].second == font);
    EXPECT_EQ(model.labels_printed(), 1);
  });
  EXPECT_EQ(Shown(), std::vector<Met>{Page(FontText::kConfirmDownload, true)});
}

// Print Test does nothing at all without an ID, stops silently when its
// file cannot be written, and keeps the page's rules for the printer.
TEST_F(FontPageTest, PrintTestStopsWithoutIdOrFileAndSendsOnlyToUsb) {
  auto& printer = Printer();
  Choose("ARIAL.ttf");
  page_.command_type = FontCommandType::VRLZ;
  page_.id_index = 12;
  EXPECT_CODE(kFontNoId, page_.PrintTest(comm_, op_));
  EXPECT_TRUE(test::FileNames(desktop_dir_.path()).empty());

  page_.id_index = 1;
  {
    // The desktop's place is taken by a file.
    test::WriteFileBytes(desktop_dir_.File("Desktop"), "x");
    EXPECT_CODE(kFontNoDesktop, page_.PrintTest(comm_, op_));
    std::remove(desktop_dir_.File("Desktop").c_str());
  }
  EXPECT_TRUE(Shown().empty());
  EXPECT_TRUE(printer.Wire().empty());

  page_.printer = "COM1";
  EXPECT_CODE(kPrinterNotUsb, page_.PrintTest(comm_, op_));
  EXPECT_TRUE(Shown().empty());
  page_.printer = "";
  EXPECT_CODE(kNoUsablePrinter, page_.PrintTest(comm_, op_));
  EXPECT_EQ(Shown(), std::vector<Met>{Page(FontText::kOpenFailed)});
  EXPECT_TRUE(printer.Wire().empty());
  EXPECT_FALSE(Desktop("TEST_ARIAL.txt").empty());
}

// A cancelled Browse keeps the file but sends none of its bytes; a file
// Browse cannot read is refused and the earlier choice kept.
TEST_F(FontPageTest, BrowseCancelGivesSizeZeroAndRefusesWhatItCannotRead) {
  Printer();
  Choose("Arial.TTF");
  EXPECT_EQ(page_.shown_path, "arial.ttf");
  EXPECT_EQ(page_.font_name, "Arial");
  EXPECT_EQ(page_.font_size, 3u);
  ASSERT_EQ(op_.file_dialogs().size(), 1u);
  EXPECT_EQ(op_.file_dialogs()[0].pattern, "*.ttf *.TTF");

  op_.AnswerFile(fonts_.path());  // a folder
  EXPECT_CODE(kFontFileOpenFailed, page_.Browse(comm_, op_));
  EXPECT_EQ(Shown(), std::vector<Met>{Code(kFontFileOpenFailed)});
  EXPECT_EQ(page_.font_size, 3u);

  EXPECT_CODE(kFontCancelled, page_.Browse(comm_, op_));
  EXPECT_EQ(page_.font_path, fonts_.File("Arial.TTF"));
  EXPECT_EQ(page_.font_size, 0u);
  op_.AnswerConfirm(true);
  ASSERT_CODE(kFontOk, page_.Download(comm_, op_));
  EXPECT_EQ(ReadFileBytes(work_.File("Arial.prn")), "DT1,Arial,0,\r\r\n\r\r\n");
}

// A download file that cannot be written stops the download there, with
// nothing sent and Print Test still unavailable.
TEST_F(FontPageTest, UnwritableDownloadFileSendsNothing) {
  auto& printer = Printer();
  Choose("ARIAL.ttf");
  ::mkdir(work_.File("ARIAL.prn").c_str(), 0700);  // a folder stands in its place
  op_.AnswerConfirm(true);
  EXPECT_CODE(kFontCommandFileFailed, page_.Download(comm_, op_));
  EXPECT_FALSE(page_.print_test_enabled);
  EXPECT_TRUE(printer.Wire().empty());
}

}  // namespace
}  // namespace vidodez
