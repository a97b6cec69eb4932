// The label folder of a build without FreeType, zint and libpng (Windows:
// Debian has none of them for it): the printer composes and counts its
// labels, and the program refuses --label-dir.

#include <errno.h>

#include "sim/label_folder.h"

namespace vidodez::sim {

int MakeLabelFolderSink(std::string, std::FILE*, std::FILE*, LabelSink*) { return ENOTSUP; }

}  // namespace vidodez::sim
