// The storage page's operations against a simulated printer, checked on the
// wire and by the messages the operator was shown.

#include "core/storage/storage_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

#include "core/graphic/graphic_codes.h"
#include "core/graphic/pcx_codec.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/port_names.h"
#include "core/shell/input_file.h"
#include "core/shell/shell_codes.h"
#include "core/storage/storage_codes.h"
#include "core/storage/storage_texts.h"
#include "support/counting_usb.h"
#include "support/expect_code.h"
#include "support/scripted_operator.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using test::ScriptedOperator;

int Index(StorageText text) { return static_cast<int>(text); }

class StoragePageTest : public ::testing::Test {
 protected:
  // A printer on the bus, chosen on the page.
  sim::SimPrinter& Printer(sim::PrinterOptions options = {}) {
    page_.printer = DisplayName(options.port_number, "MarliXPrinters VT-4100");
    return bus_.AddPrinter(std::move(options));
  }
  // A printer holding `reply`'s objects, with the page's list of `kind` read.
  sim::SimPrinter& Listed(StoredKind kind, const std::string& reply, char flag = '0',
                          int port_number = 1) {
    sim::PrinterOptions options = test::PrinterOnPort(port_number);
    options.list_reply = reply;
    options.command_set_flag = flag;
    auto& printer = Printer(std::move(options));
    EXPECT_EQ(page_.GetList(comm_, op_, kind), 0);
    return printer;
  }
  // The indexes of the messages shown (not the questions), in order.
  std::vector<int> Shown() const {
    std::vector<int> shown;
    for (const auto& m : op_.shown())
      if (!m.question) shown.push_back(m.index);
    return shown;
  }
  size_t Questions() const {
    return static_cast<size_t>(
        std::count_if(op_.shown().begin(), op_.shown().end(),
                      [](const test::ShownMessage& m) { return m.question; }));
  }

  test::SimBus bus_;
  CPrinterComm comm_{bus_.usb()};
  ScriptedOperator op_;
  StoragePage page_;
};

TEST_F(StoragePageTest, ConsoleSendsEveryLineWithCrLfInGbk) {
  auto& printer = Printer();
  page_.command_text = "^XA\n中文\r\nW1";
  EXPECT_CODE(kStorageOk, page_.SendCommandText(comm_, op_));
  page_.command_text = "\n";  // only a line break: not empty
  EXPECT_CODE(kStorageOk, page_.SendCommandText(comm_, op_));
  page_.command_text = "";
  EXPECT_CODE(kStorageNoCommand, page_.SendCommandText(comm_, op_));
  // A printer that is no USB one is not the page's: nothing is said.
  page_.command_text = "X";
  page_.printer = "COM1";
  EXPECT_CODE(kPrinterNotUsb, page_.SendCommandText(comm_, op_));
  page_.printer = "";
  EXPECT_CODE(kNoUsablePrinter, page_.SendCommandText(comm_, op_));
  EXPECT_WIRE(printer, "^XA\r\n\xd6\xd0\xce\xc4\r\nW1\r\n\r\n\r\n");
  EXPECT_EQ(Shown(),
            (std::vector<int>{Index(StorageText::kNoCommand), Index(StorageText::kOpenFailed)}));
}

TEST_F(StoragePageTest, TextFileGoesOutByteForByteAndNoFileOpensAndCloses) {
  auto& printer = Printer();
  EXPECT_CODE(kStorageNoFileChosen, page_.SendFile(comm_, op_));
  EXPECT_EQ(Shown(), std::vector<int>{Index(StorageText::kSelectFile)});
  EXPECT_TRUE(comm_.port().IsPortClosed());

  test::TempDir dir;
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes.push_back(static_cast<char>(i));
  test::WriteFileBytes(dir.File("raw.bin"), bytes);
  op_.AnswerFile(dir.File("raw.bin"));
  ASSERT_CODE(kStorageOk, page_.ChooseTextFile(comm_, op_));
  EXPECT_CODE(kStorageOk, page_.SendFile(comm_, op_));
  EXPECT_EQ(printer.WireText(), bytes);
  // A folder cannot be read as a file: the choice is not taken.
  op_.AnswerFile(dir.path());
  EXPECT_CODE(kStorageFileUnreadable, page_.ChooseTextFile(comm_, op_));
  EXPECT_EQ(page_.file_name, dir.File("raw.bin"));
}

