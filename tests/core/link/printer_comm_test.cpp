#include "core/link/printer_comm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/link/io_error_texts.h"
#include "core/link/port_codes.h"
#include "core/link/status_tables.h"
#include "support/expect_code.h"
#include "support/sim_bus.h"

namespace vidodez {
namespace {

using sim::ReplyMode;
using test::SimBus;

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(QueryPrinter, ReadsTheSettingsReplyAndSendsTheCommandOnce) {
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterComm comm(bus.usb());
  ASSERT_CODE(kPortOk, comm.QueryPrinter(7, "^G1"));
  EXPECT_TRUE(StartsWith(comm.GetReply(), "S*")) << comm.GetReply();
  EXPECT_TRUE(EndsWith(comm.GetReply(), "*E\r\n")) << comm.GetReply();
  EXPECT_WIRE(printer, "^G1\r\n");
  EXPECT_TRUE(comm.port().IsPortClosed());
}

TEST(QueryPrinter, EachReplyModeGivesItsResult) {
  struct Case {
    ReplyMode mode;
    int code;
    size_t reply_size;
  } cases[] = {
      {ReplyMode::kNone, kQueryNoReply, 0},
      {ReplyMode::kEmpty, kQueryEmptyReply, 0},
      {ReplyMode::kOversize, kPortOk, 1024},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    SimBus bus;
    sim::PrinterOptions options;
    options.reply_mode = c.mode;
    bus.AddPrinter(options);
    CPrinterComm comm(bus.usb());
    EXPECT_CODE(c.code, comm.QueryPrinter(7, "^G1"));
    EXPECT_EQ(comm.GetReply().size(), c.reply_size);
  }
}

TEST(QueryPrinter, ReplySplitOverTwoTransfersKeepsTheFirst) {
  SimBus bus;
  sim::PrinterOptions options;
  options.reply_mode = ReplyMode::kSplit;
  auto& printer = bus.AddPrinter(options);
  std::string whole;
  printer.WithModel([&](sim::PrinterModel& model) { whole = model.SettingsReply(); });
  CPrinterComm comm(bus.usb());
  ASSERT_CODE(kPortOk, comm.QueryPrinter(7, "^G1"));
  EXPECT_EQ(comm.GetReply(), whole.substr(0, whole.size() / 2));
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

TEST(QueryPrinter, OpenFailuresPassThroughAndAbsentPrinterGivesEmptyAtOnce) {
  SimBus bus;
  CPrinterComm comm(bus.usb());
  EXPECT_CODE(kNoSuchUsbPrinter, comm.QueryPrinter(7, "^G1"));
  EXPECT_CODE(kQueryWriteFailed, comm.QueryPrinter(255, "^G1"));
}

TEST(PrinterStatus, StatusBytesMapToMessagesInBothLanguages) {
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
  SimBus bus;
  auto& printer = bus.AddPrinter(test::PrinterOnPort(3));
  CPrinterComm comm(bus.usb());
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    printer.SetStatus(c.byte);
    int index = comm.GetPrinterStatus("USB03 [MarliXPrinters VT-4100]\n");
    EXPECT_STREQ(StatusMessage(index, "eng"), c.eng);
    EXPECT_STREQ(StatusMessage(index, "chi"), c.chi);
    EXPECT_STREQ(StatusMessage(index, "fr"), c.eng);
  }
}

TEST(PrinterStatus, NamesThatAreNotUsbPrintersHaveNoStatus) {
  SimBus bus;
  bus.AddPrinter(test::PrinterOnPort(1));
  CPrinterComm comm(bus.usb());
  EXPECT_EQ(comm.GetPrinterStatus(""), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("COM1"), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("USB02 [x]\n"), kStatusNoPrinter);
  EXPECT_EQ(comm.GetPrinterStatus("usb01 [x]\n"), kStatusReady);
}

TEST(QueryResultMessages, CoverTheFourQueryFailuresOnly) {
  EXPECT_STREQ(QueryResultMessage(-1, "eng"), "Please check the port!");
  EXPECT_STREQ(QueryResultMessage(-2, "chi"), "写入端口失败！");
  EXPECT_STREQ(QueryResultMessage(-4, "eng"), "No return value from printer");
  EXPECT_EQ(QueryResultMessage(0, "eng"), nullptr);
  EXPECT_EQ(QueryResultMessage(-5, "eng"), nullptr);
}

TEST(IoErrorMessage, NamesTheCauseAndTheDevice) {
  EXPECT_NE(IoErrorMessage(EBUSY, "/dev/usb/lp0", "eng").find("in use by another program"),
            std::string::npos);
  std::string access = IoErrorMessage(EACCES, "/dev/usb/lp0", "eng");
  EXPECT_NE(access.find("/dev/usb/lp0"), std::string::npos);
  EXPECT_NE(access.find("\"lp\""), std::string::npos);
  EXPECT_EQ(IoErrorMessage(EPERM, "/dev/usb/lp0", "chi"), IoErrorMessage(EACCES, "/dev/usb/lp0", "chi"));
  EXPECT_EQ(IoErrorMessage(ENODEV, "", "eng"), "The printer was unplugged or switched off.");
  EXPECT_EQ(IoErrorMessage(EPROTO, "/dev/usb/lp0", "eng"), "The system reported: Protocol error");
  EXPECT_EQ(IoErrorMessage(0, "/dev/usb/lp0", "eng"), "");
}

}  // namespace
}  // namespace vidodez
