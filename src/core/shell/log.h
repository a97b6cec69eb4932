#pragma once
// The core never prints. Diagnostics go to one sink that a program installs
// once at start-up; without one they are dropped.

#include <string_view>

namespace vidodez {

enum class LogLevel { kDebug, kInfo, kWarning, kError };

using LogSink = void (*)(LogLevel level, std::string_view message);

void SetLogSink(LogSink sink);
void Log(LogLevel level, std::string_view message);

}  // namespace vidodez
