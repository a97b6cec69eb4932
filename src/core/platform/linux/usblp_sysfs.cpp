#include "core/platform/linux/usblp_sysfs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vidodez::platform {
namespace {

namespace fs = std::filesystem;

// sysfs attributes are at most a page; a bigger read means something is off.
constexpr std::streamsize kMaxAttribute = 4096;

std::optional<std::string> ReadAttribute(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(kMaxAttribute), '\0');
  in.read(text.data(), kMaxAttribute);
  text.resize(static_cast<size_t>(in.gcount()));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// "lp12" -> 12; anything else -> -1.
int LpNumber(const std::string& name) {
  if (name.size() < 3 || name.compare(0, 2, "lp") != 0) return -1;
  int number = 0;
  for (size_t i = 2; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 100000) return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

// The minor number from "dev" ("180:3"), else the number in the name.
int LpMinor(const fs::path& entry, int name_number) {
  auto dev = ReadAttribute(entry / "dev");
  if (dev) {
    size_t colon = dev->find(':');
    if (colon != std::string::npos) {
      try {
        return std::stoi(dev->substr(colon + 1));
      } catch (...) {
      }
    }
  }
  return name_number;
}

}  // namespace

std::string StripDeviceIdLength(const std::string& raw) {
  if (raw.size() >= 2) {
    size_t length = (static_cast<unsigned char>(raw[0]) << 8) | static_cast<unsigned char>(raw[1]);
    // A genuine prefix counts itself; a bare id starts with text such as "MFG:".
    bool printable = std::isprint(static_cast<unsigned char>(raw[0])) &&
                     std::isprint(static_cast<unsigned char>(raw[1]));
    if (!printable && length >= 2 && length <= raw.size()) return raw.substr(2, length - 2);
  }
  return raw;
}

std::optional<std::string> DeviceIdField(const std::string& device_id, const std::string& key) {
  std::string wanted = Lower(key);
  size_t start = 0;
  while (start < device_id.size()) {
    size_t end = device_id.find(';', start);
    if (end == std::string::npos) end = device_id.size();
    std::string pair = device_id.substr(start, end - start);
    size_t colon = pair.find(':');
    if (colon != std::string::npos && Lower(Trim(pair.substr(0, colon))) == wanted)
      return pair.substr(colon + 1);
    start = end + 1;
  }
  return std::nullopt;
}

std::vector<UsbPrinterInterface> ReadUsblpInterfaces(const std::string& sysfs_root,
                                                     const std::string& dev_root) {
  std::vector<std::pair<int, UsbPrinterInterface>> found;
  std::error_code error;
  fs::path class_dir = fs::path(sysfs_root) / "class" / "usbmisc";
  for (const auto& entry : fs::directory_iterator(class_dir, error)) {
    std::string name = entry.path().filename().string();
    int number = LpNumber(name);
    if (number < 0) continue;
    // device -> the USB interface; its parent folder is the USB device.
    fs::path interface_dir = fs::canonical(entry.path() / "device", error);
    if (error) {
      error.clear();
      continue;
    }
    fs::path usb_dir = interface_dir.parent_path();
    auto vid = ReadAttribute(usb_dir / "idVendor");
    auto pid = ReadAttribute(usb_dir / "idProduct");
    if (!vid || !pid) continue;
    std::string serial = ReadAttribute(usb_dir / "serial").value_or(usb_dir.filename().string());

    UsbPrinterInterface interface;
    interface.device_path = WindowsStyleDevicePath(*vid, *pid, serial);
    interface.port_number = LpMinor(entry.path(), number) + 1;
    interface.node = (fs::path(dev_root) / "usb" / name).string();
    std::optional<std::string> description;
    if (auto id = ReadAttribute(interface_dir / "ieee1284_id"))
      description = DeviceIdField(StripDeviceIdLength(*id), "MDL");
    if (!description || description->empty()) description = ReadAttribute(usb_dir / "product");
    if (description && !description->empty()) {
      interface.has_description = true;
      interface.description = *description;
    }
    found.emplace_back(number, std::move(interface));
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<UsbPrinterInterface> interfaces;
  interfaces.reserve(found.size());
  for (auto& [number, interface] : found) interfaces.push_back(std::move(interface));
  return interfaces;
}

}  // namespace vidodez::platform
