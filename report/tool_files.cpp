#include "report/tool_files.h"

#include "toolkit/list_file_helpers.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/application.h"

std::string toolFile(const std::string& name) {
    return CombinePath(App().Path, name);
}

std::string inventoryFileForWriting() {
    return toolFile("_tmpFiles.txt");
}

std::string inventoryFileForReading() {
    return toolFile(os::kFileNamesIgnoreCase ? "_tmpfiles.txt" : "_tmpFiles.txt");
}
