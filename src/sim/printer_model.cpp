#include "sim/printer_model.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/config/settings_commands.h"
#include "core/network/network_addresses.h"
#include "core/platform/file_system.h"
#include "core/shell/units.h"
#include "sim/sim_files.h"

namespace vidodez::sim {
namespace {

// What a freshly unpacked printer reports: 41 fields, each within the slot
// the program keeps for it, none holding "*".
constexpr std::array<const char*, 41> kFactorySettings{"1",
                                                       "0",
                                                       "0",
                                                       "10",
                                                       "04",
                                                       "0",
                                                       "1.52",
                                                       "VT41-0152",
                                                       "0",
                                                       "2",
                                                       "0",
                                                       "01",
                                                       "00",
                                                       "0",
                                                       "0",
                                                       "0",
                                                       "0",
                                                       "192.168.1.100",
                                                       "255.255.255.0",
                                                       "192.168.1.1",
                                                       "9100",
                                                       "0008",
                                                       "-012",
                                                       "0000",
                                                       "0000",
                                                       "0000",
                                                       "0000",
                                                       "00112233445566",
                                                       "000000",
                                                       "1",
                                                       "000",
                                                       "0000",
                                                       "0",
                                                       "10",
                                                       "1",
                                                       "0100",
                                                       "0",
                                                       "12",
                                                       "12",
                                                       "1",
                                                       "0"};

// A line this long is file data, not a command: only its end is kept, where
// a caret or tilde command may begin.
constexpr size_t kMaxLine = 64 * 1024;
// The longest command looked for in the end of a line.
constexpr size_t kMaxCommand = 1024;
constexpr size_t kCommandSetFlagField = 8;
constexpr size_t kCalibrationLenField = 35;
constexpr size_t kOversizeFirstTransfer = 1024;
constexpr auto kSlowReplyDelay = std::chrono::seconds(3);

size_t PositionOf(SettingSlot PrinterSettingsRecord::*slot) {
  return static_cast<size_t>(FieldOfSlot(slot).position);
}

// "S*" fields "*E" CR LF.
std::string ReplyOf(const std::vector<std::string>& fields) {
  std::string reply = "S";
  for (const auto& field : fields) reply += "*" + field;
  return reply + "*E\r\n";
}

void WriteAside(const std::string& path, const std::string& text) {
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) return;
  }
  (void)platform::ReplaceWith(temp, path);
}

}  // namespace

PrinterModel::PrinterModel(PrinterOptions options)
    : options_(std::move(options)), status_(options_.status), upgrade_(options_.upgrade_step) {
  int fields = std::clamp(options_.fields, 32, static_cast<int>(kFactorySettings.size()));
  settings_.assign(kFactorySettings.begin(), kFactorySettings.begin() + fields);
  settings_[kCommandSetFlagField] = std::string(1, options_.command_set_flag);
  if (!options_.state_dir.empty()) LoadState();
  ApplyHeadResolution();
  if (!options_.wire_log.empty()) wire_log_fd_ = OpenWireLog(options_.wire_log);
}

// What a restart keeps: the settings, one per line, the stored objects and
// the Wi-Fi settings in effect.
// State that does not match this printer's field count is started afresh.
void PrinterModel::LoadState() {
  std::istringstream settings(ReadStateFile(StatePath(options_, ".settings"), ".settings"));
  std::vector<std::string> fields;
  for (std::string line; std::getline(settings, line);) fields.push_back(line);
  if (fields.size() == settings_.size()) settings_ = std::move(fields);
  // Printers under 39 fields keep the calibration length apart from their
  // settings; a restart keeps it too.
  std::string length = ReadStateFile(StatePath(options_, ".calibration"), ".calibration");
  if (length.size() >= 4 && std::all_of(length.begin(), length.begin() + 4,
                                        [](unsigned char c) { return std::isdigit(c); })) {
    calibration_length_ = length.substr(0, 4);
  }
  if (auto stored = StoredObjects::Parse(ReadStateFile(StatePath(options_, ".stored"), ".stored")))
    stored_ = std::move(*stored);
  wifi_.Restore(ReadStateFile(StatePath(options_, ".wifi"), ".wifi"));
  const std::string count = ReadStateFile(StatePath(options_, ".labels"), ".labels");
  labels_printed_ = std::max(std::strtol(count.c_str(), nullptr, 10), 0L);
  SaveState();
}

// The head's resolution is the printer's, whatever a settings line said.
void PrinterModel::ApplyHeadResolution() {
  const std::string_view code = ResolutionCodeForDpi(options_.dpi);
  if (!code.empty()) settings_[PositionOf(&PrinterSettingsRecord::ResolutionCode)] = code;
  labels_.set_dpi(LabelDpi());
}

int PrinterModel::LabelDpi() const {
  return DpiForResolution(settings_[PositionOf(&PrinterSettingsRecord::ResolutionCode)]);
}

