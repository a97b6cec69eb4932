#pragma once
// What a simulated printer keeps in its memory: forms, downloaded fonts and
// stored graphics, each under the name the host gave it (raw bytes).

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vidodez::sim {

struct StoredObjects {
  // Kept in the order they were stored, as a printer lists them.
  std::vector<std::pair<std::string, std::string>> forms;     // name, body
  std::vector<std::pair<std::string, std::string>> fonts;     // name, data
  std::vector<std::pair<std::string, std::string>> graphics;  // name, PCX bytes

  // The "^S1" answer: every name followed by its marker, nothing else.
  std::string ListReply() const;

  // Adds or replaces an object of a kind.
  static void Put(std::vector<std::pair<std::string, std::string>>* kind, const std::string& name,
                  std::string data);
  // Removes one name, or every object for "*"; false when nothing matched.
  static bool Remove(std::vector<std::pair<std::string, std::string>>* kind,
                     const std::string& name);

  // One line per object, names hex-encoded so any byte survives.
  std::string Serialise() const;
  static std::optional<StoredObjects> Parse(const std::string& text);
};

// The text between the first pair of double quotes of `line` after
// `prefix`, as in FK"NAME"; nothing when the line does not have that form.
std::optional<std::string> QuotedName(const std::string& line, const std::string& prefix);

}  // namespace vidodez::sim
