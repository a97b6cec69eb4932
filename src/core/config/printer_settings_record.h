#pragma once
// The printer's settings as the program keeps them: one short text slot per
// value, exactly as the printer reports and takes it. Pages turn the texts
// into control states and display units; the record never interprets them.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vidodez {

// One NUL-terminated text slot of a fixed capacity; a longer value is cut.
class SettingSlot {
 public:
  static constexpr size_t kMaxCapacity = 16;

  explicit constexpr SettingSlot(size_t capacity) : capacity_(capacity) {}

  size_t capacity() const { return capacity_; }
  // Cut to the capacity and at a NUL, as a C slot would hold it.
  void Set(std::string_view text);
  std::string_view view() const { return std::string_view(text_.data()); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return text_[0] == '\0'; }
  void Clear() { text_.fill('\0'); }

  bool operator==(std::string_view text) const { return view() == text; }

 private:
  size_t capacity_;
  std::array<char, kMaxCapacity + 1> text_{};
};

// Fields in record order: the order of the printer's reply and of the
// settings command line, with the reply's field 27 kept as two slots.
struct PrinterSettingsRecord {
  SettingSlot MachineLanguage{1};
  SettingSlot PrintMethod{1};
  SettingSlot MediaSensorType{1};
  SettingSlot Darkness{2};
  SettingSlot Speed{2};
  SettingSlot PrintDirection{1};
  SettingSlot FirmwareVersion{9};
  SettingSlot FirmwareId{11};
  SettingSlot CommandSetFlag{1};
  SettingSlot ResolutionCode{1};
  SettingSlot Cutter{1};
  SettingSlot CutterFrequency{2};
  SettingSlot CutterStopPosition{2};
  SettingSlot Peel{1};
  SettingSlot BaudRate{1};
  SettingSlot ParityBit{1};
  SettingSlot DataBit{1};
  SettingSlot IPAddress{16};
  SettingSlot SubnetMask{16};
  SettingSlot Gateway{16};
  SettingSlot Port{4};
  SettingSlot HorizontalOffset{4};
  SettingSlot VerticalOffset{4};
  SettingSlot TearoffOffset{4};
  SettingSlot PositioningOffset{4};
  SettingSlot CuttingOffset{4};
  SettingSlot PeelingOffset{4};
  SettingSlot Field27Head{8};
  SettingSlot Field27Tail{6};
  SettingSlot Field28{6};
  SettingSlot TearOff{1};
  SettingSlot Field30{3};
  SettingSlot Field31{4};
  // Only for printers whose reply has 39 fields or more.
  SettingSlot MediaHeight{1};
  SettingSlot DetectTrThreshold{8};
  SettingSlot PrintingState{1};
  SettingSlot CalibrationLen{4};
  SettingSlot PrintingBlank{1};
  SettingSlot DetectLrThreshold{2};
  SettingSlot DetectUrThreshold{2};
  // Only for printers whose reply has 40 fields or more.
  SettingSlot DhcpFlag{3};

  // Empties every slot.
  void Clear();
};

// What a field may hold: the one table behind the page's lists and boxes,
// the check of settings files and the check of the printer's reply.
enum class FieldForm {
  kText,     // carried through as the printer wrote it
  kIndex,    // a list entry or an option: exactly `width` digits, min..max by `step`
  kNumber,   // a typed number: 1 to `width` digits, min..max
  kOffset,   // whole dots, "-" and three digits or four digits, min..max
  kAddress,  // four dotted numbers 0-255
};

struct FieldRule {
  FieldForm form = FieldForm::kText;
  int min = 0;
  int max = 0;
  int width = 0;
  int step = 1;
};

// One field of the record by its code name, the name `vidodez-cli settings`
// uses (the member's name, e.g. "Darkness").
struct RecordField {
  const char* name;
  SettingSlot PrinterSettingsRecord::*slot;
  // Position in the printer's reply and the command line; Field27Head and
  // Field27Tail share 27.
  int position;
  FieldRule rule;
};

inline constexpr int kRecordFieldCount = 41;
// Every field, in record order.
const std::array<RecordField, kRecordFieldCount>& RecordFields();
// The field of that code name, compared without regard to ASCII case;
// nullptr for an unknown name.
const RecordField* FindRecordField(std::string_view name);
// The field of a slot of the record.
const RecordField& FieldOfSlot(SettingSlot PrinterSettingsRecord::*slot);

}  // namespace vidodez
