#pragma once
// The settings page's control texts in both languages; the lists' entries
// are the core's (core/config/settings_lists.h).

#include <span>

#include "gui/window/controls.h"

namespace vidodez::gui {

std::span<const ControlText> SettingsControlTexts();

}  // namespace vidodez::gui
