#include "cli/cli_json.h"

#include "core/platform/text_encoding.h"

namespace vidodez::cli {

std::string JsonText(const std::string& printer_bytes) {
  return platform::GbkForDisplay(printer_bytes);
}

int WriteJson(const CliEnv& env, const nlohmann::ordered_json& document) {
  // Replacing rather than throwing covers any text that did not come
  // through JsonText.
  return WriteOut(env,
                  document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
}

}  // namespace vidodez::cli
