// The settings page's operations: reads, sends, files and maintenance actions.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/config/settings_ini.h"
#include "core/config/settings_page.h"
#include "core/config/settings_page_texts.h"
#include "core/config/settings_values.h"
#include "core/link/link_messages.h"
#include "core/link/port_codes.h"
#include "core/link/printer_link.h"
#include "core/link/status_tables.h"
#include "core/shell/file_dialog_texts.h"
#include "core/shell/units.h"

namespace vidodez {
namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

FileChoice SettingsFileChoice(bool save, std::string_view language) {
  FileChoice choice;
  choice.title = Pick(save ? kSaveFileTitle : kOpenFileTitle, language);
  choice.filter_name =
      SettingsMessage(save ? SettingsText::kSaveDialogFilter : SettingsText::kOpenDialogFilter,
                      language)
          .text;
  choice.pattern = "*.ini";
  choice.default_extension = save ? "ini" : "";
  return choice;
}

}  // namespace

int SettingsPage::ReadSettingsFromPrinter(CPrinterComm& comm, Operator& op, bool show_messages,
                                          bool confirm) {
  int rc = PrinterLink(comm, printer).Query(kReadSettingsCommand, confirm);
  if (IsQueryFailure(rc)) {
    if (show_messages) op.Tell(QueryResultOperatorMessage(rc, comm));
    return rc;
  }
  // An open that failed leaves the link's last reply from an earlier
  // exchange: parsing it would take another printer's settings for these.
  if (rc != kPortOk) {
    if (show_messages) {
      op.Tell(WithCause(SettingsMessage(SettingsText::kOpenPortFailed, comm.GetLanguage()), comm));
    }
    return rc;
  }
  // A reply without its markers, or with fields out of place, must not
  // count as read: a following send would overwrite every setting.
  const std::string reply = comm.GetReply();
  int parsed = ParseSettingsReply(reply, &record, &field_count);
  if (parsed != kConfigOk) {
    if (show_messages) op.Tell(SettingsReplyRefusal(parsed, reply, comm.GetLanguage()));
    return parsed;
  }
  comm.set_settings_field_count(field_count);
  return kConfigOk;
}

int SettingsPage::SendToSelectedPrinter(CPrinterComm& comm, Operator& op,
                                        const std::string& command) {
  const std::string& language = comm.GetLanguage();
  PrinterLink link(comm, printer);
  // The page says nothing of an open that failed; the command line does.
  if (int rc = link.Open(); rc != kPortOk) {
    if (rc == kNoUsablePrinter) op.Tell(SettingsMessage(SettingsText::kOpenPortFailed, language));
    return rc;
  }
  if (link.SendLine(command) != kPortOk) {
    op.Tell(WithCause(SettingsMessage(SettingsText::kSendFailed, language), comm));
    return kSettingsSendFailed;
  }
  return kConfigOk;
}

int SettingsPage::RetrieveFromPrinter(CPrinterComm& comm, Operator& op) {
  FollowUnit(comm.GetUnit());
  int rc = ReadSettingsFromPrinter(comm, op, true);
  if (rc == kConfigOk) FillFromRecord();
  return rc;
}

int SettingsPage::ApplyModeInterlocks(Operator& op, std::string_view language) {
  if (tear == 1) record.TearOff.Set("1");
  if (tear == 0 && peel != 1) {
    if (record.Cutter == "1") {
      if (!op.Confirm(SettingsMessage(SettingsText::kPrinterTearOffDisablesCut, language))) {
        tear = 1;
        return kSettingsCancelled;
      }
      record.Cutter.Set("0");
      cutter = 0;
    }
    if (record.Peel == "2") {
      if (!op.Confirm(SettingsMessage(SettingsText::kPrinterTearOffDisablesPeel, language))) {
        tear = 1;
        return kSettingsCancelled;
      }
      record.Peel.Set("0");
      peel = 0;
    }
    record.TearOff.Set("0");
  }
  if (cutter == 1) {
    if (record.Peel == "2") {
      if (!op.Confirm(SettingsMessage(SettingsText::kPrinterPeelBlocksCut, language))) {
        cutter = 0;
        peel = 1;
        return kSettingsCancelled;
      }
      record.Peel.Set("0");
      peel = 0;
    }
    tear = 1;
    record.TearOff.Set("1");
    record.Cutter.Set("1");
  }
  if (peel == 1) {
    if (record.Cutter == "1") {
      if (!op.Confirm(SettingsMessage(SettingsText::kPrinterCutBlocksPeel, language))) {
        peel = 0;
        cutter = 1;
        return kSettingsCancelled;
      }
      record.Cutter.Set("0");
      cutter = 0;
    }
    tear = 1;
    record.TearOff.Set("1");
    record.Peel.Set("2");
  }
  if (cutter == 0) {
    if (tear == 1) record.TearOff.Set("1");
    else if (record.Cutter == "1") record.TearOff.Set("0");
    record.Cutter.Set("0");
  }
  if (peel == 0) {
    if (tear == 1) record.TearOff.Set("1");
    else if (record.Peel == "2") record.TearOff.Set("0");
    record.Peel.Set("0");
  }
  return kConfigOk;
}

