#pragma once
// The simulated printer itself, independent of how bytes reach it. The
// simulated USB bus and the kernel's printer gadget are two transports over
// this one model.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/firmware_upgrade.h"
#include "sim/font_receiver.h"
#include "sim/label_composer.h"
#include "sim/stored_objects.h"
#include "sim/wifi_module.h"

namespace vidodez::sim {

enum class ReplyMode { kNormal, kNone, kEmpty, kSplit, kOversize, kSlow };

// One label the printer printed, as it composed it: what a sink draws
// (label_render.h's LabelPainter).
struct PrintedLabel {
  long number = 0;   // counted over the printer's life, from 1
  std::string kind;  // "self-test", "font-test", "graphic", "form" or "label"
  LabelJob job;      // its fields, copies and the commands it skipped
  int dpi = 203;
  // The printer's label, for a job that names no size of its own.
  int width = 0;
  int height = 0;
  // The fonts and graphics the printer holds as it prints; only for the
  // sink's call.
  const StoredObjects* stored = nullptr;
};
using LabelSink = std::function<void(const PrintedLabel&)>;

struct PrinterOptions {
  int port_number = 1;
  std::string model = "VT-4100";
  std::string description;  // empty: "MarliXPrinters " + model
  uint16_t vid = 0x0471;
  uint16_t pid = 0x0168;
  std::string serial;  // empty: "SIM" + port number in four digits
  int fields = 41;
  uint8_t status = 24;
  std::string wire_log;  // file every received byte is appended to; empty: none
  ReplyMode reply_mode = ReplyMode::kNormal;
  std::string state_dir;        // empty: state is not kept across restarts
  bool keep_wire = true;        // keep every received byte in memory for wire()
  char command_set_flag = '0';  // field 8 of the settings reply
  // When set, "^S1" is answered with this text as given, for odd replies.
  std::optional<std::string> list_reply;
  // How long each status step of a firmware upgrade lasts.
  Clock::duration upgrade_step = std::chrono::seconds(3);
  // Bytes a second the printer takes in on the simulated bus; 0: as fast
  // as they come.
  uint64_t write_rate = 0;
  // How long after its command every reply becomes readable (a slow
  // printer; "slow" replies wait this long more).
  Clock::duration reply_delay{};
  // The print head's resolution; 0: the settings reply's resolution code.
  // Set, it is also the code the reply carries.
  int dpi = 0;
  // The label in dots; 0: 4 by 6 inches.
  int label_width = 0;
  int label_height = 0;
  // Called with every printed label; none: labels are only counted.
  LabelSink label_sink;
};

// A graphic download or a form definition whose bytes stop coming ends
// after this much quiet, unkept, and the printer reads commands again.
inline constexpr auto kUnterminatedJobEnd = std::chrono::seconds(5);

// Not thread-safe: a transport serialises its calls.
// The serial a printer of these options reports: --serial, else SIM and the
// port number in four digits.
std::string SerialOf(const PrinterOptions& options);

class PrinterModel {
 public:
  explicit PrinterModel(PrinterOptions options);
  ~PrinterModel();
  PrinterModel(const PrinterModel&) = delete;
  PrinterModel& operator=(const PrinterModel&) = delete;

  const PrinterOptions& options() const { return options_; }
  std::string Description() const;
  std::string Serial() const;

  // One bulk-out transfer from the host. It is in the wire log when this returns.
  void Receive(const uint8_t* data, size_t size, Clock::time_point now);

  // The printer's own clock: ends a firmware image after kImageQuietEnd of
  // quiet, a graphic or form after kUnterminatedJobEnd, and steps an
  // upgrade's status. A transport calls it before it reads the status and
  // no later than NextDeadline; Receive calls it too.
  void Advance(Clock::time_point now);
  std::optional<Clock::time_point> NextDeadline() const { return upgrade_.NextDeadline(); }

