#include "report/file_table.h"

#include <vector>

#include "report/control_lookup.h"
#include "report/failure_styles.h"
#include "report/file_classes.h"
#include "report/report_text.h"
#include "report/tool_files.h"
#include "sysinfo/file_version.h"
#include "toolkit/file_io.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/controls.h"

namespace {

using namespace reporttext;

// The listing keeps files whose last change lies in this range.
const DateTime kFirstListedDay{1900, 1, 1};
const DateTime kLastListedDay{2099, 12, 12};

std::string fileRow(const std::string& fileName, const osfs::FileFacts& facts) {
    const std::string cells = GetFileInfoString(fileName, facts, kCell);
    if (isProgramFile(fileName))
        return kProgramRowStart + cells + kVersionStart + GetExeVersion(fileName, facts) +
               kVersionEnd;
    return kRowStart + cells + kRowEnd;
}

}  // namespace

void WriteFileTable(const std::string& folder, Window& mainWindow, osfs::HeldFolder& held) {
    ListBox& lstFiles = controlNamed<ListBox>(mainWindow, "lstFiles");
    lstFiles.Clear();
    std::vector<osfs::FileFacts> listed;
    ListFiles(folder, kFirstListedDay, kLastListedDay, "*.*", lstFiles, &listed);

    cFileIO table;
    table.init(inventoryFileForWriting());
    table.Clear();
    table.openFile("APPEND");
    table.appendLine(kFileTableStart);
    for (int index = 0; index < lstFiles.ListCount(); ++index) {
        const std::string fileName = lstFiles.List(index);
        // A file that vanished, is hidden, or whose facts cannot be read gets no row. One
        // look-up, the listing's own where it serves, gives both the check and the row.
        osfs::FileFacts facts;
        if (held.listedFacts(GetFileNameFromPath(fileName), listed[index], facts) &&
            osfs::isOrdinaryFile(facts.attributes))
            skipOnFailure([&] { table.appendLine(fileRow(fileName, facts)); });
    }
    table.appendLine(kFileTableEnd);
    table.closeFile();
}

std::string GetExeVersion(const std::string& fileName, const osfs::FileFacts& facts) {
    // Reading the version would fetch a cloud-only file's data; it keeps an empty version.
    if (osfs::isCloudOnly(facts.attributes))
        return std::string();
    return getFileVersion(fileName);
}
