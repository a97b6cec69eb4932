#pragma once
// Bytes into a printer model and its replies out, for the model's tests.

#include <string>
#include <vector>

#include "sim/printer_model.h"

namespace vidodez::sim {

// One bulk-out transfer.
inline void Send(PrinterModel& model, const std::string& bytes,
                 Clock::time_point at = Clock::now()) {
  model.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), at);
}

// The settings line the program would send back for `values`.
inline std::string SettingsLine(const std::vector<std::string>& values) {
  std::string line = "#PS>S";
  for (const auto& v : values) line += "*" + v;
  return line + "*E\r\n";
}

// Every reply due by `at`, one string per transfer.
inline std::vector<std::string> Replies(PrinterModel& model, Clock::time_point at = Clock::now()) {
  std::vector<std::string> replies;
  std::vector<uint8_t> transfer;
  while (model.TakeTransfer(at, &transfer)) replies.emplace_back(transfer.begin(), transfer.end());
  return replies;
}

}  // namespace vidodez::sim
