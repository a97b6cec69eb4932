#include "core/link/printer_comm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/link/io_error_texts.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/status_tables.h"
#include "support/expect_code.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using sim::ReplyMode;
using test::SimBus;

// Faults caught: reading past the first transfer, taking an empty or
// missing reply for an answer, sending the command more than once or
// leaving the printer open.
TEST(QueryPrinter, TakesTheFirstTransferOfTheReplyAndSendsTheCommandOnce) {
  const std::string whole = sim::PrinterModel(sim::PrinterOptions{}).SettingsReply();
  struct Case {
    ReplyMode mode;
    int code;
    std::string reply;
  } cases[] = {
      {ReplyMode::kNormal, kPortOk, whole},
      {ReplyMode::kSplit, kPortOk, whole.substr(0, whole.size() / 2)},
      {ReplyMode::kOversize, kPortOk, whole + std::string(1024 - whole.size(), '#')},
      {ReplyMode::kNone, kQueryNoReply, ""},
      {ReplyMode::kEmpty, kQueryEmptyReply, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    SimBus bus;
    sim::PrinterOptions options;
    options.reply_mode = c.mode;
    auto& printer = bus.AddPrinter(options);
    CPrinterComm comm(bus.usb());
    EXPECT_CODE(c.code, comm.QueryPrinter(7, "^G1"));
    EXPECT_EQ(comm.GetReply(), c.reply);
    EXPECT_WIRE(printer, "^G1\r\n");
    EXPECT_TRUE(comm.port().IsPortClosed());
  }
}

TEST(QueryPrinter, LateReplyOfAnEarlierQueryIsNotTakenForTheNext) {
  SimBus bus;
  sim::PrinterOptions options;
  options.reply_mode = ReplyMode::kSlow;
  auto& printer = bus.AddPrinter(options);
  CPrinterComm comm(bus.usb());
  EXPECT_CODE(kQueryNoReply, comm.QueryPrinter(7, "^G1"));

  // Wait until the late reply sits in the printer's endpoint.
  bool late_reply_due = false;
  for (int i = 0; i < 100 && !late_reply_due; ++i) {
    printer.WithModel([&](sim::PrinterModel& model) {
      auto due = model.NextTransferDue();
      late_reply_due = due && *due <= sim::Clock::now();
    });
    if (!late_reply_due) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(late_reply_due);
  printer.SetReplyMode(ReplyMode::kEmpty);
  // The late settings reply must be drained, so this query sees its own
  // (empty) answer and not the old one.
  EXPECT_CODE(kQueryEmptyReply, comm.QueryPrinter(7, "^G1"));
  EXPECT_EQ(comm.GetReply(), "");
}

// A "G0" answered late, after the drain and inside the next query's window,
// looks like the settings reply "^G1" asked for: a confirmed query sees the
// second answer differ and refuses both, where one query takes the stale one.
TEST(QueryPrinter, ConfirmedQueryRefusesALateAnswerToAnEarlierCommand) {
  for (bool confirm : {false, true}) {
    SCOPED_TRACE(confirm);
    SimBus bus;
    auto& printer = bus.AddPrinter();
    std::string wifi_reply;
    printer.WithModel([&](sim::PrinterModel& model) {
      const std::string earlier = "G0\r\n";
      const auto late = sim::Clock::now() + std::chrono::milliseconds(150);
      model.Receive(reinterpret_cast<const uint8_t*>(earlier.data()), earlier.size(), late);
      wifi_reply = model.WifiSettingsReply();
    });
    CPrinterComm comm(bus.usb());
    const int rc = comm.QueryPrinter(7, "^G1", confirm);
    if (confirm) {
      EXPECT_CODE(kQueryRepliesDiffer, rc);
      EXPECT_WIRE(printer, "G0\r\n^G1\r\n^G1\r\n");
    } else {
      EXPECT_CODE(kPortOk, rc);
      EXPECT_EQ(comm.GetReply(), wifi_reply);
    }
  }
  // A printer that answers each question alike passes, with its answer.
  SimBus bus;
  auto& printer = bus.AddPrinter();
  CPrinterComm comm(bus.usb());
  EXPECT_CODE(kPortOk, comm.QueryPrinter(7, "^G1", true));
  EXPECT_EQ(comm.GetReply(), sim::PrinterModel(sim::PrinterOptions{}).SettingsReply());
  EXPECT_WIRE(printer, "^G1\r\n^G1\r\n");
}

TEST(QueryPrinter, OpenFailuresPassThroughAndPort255WithoutPrinterFailsTheWrite) {
  SimBus bus;
  CPrinterComm comm(bus.usb());
  EXPECT_CODE(kNoSuchUsbPrinter, comm.QueryPrinter(7, "^G1"));
  EXPECT_CODE(kQueryWriteFailed, comm.QueryPrinter(255, "^G1"));
}

// While a transfer of the program holds the printer (a firmware upload on
// the transfer runner's worker), another page's open is refused: it says
// the printer is busy with that transfer rather than that it is not
// connected, in both languages; once the transfer has ended, a failure
// gives its own cause again.
TEST(OpenLink, RefusalDuringATransferSaysThePrinterIsBusyWithIt) {
  SimBus bus;
  sim::PrinterOptions options;
  options.port_number = 1;
  bus.AddPrinter(options);
  CPrinterComm upload(bus.usb());
  ASSERT_CODE(kPortOk, upload.OpenLink(0, 7, 9600));
  upload.set_transfer_running(true);
  const OperatorMessage open_failed{"font.page", 9, "Opening port failed"};
  for (const char* language : {"eng", "chi"}) {
    SCOPED_TRACE(language);
    upload.set_language(language);
    const std::string busy = language == std::string("eng") ? "busy with a transfer" : "正在接收";
    // A page's send, and a page's question (Retrieve, Get Info, Get IP).
    EXPECT_CODE(kPortAlreadyOpen, upload.OpenLink(0, 7, 9600));
    const OperatorMessage told = WithCause(open_failed, upload);
    EXPECT_EQ(told.index, open_failed.index);
    EXPECT_NE(told.text.find(busy), std::string::npos) << told.text;
    EXPECT_CODE(kPortAlreadyOpen, upload.QueryPrinter(7, "^G1"));
    EXPECT_NE(WithCause(open_failed, upload).text.find(busy), std::string::npos);
  }
  upload.set_transfer_running(false);
  upload.CloseLink();
  EXPECT_CODE(kNoSuchUsbPrinter, upload.OpenLink(0, 9, 9600));
  EXPECT_EQ(WithCause(open_failed, upload).text.find("busy"), std::string::npos);
}

TEST(PrinterStatus, UsbNamesOnlyAndEachStatusByteToItsMessageInBothLanguages) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(3));
  CPrinterComm comm(bus.usb());
  EXPECT_EQ(comm.GetPrinterStatus(""), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("COM1"), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("USB02 [x]\n"), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("usb03 [x]\n"), kStatusReady);
  struct Case {
    uint8_t byte;
    const char* eng;
    const char* chi;
  } cases[] = {
      {0, "READY", "就绪"},
      {24, "READY", "就绪"},
      {8, "CONNECTING", "连接中"},
      {2, "UNKNOW ERROR", "未知错误"},
      {4, "PRINTING", "正在打印"},
      {225, "RFID DATALEN OVERFLOW ERROR", "写入数据长度超出指定范围"},
      {226, "CMD HD ERROR", "HD指令参数错误"},
      {227, "CMD HF OVERFLOW ERROR", "HF写指令超出"},
      {255, "UNKNOW ERROR", "未知错误"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    printer.SetStatus(c.byte);
    int index = comm.GetPrinterStatus("USB03 [MarliXPrinters VT-4100]\n");
    EXPECT_STREQ(StatusMessage(index, "eng"), c.eng);
    EXPECT_STREQ(StatusMessage(index, "chi"), c.chi);
    EXPECT_STREQ(StatusMessage(index, "fr"), c.eng);
  }
}

// A printer busy for longer than a second (taking in a large send) still
// answers the status request; one held by another program gives the cause.
TEST(PrinterStatus, SlowPrinterAnswersAndAFailureKeepsItsCause) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(3));
  CPrinterComm comm(bus.usb());
  const std::string name = "USB03 [MarliXPrinters VT-4100]\n";
  std::atomic<bool> holding{false};
  std::thread busy([&] {
    printer.WithModel([&](sim::PrinterModel&) {
      holding = true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    });
  });
  while (!holding) std::this_thread::yield();
  EXPECT_EQ(comm.GetPrinterStatus(name), kStatusReady);
  busy.join();
  EXPECT_EQ(comm.status_cause().error, 0);

  CPrinterPort other_program(bus.usb());
  ASSERT_CODE(kPortOk, other_program.OpenPort(9));
  EXPECT_EQ(comm.GetPrinterStatus(name), kStatusNoPrinter);
  EXPECT_EQ(comm.status_cause().error, EBUSY);
  EXPECT_FALSE(comm.status_cause().device.empty());
}

