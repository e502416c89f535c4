#include "report/document_launcher.h"

#include <utility>

#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/ui.h"

namespace {

DocumentLauncher& launcherForTesting() {
    static DocumentLauncher launcher;
    return launcher;
}

}  // namespace

std::string launchResultMessage(int result, const std::string& fileName) {
    switch (result) {
        case 2:
            return "File not found\r\n" + fileName;
        case 3:
            return "Path not found";
        case 5:
            return "Access denied";
        case 8:
            return "Out of memory";
        case 11:
            return "Invalid EXE file or error in EXE image";
        case 26:
            return "A sharing violation occurred";
        case 27:
            return "Incomplete or invalid file association";
        case 28:
            return "DDE Time out";
        case 29:
            return "DDE transaction failed";
        case 30:
            return "DDE busy";
        case 31:
            return "No association for file extension";
        case 32:
            return "DLL not found";
        default:
            return "Unknown error";
    }
}

void ShellExecuteDocument(const std::string& fileName, bool /*minimized*/,
                          const std::string& parameters) {
    if (fileName.empty())
        return;
    const DocumentLauncher& replacement = launcherForTesting();
    const int result =
        replacement ? replacement(fileName, parameters) : launchDocument(fileName, parameters);
    if (result > 32) {
        gLog().log("Successfully ShellExecute '" + fileName + "'", 3);
        return;
    }
    gLog().log("Failed to ShellExecute '" + fileName + "'", 0);
    MsgBox(launchResultMessage(result, fileName));
}

void setDocumentLauncherForTesting(DocumentLauncher launcher) {
    launcherForTesting() = std::move(launcher);
}
