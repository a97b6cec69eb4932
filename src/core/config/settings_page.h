#pragma once
// The printer settings page's model: what the operator chose on the page as
// plain data, and the page's operations (read, send, files, maintenance
// actions, the mode interlocks). The window binds its controls to these
// fields (Load: fields to controls, Store: controls to fields) and calls one
// operation per button; the command line fills the fields from its arguments.
//
// Option pairs are ints: kNeither (-1) when neither option is selected, else
// the value written below beside each pair. Lists are indexes, -1 for no
// selection. Edit boxes hold the text as typed, in `unit`.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/printer_settings_record.h"
#include "core/config/settings_lists.h"
#include "core/link/printer_comm.h"
#include "core/shell/operator.h"

namespace vidodez {

inline constexpr int kNeither = -1;

// Sensor type list entries.
inline constexpr int kSensorTransmissive = 0;
inline constexpr int kSensorLowerReflective = 1;
inline constexpr int kSensorUpperReflective = 2;

// The nine edit boxes, for the input rules of settings_input.h.
enum class SettingsEdit {
  kTearOffset,         // STearOffsetEdit
  kCuttingOffset,      // SCuttingOffsetEdit
  kCutFrequency,       // SCuttingPapeNumEdit
  kBladeStopDelay,     // SCutterStopPosEdit
  kPeelingOffset,      // SPeelingOffsetEdit
  kCalibrationLength,  // SCalibrationLenEdit
  kVerticalOffset,     // SVerticalOffsetEdit
  kHorizontalOffset,   // SHorizontalOffsetEdit
  kFeedOffset,         // SPositiongingOffsetEdit
};

struct SettingsPage {
  // --- the operator's choices ---
  std::string printer;  // display name chosen in the page's selector

  // Option pairs: 0 disable / 1 enable.
  int tear = kNeither;           // STearOffDisableOp / STearOffEnableOp
  int cutter = kNeither;         // SCutterDisableOp / SCutterEnableOp
  int peel = kNeither;           // SPeelOffDisableOp / SPeelOffEnableOp
  int direction = kNeither;      // 0 SPositiveOp "Top to Bottom", 1 SReverseOp
  int menu_language = kNeither;  // 0 SChiOp, 1 SEngOp
  int after_error =
      kNeither;  // 1 AddContinPrintEnableOp "Reprint", 0 ContinPrintEnableOp "Print Next"
  int resume_feed = kNeither;  // 1 PrintBlankEnableOp "Feed Before Printing", 0 PrintBlankDisableOp

  // Lists (an entry of settings_lists.h, kNoSelection for none).
  int darkness = kNoSelection;
  int speed = kNoSelection;
  int print_method = kNoSelection;
  int sensor_type = kNoSelection;
  int media_height = kNoSelection;
  int threshold = kNoSelection;  // of the selected sensor
  int baud_rate = kNoSelection;
  int parity = kNoSelection;
  int data_bit = kNoSelection;

  // Edit boxes, as typed, offsets and calibration length in `unit`.
  std::string tear_offset, cutting_offset, cut_frequency, blade_stop_delay, peeling_offset,
      calibration_length, vertical_offset, horizontal_offset, feed_offset;
  // The unit the numeric boxes' texts are written in: 0 dots, 1 inches, 2 mm.
  // The operations follow the link's unit (FollowUnit) before they convert,
  // so the boxes always speak the unit the link holds.
  int unit = 0;

  // --- chosen by field name (the command line) ---
  // A threshold for each sensor type by its own field name; the page's one
  // list (`threshold`) writes to the selected sensor's field.
  std::array<int, 3> sensor_thresholds{kNoSelection, kNoSelection, kNoSelection};
  // Every field chosen by name, checked against what the printer's reply
  // carries before anything is sent.
  std::vector<const RecordField*> named_fields;
  // Fields the page does not change ("FieldCount" among them), named with a
  // value: what `settings get` printed, given back. Accepted only while the
  // printer still holds that value.
  std::vector<std::pair<std::string, std::string>> kept_values;

  // --- what the page knows of the printer ---
  PrinterSettingsRecord record;  // the settings read (or loaded) last
  int field_count = -1;          // the program's count as this page took it; -1 at start
  // Enables "Reprint", "Print Next", "Feed Before Printing", "No Feed", the
  // media height and threshold lists: only printers with 39 fields have them.
  bool extended_enabled = false;
  std::string model_list_path;  // program folder + "MARLIX.dat"

  // The choice each list of settings_lists.h sets.
  int& Choice(SettingsListId list);
  std::string& Edit(SettingsEdit edit);
  // The six offset fields with their edit boxes.
  struct OffsetBinding {
    SettingSlot PrinterSettingsRecord::*field;
    std::string* edit;
  };
  std::vector<OffsetBinding> Offsets();
  // The box of a field shown in the display unit (an offset or the
  // calibration length); nullptr for any other field.
  std::string* LengthEdit(const RecordField& field);

  // The command line's NAME=VALUE: NAME a record field name, VALUE as the
  // record holds it (Peel "2", Darkness "15"), offsets and CalibrationLen as
  // typed in `unit`, which a unit's name after the number may repeat
  // ("1.00mm"). An empty VALUE chooses nothing, as a blank box; a field the
  // page does not change is kept to its value (kept_values). The operator is
  // told why a choice is refused: kSettingsChoiceInvalid for an unknown name
  // or a value that is not one, kSettingsValueOutOfRange for a number outside
  // its field's range (lengths are checked when sent, once the printer's
  // resolution is known).
  [[nodiscard]] int ChooseByFieldName(std::string_view name, std::string_view value, Operator& op,
                                      std::string_view language);

