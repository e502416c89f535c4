#include "toolkit/ui/application.h"

#include "toolkit/os/os_traits.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/tool_folder.h"

namespace {

AppObject describeRunningProgram() {
    AppObject app;
    const std::string executable = os::executablePath();
    const std::size_t cut = executable.rfind(os::kPathSeparator);
    const std::string fileName = cut == std::string::npos ? executable : executable.substr(cut + 1);
    app.Path =
        os::toolFolderFor(cut == std::string::npos ? std::string() : executable.substr(0, cut));
    app.EXEName = fileName.substr(0, fileName.rfind('.'));
    app.Title = "ConfigReport";
    app.Major = CR_VERSION_MAJOR;
    app.Minor = CR_VERSION_MINOR;
    app.Revision = CR_VERSION_REVISION;
    return app;
}

}  // namespace

AppObject& App() {
    static AppObject app = describeRunningProgram();
    return app;
}