int SettingsPage::ListToRecord(SettingsListId id) {
  if (Choice(id) == kNoSelection) return kConfigOk;
  const SettingsList& list = SettingsListOf(id);
  std::string value;
  if (int rc = ListValueOfIndex(list, Choice(id), &value); rc != kConfigOk) return rc;
  (record.*list.field).Set(value);
  return kConfigOk;
}

int SettingsPage::TypedNumber(const std::string& typed, SettingSlot PrinterSettingsRecord::*slot,
                              Operator& op, std::string_view language) {
  const RecordField& field = FieldOfSlot(slot);
  int number = 0;
  if (ParseWholeInRange(typed, field.rule.min, field.rule.max, &number) != kConfigOk) {
    op.Tell(SettingsMessage(SettingsText::kValueOutOfRange, language, field.name,
                            AllowedValuesText(field.rule)));
    return kSettingsValueOutOfRange;
  }
  (record.*slot).Set(TwoDigits(number));
  return kConfigOk;
}

int SettingsPage::SendSettings(CPrinterComm& comm, Operator& op, int last_status) {
  const std::string language = comm.GetLanguage();
  if (last_status >= 1) {
    op.Tell(SettingsMessage(SettingsText::kNotReady, language));
    return kSettingsPrinterNotReady;
  }
  if (int rc = ReadForSend(comm, op); rc != kConfigOk) return rc;
  // From here the record holds the printer's own values, so whatever the
  // operator left blank goes back unchanged.
  if (int rc = ApplyModeInterlocks(op, language); rc != kConfigOk) return rc;

  using L = SettingsListId;
  for (L list : {L::kBaudRate, L::kParity, L::kDataBit, L::kDarkness, L::kSpeed, L::kPrintMethod}) {
    if (int rc = ListToRecord(list); rc != kConfigOk) return rc;
  }
  if (sensor_type == kSensorUpperReflective && !CheckUpperReflectiveModel(op, language)) {
    return kSettingsModelNotSupported;
  }
  if (int rc = ListToRecord(L::kSensorType); rc != kConfigOk) return rc;

  if (HasExtendedFields(field_count)) {
    if (int rc = ListToRecord(L::kMediaHeight); rc != kConfigOk) return rc;
    if (threshold >= 0) {
      int sensor = sensor_type >= 0 ? sensor_type : kSensorTransmissive;
      if (int rc = ThresholdToRecord(&record, sensor, threshold); rc != kConfigOk) return rc;
    }
    for (int sensor = 0; sensor < static_cast<int>(sensor_thresholds.size()); ++sensor) {
      int index = sensor_thresholds[static_cast<size_t>(sensor)];
      if (index < 0) continue;
      if (int rc = ThresholdToRecord(&record, sensor, index); rc != kConfigOk) return rc;
    }
    if (after_error >= 0) record.PrintingState.Set(after_error == 1 ? "1" : "0");
    if (resume_feed >= 0) record.PrintingBlank.Set(resume_feed == 1 ? "1" : "0");
  }

  // Every typed number is read with its field's range before anything is
  // sent: a number too large must not wrap into another one.
  using R = PrinterSettingsRecord;
  int millimetres = 0;
  const bool length_typed = !calibration_length.empty();
  if (length_typed) {
    if (int rc = TypedLength(calibration_length, &R::CalibrationLen, op, language, &millimetres);
        rc != kConfigOk) {
      return rc;
    }
  }
  std::vector<std::pair<SettingSlot R::*, int>> offsets;
  for (auto [field, edit] : Offsets()) {
    int dots = 0;
    if (edit->empty()) continue;
    if (int rc = TypedLength(*edit, field, op, language, &dots); rc != kConfigOk) return rc;
    offsets.emplace_back(field, dots);
  }
  if (!cut_frequency.empty()) {
    if (int rc = TypedNumber(cut_frequency, &R::CutterFrequency, op, language); rc != kConfigOk) {
      return rc;
    }
  }
  if (!blade_stop_delay.empty()) {
    if (int rc = TypedNumber(blade_stop_delay, &R::CutterStopPosition, op, language);
        rc != kConfigOk) {
      return rc;
    }
  }
  for (auto [field, dots] : offsets) {
    std::string text;
    if (int rc = SignedOffsetText(dots, &text); rc != kConfigOk) return rc;
    (record.*field).Set(text);
  }
  std::string length_text;
  if (length_typed) {
    if (int rc = CalibrationLengthText(millimetres, &length_text); rc != kConfigOk) return rc;
    record.CalibrationLen.Set(length_text);
  }

  if (direction >= 0) record.PrintDirection.Set(direction == 1 ? "1" : "0");
  if (menu_language >= 0) record.MachineLanguage.Set(menu_language == 1 ? "1" : "0");

  std::string line;
  if (int rc = BuildSettingsCommand(record, field_count, &line); rc != kConfigOk) {
    // Too few fields read, or a value that would split the line: sending
    // would overwrite settings the printer never reported.
    op.Tell(SettingsMessage(SettingsText::kReplyHoldsNoSettings, language));
    return rc;
  }
  if (length_typed && SendsCalibrationSeparately(field_count)) {
    std::string command;
    if (int rc = BuildCalibrationLengthCommand(length_text, &command); rc != kConfigOk) return rc;
    if (int rc = SendToSelectedPrinter(comm, op, command); rc != kConfigOk) return rc;
  }
  int rc = SendToSelectedPrinter(comm, op, line);
  if (rc == kConfigOk) op.WaitWithCountdown(kApplySettingsSeconds);
  return rc;
}

