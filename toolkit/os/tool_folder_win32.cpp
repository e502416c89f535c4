#include "toolkit/os/tool_folder.h"

namespace os {

ToolFolder toolFolderFor(const std::string& programFolder) {
    ToolFolder folder;
    folder.path = programFolder;
    return folder;
}

}  // namespace os
