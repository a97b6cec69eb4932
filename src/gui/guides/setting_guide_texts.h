#pragma once
// The setting guides' texts in both languages, by control name.

#include <span>

#include "core/shell/texts.h"

namespace vidodez::gui {

struct GuideText {
  const char* name;
  Text text;
};

std::span<const GuideText> TearOffGuideTexts();
std::span<const GuideText> CutterGuideTexts();  // the window and its three tabs
std::span<const GuideText> PeelOffGuideTexts();
std::span<const GuideText> ContinuePrintGuideTexts();

}  // namespace vidodez::gui
