#include "toolkit/os/tool_folder.h"

namespace os {

std::string toolFolderFor(const std::string& programFolder) {
    return programFolder;
}

}  // namespace os
