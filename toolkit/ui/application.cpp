#include "toolkit/ui/application.h"

#include "toolkit/os/os_traits.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/tool_folder.h"

namespace {

std::string refusalText(const os::ToolFolder& folder) {
    const std::string named = "The tool's folder " + folder.refusedFolder;
    switch (folder.refusal) {
        case os::FolderRefusal::None:
            break;
        case os::FolderRefusal::NoHome:
            return "The user has no home folder for the tool's files";
        case os::FolderRefusal::Unusable:
            return named + " cannot be used\r\nErr = " + folder.failure;
        case os::FolderRefusal::NotTheUsers:
            return named + " belongs to another user";
        case os::FolderRefusal::OpenToOthers:
            return named + " may be written by other users";
    }
    return std::string();
}

}  // namespace

AppObject describeProgram(const std::string& executable, bool withToolFolder) {
    AppObject app;
    const std::size_t cut = executable.rfind(os::kPathSeparator);
    const std::string fileName = cut == std::string::npos ? executable : executable.substr(cut + 1);
    if (withToolFolder) {
        const os::ToolFolder folder =
            os::toolFolderFor(cut == std::string::npos ? std::string() : executable.substr(0, cut));
        app.Path = folder.path;
        app.PathNote = toolFolderNote(folder);
    }
    app.EXEName = fileName.substr(0, fileName.rfind('.'));
    app.Title = "ConfigReport";
    app.Major = CR_VERSION_MAJOR;
    app.Minor = CR_VERSION_MINOR;
    app.Revision = CR_VERSION_REVISION;
    return app;
}

std::string toolFolderNote(const os::ToolFolder& folder) {
    if (folder.refusal == os::FolderRefusal::None)
        return std::string();
    return refusalText(folder) + "\r\nThe report and the tool's other files go to " + folder.path;
}

AppObject& App() {
    static AppObject app = describeProgram(os::executablePath(), true);
    return app;
}

AppObject programIdentity() {
    return describeProgram(os::executablePath(), false);
}
