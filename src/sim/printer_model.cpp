#include "sim/printer_model.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace vidodez::sim {
namespace {

// What a freshly unpacked printer reports: 41 fields, each within the slot
// the program keeps for it, none holding "*".
constexpr std::array<const char*, 41> kFactorySettings{
    "1",        "0",         "0",    "10",   "04",   "0",              "1.52",
    "VT41-0152", "0",        "2",    "0",    "01",   "00",             "0",
    "0",        "0",         "0",    "192.168.1.100", "255.255.255.0", "192.168.1.1",
    "9100",     "0008",      "-012", "0000", "0000", "0000",           "0000",
    "00112233445566", "000000", "1", "000",  "0000", "0",              "10",
    "1",        "0100",      "0",    "12",   "12",   "1",              "0"};

// A command line is short; a line this long is file data, not a command,
// and is not kept.
constexpr size_t kMaxLine = 64 * 1024;
constexpr size_t kOversizeFirstTransfer = 1024;
constexpr auto kSlowReplyDelay = std::chrono::seconds(3);

std::string StatePath(const PrinterOptions& options, const std::string& serial) {
  return options.state_dir + "/" + serial + ".settings";
}

}  // namespace

PrinterModel::PrinterModel(PrinterOptions options)
    : options_(std::move(options)), status_(options_.status) {
  int fields = std::clamp(options_.fields, 32, static_cast<int>(kFactorySettings.size()));
  settings_.assign(kFactorySettings.begin(), kFactorySettings.begin() + fields);
  if (!options_.state_dir.empty()) {
    std::ifstream in(StatePath(options_, Serial()), std::ios::binary);
    std::vector<std::string> stored;
    for (std::string line; std::getline(in, line);) stored.push_back(line);
    if (stored.size() == settings_.size()) settings_ = std::move(stored);
    else SaveState();
  }
  if (!options_.wire_log.empty())
    wire_log_fd_ = ::open(options_.wire_log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

PrinterModel::~PrinterModel() {
  if (wire_log_fd_ >= 0) ::close(wire_log_fd_);
}

std::string PrinterModel::Description() const {
  return options_.description.empty() ? "MarliXPrinters " + options_.model : options_.description;
}

std::string PrinterModel::Serial() const {
  if (!options_.serial.empty()) return options_.serial;
  char serial[16];
  std::snprintf(serial, sizeof(serial), "SIM%04d", options_.port_number % 10000);
  return serial;
}

void PrinterModel::SaveState() const {
  if (options_.state_dir.empty()) return;
  std::string path = StatePath(options_, Serial());
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    for (const auto& field : settings_) out << field << '\n';
    if (!out) return;
  }
  std::rename(temp.c_str(), path.c_str());
}

void PrinterModel::AppendWireLog(const uint8_t* data, size_t size) {
  if (options_.keep_wire) {
    wire_.insert(wire_.end(), data, data + size);
    transfer_sizes_.push_back(size);
  }
  if (wire_log_fd_ < 0) return;
  while (size > 0) {
    ssize_t n = ::write(wire_log_fd_, data, size);
    if (n <= 0) return;
    data += n;
    size -= static_cast<size_t>(n);
  }
}

void PrinterModel::Receive(const uint8_t* data, size_t size, Clock::time_point now) {
  AppendWireLog(data, size);
  const char* text = reinterpret_cast<const char*>(data);
  const char* end = text + size;
  while (text < end) {
    const char* lf = static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text)));
    const char* stop = lf != nullptr ? lf : end;
    if (!line_overflow_) {
      if (pending_line_.size() + static_cast<size_t>(stop - text) > kMaxLine) {
        pending_line_.clear();
        line_overflow_ = true;
      } else {
        pending_line_.append(text, stop);
      }
    }
    if (lf == nullptr) break;
    // A line ends at CR LF; a bare LF is part of the line.
    if (!line_overflow_ && !pending_line_.empty() && pending_line_.back() == '\r') {
      pending_line_.pop_back();
      if (!pending_line_.empty()) HandleLine(pending_line_, now);
      pending_line_.clear();
    } else if (line_overflow_) {
      line_overflow_ = false;
    } else {
      pending_line_.push_back('\n');
    }
    text = lf + 1;
  }
}

void PrinterModel::HandleLine(const std::string& line, Clock::time_point now) {
  if (line == "^G1") QueueReply(SettingsReply(), now);
}

std::string PrinterModel::SettingsReply() const {
  std::string reply = "S";
  for (const auto& field : settings_) reply += "*" + field;
  return reply + "*E\r\n";
}

void PrinterModel::QueueReply(const std::string& reply, Clock::time_point now) {
  auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
  switch (options_.reply_mode) {
    case ReplyMode::kNormal:
      bulk_in_.push_back({now, bytes(reply)});
      break;
    case ReplyMode::kNone:
      break;
    case ReplyMode::kEmpty:
      bulk_in_.push_back({now, {}});
      break;
    case ReplyMode::kSplit: {
      size_t half = reply.size() / 2;
      bulk_in_.push_back({now, bytes(reply.substr(0, half))});
      bulk_in_.push_back({now, bytes(reply.substr(half))});
      break;
    }
    case ReplyMode::kOversize: {
      // Padded past one transfer: the first 1024 bytes, then the rest.
      std::string padded = reply + std::string(kOversizeFirstTransfer, '#');
      bulk_in_.push_back({now, bytes(padded.substr(0, kOversizeFirstTransfer))});
      bulk_in_.push_back({now, bytes(padded.substr(kOversizeFirstTransfer))});
      break;
    }
    case ReplyMode::kSlow:
      bulk_in_.push_back({now + kSlowReplyDelay, bytes(reply)});
      break;
  }
}

bool PrinterModel::TakeTransfer(Clock::time_point now, std::vector<uint8_t>* transfer) {
  if (bulk_in_.empty() || bulk_in_.front().due > now) return false;
  *transfer = std::move(bulk_in_.front().bytes);
  bulk_in_.pop_front();
  return true;
}

std::optional<Clock::time_point> PrinterModel::NextTransferDue() const {
  if (bulk_in_.empty()) return std::nullopt;
  return bulk_in_.front().due;
}

void PrinterModel::ForgetUnreadTransfers() { bulk_in_.clear(); }

}  // namespace vidodez::sim