// The path box can be typed in after Browse: the file it shows is the one
// sent, checked as Browse checks it. Only a change of type clears it.
TEST_F(StoragePageTest, SendFileSendsWhatTheBoxShowsAndOnlyATypeChangeClearsIt) {
  auto& printer = Printer();
  test::TempDir dir;
  test::WriteFileBytes(dir.File("browsed.txt"), "BROWSED");
  test::WriteFileBytes(dir.File("typed.txt"), "TYPED");
  op_.AnswerFile(dir.File("browsed.txt"));
  ASSERT_CODE(kStorageOk, page_.ChooseTextFile(comm_, op_));
  struct Case {
    std::string typed;
    std::string wire;
    std::vector<int> told;
    int code;
  } cases[] = {
      {dir.File("typed.txt"), "TYPED", {}, kStorageOk},
      {dir.path(), "", {Index(StorageText::kNoFile)}, kStorageFileUnreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    page_.file_name = c.typed;
    size_t sent_before = printer.Wire().size();
    size_t told_before = Shown().size();
    EXPECT_CODE(c.code, page_.SendFile(comm_, op_));
    EXPECT_EQ(printer.WireText().substr(sent_before), c.wire);
    std::vector<int> told = Shown();
    EXPECT_EQ(std::vector<int>(told.begin() + static_cast<long>(told_before), told.end()), c.told);
  }

  page_.graphic_id = "LOGO";
  page_.SetFileType(0);  // chosen again: nothing changes
  EXPECT_EQ(page_.file_name, dir.path());
  EXPECT_EQ(page_.graphic_id, "LOGO");
  page_.SetFileType(1);
  EXPECT_EQ(page_.file_name, "");
  EXPECT_EQ(page_.graphic_id, "");
}

// A printer that holds nothing answers, so the operator is told the list is
// empty rather than that the printer did not answer; a list the printer did
// not answer leaves the buttons as they were.
TEST_F(StoragePageTest, EmptyPrinterSaysSoAndDisablesTheKindsButtons) {
  auto& printer = Printer();
  for (StoredKind kind : {StoredKind::kForm, StoredKind::kFont, StoredKind::kGraphic}) {
    page_.List(kind).buttons_enabled = true;
    EXPECT_EQ(page_.GetList(comm_, op_, kind), 0);
    EXPECT_FALSE(page_.List(kind).buttons_enabled);
  }
  EXPECT_EQ(Shown(), (std::vector<int>{Index(StorageText::kNoForm), Index(StorageText::kNoFont),
                                       Index(StorageText::kNoGraphic)}));
  printer.SetReplyMode(sim::ReplyMode::kEmpty);
  page_.forms.buttons_enabled = true;
  EXPECT_EQ(page_.GetList(comm_, op_, StoredKind::kForm), kQueryEmptyReply);
  EXPECT_EQ(op_.shown().back().table, kQueryResultTable);
  EXPECT_EQ(op_.shown().back().index, 3);
  EXPECT_TRUE(page_.forms.buttons_enabled);
}

// A reply without the list's form (a late settings reply) is a failed read:
// never shown as an empty list, the list and its buttons left alone. Names
// that are none (a transfer padded with markers gave 1023 fonts, "#" one
// named "", a name held a line end) make a reply no list either.
TEST_F(StoragePageTest, ReplyThatIsNoListIsAFailedRead) {
  const std::string settings = sim::PrinterModel(sim::PrinterOptions{}).SettingsReply();
  struct Case {
    std::string reply;
    int code;
    StorageText told;
  } cases[] = {
      {settings, kQueryUnexpectedReply, StorageText::kNotAList},
      {"OK\r\n", kQueryUnexpectedReply, StorageText::kNotAList},
      {"A#" + std::string(1021, '#'), kQueryUnexpectedReply, StorageText::kNotAList},
      {"#", kQueryUnexpectedReply, StorageText::kNotAList},
      {"F1@SHIP\r\nX#", kQueryUnexpectedReply, StorageText::kNotAList},
      {"\r\n", kPortOk, StorageText::kNoFont},
      {"F1@\r\n", kPortOk, StorageText::kNoFont},
  };
  int port_number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(test::Escaped(c.reply));
    sim::PrinterOptions options = test::PrinterOnPort(++port_number);
    options.list_reply = c.reply;
    Printer(options);
    page_.fonts = {{"OLD"}, 0, true};
    EXPECT_EQ(page_.GetList(comm_, op_, StoredKind::kFont), c.code);
    EXPECT_EQ(Shown().back(), Index(c.told));
    EXPECT_EQ(page_.fonts.buttons_enabled, c.code != kPortOk);
  }
  EXPECT_EQ(Shown().size(), std::size(cases));
}