PrinterModel::~PrinterModel() {
  if (wire_log_fd_ >= 0) platform::DefaultFileCalls().close(wire_log_fd_);
}

std::string PrinterModel::Description() const {
  return options_.description.empty() ? "MarliXPrinters " + options_.model : options_.description;
}

std::string SerialOf(const PrinterOptions& options) {
  if (!options.serial.empty()) return options.serial;
  char serial[16];
  std::snprintf(serial, sizeof(serial), "SIM%04d", options.port_number % 10000);
  return serial;
}

std::string PrinterModel::Serial() const { return SerialOf(options_); }

void PrinterModel::SaveState() const {
  if (options_.state_dir.empty()) return;
  std::string settings;
  for (const auto& field : settings_) settings += field + "\n";
  WriteAside(StatePath(options_, ".settings"), settings);
  WriteAside(StatePath(options_, ".stored"), stored_.Serialise());
  WriteAside(StatePath(options_, ".calibration"), calibration_length_ + "\n");
  WriteAside(StatePath(options_, ".wifi"), wifi_.Serialise());
  SaveLabelCount();
}

void PrinterModel::SaveLabelCount() const {
  if (options_.state_dir.empty()) return;
  WriteAside(StatePath(options_, ".labels"), std::to_string(labels_printed_) + "\n");
}

void PrinterModel::AppendWireLog(const uint8_t* data, size_t size) {
  if (options_.keep_wire) {
    wire_.insert(wire_.end(), data, data + size);
    transfer_sizes_.push_back(size);
  }
  if (wire_log_fd_ >= 0) (void)platform::WriteAll(wire_log_fd_, data, size);
}

void PrinterModel::Receive(const uint8_t* data, size_t size, Clock::time_point now) {
  Advance(now);
  last_receive_ = now;
  AppendWireLog(data, size);
  std::span<const uint8_t> transfer(data, size);
  if (upgrade_.receiving()) {
    upgrade_.Add(transfer, now);
    return;
  }
  if (binary_left_ == 0 && upgrade_.Begin(transfer, now)) {
    // The host has moved on to an image: whatever was half sent is over.
    if (font_) EndFontDownload();
    pending_line_.clear();
    line_overflow_ = false;
    return;
  }
  size_t at = 0;
  while (at < size) {
    if (font_) {
      at += font_->Take(data + at, size - at);
      if (font_->ended()) {
        // A line that is not payload goes on as a line.
        pending_line_ = font_->unfinished_line();
        EndFontDownload();
      }
      continue;
    }
    if (binary_left_ == 0) {
      at += ReceiveText(data + at, size - at, now);
      continue;
    }
    size_t take = std::min(binary_left_, size - at);
    binary_.append(reinterpret_cast<const char*>(data + at), take);
    at += take;
    binary_left_ -= take;
    if (binary_left_ == 0) {
      StoredObjects::Put(&stored_.graphics, binary_name_, std::move(binary_));
      binary_.clear();
      SaveState();
    }
  }
}

// Takes bytes up to and including the next LF (or all of them) into the
// current line; returns how many it took.
size_t PrinterModel::ReceiveText(const uint8_t* data, size_t size, Clock::time_point now) {
  const char* text = reinterpret_cast<const char*>(data);
  const char* lf = static_cast<const char*>(std::memchr(text, '\n', size));
  const char* stop = lf != nullptr ? lf : text + size;
  pending_line_.append(text, stop);
  if (pending_line_.size() > kMaxLine) line_overflow_ = true;
  if (line_overflow_ && pending_line_.size() > kMaxCommand)
    pending_line_.erase(0, pending_line_.size() - kMaxCommand);
  if (lf == nullptr) return size;
  // A line ends at CR LF, or CR CR LF as command files have it; a bare LF
  // is part of the line.
  if (!pending_line_.empty() && pending_line_.back() == '\r') {
    while (!pending_line_.empty() && pending_line_.back() == '\r') pending_line_.pop_back();
    std::string line = std::move(pending_line_);
    pending_line_.clear();
    bool whole = !line_overflow_;
    line_overflow_ = false;
    if (!line.empty()) HandleLine(line, whole, now);
  } else {
    pending_line_.push_back('\n');
  }
  return static_cast<size_t>(lf - text) + 1;
}

