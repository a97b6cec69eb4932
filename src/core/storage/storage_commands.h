#pragma once
// The storage page's printer commands and the parsing of the printer's list
// of stored objects, as pure functions over text.

#include <string>
#include <vector>

namespace vidodez {

enum class StoredKind { kForm = 1, kFont = 2, kGraphic = 3 };

// Asks for the list of stored objects; the link's CR LF follows its own.
inline constexpr char kStoredListCommand[] = "^S1\r\n";

// Names of one kind in a "^S1" reply: each name is the text between the
// previous marker (or the start) and its own, "@" forms, "#" fonts, "$"
// graphics. Names keep the reply's raw bytes; text after the last marker is
// not a name.
std::vector<std::string> ParseStoredList(const std::string& reply, StoredKind kind);

// Whether a reply has the form of a "^S1" answer: names each of at least
// one byte and no control byte (line ends included) before their markers,
// or nothing but line ends and blanks (a printer that holds nothing).
// Anything else, a late settings reply or a transfer padded with markers
// for one, is no list: it must never be shown as an empty one, nor give
// names that are none.
bool IsStoredListReply(const std::string& reply);

// The console box's text as it goes to the printer: every line break (LF,
// CR LF or a lone CR) becomes CR LF. The link adds the last CR LF.
std::string ConsoleText(const std::string& typed);

// A name can stand between double quotes of one command line only without
// line ends and double quotes.
bool NameFitsCommand(const std::string& name);

// Command-set flag '0' or '1'; only fonts use it.
std::string DeleteOneCommand(StoredKind kind, char command_set_flag, const std::string& name);
std::string DeleteAllCommand(StoredKind kind, char command_set_flag);
// Forms and graphics; fonts have no print command (empty).
std::string PrintCommand(StoredKind kind, const std::string& name);

// The graphic store: step 1 (the old graphic deleted, "ZS" to store or
// "ZN"), the header and bytes of step 2 are the link's, step 3 a test print.
std::string StoreGraphicPrologue(bool store, const std::string& id);
std::string StoreGraphicTestPrint(const std::string& id);

inline constexpr size_t kMaxGraphicIdBytes = 8;

// "PCX" in any case after the last ".".
bool HasPcxExtension(const std::string& path);

// The file's name after the last "/", cut before its last ".".
std::string BaseNameForId(const std::string& path);

}  // namespace vidodez