// A font delete without the flag would send a bare line and drop the font
// from the list although the printer kept it.
TEST_F(StoragePageTest, FontDeleteFollowsTheCommandSetFlagAndNeedsItRead) {
  struct Case {
    char flag;
    bool readable;
    const char* command;
    std::vector<std::string> names_after;
    int code;
  } cases[] = {{'0', true, "ZF\"A\"\r\n", {}, kStorageOk},
               {'1', true, "^ZF\"A\"\r\n", {}, kStorageOk},
               {'1', false, "", {"A"}, kStorageCommandSetUnknown}};
  int port_number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    auto& printer = Listed(StoredKind::kFont, "A#", c.flag, ++port_number);
    if (!c.readable) printer.SetReplyMode(sim::ReplyMode::kEmpty);
    page_.fonts.selected = 0;
    op_.AnswerConfirm(true);
    EXPECT_CODE(c.code, page_.DeleteSelected(comm_, op_, StoredKind::kFont));
    EXPECT_WIRE(printer, std::string("^S1\r\n\r\n^G1\r\n\r\n") + c.command);
    EXPECT_EQ(page_.fonts.names, c.names_after);
  }
  EXPECT_EQ(Shown(), std::vector<int>{Index(StorageText::kCommandSetUnknown)});
}

// One reply lists every kind; forms and graphics print and delete with
// their own commands.
TEST_F(StoragePageTest, ListsFillFromOneReplyAndEachKindGoesByItsCommands) {
  auto& printer = Listed(StoredKind::kForm, "F@F2@A#G$");
  ASSERT_EQ(page_.GetList(comm_, op_, StoredKind::kFont), 0);
  ASSERT_EQ(page_.GetList(comm_, op_, StoredKind::kGraphic), 0);
  EXPECT_EQ(page_.forms.names, (std::vector<std::string>{"F", "F2"}));
  EXPECT_EQ(page_.fonts.names, std::vector<std::string>{"A"});
  EXPECT_EQ(page_.graphics.names, std::vector<std::string>{"G"});
  EXPECT_TRUE(page_.forms.buttons_enabled && page_.fonts.buttons_enabled);
  page_.forms.selected = 0;
  page_.graphics.selected = 0;
  EXPECT_CODE(kStorageOk, page_.PrintSelected(comm_, op_, StoredKind::kForm));
  EXPECT_CODE(kStorageOk, page_.PrintSelected(comm_, op_, StoredKind::kGraphic));
  op_.AnswerConfirm(true);
  EXPECT_CODE(kStorageOk, page_.DeleteSelected(comm_, op_, StoredKind::kForm));
  op_.AnswerConfirm(true);
  EXPECT_CODE(kStorageOk, page_.DeleteSelected(comm_, op_, StoredKind::kGraphic));
  EXPECT_WIRE(printer,
              "^S1\r\n\r\n^S1\r\n\r\n^S1\r\n\r\n"
              "FR\"F\"\r\nW1\r\n"
              "GG20,20,\"G\"\r\nW1\r\n\r\n"
              "FK\"F\"\r\n"
              "^G1\r\n\r\nGK\"G\"\r\n");
}

