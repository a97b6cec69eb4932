#include "core/link/port_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace vidodez {
namespace {

struct AcceptedPair {
  const char* first;
  const char* second;
};

constexpr std::array<AcceptedPair, 5> kAcceptedPairs{{
    {"471", "168"},
    {"471", "003"},
    {"3eb", "6119"},
    {"3eb", "003"},
    {"2a63", "001"},
}};

// Descriptions were read into a buffer of 50 bytes with the terminator; a
// printer with a longer one is not listed, whichever backend found it.
constexpr size_t kMaxDescription = 49;

constexpr std::array<const char*, 3> kModelPrefixes{"[MarliXPrinters", "[MARLIXPrinters",
                                                    "[QUORINPrinters"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

void EraseAll(std::string* text, const std::string& part) {
  for (size_t at = text->find(part); at != std::string::npos; at = text->find(part, at))
    text->erase(at, part.size());
}

}  // namespace

bool IsAcceptedInterface(const std::string& device_path) {
  std::string path = Lower(device_path);
  return std::any_of(kAcceptedPairs.begin(), kAcceptedPairs.end(), [&](const AcceptedPair& p) {
    return path.find(p.first) != std::string::npos && path.find(p.second) != std::string::npos;
  });
}

std::string DisplayName(int usb_port_number, const std::string& description) {
  char number[16];
  std::snprintf(number, sizeof(number), "USB%02d", usb_port_number);
  return std::string(number) + " [" + description + "]\n";
}

bool IsUsbName(const std::string& display_name) {
  return display_name.size() >= 3 && Lower(display_name.substr(0, 3)) == "usb";
}

int PortNumberFromName(const std::string& display_name) {
  if (!IsUsbName(display_name)) return -1;
  // Characters 4 to 6 as atoi reads them: digits up to the first other one.
  int number = 0;
  for (size_t i = 3; i < display_name.size() && i < 6; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(display_name[i]))) break;
    number = number * 10 + (display_name[i] - '0');
  }
  return number + 6;
}

std::string ModelText(const std::string& display_name) {
  size_t bracket = display_name.find('[');
  if (bracket == std::string::npos) return {};
  std::string model = display_name.substr(bracket);
  for (const char* prefix : kModelPrefixes) {
    if (model.find(prefix) != std::string::npos) {
      EraseAll(&model, prefix);
      break;
    }
  }
  EraseAll(&model, "]");
  return model;
}

int EnumeratePrinters(platform::UsbPrintingClass& usb, std::vector<std::string>* names,
                      std::vector<int>* usb_port_numbers) {
  names->clear();
  if (usb_port_numbers != nullptr) usb_port_numbers->clear();
  std::vector<platform::UsbPrinterInterface> interfaces;
  if (int rc = usb.Enumerate(&interfaces); rc != 0) return rc;
  for (const auto& interface : interfaces) {
    if (!IsAcceptedInterface(interface.device_path)) continue;
    if (interface.port_number < 0 || !interface.has_description) continue;
    if (interface.description.size() > kMaxDescription) continue;
    names->push_back(DisplayName(interface.port_number, interface.description));
    if (usb_port_numbers != nullptr) usb_port_numbers->push_back(interface.port_number);
  }
  return 0;
}

std::string ModelName(const std::string& display_name) {
  std::string model = ModelText(display_name);
  const char* blank = " \t\r\n";
  size_t first = model.find_first_not_of(blank);
  if (first == std::string::npos) return {};
  return model.substr(first, model.find_last_not_of(blank) - first + 1);
}

}  // namespace vidodez
