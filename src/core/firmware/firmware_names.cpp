#include "core/firmware/firmware_names.h"

#include <algorithm>
#include <limits>

namespace vidodez {
namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsUpper(std::string_view text, std::string_view upper) {
  return text.size() == upper.size() && std::equal(text.begin(), text.end(), upper.begin(),
                                                   [](char a, char b) { return Upper(a) == b; });
}

bool BeginsWithP(std::string_view name) { return !name.empty() && Upper(name[0]) == 'P'; }

std::string_view LastPart(std::string_view path) {
  size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Moves the items that `numbered` picks to the front, sorted by number key,
// keeping the order of equal keys and of everything else.
template <typename Item, typename Name, typename Numbered>
void NumberedFirst(typename std::vector<Item>::iterator begin,
                   typename std::vector<Item>::iterator end, Name name, Numbered numbered) {
  auto numbered_end = std::stable_partition(begin, end, numbered);
  std::stable_sort(begin, numbered_end, [&](const Item& a, const Item& b) {
    return FirmwareNumberKey(name(a)) < FirmwareNumberKey(name(b));
  });
}

}  // namespace

bool IsOfferedFirmwareName(std::string_view name) {
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string_view extension = name.substr(dot + 1);
  return EqualsUpper(extension, "BIN") || EqualsUpper(extension, "TXT");
}

bool TakesChecksumStamp(std::string_view name) {
  constexpr std::string_view kBin = ".BIN";
  for (size_t at = 0; at + kBin.size() <= name.size(); ++at)
    if (EqualsUpper(name.substr(at, kBin.size()), kBin)) return true;
  return false;
}

bool HasImageExtension(std::string_view path) {
  std::string_view name = LastPart(path);
  size_t dot = name.rfind('.');
  return dot != std::string_view::npos && name.substr(dot) == ".bin";
}

std::string ConfirmationName(std::string_view path) {
  std::string_view name = LastPart(path);
  return std::string(name.substr(0, name.rfind('.')));
}

int64_t FirmwareNumberKey(std::string_view name) {
  const size_t dot = name.find('.');
  if (name.empty() || dot == 0) return 0;
  std::string_view text = name.substr(1, dot == std::string_view::npos ? dot : dot - 1);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kLimit - digit) / 10) {
      value = kLimit;
      break;
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

void OrderTopLevelEntries(std::vector<FirmwareEntry>* entries) {
  auto files = std::stable_partition(entries->begin(), entries->end(),
                                     [](const FirmwareEntry& entry) { return entry.is_folder; });
  NumberedFirst<FirmwareEntry>(
      files, entries->end(),
      [](const FirmwareEntry& entry) { return std::string_view(entry.name); },
      [](const FirmwareEntry& entry) {
        return BeginsWithP(entry.name) && TakesChecksumStamp(entry.name);
      });
}

void OrderFolderFiles(std::vector<FirmwareFile>* files) {
  NumberedFirst<FirmwareFile>(
      files->begin(), files->end(),
      [](const FirmwareFile& file) { return std::string_view(file.name); },
      [](const FirmwareFile& file) { return BeginsWithP(file.name); });
}

}  // namespace vidodez