  // Sets the choices from `record` in `unit` with the printer's resolution;
  // option pairs keep their state for values they do not know.
  void FillFromRecord();
  // Empties the edits, clears every list and option; the record stays.
  void ResetAll();
  // Rewrites the seven numeric boxes from `unit` into `new_unit`.
  void ChangeUnit(int new_unit);
  // ChangeUnit when the link's unit is not the boxes' one.
  void FollowUnit(int link_unit);

  // --- interlocks, run on "selectchanged" / "itemselect" and at send ---
  // Call after setting the option/list to the new state. Each asks through
  // `op` in `language` and corrects the choices when the operator cancels:
  // kConfigOk, or kSettingsCancelled.
  [[nodiscard]] int OnCutterEnabled(Operator& op, std::string_view language);
  [[nodiscard]] int OnPeelEnabled(Operator& op, std::string_view language);
  [[nodiscard]] int OnTearDisabled(Operator& op, std::string_view language);
  [[nodiscard]] int OnPrintNextChosen(Operator& op, std::string_view language);
  [[nodiscard]] int OnNoFeedChosen(Operator& op, std::string_view language);
  // After `sensor_type` changed: the model check for upper reflective (the
  // entry stays even when it fails: kSettingsModelNotSupported), then the
  // threshold of that sensor.
  [[nodiscard]] int OnSensorTypeChosen(Operator& op, std::string_view language);
  // The upper reflective model check: true when the selected printer's model
  // is in the model list; otherwise the operator is told why.
  bool CheckUpperReflectiveModel(Operator& op, std::string_view language) const;
  // "textchanged": applies the box's input rule to its text, telling the
  // operator when the text was refused (the box is then empty:
  // kSettingsChoiceInvalid).
  [[nodiscard]] int OnEditChanged(SettingsEdit edit, Operator& op, std::string_view language);

  // The read before a send: in the link's unit, the reply's fields in their
  // form, and every field chosen by name carried by this printer.
  [[nodiscard]] int ReadForSend(CPrinterComm& comm, Operator& op);
  // A typed length as whole dots (an offset field) or millimetres (the
  // calibration length); the operator is told the field's range in `unit`
  // when it lies outside.
  [[nodiscard]] int TypedLength(const std::string& typed, SettingSlot PrinterSettingsRecord::*slot,
                                Operator& op, std::string_view language, int* whole) const;
  // The list's chosen entry into its field; nothing when none is chosen.
  [[nodiscard]] int ListToRecord(SettingsListId list);
  // A typed whole number into its two-digit field, within the field's range.
  [[nodiscard]] int TypedNumber(const std::string& typed, SettingSlot PrinterSettingsRecord::*slot,
                                Operator& op, std::string_view language);

  // The send-time cut / peel / tear-off checks against the printer's values
  // in `record`: change the record and the choices; kSettingsCancelled when
  // the operator cancelled one.
  [[nodiscard]] int ApplyModeInterlocks(Operator& op, std::string_view language);

  // --- operations; codes from config_codes.h / port_codes.h, 0 success ---
  // "^G1" into the record. show_messages: tell the operator why a read failed.
  // confirm: ask twice (PrinterLink::Query), for a reply that goes back.
  [[nodiscard]] int ReadSettingsFromPrinter(CPrinterComm& comm, Operator& op, bool show_messages,
                                            bool confirm = false);
  // One command line to the selected printer.
  [[nodiscard]] int SendToSelectedPrinter(CPrinterComm& comm, Operator& op,
                                          const std::string& command);
  // "Retrieve From Printer": read, then fill the choices.
  [[nodiscard]] int RetrieveFromPrinter(CPrinterComm& comm, Operator& op);
  // "Send to Printer"; last_status is SelectorState::last_status_index.
  [[nodiscard]] int SendSettings(CPrinterComm& comm, Operator& op, int last_status);
  // "Save to File": the printer's own values, read afresh.
  [[nodiscard]] int SaveSettingsToFile(CPrinterComm& comm, Operator& op);
  // "Setting From Ini file".
  [[nodiscard]] int LoadSettingsFromFile(CPrinterComm& comm, Operator& op);
  [[nodiscard]] int MediaCalibration(CPrinterComm& comm, Operator& op);
  [[nodiscard]] int RestoreFactorySettings(CPrinterComm& comm, Operator& op);
  [[nodiscard]] int PrintTestPage(CPrinterComm& comm, Operator& op);
  // Asks first; "Reboot to take effect!" after a successful send.
  [[nodiscard]] int ClearBuffer(CPrinterComm& comm, Operator& op);
  // The settings end of each status refresh: re-arms or runs the quiet read
  // on the program's field count (the link's) and sets `extended_enabled`,
  // also after another page's read. kConfigOk, or the quiet read's failure.
  [[nodiscard]] int AutoReadOnStatus(CPrinterComm& comm, Operator& op, int status);
};

// A typed number; text that is no number reads 0. False for empty text and
// for a number too large for a float.
bool ParseTypedNumber(std::string_view text, float* value);
// The model name the upper reflective check looks up: the display name from
// its first "[", without "[MarliXPrinters" or "[QUORINPrinters" and "]".
std::string UpperReflectiveModelName(const std::string& display_name);

}  // namespace vidodez
