#include "core/config/settings_page.h"

namespace vidodez {

std::string& SettingsPage::Edit(SettingsEdit edit) {
  switch (edit) {
    case SettingsEdit::kTearOffset: return tear_offset;
    case SettingsEdit::kCuttingOffset: return cutting_offset;
    case SettingsEdit::kCutFrequency: return cut_frequency;
    case SettingsEdit::kBladeStopDelay: return blade_stop_delay;
    case SettingsEdit::kPeelingOffset: return peeling_offset;
    case SettingsEdit::kCalibrationLength: return calibration_length;
    case SettingsEdit::kVerticalOffset: return vertical_offset;
    case SettingsEdit::kHorizontalOffset: return horizontal_offset;
    case SettingsEdit::kFeedOffset: break;
  }
  return feed_offset;
}

void SettingsPage::ResetAll() {
  for (std::string* edit : {&tear_offset, &cutting_offset, &cut_frequency, &blade_stop_delay,
                            &peeling_offset, &calibration_length, &vertical_offset,
                            &horizontal_offset, &feed_offset}) {
    edit->clear();
  }
  for (int* list : {&darkness, &speed, &print_method, &sensor_type, &media_height, &threshold,
                    &baud_rate, &parity, &data_bit}) {
    *list = kNoSelection;
  }
  for (int* pair : {&tear, &cutter, &peel, &direction, &menu_language, &after_error, &resume_feed}) {
    *pair = kNeither;
  }
}

}  // namespace vidodez