  // The next bulk-in transfer that is due at `now`, if any. A transfer not
  // taken stays queued, as an unread reply stays in a printer's endpoint.
  bool TakeTransfer(Clock::time_point now, std::vector<uint8_t>* transfer);
  // When the earliest queued transfer becomes due; nothing queued: none.
  std::optional<Clock::time_point> NextTransferDue() const;

  uint8_t status() const { return status_; }
  void set_status(uint8_t status) { status_ = status; }
  void set_reply_mode(ReplyMode mode) { options_.reply_mode = mode; }

  // Every byte received so far, in order, and the size of each transfer.
  const std::vector<uint8_t>& wire() const { return wire_; }
  const std::vector<size_t>& transfer_sizes() const { return transfer_sizes_; }

  // The settings reply of "^G1": "S*" fields "*E" CR LF.
  std::string SettingsReply() const;
  // The reply of "G0" (printers of 40 fields or more): the settings reply
  // with the Wi-Fi module's address, mask and gateway.
  std::string WifiSettingsReply() const;
  const WifiModule& wifi() const { return wifi_; }
  const std::vector<std::string>& settings() const { return settings_; }
  const std::string& calibration_length() const { return calibration_length_; }

  // A re-plug resets the endpoints: what was not read is gone.
  void ForgetUnreadTransfers();

  const StoredObjects& stored() const { return stored_; }
  // The maintenance actions the printer carried out ("#UM>IF", "MD", "U",
  // "^z"), one line each as received; prints are labels.
  const std::vector<std::string>& actions() const { return actions_; }
  // Labels printed over the printer's life (kept with its state).
  long labels_printed() const { return labels_printed_; }
  int LabelDpi() const;

 private:
  struct Transfer {
    Clock::time_point due;
    std::vector<uint8_t> bytes;
  };

  size_t ReceiveText(const uint8_t* data, size_t size, Clock::time_point now);
  // `whole` is false for the kept end of an over-long line.
  void HandleLine(const std::string& line, bool whole, Clock::time_point now);
  // Each command of a VRLZ line: the printer's own, else the label's.
  void HandleVrlzLine(std::string_view line, Clock::time_point now);
  bool HandleCommand(const std::string& line, Clock::time_point now);
  bool HandleStorageLine(const std::string& line, Clock::time_point now);
  bool HandleSettingsLine(const std::string& line);
  bool HandleFontLine(const std::string& line);
  void EndFontDownload();
  void PrintComposedLabels();
  void PrintSelfTest();
  void PrintLabel(const LabelJob& job, const char* kind);
  int LabelWidth() const;
  int LabelHeight() const;
  void QueueReply(const std::string& reply, Clock::time_point received);
  void AppendWireLog(const uint8_t* data, size_t size);
  void LoadState();
  void SaveState() const;
  void SaveLabelCount() const;
  void ApplyHeadResolution();

  PrinterOptions options_;
  uint8_t status_;
  std::vector<std::string> settings_;
  // Printers of fewer than 39 fields keep it outside their settings reply.
  std::string calibration_length_ = "0100";
  std::string pending_line_;
  bool line_overflow_ = false;
  // A graphic download: the bytes after its "GM" header are data, not lines.
  size_t binary_left_ = 0;
  std::string binary_name_;
  std::string binary_;
  // A font download whose hex lines are arriving.
  std::optional<FontReceiver> font_;
  FirmwareUpgrade upgrade_;
  WifiModule wifi_;
  // When the last bulk-out transfer came.
  Clock::time_point last_receive_{};
  // A form being defined, between FS"NAME" and FE.
  std::optional<std::string> form_name_;
  std::string form_body_;
  StoredObjects stored_;
  LabelComposer labels_{stored_, 203};
  long labels_printed_ = 0;
  std::vector<std::string> actions_;
  int wire_log_fd_ = -1;
  std::deque<Transfer> bulk_in_;
  std::vector<uint8_t> wire_;
  std::vector<size_t> transfer_sizes_;
};

}  // namespace vidodez::sim
