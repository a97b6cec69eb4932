#pragma once
// The programs' version and the commit they were built from. The build makes
// both from the project's one version (cmake/VidodezVersion.cmake), which the
// package carries too.

#include <string>
#include <string_view>

namespace vidodez {

extern const char kProgramVersion[];  // "3.1.3"
extern const char kBuildCommit[];     // the commit's short hash, or "unknown"

// "vidodez-cli 3.1.3 (commit 0123456789ab)": what --version prints.
std::string VersionLine(std::string_view program);

}  // namespace vidodez
