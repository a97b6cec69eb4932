#pragma once
// The settings page's control texts and list entries in both languages.

#include <span>

#include "core/shell/texts.h"

namespace vidodez::gui {

struct SettingsControlText {
  const char* kind;  // as SetControlTexts takes it
  const char* name;
  Text text;         // eng/chi null: the control keeps its text
  Text tool_tip;     // eng/chi null: no tool tip
};

std::span<const SettingsControlText> SettingsControlTexts();

// The four lists whose entries follow the language.
std::span<const Text> PrintMethodEntries();
std::span<const Text> SensorTypeEntries();
std::span<const Text> ParityEntries();
std::span<const Text> MediaHeightEntries();

}  // namespace vidodez::gui