TEST(QueryResultMessages, CoverTheQueryFailuresOnly) {
  EXPECT_STREQ(QueryResultMessage(-1, "eng"), "Please check the port!");
  EXPECT_STREQ(QueryResultMessage(-2, "chi"), "写入端口失败！");
  EXPECT_STREQ(QueryResultMessage(-4, "eng"), "No return value from printer");
  EXPECT_EQ(QueryResultMessage(0, "eng"), nullptr);
  EXPECT_EQ(QueryResultMessage(-5, "eng"), nullptr);
  EXPECT_NE(std::string(QueryResultMessage(kQueryRepliesDiffer, "eng")).find("Nothing was sent"),
            std::string::npos);
  EXPECT_EQ(QueryResultIndex(kQueryRepliesDiffer), 4);
}

TEST(IoErrorMessage, NamesTheCauseAndTheDevice) {
  EXPECT_NE(IoErrorMessage(EBUSY, "/dev/usb/lp0", "eng").find("in use by another program"),
            std::string::npos);
  std::string access = IoErrorMessage(EACCES, "/dev/usb/lp0", "eng");
  EXPECT_NE(access.find("/dev/usb/lp0"), std::string::npos);
  EXPECT_NE(access.find("\"lp\""), std::string::npos);
  EXPECT_EQ(IoErrorMessage(EPERM, "/dev/usb/lp0", "chi"),
            IoErrorMessage(EACCES, "/dev/usb/lp0", "chi"));
  EXPECT_EQ(IoErrorMessage(ENODEV, "", "eng"), "The printer was unplugged or switched off.");
  EXPECT_EQ(IoErrorMessage(EPROTO, "/dev/usb/lp0", "eng"), "The system reported: Protocol error");
  EXPECT_EQ(IoErrorMessage(0, "/dev/usb/lp0", "eng"), "");
}

}  // namespace
}  // namespace vidodez
