#pragma once
// The user's folders the program writes to: the application-data folder for
// its own settings and the desktop for command files. Each has an override
// in the environment, so tests and scripts never touch the real ones. And
// the program's own folder, where its data files lie.

#include <string>
#include <string_view>

namespace vidodez::platform {

// $HOME, else the password database's home (Windows: %USERPROFILE%, else
// the profile folder); "" when neither is known.
std::string HomeFolder();

// $XDG_CONFIG_HOME when absolute (the base-directory rules ignore a relative
// one), else home + "/.config"; "" when no home is known. Windows: the
// roaming application-data folder (CSIDL_APPDATA).
std::string ConfigFolder();

// $VIDODEZ_APPDATA, else ConfigFolder().
std::string AppDataFolder();

// $XDG_DATA_HOME when absolute, else home + "/.local/share"; "" when no home
// is known (Windows: ConfigFolder()). The user's own firmware images live
// below it.
std::string DataFolder();

// The desktop's line of a user-dirs.dirs text: the last XDG_DESKTOP_DIR="..."
// whose value is "$HOME/..." (expanded with `home`) or absolute, with its
// backslash escapes removed. "" when there is none, as for an empty value.
std::string DesktopFromUserDirs(std::string_view user_dirs_text, const std::string& home);

// $VIDODEZ_DESKTOP, else SystemDesktopFolder(). Creates nothing.
std::string DesktopFolder();
// The desktop named in ConfigFolder()/user-dirs.dirs, else home +
// "/Desktop" (Windows: the shell's desktop folder); "" when none is known.
std::string SystemDesktopFolder();

// The archive of skins that marks the program's folder.
inline constexpr char kSkinArchiveName[] = "SkinRes.dat";

// The program's folder for an executable in `executable_folder`: the one of
// `executable_folder` (the build tree) and `executable_folder`/../share/vidodez
// (an installation) that holds kSkinArchiveName, as a canonical path; else
// `executable_folder` itself.
std::string ProgramFolderFor(const std::string& executable_folder);

// The folder of the running executable ("/proc/self/exe", Windows'
// GetModuleFileNameW, with "/" between names); "." when unknown.
std::string ExecutableFolder();

// ProgramFolderFor(ExecutableFolder()): where the window finds its skins and
// both programs find "MARLIX.dat", the help files and the "Firmware" folder.
std::string ProgramFolder();

// Creates `path` and its missing parents with `mode`. 0 when it is a folder
// afterwards, else the errno (ENOTDIR when something else stands there).
[[nodiscard]] int MakeFolders(const std::string& path, unsigned mode);

// DesktopFolder(), created when missing. 0, ENOENT when no desktop is known,
// or the errno of creating it; `path` is left empty on failure.
[[nodiscard]] int PrepareDesktopFolder(std::string* path);

}  // namespace vidodez::platform