int SettingsPage::SaveSettingsToFile(CPrinterComm& comm, Operator& op) {
  if (int rc = ReadSettingsFromPrinter(comm, op, true); rc != kConfigOk) return rc;
  std::string path;
  if (!op.ChooseFileToSave(SettingsFileChoice(true, comm.GetLanguage()), &path)) {
    return kSettingsCancelled;
  }
  return SaveSettingsFile(path, field_count, record, op, comm.GetLanguage());
}

int SettingsPage::LoadSettingsFromFile(CPrinterComm& comm, Operator& op) {
  const std::string language = comm.GetLanguage();
  std::string path;
  if (!op.ChooseFileToOpen(SettingsFileChoice(false, language), &path)) return kSettingsCancelled;
  if (int rc = ReadForSend(comm, op); rc != kConfigOk) return rc;
  SettingsFileEntry refused{};
  if (int rc = LoadSettingsFile(path, field_count, &record, op, language, &refused);
      rc != kConfigOk) {
    if (rc == kSettingsFileValueInvalid) {
      op.Tell(
          SettingsMessage(SettingsText::kIniValueInvalid, language, refused.section, refused.key));
    } else {
      op.Tell(SettingsMessage(SettingsText::kIniLoadFailed, language));
    }
    return rc;
  }
  FillFromRecord();
  std::string line;
  if (int rc = BuildSettingsCommand(record, field_count, &line); rc != kConfigOk) {
    // A value that would split the line came from the file.
    op.Tell(SettingsMessage(SettingsText::kIniLoadFailed, language));
    return rc;
  }
  int rc = SendToSelectedPrinter(comm, op, line);
  if (rc == kConfigOk) op.WaitWithCountdown(kApplySettingsSeconds);
  if (SendsCalibrationSeparately(field_count) && !record.CalibrationLen.empty()) {
    std::string command;
    if (BuildCalibrationLengthCommand(record.CalibrationLen.view(), &command) == kConfigOk) {
      int length_rc = SendToSelectedPrinter(comm, op, command);
      if (rc == kConfigOk) rc = length_rc;
    }
  }
  return rc;
}

int SettingsPage::MediaCalibration(CPrinterComm& comm, Operator& op) {
  return SendToSelectedPrinter(comm, op, kMediaCalibrationCommand);
}

int SettingsPage::RestoreFactorySettings(CPrinterComm& comm, Operator& op) {
  return SendToSelectedPrinter(comm, op, kRestoreFactoryCommand);
}

int SettingsPage::PrintTestPage(CPrinterComm& comm, Operator& op) {
  return SendToSelectedPrinter(comm, op, kTestPageCommand);
}

int SettingsPage::ClearBuffer(CPrinterComm& comm, Operator& op) {
  const std::string& language = comm.GetLanguage();
  if (!op.Confirm(SettingsMessage(SettingsText::kConfirmClearBuffer, language))) {
    return kSettingsCancelled;
  }
  int rc = SendToSelectedPrinter(comm, op, kClearBufferCommand);
  if (rc == kConfigOk) op.Tell(SettingsMessage(SettingsText::kRebootToTakeEffect, language));
  return rc;
}

int SettingsPage::AutoReadOnStatus(CPrinterComm& comm, Operator& op, int status) {
  int shared = comm.settings_field_count();
  const bool turn = TakeQuietReadTurn(status, &shared);
  comm.set_settings_field_count(shared);
  const bool followed = field_count != shared;
  const int rc = turn ? ReadSettingsFromPrinter(comm, op, false) : kConfigOk;
  if (!turn && !followed) return rc;
  // Another page's read counts as this page's own.
  field_count = comm.settings_field_count();
  extended_enabled = HasExtendedFields(field_count);
  return rc;
}

}  // namespace vidodez
