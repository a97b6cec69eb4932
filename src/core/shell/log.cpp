#include "core/shell/log.h"

#include <atomic>

namespace vidodez {
namespace {
std::atomic<LogSink> g_sink{nullptr};
}  // namespace

void SetLogSink(LogSink sink) { g_sink.store(sink); }

void Log(LogLevel level, std::string_view message) {
  if (LogSink sink = g_sink.load()) sink(level, message);
}

}  // namespace vidodez