void PrinterModel::HandleLine(const std::string& line, bool whole, Clock::time_point now) {
  if (form_name_) {
    if (!whole) return;
    if (line == "FE") {
      StoredObjects::Put(&stored_.forms, *form_name_, std::move(form_body_));
      form_name_.reset();
      form_body_.clear();
      SaveState();
    } else {
      form_body_ += line + "\r\n";
    }
    return;
  }
  if (!whole) {
    // The end of a line too long for any command: only a printer command
    // that begins in it is looked for, never the label commands that the
    // bytes of a file could spell.
    size_t from = line.size() > kMaxCommand ? line.size() - kMaxCommand : 0;
    for (size_t at = line.find_first_of("^~", from); at != std::string::npos;
         at = line.find_first_of("^~", at + 1)) {
      if (HandleCommand(line.substr(at), now)) return;
    }
    return;
  }
  if (line[0] == '^' || line[0] == '~') {
    HandleVrlzLine(line, now);
    return;
  }
  if (HandleCommand(line, now)) return;
  if (labels_.TakeVrleLine(line)) {
    PrintComposedLabels();
    return;
  }
  // "^" and "~" start a command wherever they stand, so a stray line without
  // its line end (the tail of a file) does not swallow the command after it.
  const size_t at = line.find_first_of("^~", 1);
  labels_.SkipLine(line);
  if (at != std::string::npos) HandleVrlzLine(std::string_view(line).substr(at), now);
}

void PrinterModel::HandleVrlzLine(std::string_view line, Clock::time_point now) {
  for (std::string_view command : SplitVrlzCommands(line))
    if (!HandleCommand(std::string(command), now)) labels_.TakeVrlzCommand(command);
  PrintComposedLabels();
}

bool PrinterModel::HandleCommand(const std::string& line, Clock::time_point now) {
  if (line == "^G1") {
    QueueReply(SettingsReply(), now);
    return true;
  }
  // Only printers whose reply carries DHCP know "G0".
  if (line == "G0" && HasDhcpField(static_cast<int>(settings_.size()))) {
    QueueReply(WifiSettingsReply(), now);
    return true;
  }
  bool changed = false;
  if (wifi_.HandleLine(line, &changed)) {
    if (changed) SaveState();
    return true;
  }
  return HandleSettingsLine(line) || HandleFontLine(line) || HandleStorageLine(line, now);
}

bool PrinterModel::HandleSettingsLine(const std::string& line) {
  if (line.starts_with("#PS>S")) {
    // A malformed line, or one of a count another printer takes, changes
    // nothing, as a printer ignores it.
    std::vector<std::string> values;
    if (!ParseSettingsCommand(line, &values) ||
        static_cast<int>(values.size()) !=
            SettingsLinePositions(static_cast<int>(settings_.size())))
      return true;
    std::copy(values.begin(), values.end(), settings_.begin());
    ApplyHeadResolution();
    SaveState();
    return true;
  }
  if (line.compare(0, 6, "#UM>SL") == 0) {
    std::string length = line.substr(6);
    bool digits =
        length.size() == 4 &&
        std::all_of(length.begin(), length.end(), [](unsigned char c) { return std::isdigit(c); });
    if (digits) {
      calibration_length_ = length;
      if (settings_.size() > kCalibrationLenField) settings_[kCalibrationLenField] = length;
      SaveState();
    }
    return true;
  }
  if (line == "#UM>IF") {
    settings_.assign(kFactorySettings.begin(),
                     kFactorySettings.begin() + static_cast<long>(settings_.size()));
    settings_[kCommandSetFlagField] = std::string(1, options_.command_set_flag);
    calibration_length_ = kFactorySettings[kCalibrationLenField];
    ApplyHeadResolution();
    actions_.push_back(line);
    SaveState();
    return true;
  }
  if (line == "MD" || line == "U" || line == "^z") {
    actions_.push_back(line);
    if (line == "U") PrintSelfTest();
    return true;
  }
  return false;
}

std::string PrinterModel::SettingsReply() const { return ReplyOf(settings_); }

std::string PrinterModel::WifiSettingsReply() const {
  std::vector<std::string> fields = settings_;
  const WifiSettings& wifi = wifi_.settings();
  fields[PositionOf(&PrinterSettingsRecord::IPAddress)] = JoinAddress(wifi.address);
  fields[PositionOf(&PrinterSettingsRecord::SubnetMask)] = JoinAddress(wifi.mask);
  fields[PositionOf(&PrinterSettingsRecord::Gateway)] = JoinAddress(wifi.gateway);
  return ReplyOf(fields);
}

void PrinterModel::Advance(Clock::time_point now) {
  // A graphic or form whose bytes stopped coming is given up, so the
  // printer reads the next job's commands as commands.
  if ((binary_left_ > 0 || form_name_) && now - last_receive_ >= kUnterminatedJobEnd) {
    binary_left_ = 0;
    binary_.clear();
    form_name_.reset();
    form_body_.clear();
  }
  std::vector<StatusStep> due;
  upgrade_.Advance(now, settings_[PositionOf(&PrinterSettingsRecord::FirmwareId)],
                   PrinterSettingsRecord().FirmwareVersion.capacity(), &due);
  for (const StatusStep& step : due) {
    status_ = step.status;
    if (!step.version.empty()) {
      settings_[PositionOf(&PrinterSettingsRecord::FirmwareVersion)] = step.version;
      SaveState();
    }
  }
}

void PrinterModel::QueueReply(const std::string& reply, Clock::time_point received) {
  const Clock::time_point now = received + options_.reply_delay;
  auto bytes = [](const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
  };
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
