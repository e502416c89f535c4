#pragma once

#include <string>

namespace os {

// Why the user's state folder was not taken for the tool's files.
enum class FolderRefusal {
    None,
    NoHome,        // the user has no home folder
    Unusable,      // it cannot be made or written (see ToolFolder::failure)
    NotTheUsers,   // it belongs to another user
    OpenToOthers,  // other users may write to it
};

struct ToolFolder {
    std::string path;  // where the tool keeps its files, without a trailing separator
    FolderRefusal refusal = FolderRefusal::None;
    std::string refusedFolder;  // the state folder refused, empty when the user has no home
    std::string failure;        // why it cannot be used, in the tool's failure words
};

// The folder where the tool keeps the files it writes beside itself (the report, the style
// sheet, the temporary lists, the log), given the folder that holds the program. Windows: the
// program's folder, always. Linux: the program's folder when the user may write there and it
// is not a system folder under /usr; otherwise the user's own state folder for the tool,
// $XDG_STATE_HOME/configreport (by default ~/.local/state/configreport), created when missing,
// in the effective user's home. That folder is taken only when it is the effective user's own
// and no other user may write to it; otherwise the answer is a new folder private to the user,
// for this run alone, and says why (the program's folder when not even that can be made).
ToolFolder toolFolderFor(const std::string& programFolder);

}  // namespace os
