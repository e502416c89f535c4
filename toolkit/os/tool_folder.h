#pragma once

#include <string>

namespace os {

// The folder where the tool keeps the files it writes beside itself (the report, the style
// sheet, the temporary lists, the log), given the folder that holds the program. Windows: the
// program's folder, always. Linux: the program's folder when the user may write there and it
// is not a system folder under /usr; otherwise the user's own state folder for the tool,
// $XDG_STATE_HOME/configreport (by default ~/.local/state/configreport), created when missing.
// When that cannot be had either, the program's folder, whose failures the user then sees.
std::string toolFolderFor(const std::string& programFolder);

}  // namespace os