TEST_F(StoragePageTest, DeleteAllKeepsButtonsAndCancelSendsNothing) {
  auto& printer = Listed(StoredKind::kForm, "F1@F2@");
  // A selection past the end (of a list refilled shorter) selects nothing.
  page_.forms.selected = 2;
  EXPECT_CODE(kStorageNothingSelected, page_.DeleteSelected(comm_, op_, StoredKind::kForm));
  op_.AnswerConfirm(false);
  EXPECT_CODE(kStorageCancelled, page_.DeleteAll(comm_, op_, StoredKind::kForm));
  EXPECT_EQ(page_.forms.names.size(), 2u);
  op_.AnswerConfirm(true);
  EXPECT_CODE(kStorageOk, page_.DeleteAll(comm_, op_, StoredKind::kForm));
  EXPECT_TRUE(page_.forms.names.empty());
  EXPECT_TRUE(page_.forms.buttons_enabled);
  EXPECT_CODE(kStorageNothingSelected, page_.DeleteSelected(comm_, op_, StoredKind::kForm));
  EXPECT_EQ(Shown().back(), Index(StorageText::kSelectFormToDelete));
  EXPECT_WIRE(printer, "^S1\r\n\r\nFK\"*\"\r\n");
}

// The printer keeps what a delete could not reach it: the list says so too.
TEST_F(StoragePageTest, DeleteThatCouldNotBeWrittenKeepsTheEntry) {
  auto& printer = Listed(StoredKind::kForm, "F1@F2@");
  test::CountingUsb usb(bus_.usb());
  CPrinterComm comm(usb);
  usb.refuse_writes = true;
  op_.AnswerConfirm(true);
  EXPECT_CODE(kWriteLineFailed, page_.DeleteAll(comm, op_, StoredKind::kForm));
  EXPECT_EQ(page_.forms.names, (std::vector<std::string>{"F1", "F2"}));
  EXPECT_EQ(Shown().back(), Index(StorageText::kCommandFailed));
  EXPECT_WIRE(printer, "^S1\r\n\r\n");
}

// A list with a line end in a name is no list; a quote would still end the
// command's name early.
TEST_F(StoragePageTest, NamesThatWouldBreakACommandAreNotSent) {
  auto& printer = Listed(StoredKind::kForm, "F1@A\"B@");
  page_.forms.selected = 1;
  EXPECT_CODE(kStorageNameUnusable, page_.PrintSelected(comm_, op_, StoredKind::kForm));
  EXPECT_EQ(Shown().back(), Index(StorageText::kNameUnusable));
  EXPECT_WIRE(printer, "^S1\r\n\r\n");
}

class GraphicStore : public StoragePageTest {
 protected:
  void SetUp() override {
    // A real PCX, with bytes after its picture (which readers skip) up to
    // 2500 bytes, so the chunks of the download can be seen.
    GreyBitmap picture{16, 4, std::vector<std::uint8_t>(64, kWhite)};
    std::vector<std::uint8_t> encoded;
    ASSERT_EQ(EncodePcx(picture, 203, &encoded), 0);
    std::string pcx(encoded.begin(), encoded.end());
    for (size_t i = pcx.size(); i < 2500; ++i) pcx += static_cast<char>(i * 13);
    pcx_ = pcx;
    test::WriteFileBytes(dir_.File("logo.pcx"), pcx);
    page_.SetFileType(1);
    page_.SetChosenPicture(dir_.File("logo.pcx"));
  }
  test::TempDir dir_;
  std::string pcx_;
};

TEST_F(GraphicStore, OkStoresCancelStillSendsTheNoStoreForm) {
  auto& printer = Printer();
  EXPECT_EQ(page_.graphic_id, "logo");
  op_.AnswerConfirm(true);
  EXPECT_CODE(kStorageOk, page_.SendFile(comm_, op_));
  std::string sequence = "GM\"logo\"2500\r\n" + pcx_ + "ZN\r\nGG20,20,\"logo\"\r\nW1,1\r\n\r\n";
  EXPECT_WIRE(printer, "ZS\r\nGK\"logo\"\r\n" + sequence);
  std::vector<size_t> sizes = printer.TransferSizes();
  ASSERT_GE(sizes.size(), 5u);
  EXPECT_EQ(std::vector<size_t>(sizes.begin() + 2, sizes.begin() + 5),
            (std::vector<size_t>{1024, 1024, 452}));

  auto& second = Printer(test::PrinterOnPort(2));
  op_.AnswerConfirm(false);
  EXPECT_CODE(kStorageOk, page_.SendPicture(comm_, op_));
  EXPECT_WIRE(second, "ZN\r\nGK\"logo\"\r\n" + sequence);
  ASSERT_EQ(second.TransferSizes().size(), sizes.size());
}

