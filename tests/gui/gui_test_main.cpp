// Window tests run offscreen unless the caller chose a platform (xvfb-run
// sets none but gives a display; QT_QPA_PLATFORM=xcb picks it).
#include <gtest/gtest.h>

#include <QApplication>

// Qt's font database keeps what it got from fontconfig until the process
// ends, and fontconfig is never finalised: in some runs the leak checker
// reports those lookups as lost. They are not ours to free. The leak checker
// asks for this function by name; without it the function is never called.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the leak checker's own name
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VIDODEZ_TEST_FONTS
  // Offscreen on Windows, Qt has no fonts but those of this folder.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) qputenv("QT_QPA_FONTDIR", VIDODEZ_TEST_FONTS);
#endif
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