// The page's checks refuse before the question, the rest after it; either
// way nothing is sent, above all no GK that deletes the printer's graphic.
// A file the printer could not use (not a PCX, damaged, too large, a FIFO
// that would hang the read) is refused before the question too.
TEST_F(GraphicStore, RefusedPicturesSendNothing) {
  auto& printer = Printer();
  test::WriteFileBytes(dir_.File("huge.pcx"), std::string(1024000, 'P'));
  test::WriteFileBytes(dir_.File("fake.pcx"), "hello\n");
  const std::string logo = test::ReadFileBytes(dir_.File("logo.pcx"));
  test::WriteFileBytes(dir_.File("cut.pcx"), logo.substr(0, 130));
  ASSERT_EQ(::mkfifo(dir_.File("fifo.pcx").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(dir_.File("folder.pcx").c_str(), 0700), 0);
  const std::string storage = kStorageTable;
  struct Case {
    std::string file, id;
    bool asked;
    std::string table;
    int message;
    int code;
  } cases[] = {
      {"", "logo", false, storage, Index(StorageText::kNoFile), kStorageNoFileChosen},
      {dir_.File("logo.bmp"), "logo", false, storage, Index(StorageText::kPcxOnly), kStorageNotPcx},
      {dir_.File("logo.pcx"), "", false, storage, Index(StorageText::kIdEmpty), kStorageIdEmpty},
      {dir_.File("logo.pcx"), "lo*go", false, storage, Index(StorageText::kIdHasAsterisk),
       kStorageIdHasAsterisk},
      {dir_.File("logo.pcx"), "ABCDEFGHI", true, storage, Index(StorageText::kIdTooLong),
       kStorageIdTooLong},
      {dir_.File("huge.pcx"), "huge", false, storage, Index(StorageText::kPictureTooLarge),
       kGraphicTooLarge},
      {dir_.File("gone.pcx"), "gone", false, kInputFileTable, kInputMissing, kInputMissing},
      {dir_.File("fake.pcx"), "fake", false, kGraphicTable, kGraphicBadPicture, kGraphicBadPicture},
      {dir_.File("cut.pcx"), "cut", false, kGraphicTable, kGraphicBadPicture, kGraphicBadPicture},
      {dir_.File("fifo.pcx"), "fifo", false, kInputFileTable, kInputNotRegular, kInputNotRegular},
      {dir_.File("folder.pcx"), "folder", false, kInputFileTable, kInputNotRegular,
       kInputNotRegular},
  };
  size_t questions = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " " + c.id);
    page_.file_name = c.file;
    page_.graphic_id = c.id;
    page_.focus_graphic_id = false;
    if (c.asked) {
      op_.AnswerConfirm(true);
      ++questions;
    }
    EXPECT_CODE(c.code, page_.SendPicture(comm_, op_));
    EXPECT_EQ(op_.shown().back().table, c.table);
    EXPECT_EQ(Shown().back(), c.message);
    EXPECT_EQ(Questions(), questions);
    EXPECT_EQ(page_.focus_graphic_id, c.message == Index(StorageText::kIdTooLong));
    // The store on its own (as the command line runs it) refuses as well.
    if (!c.asked && c.table != storage) {
      EXPECT_CODE(c.code, page_.StoreGraphic(comm_, op_));
    }
  }
  EXPECT_TRUE(printer.Wire().empty());
  // Four Chinese characters are eight GBK bytes: allowed.
  page_.SetChosenPicture(dir_.File("logo.pcx"));
  page_.graphic_id = "中文图形";
  op_.AnswerConfirm(true);
  EXPECT_CODE(kStorageOk, page_.SendPicture(comm_, op_));
  EXPECT_EQ(printer.WireText().substr(0, 16), "ZS\r\nGK\"\xd6\xd0\xce\xc4\xcd\xbc\xd0\xce\"");
}

}  // namespace
}  // namespace vidodez
